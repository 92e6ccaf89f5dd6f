#pragma once
// The desk dialog's window: standard controls from the IDD_DESK template, filled and read as the
// MakeDeskDialog model says. The folder list draws its own lines (an indent and a folder icon per level) but
// keeps each folder's name as the item's text, for the keyboard's type-ahead and for screen readers.

#include <string>
#include <vector>

#include "dialogs/make_desk_dialog.h"
#include "platform/win32/dialog.h"
#include "platform/win32/picture.h"
#include "platform/win32/scoped_handle.h"

namespace koruvan::win32 {

class WallpaperPreviewWindow;

class MakeDeskWindow final : public ModalDialog, public MakeDeskView {
  public:
    MakeDeskWindow(Platform& platform, SharedState& state, int slot);
    DialogResult open(HWND owner);
    FileResult written() const { return model_.written(); }

    // MakeDeskView
    void setCaptions(const std::string& window, const std::string& nameFrame) override;
    void showName(const std::string& name) override;
    void showStyles(const std::vector<std::string>& entries, int selected) override;
    void showDrives(const std::vector<std::string>& roots, int selected) override;
    void showFolders(const std::vector<FolderEntry>& entries, int current) override;
    void showFiles(const std::vector<std::string>& entries, int selected) override;
    void showPreview(const std::string& path) override;
    void showEnlarged(const std::string& path) override;
    void warn(const std::string& text, const std::string& title) override;
    void close() override;

  protected:
    bool onInit() override;
    bool onCommand(int id, int code, HWND control) override;
    bool onDrawItem(const DRAWITEMSTRUCT& draw) override;
    bool onCloseBox() override;

  private:
    void addPreviewTip();
    void drawFolderEntry(const DRAWITEMSTRUCT& draw) const;
    void drawPreview(const DRAWITEMSTRUCT& draw);
    int folderIndent() const;

    MakeDeskDialog model_;
    std::vector<FolderEntry> folders_;
    Picture preview_;
    WallpaperPreviewWindow* enlarged_ = nullptr;
    Icon openFolderIcon_;
    Icon folderIcon_;
};

}  // namespace koruvan::win32
