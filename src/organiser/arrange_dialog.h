#pragma once
// The desk organiser: which items of the pool a desk carries, and a shortcut to a running application. Copy
// and Delete change only the lists; Set rewrites the desk's folder and, for the desk on screen, the Desktop.

#include <string>
#include <vector>

#include "organiser/application_list.h"
#include "organiser/arrange_view.h"
#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

// A file name split at its first ".": "My.File.lnk" is "My" and ".File.lnk".
struct ItemName {
    std::string base;
    std::string extension;
    std::string full() const { return base + extension; }
    friend bool operator==(const ItemName&, const ItemName&) = default;
};
ItemName splitItemName(const std::string& fileName);

class ArrangeDialog {
  public:
    ArrangeDialog(Platform& platform, SharedState& state, int desk, ArrangeView& view);

    void onLoad();
    // Every change of the window's size.
    void onResize();
    void onCopy();
    void onDelete();
    void onSet();
    // The cancel button and the close box: nothing is written.
    void onCancel();

    void onAddApplicationToggled(bool ticked);
    void onApplicationChosen(int index);  // -1: none
    void onShortcutNameEdited(std::string text);

    const std::vector<ItemName>& pool() const { return pool_; }
    const std::vector<ItemName>& desk() const { return desk_; }
    // The program file of each entry of the application list.
    const std::vector<std::string>& applicationFiles() const { return applicationFiles_; }
    int currentApplication() const { return currentApplication_; }
    // Where the desk list was read from: the Desktop for the desk on screen, else the desk's folder.
    const std::string& deskSource() const { return deskSource_; }

  private:
    Warning shortcutRefusal(std::string& name, std::string& target) const;
    bool writeShortcutAside(const std::string& aside, const std::string& target);

    Platform& platform_;
    SharedState& state_;
    ArrangeView& view_;
    int deskIndex_ = -1;
    bool listsDesktop_ = false;
    std::string deskSource_;
    std::vector<ItemName> pool_;
    std::vector<ItemName> desk_;
    int deskNameWidth_ = 0;
    bool snapping_ = false;

    bool addApplication_ = false;
    std::vector<std::string> applicationTitles_;  // Applications
    std::vector<std::string> applicationFiles_;
    int currentApplication_ = -1;
    std::string shortcutName_;
};

}  // namespace koruvan
