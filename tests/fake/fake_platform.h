#pragma once
// A Platform for native tests: registry and window tree in memory, files in a real temporary folder.
// Windows paths map onto the folder: "C:\a\b" is <root>/C/a/b. Every call that changes something outside the
// program is recorded in `calls`, so tests can assert on the order of effects.

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace koruvan::testing {

struct FakeWindow {
    WindowHandle parent = 0;  // 0 for top-level windows (their tree parent is the desktop)
    WindowHandle owner = 0;
    bool visible = true;
    bool childStyle = false;  // WS_CHILD: GetParent gives the parent
    std::string title;
    std::string className;
    ScreenRect rect;
    bool zoomed = false;
    bool minimized = false;
};

class FakePlatform : public Platform {
  public:
    FakePlatform();
    ~FakePlatform() override;
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    // --- set-up helpers for tests ---
    std::filesystem::path hostPath(const std::string& windowsPath) const;
    void writeFile(const std::string& windowsPath, std::string_view content);
    std::string fileContent(const std::string& windowsPath) const;
    bool exists(const std::string& windowsPath) const;
    void makeHidden(const std::string& windowsPath);
    std::vector<std::string> filesIn(const std::string& windowsFolder) const;  // sorted plain file names
    void setRegistry(const std::string& subKey, const std::string& valueName, const std::string& value);
    std::optional<std::string> registryValue(const std::string& subKey, const std::string& valueName) const;
    void removeRegistryKey(const std::string& subKey);
    // Adds a window at the back of its parent's children (the desktop's for parent 0); returns its handle.
    WindowHandle addWindow(FakeWindow window);
    FakeWindow& window(WindowHandle handle);
    void clearCalls() { calls.clear(); }

    // --- state a test may set or read ---
    std::vector<std::string> calls;
    std::string programDir = "C:\\KORUVAN\\";
    std::string windowsDir = "C:\\WINDOWS";
    std::string knownDesktop = "C:\\Users\\user\\Desktop";
    std::string currentDirectory;
    std::string wallpaperInEffect;
    bool instanceAlreadyRunning = false;
    double clock = 1000.0;
    double timeOfDay = 12 * 3600.0;
    std::deque<double> randoms;
    std::set<std::string> failingCopies;  // Windows paths whose copy or move fails
    std::set<std::string> failingDeletes;
    std::set<std::string> offlineDrives;  // offered by listDrives, but nothing on them can be read
    bool failWrites = false;              // replaceFileBytes fails
    int busyDepth = 0;
    std::function<void()> onPumpPendingEvents;

    // --- Platform ---
    std::optional<std::string> readRegistryString(RegistryRoot, const std::string& subKey,
                                                  const std::string& valueName) override;
    bool registryKeyExists(RegistryRoot, const std::string& subKey) override;
    bool writeRegistryString(RegistryRoot, const std::string& subKey, const std::string& valueName,
                             const std::string& value) override;
    std::vector<std::string> listPlainFiles(const std::string& folder) override;
    bool copyFile(const std::string& from, const std::string& to) override;
    bool moveFile(const std::string& from, const std::string& to) override;
    bool deleteFile(const std::string& path) override;
    bool makeFolder(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    bool plainFileExists(const std::string& path) override;
    std::vector<std::string> listFolders(const std::string& folder) override;
    std::vector<std::string> listDrives() override;
    std::optional<std::string> readFileBytes(const std::string& path) override;
    bool replaceFileBytes(const std::string& path, std::string_view bytes) override;
    bool setCurrentDirectory(const std::string& path) override;
    std::optional<std::string> decodeLegacyText(std::string_view bytes) override;
    bool setDesktopWallpaper(const std::string& path) override;
    std::string windowsDirectory() override { return windowsDir; }
    std::string knownDesktopFolder() override { return knownDesktop; }
    WindowHandle desktopWindow() override { return kDesktop; }
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
    bool minimizeWindow(WindowHandle window) override;
    bool showWindow(WindowHandle window, ShowCommand command) override;
    bool claimSingleInstance() override { return !instanceAlreadyRunning; }
    std::string programDirectory() override { return programDir; }
    void pumpPendingEvents() override;
    void setBusyPointer(bool busy) override;
    double monotonicSeconds() override { return clock; }
    double secondsOfDay() override { return timeOfDay; }
    // The queued numbers in turn, then 0.
    double randomFraction() override;

    // Running applications and shortcuts: the windows are what a test puts here; a shortcut is written as a
    // small text file "shortcut to TARGET".
    std::vector<RunningWindow> runningWindows;
    bool failShortcuts = false;
    std::vector<RunningWindow> listRunningWindows() override { return runningWindows; }
    bool writeShortcut(const std::string& shortcutPath, const std::string& target) override;

    static constexpr WindowHandle kDesktop = 0x10010;

  private:
    std::filesystem::path root_;
    std::map<std::string, std::map<std::string, std::string>> registry_;  // lower-case key and value names
    std::map<WindowHandle, FakeWindow> windows_;
    std::map<WindowHandle, std::vector<WindowHandle>> children_;  // front to back
    std::set<std::string> hidden_;
    WindowHandle nextHandle_ = 0x20000;
    const FakeWindow* find(WindowHandle handle) const;
};

}  // namespace koruvan::testing
