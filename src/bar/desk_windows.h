#pragma once
// Each desk's windows: captured when the desk is left and taken off the screen (minimised, or hidden with the
// option), shown again when it is entered; a window moved to another desk or pinned to every desk; and the
// record of the hidden ones, so that however the program ends they come back. Windows of this program, of
// the shell and of elevated programs are left alone, and every window while the system's own desktops keep
// them apart.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "bar/bar_popups.h"
#include "core/step_log.h"
#include "platform/platform.h"
#include "store/hidden_windows.h"
#include "store/shared_state.h"
#include "store/window_restore.h"

namespace koruvan {

class DeskWindowKeeper {
  public:
    // A program that has not shown its window by then is taken for hung: the others are not held up longer.
    static constexpr double kShowPatienceSeconds = 1.0;

    DeskWindowKeeper(Platform& platform, SharedState& state);

    // The windows on the screen become the current desk's.
    void capture();
    // A switch leaves `desk`: its windows, captured, leave the screen, all but the pinned ones. With the hide
    // option the record's write is logged as the step "hidden".
    void leaveDesk(int desk, StepLog& log);
    // The windows of the desk's last capture are asked back without being activated, without waiting on
    // their programs; logged as the step "restore". Once settled they stand in the order they had and the
    // one that had the focus gets it back.
    void enterDesk(int desk, StepLog& log);
    // True while the entered desk's windows wait for their programs to show them.
    bool settling() const { return settling_.has_value(); }
    // Once every program has shown its window, or `kShowPatienceSeconds` after the switch, the windows are
    // stacked and focused (logged as "shown" and "order") and this answers true; until then false.
    bool settleWindows(StepLog& log);

    // A window moved to another desk leaves the screen at once and comes back when its desk is entered;
    // moving it to the desk on screen, or to a desk whose list is full, does nothing. False only when the
    // desk's list is full and so refused it.
    bool moveWindow(WindowHandle window, int desk);
    // The window the open tray menu's window commands act on; 0 for none.
    WindowHandle trayWindow() const { return trayWindow_; }
    // A pinned window stays on the screen through every switch.
    void togglePin(WindowHandle window);
    bool isPinned(WindowHandle window);
    // The move and pin keys act on the active window; the move keys count along `order`.
    void onHotkey(int hotkey, const std::vector<int>& order);

    // While the system's desktops keep the windows apart (the program follows them), no window is hidden,
    // minimised, moved or pinned: turned on, every window the hide option hid is shown again, minimised.
    void leaveWindowsToSystem(bool on);
    bool windowsLeftToSystem() const { return leftToSystem_; }
    // Off: every window the option hid is shown again, minimised. What became of the setting's write.
    [[nodiscard]] FileResult setHideOtherDeskWindows(bool on);
    // Every window the program hid is shown again, minimised, and the record removed (any end of the program,
    // and the start after a run that was killed). A record that cannot be read now stays for another try.
    void showHiddenAgain();
    // Tries again a record that could not be read: at each watch check, before a window is hidden, at the
    // end.
    void retryEarlierRecord();
    // A deleted desk is never entered again: the windows hidden on it come back, minimised.
    void releaseDesk(int desk);

    // The application window active last, for the tray menu's window commands: the click on the notification
    // area makes the shell's window the active one.
    void noteActiveWindow();
    // The tray menu's window group for the window active before it opened; that window is the one its
    // commands then act on.
    TrayWindowItems trayItems(const std::vector<int>& order, const HeldHotkeys& held);
    // A command of the window group; false when the choice is none of the group's.
    bool onTrayCommand(const TrayChoice& choice, StoreReport& report);

  private:
    std::optional<WindowEntry> movableWindow(WindowHandle window);
    WindowHandle focusedAmong(const DeskWindows& entries) const;
    void takeOffScreen(int desk, const std::vector<WindowHandle>& windows, bool replacesDesk, StepLog* log);
    bool recordHidden(int desk, const std::vector<WindowHandle>& windows, bool replacesDesk);
    void dropPinned(DeskWindows& entries);
    void forgetGonePins();

    Platform& platform_;
    SharedState& state_;
    // The entered desk's windows waiting to be stacked and focused, and until when they are waited for.
    struct Settling {
        RestorePlan plan;
        double until = 0;
    };
    std::optional<Settling> settling_;
    // A handle is only the same window while the same process owns it.
    struct PinnedWindow {
        WindowHandle window = 0;
        std::uint32_t processId = 0;
    };
    HiddenWindows hidden_;        // what the record of hidden windows holds
    bool recordPending_ = false;  // a record of an earlier run is there but could not be read yet
    std::vector<PinnedWindow> pinned_;
    WindowHandle lastActiveWindow_ = 0;
    std::array<WindowHandle, kDeskCount>
        focused_{};                // each desk's window that had the focus when it was left
    WindowHandle trayWindow_ = 0;  // the window the open tray menu's window commands act on
    bool leftToSystem_ = false;
};

}  // namespace koruvan
