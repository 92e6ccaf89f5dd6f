#pragma once
// What the bar's parts ask of the bar as a whole: the steps that reach across parts (a switch, a desk given
// up, a new layout, the user told). The DeskBar does them.

#include "store/store_report.h"

namespace koruvan {

class BarActions {
  public:
    // A switch, a menu, a dialog or a message is running: what comes now waits for its end.
    virtual bool busy() const = 0;
    // A desk chosen on the bar, by a key, in the tray or by the desk menu's "開く".
    virtual void chooseDesk(int desk) = 0;
    // The Desktop's items become `desk`'s; the windows stay where the system keeps them.
    virtual void followSwitch(int desk, bool setWallpaper) = 0;
    // The desk goes as the desk menu deletes it: its items into the pool, its name, wallpaper and tie gone.
    // The number of items the pool took.
    virtual int giveUpDesk(int desk, StoreReport& report) = 0;
    // The desks or their order changed: the buttons and the bar's size follow.
    virtual void relayout() = 0;
    // Tells the user, once, what could not be done.
    virtual void tellUser(const StoreReport& report) = 0;
    // The program ends, deferred to the end of a running switch.
    virtual void onCloseRequested() = 0;

  protected:
    ~BarActions() = default;
};

}  // namespace koruvan
