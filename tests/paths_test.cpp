#include "core/paths.h"

#include <gtest/gtest.h>

namespace koruvan {
namespace {

TEST(PathsTest, FolderFileNameAndRootOfAPath) {
    struct Case {
        const char* path;
        const char* folder;
        const char* fileName;
        const char* root;
    };
    const Case cases[] = {
        {"C:\\pics\\sea.bmp", "C:\\pics\\", "sea.bmp", "C:\\"},
        {"c:\\pics\\", "c:\\pics\\", "", "C:\\"},
        {"C:", "", "C:", "C:\\"},
        {"C:sea.bmp", "", "C:sea.bmp", ""},
        {"\\\\server\\share\\pics\\sea.bmp", "\\\\server\\share\\pics\\", "sea.bmp", "\\\\server\\share\\"},
        {"\\\\server", "\\\\", "server", ""},
        {"pics\\sea.bmp", "pics\\", "sea.bmp", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(folderOfPath(c.path), c.folder) << c.path;
        EXPECT_EQ(fileNameOfPath(c.path), c.fileName) << c.path;
        EXPECT_EQ(rootOfPath(c.path), c.root) << c.path;
    }
}

TEST(PathsTest, AFolderEndsInOneBackslash) {
    EXPECT_EQ(withTrailingBackslash("C:\\dsk0"), "C:\\dsk0\\");
    EXPECT_EQ(withTrailingBackslash("C:\\dsk0\\"), "C:\\dsk0\\");
    EXPECT_EQ(withTrailingBackslash(""), "\\");
}

}  // namespace
}  // namespace koruvan
