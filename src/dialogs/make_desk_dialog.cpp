#include "dialogs/make_desk_dialog.h"

#include "core/text.h"
#include "platform/busy_pointer.h"
#include "store/appearance.h"
#include "store/desk_appearance.h"
#include "store/settings.h"

namespace koruvan {
namespace {

const std::vector<std::string> kStyleEntries{"中央に表示", "並べて表示", "拡大"};

}  // namespace

int styleEntryFor(std::optional<WallpaperStyle> style) {
    const int code = style ? static_cast<int>(*style) : -1;
    return code >= 0 && code < static_cast<int>(kStyleEntries.size()) ? code : -1;
}

MakeDeskDialog::MakeDeskDialog(Platform& platform, SharedState& state, int slot, MakeDeskView& view)
    : platform_(platform), state_(state), view_(view), browser_(platform), slot_(slot) {}

void MakeDeskDialog::onOpen() {
    const Desk* desk = deskAt(state_, slot_);
    if (!desk) return;
    mode_ = desk->exists() ? MakeDeskMode::DeskSettings : MakeDeskMode::NewDesk;
    if (mode_ == MakeDeskMode::DeskSettings) {
        view_.setCaptions("デスクトップの設定", "デスクトップ名");
    } else {
        view_.setCaptions("新規デスクトップ作成", "新規デスクトップ名");
    }
    style_ = styleEntryFor(desk->style);
    view_.showStyles(kStyleEntries, style_);
    savedName_ = desk->name;
    savedWallpaper_ = desk->wallpaper;
    chosenWallpaper_ = savedWallpaper_;
    name_ = savedName_;
    view_.showName(name_);

    const std::string start = !savedWallpaper_.empty()              ? savedWallpaper_
                              : !state_.lastChosenWallpaper.empty() ? state_.lastChosenWallpaper
                                                                    : state_.windowsDir;
    // The lists start where the program's current folder is; each step that cannot be taken leaves them
    // where the one before put them.
    browser_.moveTo(state_.programDir);
    const std::string startRoot = rootOfPath(start);
    if (!startRoot.empty() && startRoot != rootOfPath(browser_.folder())) {
        browser_.moveTo(browser_.folderOnDrive(startRoot));
    }
    browser_.moveTo(folderOfPath(start));
    showFolder();

    if (mode_ == MakeDeskMode::NewDesk) {
        view_.showPreview("");
        return;
    }
    // Exactly the saved file's name: "a.bmp" must not stand for "data.bmp".
    const std::string fileName = fileNameOfPath(start);
    for (std::size_t k = 1; k < files_.size(); ++k) {
        if (files_[k] == fileName) {
            view_.showFiles(files_, static_cast<int>(k));
            onFileChosen(static_cast<int>(k));
            return;
        }
    }
    view_.showPreview(start);
}

void MakeDeskDialog::showFolder() {
    const BusyPointer busy(platform_);  // a folder of thousands of files takes a moment
    browser_.list();
    files_.assign(1, kNoWallpaperEntry);
    files_.insert(files_.end(), browser_.pictures().begin(), browser_.pictures().end());
    selectedFile_ = -1;
    view_.showDrives(browser_.drives(), browser_.currentDrive());
    view_.showFolders(browser_.entries(), browser_.currentEntry());
    view_.showFiles(files_, -1);
}

void MakeDeskDialog::onNameEdited(std::string text) {
    name_ = std::move(text);
}

void MakeDeskDialog::onStyleChosen(int entry) {
    style_ = entry >= 0 && entry < static_cast<int>(kStyleEntries.size()) ? entry : -1;
}

void MakeDeskDialog::onDriveChosen(int index) {
    const auto& drives = browser_.drives();
    if (index < 0 || index >= static_cast<int>(drives.size()) || index == browser_.currentDrive()) return;
    const std::string root = drives[static_cast<std::size_t>(index)];
    if (browser_.moveTo(browser_.folderOnDrive(root)) || browser_.moveTo(root)) {
        showFolder();
    } else {
        // No medium, or out of reach: the chooser goes back to the drive being browsed.
        view_.showDrives(drives, browser_.currentDrive());
    }
}

void MakeDeskDialog::onFolderActivated(int entry) {
    // A folder gone meanwhile is not entered; the lists are read again either way, to show what is there.
    browser_.moveTo(browser_.entryFolder(entry));
    showFolder();
}

void MakeDeskDialog::onFileChosen(int entry) {
    if (entry < 0 || entry >= static_cast<int>(files_.size())) {
        selectedFile_ = -1;
        return;
    }
    selectedFile_ = entry;
    if (entry == 0) {
        chosenWallpaper_.clear();
        view_.showPreview("");
        return;
    }
    // Chosen before it is loaded: a file that is no picture is still the desk's wallpaper.
    chosenWallpaper_ = browser_.folder() + files_[static_cast<std::size_t>(entry)];
    view_.showPreview(chosenWallpaper_);
}

void MakeDeskDialog::onPreviewClicked() {
    if (!chosenWallpaper_.empty()) view_.showEnlarged(chosenWallpaper_);
}

// The desk line has no quoting: a comma in a field would split it on the next load. A name of blanks would
// load as no name, and the desk with its items would drop out of the table.
std::string MakeDeskDialog::refusalOf(const std::string& wallpaper) const {
    if (trimBlanks(name_).empty()) return "デスクトップ名を入力してください";
    if (name_.find(',') != std::string::npos) return "デスクトップ名に「,」は使えません";
    if (wallpaper.find(',') != std::string::npos) return "壁紙のファイル名に「,」は使えません";
    return {};
}

void MakeDeskDialog::onOk() {
    Desk* desk = deskAt(state_, slot_);
    if (!desk) return;
    const std::string wallpaper = selectedFile_ >= 1
                                      ? browser_.folder() + files_[static_cast<std::size_t>(selectedFile_)]
                                      : chosenWallpaper_;
    if (const std::string refusal = refusalOf(wallpaper); !refusal.empty()) {
        view_.warn(refusal, "設定ミス");
        return;
    }
    desk->name = name_;
    desk->wallpaper = wallpaper;
    desk->pattern = deskFieldValue(readPattern(platform_), desk->pattern);
    desk->background = deskFieldValue(readBackgroundColor(platform_), desk->background);
    desk->style = static_cast<WallpaperStyle>(style_);  // -1 when no style is chosen
    written_ = writeDeskLine(platform_.files, state_, slot_);
    state_.lastChosenWallpaper = wallpaper;
    platform_.session.pumpPendingEvents();
    if (slot_ == state_.currentDesk) {
        applyWallpaper(platform_, wallpaper, desk->style);
        platform_.session.pumpPendingEvents();
    }
    result_ = DialogResult::Stored;
    view_.close();
}

void MakeDeskDialog::onCancel() {
    result_ = DialogResult::Cancelled;
    if (Desk* desk = deskAt(state_, slot_)) {
        desk->name = savedName_;
        desk->wallpaper = savedWallpaper_;
    }
    view_.close();
}

void MakeDeskDialog::onClose() {
    view_.close();
}

}  // namespace koruvan
