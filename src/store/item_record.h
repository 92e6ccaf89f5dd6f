#pragma once
// The record of items: which desk each plain file on the Desktop belongs to and under which name that desk
// stores it, and which desk's item each file of the pool is a copy of. Desks are named by their identities,
// never by their slots, so that nothing recorded about a deleted desk passes to a later desk of its slot. It
// lives beside the journal and is written whole and atomically, so that a crash leaves either the old record
// or the new one.
//
// A Desktop file the record does not name belongs to the desk on screen. A file left behind on the Desktop
// (one another program held open) keeps its entry, and so belongs to the desk that left it, until it can go
// to that desk's folder (or to the pool, when that desk has been deleted since).

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/session.h"
#include "store/desk_index.h"

namespace koruvan {

struct DesktopEntry {
    std::string name;  // the file's name on the Desktop
    DeskId desk = 0;
    std::string
        storedName;  // its name in the desk's folder: a numbered Desktop name is stored as the item's own
    // The file's identity when known (0 when not): it follows the file through a rename.
    std::uint64_t volume = 0;
    std::uint64_t fileId = 0;
    friend bool operator==(const DesktopEntry&, const DesktopEntry&) = default;
};

// A pool file is the copy of a desk's item only while it is the file the record saw, and while that desk
// carries the item: one the user replaced (another size or time) or put there by hand, and one whose desk
// gave the item up, is nobody's and is never replaced.
struct PoolEntry {
    std::string name;  // the file's name in the pool
    DeskId desk = 0;
    std::string itemName;  // the item's name on its desk
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;
    friend bool operator==(const PoolEntry&, const PoolEntry&) = default;
};

struct ItemRecord {
    using DesktopEntries = std::map<std::string, DesktopEntry>;  // by fileNameKey of the Desktop name
    using PoolEntries = std::map<std::string, PoolEntry>;        // by fileNameKey of the pool name

    std::string token;      // random; names the program's temporary files, which no user file can share
    DeskId lastDeskId = 0;  // the last identity given: the next desk gets a higher one
    // The desk of each slot when the record was written: a fresh start after the settings file was deleted
    // gives the desks back their identities, and so their items.
    std::array<DeskId, kDeskCount> desks{};
    DeskId onDesktop = 0;  // the desk whose items the Desktop holds
    // LastUse could not be written: the value the settings file kept. A start that finds it there starts at
    // onDesktop's desk instead; one that finds another value (changed by hand) takes that.
    std::optional<int> lastUseKept;
    DesktopEntries desktop;
    PoolEntries pool;
    // Read from an earlier version's record, whose entries name desks by slot (not kept in the text).
    bool slotNumbered = false;
    friend bool operator==(const ItemRecord&, const ItemRecord&) = default;
};

// The record's text, and the record of a text: a line that does not parse is skipped, so a damaged record
// loses only its damaged lines.
std::string formatItemRecord(const ItemRecord& record);
ItemRecord parseItemRecord(std::string_view text);
// The record kept at `path` (SharedState::itemRecordPath); an empty record when there is none or it cannot be
// read.
ItemRecord readItemRecord(FileSystem& files, const std::string& path);
[[nodiscard]] FileResult writeItemRecord(FileSystem& files, const std::string& path,
                                         const ItemRecord& record);

const DesktopEntry* findDesktopEntry(const ItemRecord& record, std::string_view desktopName);
const PoolEntry* findPoolEntry(const ItemRecord& record, std::string_view poolName);
void setDesktopEntry(ItemRecord& record, DesktopEntry entry);
void setPoolEntry(ItemRecord& record, PoolEntry entry);
// The pool's copies of a desk's item (or of every item of the desk, with an empty name) become nobody's.
void endPoolEntries(ItemRecord& record, DeskId desk, std::string_view itemName = {});

// Gives the record a token when it has none: 16 hexadecimal digits from the platform's random numbers.
void ensureToken(ItemRecord& record, Session& session);
// "~KORUVAN-<token>-<n>.tmp": a temporary file the program makes, and the only files it ever clears as its
// own.
std::string temporaryName(const ItemRecord& record, int number);
bool isTemporaryName(const ItemRecord& record, std::string_view name);

}  // namespace koruvan
