#include "bar/thumbnail_cache.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace koruvan {
namespace {

// A picture as the fake decodes it: what the file held and the size it was scaled to.
struct FakePicture {
    std::string content;
    int width = 0;
    int height = 0;
};

// Files in memory. Like the system's decoders it goes by the content, never by the name: JPEG and PNG
// signatures decode, anything else does not.
class FakeReader : public PictureReader<FakePicture> {
  public:
    struct File {
        std::string content;
        FileStamp stamp;
    };
    std::map<std::string, File> files;
    std::vector<std::string> decoded;  // paths, in the order decoded

    std::optional<FileStamp> stamp(const std::string& path) override {
        const auto found = files.find(path);
        if (found == files.end()) return std::nullopt;
        return found->second.stamp;
    }
    std::optional<FakePicture> decode(const std::string& path, int width, int height) override {
        decoded.push_back(path);
        const std::string& content = files.at(path).content;
        if (!content.starts_with("\xFF\xD8\xFF") && !content.starts_with("\x89PNG")) return std::nullopt;
        return FakePicture{content, width, height};
    }
};

const std::string kJpeg = "\xFF\xD8\xFF red";
const std::string kOtherJpeg = "\xFF\xD8\xFF blue";
const std::string kPng = "\x89PNG green";

TEST(ThumbnailCache, DecodesEachFileVersionAndButtonSizeOnceAndRemembersWhatIsNoPicture) {
    const std::string wallpaper =
        "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Themes\\TranscodedWallpaper";
    const std::string text = "C:\\pics\\notes.jpg";
    FakeReader reader;
    reader.files[wallpaper] = {kJpeg, {1000, 5}};
    reader.files[text] = {"not a picture", {13, 5}};
    ThumbnailCache<FakePicture> cache(reader);

    enum class Step { Get, Rewrite, Remove };
    struct Case {
        const char* what;
        Step step;
        std::string path;
        int width = 40;
        int height = 30;
        std::string content = {};  // Rewrite: the new content; Get: the picture expected, empty for none
        FileStamp stamp = {};
        int decodes = 0;  // the decode count afterwards
    };
    const Case cases[] = {
        {"a JPEG without an extension is decoded", Step::Get, wallpaper, 40, 30, kJpeg, {}, 1},
        {"a redraw decodes nothing", Step::Get, wallpaper, 40, 30, kJpeg, {}, 1},
        {"nor does another", Step::Get, wallpaper, 40, 30, kJpeg, {}, 1},
        {"a file that is no picture gives none", Step::Get, text, 40, 30, "", {}, 2},
        {"and is not decoded again", Step::Get, text, 40, 30, "", {}, 2},
        {"another button size is decoded anew", Step::Get, wallpaper, 28, 21, kJpeg, {}, 3},
        {"new content of another size", Step::Rewrite, wallpaper, 0, 0, kOtherJpeg, {1200, 5}, 3},
        {"is decoded again", Step::Get, wallpaper, 28, 21, kOtherJpeg, {}, 4},
        {"new content of the same size, written later", Step::Rewrite, wallpaper, 0, 0, kPng, {1200, 6}, 4},
        {"is decoded again too", Step::Get, wallpaper, 28, 21, kPng, {}, 5},
        {"the text file becomes a picture", Step::Rewrite, text, 0, 0, kJpeg, {1000, 7}, 5},
        {"and is shown", Step::Get, text, 28, 21, kJpeg, {}, 6},
        {"a missing file", Step::Remove, wallpaper, 0, 0, "", {}, 6},
        {"gives no picture and decodes nothing", Step::Get, wallpaper, 28, 21, "", {}, 6},
        {"the file comes back", Step::Rewrite, wallpaper, 0, 0, kPng, {1200, 6}, 6},
        {"and is decoded", Step::Get, wallpaper, 28, 21, kPng, {}, 7},
        {"no path", Step::Get, "", 28, 21, "", {}, 7},
        {"no size", Step::Get, text, 0, 21, "", {}, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        switch (c.step) {
            case Step::Rewrite:
                reader.files[c.path] = {c.content, c.stamp};
                break;
            case Step::Remove:
                reader.files.erase(c.path);
                break;
            case Step::Get: {
                const FakePicture* picture = cache.get(c.path, c.width, c.height);
                if (c.content.empty()) {
                    EXPECT_EQ(picture, nullptr);
                } else {
                    ASSERT_NE(picture, nullptr);
                    EXPECT_EQ(picture->content, c.content);
                    EXPECT_EQ(picture->width, c.width);
                    EXPECT_EQ(picture->height, c.height);
                }
                break;
            }
        }
        EXPECT_EQ(cache.decodeCount(), c.decodes);
        EXPECT_EQ(static_cast<int>(reader.decoded.size()), c.decodes);
    }
}

}  // namespace
}  // namespace koruvan
