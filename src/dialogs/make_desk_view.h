#pragma once
// What the desk dialog's model needs from its window. The Win32 view implements it; tests use a recording
// fake.

#include <string>
#include <vector>

#include "dialogs/folder_browser.h"

namespace koruvan {

class MakeDeskView {
  public:
    virtual ~MakeDeskView() = default;

    // The window's caption and that of the frame around the name box.
    virtual void setCaptions(const std::string& window, const std::string& nameFrame) = 0;
    virtual void showName(const std::string& name) = 0;
    // `selected` -1 selects no entry, in this and the other lists.
    virtual void showStyles(const std::vector<std::string>& entries, int selected) = 0;
    virtual void showDrives(const std::vector<std::string>& roots, int selected) = 0;
    virtual void showFolders(const std::vector<FolderEntry>& entries, int current) = 0;
    virtual void showFiles(const std::vector<std::string>& entries, int selected) = 0;
    // Loads the picture into the preview; an empty path empties it. A picture that cannot be loaded leaves
    // the preview as it was.
    virtual void showPreview(const std::string& path) = 0;
    // The enlarged preview, modal; it closes with the dialog.
    virtual void showEnlarged(const std::string& path) = 0;
    // A message box with an exclamation icon and an OK button only.
    virtual void warn(const std::string& text, const std::string& title) = 0;
    virtual void close() = 0;
};

}  // namespace koruvan
