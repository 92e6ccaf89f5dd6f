#pragma once
// The hourglass for the life of a piece of long work; guards nest, and the last to end restores the pointer.

#include "platform/platform.h"

namespace koruvan {

class BusyPointer {
  public:
    explicit BusyPointer(Platform& platform) : platform_(platform) {
        if (depth_++ == 0) platform_.session.setBusyPointer(true);
    }
    ~BusyPointer() {
        if (--depth_ == 0) platform_.session.setBusyPointer(false);
    }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

  private:
    Platform& platform_;
    // One user-interface thread: a guard inside another (the redraw at the end of a switch) leaves the
    // hourglass to the outer one.
    static inline int depth_ = 0;
};

}  // namespace koruvan
