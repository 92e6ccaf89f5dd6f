#include "dialogs/make_desk_dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "desk_fields.h"
#include "fake/fake_make_desk_view.h"
#include "fake/fake_platform.h"
#include "store/appearance.h"
#include "store/profile_file.h"

namespace koruvan::testing {
namespace {

using ::testing::ElementsAre;

class MakeDeskDialogTest : public ::testing::Test {
  protected:
    MakeDeskDialogTest() {
        state.programDir = "C:\\KORUVAN\\";
        state.windowsDir = "C:\\WINDOWS\\";
        EXPECT_TRUE(platform.makeFolder("C:\\KORUVAN\\"));
        platform.writeFile("C:\\WINDOWS\\clouds.bmp", "bmp");
        platform.writeFile("C:\\pics\\a.bmp", "bmp");
        platform.writeFile("C:\\pics\\data.bmp", "bmp");
        platform.writeFile("C:\\pics\\readme.txt", "text");
        platform.setRegistry(kDesktopKey, "Pattern", "(None)");
        platform.setRegistry(kColorsKey, "Background", "0 128 128");
        desk(0) = testing::makeDesk("仕事", "C:\\pics\\a.bmp", "(None)", "0 0 0", "0");
        state.currentDesk = 0;
    }

    Desk& desk(int d) { return state.deskTable[static_cast<std::size_t>(d)]; }
    void open(int slot) {
        dialog.emplace(platform, state, slot, view);
        dialog->onOpen();
        platform.clearCalls();
    }
    int fileEntry(const std::string& name) const {
        const auto it = std::find(view.files.begin(), view.files.end(), name);
        return it == view.files.end() ? -1 : static_cast<int>(it - view.files.begin());
    }
    // Activates the root in the folder list, then its subfolder of that name.
    void enterFromRoot(MakeDeskDialog& on, const std::string& child) {
        on.onFolderActivated(0);
        const auto it = std::find_if(view.folders.begin(), view.folders.end(),
                                     [&](const FolderEntry& entry) { return entry.name == child; });
        on.onFolderActivated(static_cast<int>(it - view.folders.begin()));
    }
    std::string storedLine(int slot) {
        return ProfileFile(platform, state.settingsPath())
            .readString("DeskTop", std::to_string(slot), "<none>");
    }

    FakePlatform platform;
    SharedState state;
    FakeMakeDeskView view;
    std::optional<MakeDeskDialog> dialog;
};

TEST_F(MakeDeskDialogTest, TheSlotsNameChoosesTheMode) {
    desk(3).style = WallpaperStyle::Stretched;  // left by a deleted desk: a new one starts with it
    open(3);
    EXPECT_EQ(dialog->mode(), MakeDeskMode::NewDesk);
    EXPECT_EQ(view.caption, "新規デスクトップ作成");
    EXPECT_EQ(view.nameFrame, "新規デスクトップ名");
    EXPECT_EQ(view.name, "");
    EXPECT_THAT(view.styles, ElementsAre("中央に表示", "並べて表示", "拡大"));
    EXPECT_EQ(view.selectedStyle, 2);
    EXPECT_EQ(dialog->browser().folder(), "C:\\WINDOWS\\");
    EXPECT_THAT(view.files, ElementsAre("(なし)", "clouds.bmp"));
    EXPECT_EQ(view.selectedFile, -1);
    EXPECT_THAT(view.previews, ElementsAre(""));

    MakeDeskDialog settings{platform, state, 0, view};
    settings.onOpen();
    EXPECT_EQ(settings.mode(), MakeDeskMode::DeskSettings);
    EXPECT_EQ(view.caption, "デスクトップの設定");
    EXPECT_EQ(view.nameFrame, "デスクトップ名");
    EXPECT_EQ(view.name, "仕事");
    EXPECT_EQ(view.selectedStyle, 0);
}

TEST_F(MakeDeskDialogTest, BrowsingStartsAtTheWallpaperThenTheLastStoredThenWindows) {
    struct Case {
        const char* wallpaper;
        const char* lastStored;
        const char* folder;
        const char* selected;  // nullptr: no file selected
        const char* preview;
    };
    const Case cases[] = {
        {"C:\\pics\\data.bmp", "", "C:\\pics\\", "data.bmp", "C:\\pics\\data.bmp"},
        {"", "C:\\pics\\a.bmp", "C:\\pics\\", "a.bmp", "C:\\pics\\a.bmp"},
        {"", "", "C:\\WINDOWS\\", nullptr, "C:\\WINDOWS\\"},
        {"C:\\pics\\", "", "C:\\pics\\", nullptr, "C:\\pics\\"},
        {"C:\\pics\\DATA.BMP", "", "C:\\pics\\", nullptr, "C:\\pics\\DATA.BMP"},
        // A folder or drive that is gone leaves the lists in the program's folder.
        {"C:\\gone\\x.bmp", "", "C:\\KORUVAN\\", nullptr, "C:\\gone\\x.bmp"},
        {"Q:\\x.bmp", "", "C:\\KORUVAN\\", nullptr, "Q:\\x.bmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wallpaper + std::string(" | ") + c.lastStored);
        desk(5) = testing::makeDesk("趣味", c.wallpaper, "", "", "1");
        state.lastChosenWallpaper = c.lastStored;
        view = FakeMakeDeskView{};
        MakeDeskDialog fresh{platform, state, 5, view};
        fresh.onOpen();
        EXPECT_EQ(fresh.browser().folder(), c.folder);
        EXPECT_EQ(view.selectedFile, c.selected ? fileEntry(c.selected) : -1);
        EXPECT_THAT(view.previews, ElementsAre(c.preview));
        EXPECT_EQ(fresh.chosenWallpaper(), *c.wallpaper ? c.wallpaper : c.lastStored);
    }
}

TEST_F(MakeDeskDialogTest, OkRefusesWhatWouldCorruptTheDeskLine) {
    platform.writeFile("C:\\a,b\\x.bmp", "bmp");
    struct Case {
        const char* name;
        const char* folder;
        const char* warning;
    };
    const Case cases[] = {
        {"", "pics", "設定ミス: デスクトップ名を入力してください"},
        {"   ", "pics", "設定ミス: デスクトップ名を入力してください"},
        {"趣味,2", "pics", "設定ミス: デスクトップ名に「,」は使えません"},
        {"趣味", "a,b", "設定ミス: 壁紙のファイル名に「,」は使えません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        view = FakeMakeDeskView{};
        MakeDeskDialog fresh{platform, state, 4, view};
        fresh.onOpen();
        fresh.onNameEdited(c.name);
        enterFromRoot(fresh, c.folder);
        fresh.onFileChosen(1);
        fresh.onOk();
        EXPECT_THAT(view.warnings, ElementsAre(c.warning));
        EXPECT_FALSE(view.closed);
        EXPECT_FALSE(desk(4).exists());
        EXPECT_FALSE(platform.exists(state.settingsPath()));
    }
}

TEST_F(MakeDeskDialogTest, OkStoresTheNewDeskWithoutTouchingTheScreen) {
    open(2);
    dialog->onNameEdited(" 趣味 ");
    dialog->onFileChosen(1);
    dialog->onOk();

    EXPECT_EQ(testing::fieldsOf(desk(2)),
              (std::array<std::string, 5>{" 趣味 ", "C:\\WINDOWS\\clouds.bmp", "(None)", "0 128 128", "-1"}));
    EXPECT_EQ(storedLine(2), "趣味 ,C:\\WINDOWS\\clouds.bmp,(None),0 128 128,-1");
    EXPECT_EQ(state.lastChosenWallpaper, "C:\\WINDOWS\\clouds.bmp");
    EXPECT_EQ(dialog->result(), DialogResult::Stored);
    EXPECT_TRUE(view.closed);
    EXPECT_TRUE(platform.wallpaperInEffect.empty());
    EXPECT_THAT(platform.calls, ElementsAre("write C:\\KORUVAN\\KORUVAN.ini", "pump"));
}

TEST_F(MakeDeskDialogTest, OkOnTheDeskShownPutsItsWallpaperIntoEffect) {
    open(0);
    dialog->onStyleChosen(1);
    dialog->onFileChosen(fileEntry("(なし)"));
    dialog->onOk();

    EXPECT_EQ(storedLine(0), "仕事,,(None),0 128 128,1");
    EXPECT_THAT(platform.calls, ElementsAre("write C:\\KORUVAN\\KORUVAN.ini", "pump", "wallpaper ",
                                            "reg Wallpaper=", "pump"));
}

TEST_F(MakeDeskDialogTest, CancelAndCloseStoreNothing) {
    open(0);
    dialog->onNameEdited("別の名前");
    dialog->onFileChosen(fileEntry("data.bmp"));
    dialog->onFileChosen(fileEntry("(なし)"));
    dialog->onStyleChosen(2);
    dialog->onCancel();
    EXPECT_EQ(desk(0).name, "仕事");
    EXPECT_EQ(desk(0).wallpaper, "C:\\pics\\a.bmp");
    EXPECT_EQ(dialog->result(), DialogResult::Cancelled);
    EXPECT_TRUE(view.closed);
    EXPECT_TRUE(platform.calls.empty());

    open(0);
    view.closed = false;
    dialog->onClose();
    EXPECT_EQ(dialog->result(), DialogResult::Closed);
    EXPECT_TRUE(view.closed);
}

TEST_F(MakeDeskDialogTest, PreviewEnlargesOnlyAChosenWallpaper) {
    open(0);
    dialog->onFileChosen(fileEntry("(なし)"));
    dialog->onPreviewClicked();
    dialog->onFileChosen(fileEntry("data.bmp"));
    dialog->onPreviewClicked();
    EXPECT_THAT(view.enlarged, ElementsAre("C:\\pics\\data.bmp"));
}

TEST_F(MakeDeskDialogTest, AnUnreadableDriveLeavesTheListsWhereTheyWere) {
    platform.offlineDrives = {"A:\\"};
    MakeDeskDialog withFloppy{platform, state, 0, view};  // drives are read as the dialog opens
    withFloppy.onOpen();
    ASSERT_THAT(view.drives, ElementsAre("A:\\", "C:\\"));
    withFloppy.onDriveChosen(0);
    EXPECT_EQ(view.selectedDrive, 1);
    EXPECT_EQ(withFloppy.browser().folder(), "C:\\pics\\");
}

TEST(StyleEntryTest, AStyleOfZeroToTwoSelectsAnEntry) {
    const std::pair<const char*, int> cases[] = {
        {"0", 0},   {"2", 2}, {" 1 ", 1},  {"2.5", 2}, {"1.5", 2}, {"2.6", -1},
        {"-1", -1}, {"", -1}, {"abc", -1}, {"1x", 1},  {"3", -1},  {"-0", 0},
    };
    for (const auto& [style, entry] : cases)
        EXPECT_EQ(styleEntryFor(parseWallpaperStyle(style)), entry) << style;
}

TEST(FirstFreeDeskSlotTest, LowestUnnamedOfZeroToEightElseNine) {
    DeskTable desks{};
    EXPECT_EQ(firstFreeDeskSlot(desks), 0);
    for (int named = 0; named <= 8; ++named) {
        desks[static_cast<std::size_t>(named)].name = "d";
        EXPECT_EQ(firstFreeDeskSlot(desks), named + 1 <= 8 ? named + 1 : 9);
    }
    desks[9].name = "taken";
    EXPECT_EQ(firstFreeDeskSlot(desks), 9);
    desks[4].name.clear();
    EXPECT_EQ(firstFreeDeskSlot(desks), 4);
}

}  // namespace
}  // namespace koruvan::testing
