#include "store/item_record.h"

#include <charconv>
#include <vector>

#include "core/paths.h"
#include "core/text.h"
#include "store/desk_index.h"

namespace koruvan {
namespace {

constexpr std::string_view kHeader = "KORUVAN items 2";
// Written by the version that named desks by their slots.
constexpr std::string_view kSlotHeader = "KORUVAN items 1";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kTemporaryPrefix = "~KORUVAN-";
// Fields are separated by tabs: no Windows file name can hold one.
constexpr char kSeparator = '\t';

template <typename Number>
std::optional<Number> numberOf(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// A desk as a line names it: an identity, or in a record of the earlier version a slot.
std::optional<DeskId> deskOf(std::string_view text, bool slotNumbered) {
    const std::optional<DeskId> desk = numberOf<DeskId>(text);
    if (!desk || (slotNumbered && !isDeskIndex(static_cast<int>(*desk)))) return std::nullopt;
    return desk;
}

// A name as the record keeps it: not empty, no path in it.
bool isFileName(std::string_view name) {
    return !name.empty() && name.find('\\') == std::string_view::npos &&
           name.find('/') == std::string_view::npos;
}

void parseDesks(const std::vector<std::string_view>& f, ItemRecord& record) {
    if (f.size() != 2 + kDeskCount) return;
    const std::optional<DeskId> last = numberOf<DeskId>(f[1]);
    if (!last) return;
    record.lastDeskId = *last;
    for (std::size_t slot = 0; slot < static_cast<std::size_t>(kDeskCount); ++slot)
        record.desks[slot] = numberOf<DeskId>(f[slot + 2]).value_or(0);
}

void parseScreen(const std::vector<std::string_view>& f, ItemRecord& record) {
    if (f.size() < 2 || f.size() > 3) return;
    record.onDesktop = numberOf<DeskId>(f[1]).value_or(0);
    if (f.size() == 3) record.lastUseKept = numberOf<int>(f[2]);
}

void parseDesktopEntry(const std::vector<std::string_view>& f, ItemRecord& record) {
    const bool withIdentity = !record.slotNumbered && f.size() == 6;
    if (!withIdentity && !(record.slotNumbered && f.size() == 4)) return;
    const std::optional<DeskId> desk = deskOf(f[2], record.slotNumbered);
    if (!desk || !isFileName(f[1]) || !isFileName(f[3])) return;
    DesktopEntry entry{std::string(f[1]), *desk, std::string(f[3])};
    if (withIdentity) {
        entry.volume = numberOf<std::uint64_t>(f[4]).value_or(0);
        entry.fileId = numberOf<std::uint64_t>(f[5]).value_or(0);
    }
    setDesktopEntry(record, std::move(entry));
}

void parseLine(std::string_view line, ItemRecord& record) {
    const std::vector<std::string_view> f = splitFields(line, kSeparator);
    if (f.size() == 2 && f[0] == "token") {
        record.token = std::string(f[1]);
    } else if (f[0] == "desks" && !record.slotNumbered) {
        parseDesks(f, record);
    } else if (f[0] == "screen" && !record.slotNumbered) {
        parseScreen(f, record);
    } else if (f[0] == "desktop") {
        parseDesktopEntry(f, record);
    } else if (f.size() == 6 && f[0] == "pool") {
        const std::optional<DeskId> desk = deskOf(f[2], record.slotNumbered);
        const auto size = numberOf<std::uint64_t>(f[4]);
        const auto time = numberOf<std::uint64_t>(f[5]);
        if (desk && size && time && isFileName(f[1]) && isFileName(f[3]))
            setPoolEntry(record, {std::string(f[1]), *desk, std::string(f[3]), *size, *time});
    }
}

}  // namespace

std::string formatItemRecord(const ItemRecord& record) {
    std::string text = std::string(kByteOrderMark) + std::string(kHeader) + "\r\n";
    text += fieldLine({"token", record.token}, kSeparator);
    std::string desks = "desks";
    desks.append(1, kSeparator).append(std::to_string(record.lastDeskId));
    for (const DeskId desk : record.desks)
        desks.append(1, kSeparator).append(std::to_string(desk));
    text += desks + "\r\n";
    if (record.lastUseKept) {
        text += fieldLine({"screen", std::to_string(record.onDesktop), std::to_string(*record.lastUseKept)},
                          kSeparator);
    } else {
        text += fieldLine({"screen", std::to_string(record.onDesktop)}, kSeparator);
    }
    for (const auto& [key, entry] : record.desktop) {
        text += fieldLine({"desktop", entry.name, std::to_string(entry.desk), entry.storedName,
                           std::to_string(entry.volume), std::to_string(entry.fileId)},
                          kSeparator);
    }
    for (const auto& [key, entry] : record.pool) {
        text += fieldLine({"pool", entry.name, std::to_string(entry.desk), entry.itemName,
                           std::to_string(entry.size), std::to_string(entry.writeTime)},
                          kSeparator);
    }
    return text;
}

ItemRecord parseItemRecord(std::string_view text) {
    ItemRecord record;
    const std::vector<std::string_view> lines = textLines(text);
    // A file of another kind, or of a later version, is not read as a record.
    if (lines.empty() || (lines[0] != kHeader && lines[0] != kSlotHeader)) return {};
    record.slotNumbered = lines[0] == kSlotHeader;
    for (std::size_t i = 1; i < lines.size(); ++i)
        parseLine(lines[i], record);
    return record;
}

ItemRecord readItemRecord(FileSystem& files, const std::string& path) {
    const std::optional<std::string> bytes = files.readFileBytes(path);
    return bytes ? parseItemRecord(*bytes) : ItemRecord{};
}

FileResult writeItemRecord(FileSystem& files, const std::string& path, const ItemRecord& record) {
    return files.replaceFileBytes(path, formatItemRecord(record));
}

const DesktopEntry* findDesktopEntry(const ItemRecord& record, std::string_view desktopName) {
    const auto it = record.desktop.find(fileNameKey(desktopName));
    return it == record.desktop.end() ? nullptr : &it->second;
}

const PoolEntry* findPoolEntry(const ItemRecord& record, std::string_view poolName) {
    const auto it = record.pool.find(fileNameKey(poolName));
    return it == record.pool.end() ? nullptr : &it->second;
}

void setDesktopEntry(ItemRecord& record, DesktopEntry entry) {
    std::string key = fileNameKey(entry.name);
    record.desktop.insert_or_assign(std::move(key), std::move(entry));
}

void setPoolEntry(ItemRecord& record, PoolEntry entry) {
    std::string key = fileNameKey(entry.name);
    record.pool.insert_or_assign(std::move(key), std::move(entry));
}

void endPoolEntries(ItemRecord& record, DeskId desk, std::string_view itemName) {
    const std::string key = fileNameKey(itemName);
    for (auto it = record.pool.begin(); it != record.pool.end();) {
        const bool ends =
            it->second.desk == desk && (itemName.empty() || fileNameKey(it->second.itemName) == key);
        it = ends ? record.pool.erase(it) : std::next(it);
    }
}

void ensureToken(ItemRecord& record, Session& session) {
    if (!record.token.empty()) return;
    constexpr char kDigits[] = "0123456789abcdef";
    for (int digit = 0; digit < 16; ++digit)
        record.token += kDigits[static_cast<int>(session.randomFraction() * 16) & 15];
}

std::string temporaryName(const ItemRecord& record, int number) {
    return std::string(kTemporaryPrefix) + record.token + "-" + std::to_string(number) + ".tmp";
}

bool isTemporaryName(const ItemRecord& record, std::string_view name) {
    const std::string prefix = fileNameKey(std::string(kTemporaryPrefix) + record.token + "-");
    return !record.token.empty() && fileNameKey(name).starts_with(prefix);
}

}  // namespace koruvan
