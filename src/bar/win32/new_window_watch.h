#pragma once
// Tells the bar, by a posted message with the window in lParam, of each top-level window another program
// makes or shows. Out of context: the system calls back through this thread's message loop, not inside the
// other programs, and nothing runs while no window is made.

#include <windows.h>

namespace koruvan::win32 {

class NewWindowWatch {
  public:
    NewWindowWatch(HWND bar, UINT message);
    ~NewWindowWatch();
    NewWindowWatch(const NewWindowWatch&) = delete;
    NewWindowWatch& operator=(const NewWindowWatch&) = delete;

  private:
    // Two hooks rather than one range: the range between them holds every window's destruction too.
    HWINEVENTHOOK created_ = nullptr;
    HWINEVENTHOOK shown_ = nullptr;
};

}  // namespace koruvan::win32
