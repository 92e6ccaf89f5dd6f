#include "store/settings.h"

#include <gtest/gtest.h>

#include "desk_fields.h"
#include "fake/fake_platform.h"
#include "store/appearance.h"
#include "store/first_run.h"
#include "store/profile_encoding.h"

namespace koruvan {
namespace {

constexpr const char* kIni = "C:\\KORUVAN\\KORUVAN.ini";
constexpr const char* kDesktop = "C:\\Users\\user\\Desktop\\";

using Fields = testing::DeskFields;
using testing::fieldsOf;
constexpr auto MakeDesk = testing::makeDesk;

Fields Read(const std::string& line, Desk desk = {}) {
    readDeskLine(line, desk);
    return fieldsOf(desk);
}

std::array<Fields, kDeskCount> allFields(const DeskTable& table) {
    std::array<Fields, kDeskCount> all;
    for (std::size_t i = 0; i < table.size(); ++i)
        all[i] = fieldsOf(table[i]);
    return all;
}

class SettingsTest : public ::testing::Test {
  protected:
    testing::FakePlatform platform;
    SharedState state;

    void SetUp() override {
        state.programDir = "C:\\KORUVAN\\";
        state.desktopFolder = kDesktop;
        platform.setRegistry(kDesktopKey, "Wallpaper", "C:\\WINDOWS\\壁紙.bmp");
        platform.setRegistry(kDesktopKey, "Pattern", "(なし)");
        platform.setRegistry(kDesktopKey, "WallpaperStyle", "2");
        platform.setRegistry(kColorsKey, "Background", "0 128 128");
    }
    std::string iniText() { return decodeProfileBytes(platform.fileContent(kIni), platform); }
    void giveIni(const std::string& text) { platform.writeFile(kIni, encodeProfileText(text)); }
};

TEST_F(SettingsTest, FirstRunMakesTheStoreCopiesTheDesktopAndWritesTheWholeFile) {
    platform.writeFile(std::string(kDesktop) + "メモ.txt", "memo");
    platform.writeFile(std::string(kDesktop) + "Editor.lnk", "link");
    loadOrCreateSettings(platform, state);

    for (int desk = 0; desk < kDeskCount; ++desk)
        EXPECT_TRUE(platform.folderExists(deskFolder(state, desk)));
    const std::vector<std::string> items{"Editor.lnk", "メモ.txt"};
    EXPECT_EQ(platform.filesIn(poolFolder(state)), items);
    EXPECT_EQ(platform.filesIn(deskFolder(state, 0)), items);
    EXPECT_EQ(platform.filesIn(kDesktop), items);

    EXPECT_EQ(iniText(),
              "[User]\r\nLastUse=0\r\nTopwindow=1\r\nPosition=0\r\nAutoHide=1\r\nSizeNum=1\r\n"
              "[Color]\r\nNowDeskForeColor= 0\r\nNowDeskBackColor= 255\r\nOtherDeskForeColor= 16777215\r\n"
              "OtherDeskBackColor= 16711680\r\n"
              "[DeskTop]\r\n0=デスクトップ,C:\\WINDOWS\\壁紙.bmp,(なし),0 128 128,2\r\n"
              "1=\r\n2=\r\n3=\r\n4=\r\n5=\r\n6=\r\n7=\r\n8=\r\n9=\r\n"
              "[DeskIds]\r\n0=1\r\n1=\r\n2=\r\n3=\r\n4=\r\n5=\r\n6=\r\n7=\r\n8=\r\n9=\r\n");

    // The next start reads back exactly what the first run set up, touching no folder.
    SharedState next;
    next.programDir = state.programDir;
    platform.clearCalls();
    loadOrCreateSettings(platform, next);
    EXPECT_TRUE(platform.calls.empty());
    EXPECT_EQ(allFields(next.deskTable), allFields(state.deskTable));
    EXPECT_EQ(next.tipColors, kFirstRunTipColors);
    EXPECT_EQ(
        std::tie(next.currentDesk, next.alwaysOnTop, next.barPosition, next.autoHide, next.buttonSizeSetting),
        std::tie(state.currentDesk, state.alwaysOnTop, state.barPosition, state.autoHide,
                 state.buttonSizeSetting));
}

TEST_F(SettingsTest, AFirstRunOverItemsLinkedFromDesk0KeepsThem) {
    // The settings file deleted while desk 0 was current: its folder holds the Desktop's own files.
    platform.writeFile(deskFolder(state, 0) + "memo.txt", "written on the desk");
    EXPECT_TRUE(platform.makeFolder(kDesktop));
    ASSERT_TRUE(platform.linkFile(deskFolder(state, 0) + "memo.txt", std::string(kDesktop) + "memo.txt"));
    loadOrCreateSettings(platform, state);
    EXPECT_EQ(platform.fileContent(std::string(kDesktop) + "memo.txt"), "written on the desk");
    EXPECT_EQ(platform.fileContent(deskFolder(state, 0) + "memo.txt"), "written on the desk");
}

TEST(DeskLine, EmptyAndCommaOnlyLinesEmptyTheDesk) {
    const Desk used = MakeDesk("a", "b", "c", "d", "e");
    for (const char* line : {"", ",,,", " ,,, \t", ",,,,"})
        EXPECT_EQ(Read(line, used), Fields{}) << line;
}

TEST(DeskLine, FieldsAreCleanedAndOnlyThosePresentAreFilled) {
    EXPECT_EQ(Read("  仕事 机 ,  C:\\My Pictures\\a.bmp , (なし) ,0 0 0, 1 "),
              fieldsOf(MakeDesk("仕事 机", "C:\\My Pictures\\a.bmp", "(なし)", "0 0 0", "1")));
    EXPECT_EQ(Read("a,b,c,d,e,f"), fieldsOf(MakeDesk("a", "b", "c", "d", "e")));
    EXPECT_EQ(Read("ｹﾞｰﾑ,C:\\g.bmp", MakeDesk("old", "old", "p", "bg", "2")),
              fieldsOf(MakeDesk("ｹﾞｰﾑ", "C:\\g.bmp", "p", "bg", "2")));
    EXPECT_EQ(Read("a\tb,c\x01"
                   "d"),
              fieldsOf(MakeDesk("a b", "c d", "", "", "")));
    EXPECT_EQ(Read("A, B,C,D,E")[0], "A");  // a comma in a name splits it: the line has no quoting
}

TEST(DeskLine, FormatJoinsTheFieldsAndGivesNothingForAnUnnamedDesk) {
    EXPECT_EQ(formatDeskLine(MakeDesk("デスク", "C:\\a.bmp", "", "1 2 3", "0")), "デスク,C:\\a.bmp,,1 2 3,0");
    EXPECT_EQ(formatDeskLine(MakeDesk("", "C:\\a.bmp", "p", "b", "1")), "");
}

TEST_F(SettingsTest, LoadReadsEveryKeyAndSkipsUserValuesThatDoNotFit) {
    const std::string longWallpaper = "C:\\" + std::string(300, 'w') + ".bmp";
    giveIni(
        "[User]\nLastUse=1\nTopwindow=1\nPosition=40000\nAutoHide=-1\nSizeNum=52\n"
        "[Color]\nNowDeskForeColor= 255\nNowDeskBackColor=255\nOtherDeskForeColor=word\n"
        "[DeskTop]\n0=デスクトップ,,,,\n1=長い," +
        longWallpaper + ",p,b,2\n2=,orphan,,,\n");
    state.barPosition = BarPosition::Free;
    loadOrCreateSettings(platform, state);

    EXPECT_EQ(state.currentDesk, 1);
    EXPECT_EQ(state.alwaysOnTop, 1);
    EXPECT_EQ(state.barPosition, BarPosition::Free);  // 40000 does not fit
    EXPECT_EQ(state.autoHide, -1);
    EXPECT_EQ(state.buttonSizeSetting, 52);
    EXPECT_EQ(state.tipColors, (TipColorTable{{{255, 255}, {0, 16711680}}}));
    EXPECT_EQ(fieldsOf(state.deskTable[1]),
              fieldsOf(MakeDesk("長い", longWallpaper, "p", "b", "2")));  // read whole
    EXPECT_FALSE(state.deskTable[2].exists());
}

TEST_F(SettingsTest, IconPositionsAreKeptUnlessTheFileSaysOff) {
    for (const auto& [user, keep] : {std::pair{"", true}, {"KeepIconPositions=0\n", false}}) {
        giveIni(std::string("[User]\n") + user + "[DeskTop]\n0=A\n");
        state.keepIconPositions = !keep;
        loadOrCreateSettings(platform, state);
        EXPECT_EQ(state.keepIconPositions, keep) << user;
    }
}

TEST_F(SettingsTest, SavesWriteTheirSectionsAndKeepTheRest) {
    giveIni("[User]\r\nLastUse=0\r\n; mine\r\n");
    state.currentDesk = 2;
    state.alwaysOnTop = 1;
    state.barPosition = BarPosition::BottomEdge;
    state.tipColors = {{{-1, 255}, {0, 12}}};
    state.deskTable[0] = MakeDesk("デスク", "", "", "", "0");
    state.deskTable[3] = MakeDesk("", "C:\\left.bmp", "", "", "");
    ASSERT_TRUE(saveSettings(platform, state));
    ASSERT_TRUE(saveDeskTable(platform, state));
    ASSERT_TRUE(writeUserValue(platform, state, kSizeNumKey, 120));
    EXPECT_EQ(iniText(),
              "[User]\r\nLastUse=2\r\nTopwindow=1\r\nPosition=5\r\nAutoHide=0\r\nSizeNum=120\r\n; mine\r\n"
              "[Color]\r\nNowDeskForeColor=-1\r\nNowDeskBackColor= 255\r\nOtherDeskForeColor= 0\r\n"
              "OtherDeskBackColor= 12\r\n"
              "[DeskTop]\r\n0=デスク,,,,0\r\n1=\r\n2=\r\n3=\r\n4=\r\n5=\r\n6=\r\n7=\r\n8=\r\n9=\r\n"
              "[DeskIds]\r\n0=1\r\n1=\r\n2=\r\n3=\r\n4=\r\n5=\r\n6=\r\n7=\r\n8=\r\n9=\r\n");

    const std::string before = platform.fileContent(kIni);
    platform.failWrites = true;
    EXPECT_TRUE(saveDeskTable(platform, state));  // nothing changed, nothing to write
    state.deskTable[1] = MakeDesk("新しい", "", "", "", "0");
    EXPECT_FALSE(saveDeskTable(platform, state));
    EXPECT_EQ(platform.fileContent(kIni), before);
}

TEST_F(SettingsTest, AnUnusableLastUseResumesAtTheLowestNamedDesk) {
    for (const char* lastUse : {"12", "-1", "5"}) {
        giveIni(std::string("[User]\nLastUse=") + lastUse + "\n[DeskTop]\n3=三,,,,\n7=七,,,,\n");
        SharedState loaded;
        loaded.programDir = state.programDir;
        loadOrCreateSettings(platform, loaded);
        EXPECT_EQ(loaded.currentDesk, 3) << lastUse;
    }
}

TEST_F(SettingsTest, AFileWithoutNamedDesksGetsDesk0BackWithoutCopyingItems) {
    platform.writeFile(std::string(kDesktop) + "a.lnk", "a");
    giveIni("[User]\r\nLastUse=4\r\n[DeskTop]\r\n0=,C:\\lost.bmp,,,\r\n4=\r\n");
    loadOrCreateSettings(platform, state);

    EXPECT_EQ(state.currentDesk, 0);
    EXPECT_EQ(fieldsOf(state.deskTable[0]),
              fieldsOf(MakeDesk("デスクトップ", "C:\\WINDOWS\\壁紙.bmp", "(なし)", "0 128 128", "2")));
    for (const std::string& call : platform.calls)
        EXPECT_TRUE(call.starts_with("write ")) << call;
    EXPECT_FALSE(platform.folderExists(poolFolder(state)));

    SharedState next;
    next.programDir = state.programDir;
    loadOrCreateSettings(platform, next);
    EXPECT_EQ(allFields(next.deskTable), allFields(state.deskTable));
}

}  // namespace
}  // namespace koruvan
