#pragma once
// Moving single desk items between folders without losing or overwriting any: the rules that the desk swap,
// the start-up and the deletion of a desk share.

#include <string>

#include "platform/platform.h"

namespace koruvan {

// The name that a copy on its way into a folder has until it is complete; a crash leaves at most this one.
inline constexpr const char* kCopyInProgressName = "~KORUVAN copy.tmp";

// "name (n).ext", or "name (n)" for a name without an extension.
std::string numberedName(const std::string& name, int number);

// How a kept copy of an item arrives. A desk's own items go between its folder and the Desktop as a second
// name of the one file where the volume allows (no bytes copied, whatever the size; an edit on the Desktop
// is then the stored item's edit too). Items that other desks may take (the pool) are always copies, so that
// one desk's edit never changes another desk's item.
enum class Placement { Copy, LinkOrCopy };

// Copies folder + name into `targetFolder` under the same name: a link, or a copy through
// kCopyInProgressName so that a cut-off copy never stands there as the item. A file of that name already in
// the target stays and the copy is not made. When the copy fails (a full disk) the item is moved instead.
// False when the item is not there.
bool placeItem(Platform& platform, const std::string& folder, const std::string& name,
               const std::string& targetFolder, Placement placement);

// Gives the item to `targetFolder`, copying it (keepSource) or moving it. Where the target holds a different
// file of that name, that file stays and the item takes the first free name "name (2).ext", "name (3).ext",
// ...; where it holds the same content already, nothing more is done. False when the item could not be put
// there: it is then still in its folder.
bool giveItem(Platform& platform, const std::string& folder, const std::string& name,
              const std::string& targetFolder, bool keepSource, Placement placement = Placement::Copy);

// Whether two listed files are one file under two names. A listing may show an older size or time for one
// name of a file changed through another: such a pair counts as two files, which is the safe side.
bool sameFile(const PlainFile& a, const PlainFile& b);

// Moves each item of `folder` into `targetFolder`, where it replaces the older copy of it: the moving items
// are the live ones. An older copy that is the item itself (a second name of the same file) keeps the item,
// and only the item's name in `folder` goes; one that refuses to be replaced (read-only) goes first. An item
// that cannot move stays where it is, and no half-moved copy of it is left in `targetFolder`.
void replaceItems(Platform& platform, const std::string& folder, const std::string& targetFolder);

// Moves the item into `targetFolder` under its own name, as the newest version of that item. A different file
// of that name there is not lost: it moves aside to the first free "name (2).ext", "name (3).ext", .... False
// when the item could not be put there: it is then still in its folder.
bool storeItem(Platform& platform, const std::string& folder, const std::string& name,
               const std::string& targetFolder);

// Moves every plain file of `folder` into `targetFolder` by giveItem; returns how many stayed behind.
int giveFolderItems(Platform& platform, const std::string& folder, const std::string& targetFolder);

}  // namespace koruvan
