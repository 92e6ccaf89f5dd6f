#pragma once
// The platform for native tests, every concern in one object: registry and window tree in memory, files in a
// real temporary folder. Windows paths map onto the folder: "C:\a\b" is <root>/C/a/b, each drive letter a
// volume of its own, and as on Windows a name finds an existing file or folder whatever its case ("Ａ.txt" is
// "ａ.txt"). Every call that changes something outside the program is recorded in `calls`, so tests can
// assert on the order of effects.

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fake/fake_icon_view.h"
#include "platform/platform.h"

namespace koruvan::testing {

// Thrown by a file operation of the fake when a test asked for a crash there: the test catches it where the
// process would have died and starts afresh on the files as they are.
struct SimulatedCrash {
    int operation = 0;
};

// File attributes the fake keeps beside the real files (Windows' FILE_ATTRIBUTE_* bits).
enum FileAttribute : unsigned { kReadOnly = 0x1, kHidden = 0x2, kSystem = 0x4 };

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
    bool cloaked = false;
    bool toolWindow = false;
    std::uint32_t processId = 500;
    std::string programFile = "C:\\Windows\\notepad.exe";
    bool elevated = false;   // its program refuses to be moved by this one
    bool showsLate = false;  // its program has not handled the shows asked of it yet: they change nothing
};

class FakePlatform : public FileSystem, public WindowSystem, public Shell, public Session, public Platform {
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
    void setAttributes(const std::string& windowsPath, unsigned attributes);
    unsigned attributes(const std::string& windowsPath) const;
    std::vector<std::string> filesIn(const std::string& windowsFolder) const;  // sorted plain file names
    void setRegistry(const std::string& subKey, const std::string& valueName, const std::string& value);
    // A REG_BINARY value: the string reads see none there, as on Windows.
    void setRegistryBinary(const std::string& subKey, const std::string& valueName, const std::string& bytes);
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
    WindowHandle foreground = 0;
    double clock = 1000.0;
    double timeOfDay = 12 * 3600.0;
    std::deque<double> randoms;
    std::set<std::string> failingCopies;  // Windows paths whose copy or move fails
    std::set<std::string> failingDeletes;
    std::set<std::string> offlineDrives;  // offered by listDrives, but nothing on them can be read
                                          // Files another program holds open without sharing: they cannot be
                                          // read, moved, replaced or deleted.
    std::set<std::string> heldFiles;
    bool failLinks = false;   // the file system makes no hard links (FAT)
    bool failWrites = false;  // replaceFileBytes fails
    // Folders whose listing fails (a network drive gone, no access): they are there, but cannot be read.
    std::set<std::string> unlistableFolders;
    // Runs before each whole-file write (replaceFileBytes) with its path: a test's other program at work.
    std::function<void(const std::string&)> beforeWrite;
    // Bytes that copies and writes may still add; past them a copy stops half-way and fails. Renames and
    // deletes need none.
    std::optional<std::uintmax_t> freeBytes;
    std::map<char, std::optional<std::uintmax_t>> driveFreeBytes;  // a drive's own room, by letter ('D')
    int blockReads = 0;  // readFileBlock calls, to see how much a comparison read
    // Copies, moves, deletes and whole-file writes done so far. When the count reaches crashAtOperation that
    // operation is done (or, with crashHalfWay, left half-done: a copy or write cut off, a move not begun)
    // and SimulatedCrash is thrown.
    int fileOperations = 0;
    std::optional<int> crashAtOperation;
    bool crashHalfWay = false;
    int busyDepth = 0;
    std::function<void()> onPumpPendingEvents;

    // --- the platform's interfaces ---
    std::optional<std::string> readRegistryString(RegistryRoot, const std::string& subKey,
                                                  const std::string& valueName) override;
    std::optional<std::string> readRegistryBinary(RegistryRoot, const std::string& subKey,
                                                  const std::string& valueName) override;
    bool registryKeyExists(RegistryRoot, const std::string& subKey) override;
    bool writeRegistryString(RegistryRoot, const std::string& subKey, const std::string& valueName,
                             const std::string& value) override;
    bool writeRegistryBinary(RegistryRoot, const std::string& subKey, const std::string& valueName,
                             const std::string& bytes) override;
    bool deleteRegistryValue(RegistryRoot, const std::string& subKey, const std::string& valueName) override;
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
    std::optional<std::vector<PlainFile>> tryListPlainFileIdentities(const std::string& folder) override;
    FileResult deleteFileIfUnchanged(const std::string& path, const PlainFile& listed) override;
    bool isReadOnly(const std::string& path) override { return (attributes(path) & kReadOnly) != 0; }
    FileResult setReadOnly(const std::string& path, bool readOnly) override;
    FileResult linkFile(const std::string& existing, const std::string& newName) override;
    FileResult replaceFileBytes(const std::string& path, std::string_view bytes) override;
    FileResult replaceFileBytesUnflushed(const std::string& path, std::string_view bytes) override {
        return replaceFileBytes(path, bytes);
    }
    FileResult patchFileBytes(const std::string& path, std::uint64_t offset, std::string_view bytes) override;
    FileResult appendFileBytes(const std::string& path, std::string_view bytes) override;
    bool setCurrentDirectory(const std::string& path) override;
    std::optional<std::string> decodeLegacyText(std::string_view bytes) override;
    bool setDesktopWallpaper(const std::string& path) override;
    std::string windowsDirectory() override { return windowsDir; }
    std::string knownDesktopFolder() override { return knownDesktop; }
    std::vector<TopLevelWindow> listTopLevelWindows() override;
    TopLevelWindow describeWindow(WindowHandle window) override;
    bool isWindowVisible(WindowHandle window) override;
    bool isWindowCloaked(WindowHandle window) override;
    // The screen of a 1024 x 768 monitor unless a test sets more.
    ScreenRect screen{0, 0, 1024, 768};
    ScreenRect virtualScreen() override { return screen; }
    bool minimizeWindow(WindowHandle window) override;
    bool showWindow(WindowHandle window, ShowCommand command) override;
    bool showsHandled(WindowHandle window) override;
    bool hideWindow(WindowHandle window) override;
    void stackWindows(const std::vector<WindowHandle>& frontToBack) override;
    // Recorded as "activate <handle>"; the window becomes the foreground one.
    bool activateWindow(WindowHandle window) override;
    std::uint32_t windowProcessId(WindowHandle window) override;
    WindowHandle foregroundWindow() override { return foreground; }
    bool windowRefusesControl(WindowHandle window) override;
    InstanceClaim instanceClaim = InstanceClaim::Claimed;
    InstanceClaim claimSingleInstance() override { return instanceClaim; }
    std::string programDirectory() override { return programDir; }
    std::string programFile() override { return programDir + "KORUVAN.exe"; }
    void pumpPendingEvents() override;
    void setBusyPointer(bool busy) override;
    double monotonicSeconds() override { return clock; }
    double secondsOfDay() override { return timeOfDay; }
    // The queued numbers in turn, then 0.
    double randomFraction() override;
    std::optional<std::uint32_t> sessionNumber = 1;
    std::optional<std::uint32_t> sessionId() override { return sessionNumber; }
    std::string logon = "1 1000";
    std::string logonIdentity() override { return logon; }
    // Recorded in `calls` as "desktop keys +2" (Win+Ctrl+Right twice) or "desktop keys -1".
    bool pressDesktopSwitchKeys(int steps) override;
    // Recorded in `calls` as "new desktop keys".
    bool pressNewDesktopKeys() override;
    // The view of the Desktop known folder (knownDesktop); recorded as "icons read" and as "icons placed"
    // with each item's name@x,y (fake_icon_view.cpp).
    FakeIconView iconView;
    std::optional<DesktopIconView> readDesktopIcons() override;
    bool positionDesktopIcons(const std::vector<DesktopIcon>& icons) override;
    std::vector<std::string> desktopsOfWindows;  // what windowDesktops gives
    std::vector<std::string> windowDesktops() override { return desktopsOfWindows; }

    // Running applications and shortcuts: the windows are what a test puts here; a shortcut is written as a
    // small text file "shortcut to TARGET".
    std::vector<RunningWindow> runningWindows;
    bool failShortcuts = false;
    std::vector<RunningWindow> listRunningWindows() override { return runningWindows; }
    std::string windowProgramFile(WindowHandle window) override;
    bool writeShortcut(const std::string& shortcutPath, const std::string& target) override;

    static constexpr WindowHandle kDesktop = 0x10010;

  private:
    std::filesystem::path root_;
    struct RegistryValue {
        std::string data;
        bool binary = false;
    };
    std::map<std::string, std::map<std::string, RegistryValue>> registry_;  // lower-case key and value names
    std::map<WindowHandle, FakeWindow> windows_;
    std::map<WindowHandle, std::vector<WindowHandle>> children_;  // front to back
    std::map<std::uint64_t, unsigned> attributes_;                // by inode: shared by a file's names
    // Host folder -> upper-case name -> the name as spelled on disk.
    mutable std::map<std::string, std::map<std::string, std::string>> names_;
    mutable std::map<std::string, std::filesystem::path> folders_;  // Windows folder path -> host folder
    void forgetNames();
    std::filesystem::path entryFor(const std::filesystem::path& folder, const std::string& name) const;
    void noteEntry(const std::filesystem::path& path, bool present);
    WindowHandle nextHandle_ = 0x20000;
    // The window tree's order, as GetWindow walks it.
    WindowHandle firstChildWindow(WindowHandle window);
    WindowHandle nextWindow(WindowHandle window);
    const FakeWindow* find(WindowHandle handle) const;
    // Records "<verb> <handle in hex><rest>" and gives the window, nullptr when the handle names none.
    FakeWindow* recordWindowCall(const std::string& verb, WindowHandle window, const std::string& rest = "");
    // Counts a file operation; true when the test's crash falls on it.
    bool crashesHere();
    void crash();
    // Writes `bytes` to a host file within the free space; false (with what fitted written) when full.
    bool writeWithinFreeSpace(const std::filesystem::path& path, std::string_view bytes);
    std::optional<std::uintmax_t>& freeSpaceOf(const std::filesystem::path& path);
    bool renameHost(const std::filesystem::path& from, const std::filesystem::path& to);
    unsigned hostAttributes(const std::filesystem::path& path) const;
    static std::optional<std::uint64_t> inode(const std::filesystem::path& path);
    void forgetAttributesOfLastName(const std::filesystem::path& path);
    bool held(const std::string& windowsPath) const;
    static char driveOf(const std::string& windowsPath);
};

}  // namespace koruvan::testing
