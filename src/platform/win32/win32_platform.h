#pragma once
// The real platform: every operation of koruvan::Platform done with the W calls of Win32.

#include <cstdint>
#include <random>
#include <string>

#include "platform/platform.h"
#include "platform/win32/scoped_handle.h"

namespace koruvan::win32 {

// The name of the mutex that marks a running instance; one per logon session.
inline constexpr const char* kSingleInstanceName = "Local\\KORUVAN.SingleInstance";

// Why the last failed file call failed, from the thread's last error.
FileError lastFileError();

// True while the program has asked for the hourglass; the program's windows answer WM_SETCURSOR with it.
bool busyPointerActive();

// Window handles cross the platform interface as integers.
inline HWND toHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}
inline WindowHandle toWindowHandle(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(window));
}

class Win32Platform final : public Platform {
  public:
    // Tests pass their own instance name so that they never meet a running program.
    explicit Win32Platform(std::string instanceName = kSingleInstanceName);

    std::optional<std::string> readRegistryString(RegistryRoot root, const std::string& subKey,
                                                  const std::string& valueName) override;
    std::optional<std::string> readRegistryBinary(RegistryRoot root, const std::string& subKey,
                                                  const std::string& valueName) override;
    bool registryKeyExists(RegistryRoot root, const std::string& subKey) override;
    bool writeRegistryString(RegistryRoot root, const std::string& subKey, const std::string& valueName,
                             const std::string& value) override;
    bool deleteRegistryValue(RegistryRoot root, const std::string& subKey,
                             const std::string& valueName) override;

    std::vector<std::string> listPlainFiles(const std::string& folder) override;
    FileResult copyFile(const std::string& from, const std::string& to) override;
    FileResult moveFile(const std::string& from, const std::string& to) override;
    FileResult moveFileNoReplace(const std::string& from, const std::string& to) override;
    FileResult deleteFile(const std::string& path) override;
    FileResult makeFolder(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    bool plainFileExists(const std::string& path) override;
    std::vector<std::string> listFolders(const std::string& folder) override;
    std::vector<std::string> listDrives() override;
    std::optional<std::string> readFileBytes(const std::string& path) override;
    std::optional<std::string> readFileBlock(const std::string& path, std::uint64_t offset,
                                             std::size_t length) override;
    std::optional<PlainFile> fileInfo(const std::string& path) override;
    std::vector<PlainFile> listPlainFileIdentities(const std::string& folder) override;
    FileResult linkFile(const std::string& existing, const std::string& newName) override;
    FileResult replaceFileBytes(const std::string& path, std::string_view bytes) override;
    FileResult replaceFileBytesUnflushed(const std::string& path, std::string_view bytes) override;
    FileResult patchFileBytes(const std::string& path, std::uint64_t offset, std::string_view bytes) override;
    FileResult appendFileBytes(const std::string& path, std::string_view bytes) override;
    bool setCurrentDirectory(const std::string& path) override;

    std::optional<std::string> decodeLegacyText(std::string_view bytes) override;

    bool setDesktopWallpaper(const std::string& path) override;
    std::string windowsDirectory() override;
    std::string knownDesktopFolder() override;

    WindowHandle desktopWindow() override;
    WindowHandle firstChildWindow(WindowHandle window) override;
    WindowHandle nextWindow(WindowHandle window) override;
    WindowHandle ownerWindow(WindowHandle window) override;
    WindowHandle parentWindow(WindowHandle window) override;
    bool isWindowVisible(WindowHandle window) override;
    std::string windowTitle(WindowHandle window) override;
    std::string windowClassName(WindowHandle window) override;
    ScreenRect windowRect(WindowHandle window) override;
    bool isWindowZoomed(WindowHandle window) override;
    bool isWindowIconic(WindowHandle window) override;
    std::vector<TopLevelWindow> listTopLevelWindows() override;
    bool minimizeWindow(WindowHandle window) override;
    bool showWindow(WindowHandle window, ShowCommand command) override;
    // win32_desk_windows.cpp
    bool hideWindow(WindowHandle window) override;
    std::uint32_t windowProcessId(WindowHandle window) override;
    WindowHandle foregroundWindow() override;
    bool windowRefusesControl(WindowHandle window) override;

    bool claimSingleInstance() override;
    std::string programDirectory() override;
    std::string programFile() override;
    void pumpPendingEvents() override;
    void setBusyPointer(bool busy) override;
    double monotonicSeconds() override;
    double secondsOfDay() override;
    double randomFraction() override;
    std::optional<std::uint32_t> sessionId() override;

    bool pressDesktopSwitchKeys(int steps) override;

    // win32_applications.cpp
    std::vector<RunningWindow> listRunningWindows() override;
    bool writeShortcut(const std::string& shortcutPath, const std::string& target) override;

  private:
    std::string instanceName_;
    KernelObject instanceMutex_;  // held until the process ends
    double counterFrequency_ = 0;
    std::mt19937 random_;
};

}  // namespace koruvan::win32
