#pragma once
// The bar's wallpaper pictures at the size of a button. Decoding a wallpaper costs far more than a redraw, so
// a picture is decoded once for each version of its file (path, size and time of last write) and each button
// size; a file that holds no picture is remembered as such too. The decoding itself is the view's (Picture is
// its own picture type, an owning bitmap on Windows).

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace koruvan {

// What tells one version of a file from another.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

template <typename Picture>
class PictureReader {
  public:
    virtual ~PictureReader() = default;
    // Nothing when the file is missing or cannot be asked.
    virtual std::optional<FileStamp> stamp(const std::string& path) = 0;
    // The picture scaled to width x height; nothing when the file holds no picture that can be decoded.
    virtual std::optional<Picture> decode(const std::string& path, int width, int height) = 0;
};

template <typename Picture>
class ThumbnailCache {
  public:
    explicit ThumbnailCache(PictureReader<Picture>& reader) : reader_(reader) {}

    // The picture of the file at width x height, or nullptr when the file is missing or holds no picture.
    // Owned by the cache; valid until the next call for the same path.
    const Picture* get(const std::string& path, int width, int height) {
        if (path.empty() || width <= 0 || height <= 0) return nullptr;
        const std::optional<FileStamp> stamp = reader_.stamp(path);
        if (!stamp) {
            entries_.erase(path);
            return nullptr;
        }
        auto found = entries_.find(path);
        if (found != entries_.end() && found->second.stamp == *stamp && found->second.width == width &&
            found->second.height == height) {
            return found->second.picture ? &*found->second.picture : nullptr;
        }
        ++decodes_;
        Entry entry{*stamp, width, height, reader_.decode(path, width, height)};
        if (found != entries_.end()) {
            found->second = std::move(entry);
        } else {
            found = entries_.emplace(path, std::move(entry)).first;
        }
        return found->second.picture ? &*found->second.picture : nullptr;
    }

    // How many times a file was decoded: a redraw with nothing changed adds none.
    int decodeCount() const { return decodes_; }

  private:
    struct Entry {
        FileStamp stamp;
        int width = 0;
        int height = 0;
        std::optional<Picture> picture;
    };
    PictureReader<Picture>& reader_;
    std::map<std::string, Entry> entries_;
    int decodes_ = 0;
};

}  // namespace koruvan
