#pragma once
// The operating system as the portable core sees it: one interface per concern. The core includes no platform
// header: platform/win32/ implements each with the W calls of Win32, and the native tests use a fake
// (tests/fake/). A part that needs one concern takes that interface alone; one that needs several takes the
// Platform, which names the four.

#include "platform/file_system.h"
#include "platform/session.h"
#include "platform/shell.h"
#include "platform/window_system.h"

namespace koruvan {

struct Platform {
    FileSystem& files;
    WindowSystem& windows;
    Shell& shell;
    Session& session;
};

}  // namespace koruvan
