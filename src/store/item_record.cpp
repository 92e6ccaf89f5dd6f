#include "store/item_record.h"

#include <charconv>
#include <vector>

#include "core/paths.h"
#include "store/desk_index.h"

namespace koruvan {
namespace {

constexpr std::string_view kHeader = "KORUVAN items 1";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kTemporaryPrefix = "~KORUVAN-";
// Fields are separated by tabs: no Windows file name can hold one.
constexpr char kSeparator = '\t';

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find(kSeparator, start);
        fields.push_back(
            line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

template <typename Number>
std::optional<Number> numberOf(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<int> deskOf(std::string_view text) {
    const std::optional<int> desk = numberOf<int>(text);
    return desk && isDeskIndex(*desk) ? desk : std::nullopt;
}

// A name as the record keeps it: not empty, no path in it.
bool isFileName(std::string_view name) {
    return !name.empty() && name.find('\\') == std::string_view::npos &&
           name.find('/') == std::string_view::npos;
}

void parseLine(std::string_view line, ItemRecord& record) {
    const std::vector<std::string_view> f = splitFields(line);
    if (f.size() == 2 && f[0] == "token") {
        record.token = std::string(f[1]);
    } else if (f.size() == 4 && f[0] == "desktop") {
        const std::optional<int> desk = deskOf(f[2]);
        if (desk && isFileName(f[1]) && isFileName(f[3]))
            setDesktopEntry(record, {std::string(f[1]), *desk, std::string(f[3])});
    } else if (f.size() == 6 && f[0] == "pool") {
        const std::optional<int> desk = deskOf(f[2]);
        const auto size = numberOf<std::uint64_t>(f[4]);
        const auto time = numberOf<std::uint64_t>(f[5]);
        if (desk && size && time && isFileName(f[1]) && isFileName(f[3]))
            setPoolEntry(record, {std::string(f[1]), *desk, std::string(f[3]), *size, *time});
    }
}

std::string joinFields(std::initializer_list<std::string_view> fields) {
    std::string line;
    for (std::string_view field : fields) {
        if (!line.empty()) line += kSeparator;
        line += field;
    }
    return line + "\r\n";
}

}  // namespace

std::string formatItemRecord(const ItemRecord& record) {
    std::string text = std::string(kByteOrderMark) + std::string(kHeader) + "\r\n";
    text += joinFields({"token", record.token});
    for (const auto& [key, entry] : record.desktop)
        text += joinFields({"desktop", entry.name, std::to_string(entry.desk), entry.storedName});
    for (const auto& [key, entry] : record.pool) {
        text += joinFields({"pool", entry.name, std::to_string(entry.desk), entry.itemName,
                            std::to_string(entry.size), std::to_string(entry.writeTime)});
    }
    return text;
}

ItemRecord parseItemRecord(std::string_view text) {
    ItemRecord record;
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    bool first = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        // A file of another kind, or of a later version, is not read as a record.
        if (first && line != kHeader) return {};
        if (!first) parseLine(line, record);
        first = false;
    }
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
