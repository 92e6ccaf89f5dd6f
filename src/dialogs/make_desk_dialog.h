#pragma once
// The desk dialog frmMAKEDESK: makes a new desk in an unused slot, or changes the name, wallpaper and style
// of a desk. The mode follows from the slot's name when the dialog opens.

#include <string>
#include <vector>

#include "dialogs/folder_browser.h"
#include "dialogs/make_desk_view.h"
#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

enum class MakeDeskMode { NewDesk, DeskSettings };

inline constexpr const char* kNoWallpaperEntry = "(なし)";

// The entry of the style list that a desk's Style selects: its whole text as a number rounded to a whole one,
// 0..2; -1 (no entry) for anything else.
int StyleEntryFor(const std::string& style);

class MakeDeskDialog {
  public:
    // lblBEFOREWALL is the bar's: the wallpaper this dialog stored last, where browsing starts for a desk
    // without one.
    MakeDeskDialog(Platform& platform, SharedState& state, std::string& lblBEFOREWALL, MakeDeskView& view);

    void OnOpen();
    void OnNameEdited(std::string text);
    void OnStyleChosen(int entry);  // -1: none
    void OnDriveChosen(int index);
    void OnFolderActivated(int entry);
    void OnFileChosen(int entry);  // -1: none
    void OnPreviewClicked();
    void OnOK();
    void OnCancel();
    // Closed other than by its buttons: nothing is stored and dialogCancelled stays as it was.
    void OnClose();

    MakeDeskMode mode() const { return mode_; }
    const std::string& chosenWallpaper() const { return chosenWallpaper_; }
    const FolderBrowser& browser() const { return browser_; }

  private:
    void showFolder();
    std::string refusalOf(const std::string& wallpaper) const;

    Platform& platform_;
    SharedState& state_;
    std::string& lblBEFOREWALL_;
    MakeDeskView& view_;
    FolderBrowser browser_;
    int slot_ = 0;
    MakeDeskMode mode_ = MakeDeskMode::NewDesk;
    std::string savedName_;
    std::string savedWallpaper_;
    std::string chosenWallpaper_;
    std::string name_;
    int style_ = -1;
    std::vector<std::string> files_;  // the file list: "(なし)", then the bitmaps
    int selectedFile_ = -1;
};

}  // namespace koruvan
