#pragma once
// Moving single desk items between folders without losing or overwriting any. Every file that is written
// rather than renamed is written under a temporary name first and takes its own name only once it is whole,
// so that no half-written file ever stands as an item; the temporary file goes on any failure.

#include <functional>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace koruvan {

// Deletes a file the program no longer needs: a temporary copy (the next start clears it by its name), or a
// copy that is no longer any desk's item. One that cannot be deleted now costs the user nothing, so its
// failure goes unreported.
void discardFile(FileSystem& files, const std::string& path);

// How many numbered names ("name (2).ext" ... ) a search tries at most.
inline constexpr int kLastNumberedName = 999;

// "name (n).ext", or "name (n)" for a name without an extension.
std::string numberedName(const std::string& name, int number);
// The first of `name`, "name (2).ext", ... up to kLastNumberedName that `isFree` takes; nullopt when none is.
std::optional<std::string> firstFreeName(const std::string& name,
                                         const std::function<bool(const std::string&)>& isFree);

// How a copy of an item arrives. A desk's own items go between its folder and the Desktop as a second name of
// the one file where the drive allows (no bytes copied, whatever the size; an edit on the Desktop is then the
// stored item's edit too). Items that other desks may take (the pool's) are always copies, so that one desk's
// edit never changes another desk's item.
enum class Placement { Copy, LinkOrCopy };

// Whether two listed files are one file under two names. A listing may show an older size or time for one
// name of a file changed through another: such a pair counts as two files, which is the safe side.
bool sameFile(const PlainFile& a, const PlainFile& b);

// Gives `from` a second place, folder + name, never replacing anything there: a link, or a copy made whole
// under `temporary` (a path in `folder`) and then renamed. Exists when the name is taken. The source stays.
// `linked`, when given, tells whether the new place is a second name of `from` itself.
FileResult putCopy(Platform& platform, const std::string& from, const std::string& folder,
                   const std::string& name, Placement placement, const std::string& temporary,
                   bool* linked = nullptr);

// Moves `from` to folder + name, never replacing anything there: a rename within a drive; across drives a
// whole copy under `temporary`, renamed, and then the source deleted. A failure leaves the source in place.
FileResult moveNoReplace(Platform& platform, const std::string& from, const std::string& folder,
                         const std::string& name, const std::string& temporary);

// Renames `from` over `to`, replacing it; a read-only `to` loses its attribute for the rename and gets it
// back when the rename fails, so that it is replaced whole or stays as it was.
FileResult renameReplacing(FileSystem& files, const std::string& from, const std::string& to);

// Replaces folder + name (a read-only file too) with a whole copy of `from`, made under `temporary` first.
// The source stays; on failure the target is as it was.
FileResult copyReplacing(Platform& platform, const std::string& from, const std::string& folder,
                         const std::string& name, const std::string& temporary);

// Makes `from` the newest version of folder + name, replacing the older copy there (a read-only one too): a
// rename within a drive; across drives a whole copy under `temporary` takes the name, and only then is the
// source deleted. `oneFile`, the source as a listing showed it to be one file with the older copy under two
// names: then only the source's name goes, while it is still that file (a program that saved it anew since
// made it the newer version). A failure leaves the source in place, and the older copy is replaced by nothing
// but a whole newer one.
FileResult storeReplacing(Platform& platform, const std::string& from, const std::string& folder,
                          const std::string& name, const std::string& temporary,
                          const std::optional<PlainFile>& oneFile);

}  // namespace koruvan
