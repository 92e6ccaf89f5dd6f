#pragma once
// A MakeDeskView for native tests: keeps what the dialog shows and records messages, previews and closing.

#include <string>
#include <vector>

#include "dialogs/make_desk_view.h"

namespace koruvan::testing {

class FakeMakeDeskView : public MakeDeskView {
  public:
    std::string caption;
    std::string nameFrame;
    std::string name;
    std::vector<std::string> styles;
    int selectedStyle = -2;
    std::vector<std::string> drives;
    int selectedDrive = -2;
    std::vector<FolderEntry> folders;
    int currentFolder = -2;
    std::vector<std::string> files;
    int selectedFile = -2;
    std::vector<std::string> previews;  // every path the preview was asked to load, "" for emptied
    std::vector<std::string> enlarged;
    std::vector<std::string> warnings;  // "title: text"
    bool closed = false;

    void setCaptions(const std::string& window, const std::string& frame) override {
        caption = window;
        nameFrame = frame;
    }
    void showName(const std::string& text) override { name = text; }
    void showStyles(const std::vector<std::string>& entries, int selected) override {
        styles = entries;
        selectedStyle = selected;
    }
    void showDrives(const std::vector<std::string>& roots, int selected) override {
        drives = roots;
        selectedDrive = selected;
    }
    void showFolders(const std::vector<FolderEntry>& entries, int current) override {
        folders = entries;
        currentFolder = current;
    }
    void showFiles(const std::vector<std::string>& entries, int selected) override {
        files = entries;
        selectedFile = selected;
    }
    void showPreview(const std::string& path) override { previews.push_back(path); }
    void showEnlarged(const std::string& path) override { enlarged.push_back(path); }
    void warn(const std::string& text, const std::string& title) override {
        warnings.push_back(title + ": " + text);
    }
    void close() override { closed = true; }
};

}  // namespace koruvan::testing
