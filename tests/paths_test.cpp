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

// Names compare as NTFS compares them: each character against its one-for-one upper case, in any script, and
// nothing more (no folding of "ß" into "SS", nothing outside the Basic Multilingual Plane).
TEST(PathsTest, FileNamesCompareAsNtfsComparesThem) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"Report.DOC", "report.doc", true}, {"ｍｅｍｏ.txt", "ＭＥＭＯ.TXT", true},
        {"Ωμέγα.txt", "ΩΜΈΓΑ.TXT", true},   {"Привет.lnk", "ПРИВЕТ.LNK", true},
        {"ÿ.txt", "Ÿ.txt", true},           {"straße.txt", "STRASSE.txt", false},
        {"メモ.txt", "ﾒﾓ.txt", false},      {"𐐨.txt", "𐐀.txt", false},
        {"a\xFF.txt", "A\xFE.txt", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fileNameKey(c.a) == fileNameKey(c.b), c.same) << c.a << " " << c.b;
}

}  // namespace
}  // namespace koruvan
