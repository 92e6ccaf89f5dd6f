#pragma once
// The desk dialog: makes a new desk in an unused slot, or changes the name, wallpaper and style of a desk.
// The mode follows from the slot's name when the dialog opens.

#include <string>
#include <vector>

#include "core/dialog_result.h"
#include "dialogs/folder_browser.h"
#include "dialogs/make_desk_view.h"
#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

enum class MakeDeskMode { NewDesk, DeskSettings };

inline constexpr const char* kNoWallpaperEntry = "(なし)";

// The entry of the style list that a desk's style selects: 0..2; -1 (no entry) for none or any other code.
int styleEntryFor(std::optional<WallpaperStyle> style);

class MakeDeskDialog {
  public:
    MakeDeskDialog(Platform& platform, SharedState& state, int slot, MakeDeskView& view);

    void onOpen();
    void onNameEdited(std::string text);
    void onStyleChosen(int entry);  // -1: none
    void onDriveChosen(int index);
    void onFolderActivated(int entry);
    void onFileChosen(int entry);  // -1: none
    void onPreviewClicked();
    void onOk();
    void onCancel();
    // Closed other than by its buttons: nothing is stored.
    void onClose();

    DialogResult result() const { return result_; }
    // What became of OK's write of the desk line.
    FileResult written() const { return written_; }
    MakeDeskMode mode() const { return mode_; }
    const std::string& chosenWallpaper() const { return chosenWallpaper_; }
    const FolderBrowser& browser() const { return browser_; }

  private:
    void showFolder();
    std::string refusalOf(const std::string& wallpaper) const;

    Platform& platform_;
    SharedState& state_;
    MakeDeskView& view_;
    FolderBrowser browser_;
    int slot_ = 0;
    DialogResult result_ = DialogResult::Closed;
    FileResult written_;
    MakeDeskMode mode_ = MakeDeskMode::NewDesk;
    std::string savedName_;
    std::string savedWallpaper_;
    std::string chosenWallpaper_;
    std::string name_;
    int style_ = -1;
    std::vector<std::string> files_;  // the file list: "(なし)", then the pictures
    int selectedFile_ = -1;
};

}  // namespace koruvan
