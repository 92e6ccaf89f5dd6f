#pragma once
// The bar's view and pop-ups for native tests: a window of a fixed frame on a 1024 x 768 screen, menus and
// questions answered from queues, and every call recorded.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bar/bar_notices.h"
#include "bar/bar_popups.h"
#include "bar/bar_view.h"

namespace koruvan::testing {

enum class DialogKind { Desk, Organiser, Settings, ButtonSize, About };

// A dialog the bar opened, and the desk it opened it on (-1 for a dialog of no desk).
struct OpenedDialog {
    DialogKind kind;
    int desk = -1;
    friend bool operator==(const OpenedDialog&, const OpenedDialog&) = default;
};

class FakeBarView : public BarView, public BarPopups, public BarNotices {
  public:
    // A caption bar of 18 and borders of 3 pixels, as a small tool window has.
    int frameWidth = 6;
    int frameHeight = 24;
    BarGeometry bar{0, 0, 206, 84, 200, 60};
    int screenW = 1024;
    int screenH = 768;
    std::string caption;
    DeskButtons buttons{};
    TipLook tip{};
    bool topmost = false;
    bool watching = false;
    std::optional<double> wake;  // seconds from the last wakeAfter
    bool watchingSystemDesktops = false;
    int systemDesktopWatchesMade = 0;
    bool systemDesktopsWatchable = true;        // what systemDesktopsWatched gives while watching
    std::optional<double> systemDesktopsCheck;  // seconds from the last checkAfter of it
    bool watchingNewWindows = false;
    // Seconds from the last checkAfter of each check.
    std::optional<double> newWindowsCheck;
    std::optional<double> iconCheck;
    std::optional<double> windowsCheck;
    std::vector<std::string> balloons;   // "title: text"
    std::vector<std::string> deskNames;  // shown after switches
    std::string sessionEndBlock;         // the reason last given; empty when not blocked
    bool shown = false;
    bool closed = false;
    std::deque<MenuCommand> menuAnswers;
    std::deque<bool> yesNoAnswers;
    std::vector<std::string> questions;
    std::vector<std::string> warnings;  // "title: text"
    bool warnedBeforeShown = false;
    std::vector<bool> deskMenuEnabled;  // the enabled state of "開く" and "ﾃﾞｽｸﾄｯﾌﾟの削除" at each desk menu
    std::vector<int> optionsMenuChecks;
    std::vector<OpenedDialog> dialogs;
    int trayNumber = 0;
    std::string trayTip;
    std::vector<std::vector<TrayDesk>> trayMenus;
    std::vector<TrayToggle> trayToggles;  // as the last tray menu showed them
    std::deque<TrayChoice> trayAnswers;
    std::vector<TrayWindowItems> trayWindowMenus;
    // Runs while a dialog is open and gives what became of it: Stored when not set.
    std::function<DialogResult(DialogKind)> onDialog;
    std::optional<int> buttonSizeAnswer;  // what the button-size dialog gives back
    std::vector<std::string>* log =
        nullptr;  // shared with the fake platform's calls, for the order of effects

    void record(const std::string& entry) {
        if (log) log->push_back(entry);
    }

    void setCaption(const std::string& text) override { caption = text; }
    BarGeometry geometry() override { return bar; }
    void setOuterSize(int width, int height) override {
        bar.outerWidth = width;
        bar.outerHeight = height;
        bar.clientWidth = width - frameWidth;
        bar.clientHeight = height - frameHeight;
    }
    void moveTo(int left, int top) override {
        bar.left = left;
        bar.top = top;
        record("move " + std::to_string(left) + "," + std::to_string(top));
    }
    int screenWidth() override { return screenW; }
    int screenHeight() override { return screenH; }
    int tipWidth(const std::string& text) override { return static_cast<int>(text.size()) * 6; }
    void showButtons(const DeskButtons& b) override {
        buttons = b;
        record("draw");
    }
    void showTip(const TipLook& t) override { tip = t; }
    void setTopmost(bool on) override {
        topmost = on;
        record(on ? "topmost" : "notopmost");
    }
    void setWatching(bool running) override {
        watching = running;
        record(running ? "watching on" : "watching off");
    }
    void wakeAfter(double seconds) override { wake = seconds; }
    void watchSystemDesktops(bool on) override {
        watchingSystemDesktops = on;
        if (on) ++systemDesktopWatchesMade;
        if (!on) systemDesktopsCheck.reset();
    }
    bool systemDesktopsWatched() override { return watchingSystemDesktops && systemDesktopsWatchable; }
    void watchNewWindows(bool on) override {
        watchingNewWindows = on;
        if (!on) newWindowsCheck.reset();
    }
    void checkAfter(LaterCheck check, double seconds) override {
        switch (check) {
            case LaterCheck::SystemDesktops:
                systemDesktopsCheck = seconds;
                break;
            case LaterCheck::NewWindows:
                newWindowsCheck = seconds;
                break;
            case LaterCheck::Icons:
                iconCheck = seconds;
                break;
            case LaterCheck::Windows:
                windowsCheck = seconds;
                break;
        }
    }
    void show() override { shown = true; }
    MenuCommand popupDeskMenu(bool enabled) override {
        deskMenuEnabled.push_back(enabled);
        return next(menuAnswers, MenuCommand::None);
    }
    MenuCommand popupOptionsMenu(int checked) override {
        optionsMenuChecks.push_back(checked);
        return next(menuAnswers, MenuCommand::None);
    }
    void showTray(int number, const std::string& text) override {
        trayNumber = number;
        trayTip = text;
    }
    void showDeskName(const std::string& name) override {
        deskNames.push_back(name);
        record("desk name " + name);
    }
    void showTrayBalloon(const std::string& title, const std::string& text) override {
        balloons.push_back(title + ": " + text);
    }
    void blockSessionEnd(const std::string& reason) override {
        sessionEndBlock = reason;
        record("block session end: " + reason);
    }
    TrayChoice popupTrayMenu(const TrayMenu& menu) override {
        trayMenus.push_back(menu.desks);
        trayWindowMenus.push_back(menu.windowItems);
        trayToggles = menu.toggles;
        optionsMenuChecks.push_back(menu.checkedSizeItem);
        return next(trayAnswers, TrayChoice{});
    }
    void warn(const std::string& text, const std::string& title) override {
        warnings.push_back(title + ": " + text);
        warnedBeforeShown |= !shown;
        record("warn");
    }
    bool askYesNo(const std::string& text, const std::string& title) override {
        questions.push_back(title + ": " + text);
        return next(yesNoAnswers, false);
    }
    // A dialog "closes" at once, with the result the test's callback gives.
    DialogResult openDeskDialog(int slot, StoreReport&) override { return open(DialogKind::Desk, slot); }
    DialogResult openSettingsDialog(StoreReport&) override { return open(DialogKind::Settings); }
    void openOrganiser(int desk) override { open(DialogKind::Organiser, desk); }
    std::optional<int> openButtonSizeDialog() override {
        open(DialogKind::ButtonSize);
        return buttonSizeAnswer;
    }
    void openAbout() override { open(DialogKind::About); }
    void close() override { closed = true; }

  private:
    DialogResult open(DialogKind kind, int desk = -1) {
        dialogs.push_back({kind, desk});
        record("dialog");
        return onDialog ? onDialog(kind) : DialogResult::Stored;
    }
    template <typename T>
    static T next(std::deque<T>& queue, T fallback) {
        if (queue.empty()) return fallback;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

}  // namespace koruvan::testing
