#pragma once
// The bar's pop-up menus (the desk menu, the options menu and the tray menu), the dialogs they open and the
// messages the bar shows. From a menu's opening to the end of its command, and while a dialog or a message is
// up, the bar is modal: the watch pauses, and no switch starts from a key or the tray.

#include <string>

#include "bar/bar_actions.h"
#include "bar/bar_face.h"
#include "bar/bar_popups.h"
#include "bar/desk_following.h"
#include "bar/desk_icons.h"
#include "bar/desk_programs.h"
#include "bar/desk_windows.h"
#include "platform/platform.h"
#include "store/shared_state.h"

namespace koruvan {

class BarMenus {
  public:
    BarMenus(Platform& platform, SharedState& state, BarPopups& popups, BarFace& face,
             DeskWindowKeeper& windows, DeskIconKeeper& icons, DeskFollowing& following,
             DeskPrograms& programs, BarActions& bar);

    // A menu, a dialog or a message is up.
    bool open() const { return open_; }

    void onDeskRightPressed(int desk);
    void onBackgroundRightPressed();
    void onTrayClicked(const std::vector<int>& order, const HeldHotkeys& held);

    // A message with a warning icon, modal.
    void warn(const std::string& text, const char* title);
    // Tells the user, once a run, that a setting could not be written; the rest of a report each time.
    void tellUser(StoreReport report);

  private:
    // Modal from its making to its end: the watch paused, then resumed.
    class Scope {
      public:
        explicit Scope(BarMenus& menus);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        BarMenus& menus_;
        bool wasOpen_;
    };

    void onDeskCommand(int desk, MenuCommand command);
    // False when the command ends the program.
    bool onOptionsCommand(MenuCommand command);
    void deleteDesk(int desk);
    void storeButtonSizeSetting(int setting);
    void redrawIfStored(DialogResult result, const StoreReport& report, bool relayout);

    Platform& platform_;
    SharedState& state_;
    BarPopups& popups_;
    BarFace& face_;
    DeskWindowKeeper& windows_;
    DeskIconKeeper& icons_;
    DeskFollowing& following_;
    DeskPrograms& programs_;
    BarActions& bar_;
    bool open_ = false;
    bool toldOfSettings_ = false;
    bool toldOfLastUse_ = false;
};

}  // namespace koruvan
