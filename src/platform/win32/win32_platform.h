#pragma once
// The real platform: each concern done with the W calls of Win32.

#include <string>

#include "platform/platform.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_session.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_window_system.h"

namespace koruvan::win32 {

// The name of the mutex that marks a running instance; one per logon session.
inline constexpr const char* kSingleInstanceName = "Local\\KORUVAN.SingleInstance";

// The four parts, made before the Platform that names them.
struct Win32PlatformParts {
    explicit Win32PlatformParts(std::string instanceName) : session_(std::move(instanceName)) {}
    Win32FileSystem files_;
    Win32WindowSystem windows_;
    Win32Shell shell_;
    Win32Session session_;
};

class Win32Platform final : private Win32PlatformParts, public Platform {
  public:
    // Tests pass their own instance name so that they never meet a running program.
    explicit Win32Platform(std::string instanceName = kSingleInstanceName)
        : Win32PlatformParts(std::move(instanceName)), Platform{files_, windows_, shell_, session_} {}
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;
};

}  // namespace koruvan::win32
