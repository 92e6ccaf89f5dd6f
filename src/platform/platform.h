#pragma once
// The one interface between the portable core and the operating system. The core includes no platform header:
// platform/win32/ implements this with the W calls of Win32, and the native tests use a fake (tests/fake/).
//
// Text crosses this interface as UTF-8. Paths are Windows paths ("C:\dir\file"), folders end in "\".
// Window handles are opaque integers; windows of other programs are never owned or destroyed through them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace koruvan {

using WindowHandle = std::uint64_t;

enum class RegistryRoot { CurrentUser };

struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// One window of the desktop's own (a top-level window), as the capture of a desk's windows sees it.
struct TopLevelWindow {
    WindowHandle window = 0;
    WindowHandle owner = 0;
    bool visible = false;
    bool hasParent = false;  // GetParent gives a window: the owner of a pop-up, say
    bool iconic = false;
    bool zoomed = false;
    // Read only of visible windows: the others are never described.
    std::string title;
    std::string className;
    ScreenRect rect;
};

// One top-level window as the organiser's application list sees it.
struct RunningWindow {
    std::string className;
    std::string title;
    std::string programFile;  // full path of the program file of the window's process; empty when unknown
    bool visible = false;
    int parent = 0;  // 0: a window of its own; 1: owned by another window
};

// A plain file as a listing sees it, with what tells whether two names are one file (hard links).
struct PlainFile {
    std::string name;
    std::uint64_t volume = 0;
    std::uint64_t fileId = 0;  // 0 when the file system gives none
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;
};

// Why a file operation failed.
enum class FileError {
    None,
    Gone,        // the file, or a folder of its path, is not there
    Exists,      // the target's name is taken
    Denied,      // no right to it: a read-only or protected file or folder
    Full,        // no room left on the drive
    InUse,       // another program holds the file open
    OtherDrive,  // a rename cannot take a file to another drive: it must be copied there
    Other,
};

// What a file operation did: done, or why not. It tests true when done.
struct FileResult {
    FileError error = FileError::None;
    FileResult() = default;
    FileResult(FileError why)
        : error(why) {}  // NOLINT(google-explicit-constructor): `return FileError::Full;`
    explicit operator bool() const { return error == FileError::None; }
    friend bool operator==(const FileResult&, const FileResult&) = default;
};

// Show codes of ShowWindow that the program uses; Minimized does not activate the window.
enum class ShowCommand : int { Normal = 1, Maximized = 3, Minimized = 7 };

class Platform {
  public:
    virtual ~Platform() = default;

    // --- Registry (values are REG_SZ unless said; keys are opened and closed around each call) ---
    // The value's text up to its first NUL; nullopt when the key or the value cannot be read.
    virtual std::optional<std::string> readRegistryString(RegistryRoot root, const std::string& subKey,
                                                          const std::string& valueName) = 0;
    // The bytes of a REG_BINARY value, whole; nullopt when the key or the value cannot be read, or the value
    // is of another type.
    virtual std::optional<std::string> readRegistryBinary(RegistryRoot root, const std::string& subKey,
                                                          const std::string& valueName) = 0;
    // Opens the key without creating it.
    virtual bool registryKeyExists(RegistryRoot root, const std::string& subKey) = 0;
    // Creates or opens the key, writes the value as a string with its terminating NUL.
    virtual bool writeRegistryString(RegistryRoot root, const std::string& subKey,
                                     const std::string& valueName, const std::string& value) = 0;
    // True when the value is gone afterwards (a missing key or value counts as removed).
    virtual bool deleteRegistryValue(RegistryRoot root, const std::string& subKey,
                                     const std::string& valueName) = 0;

    // --- File system ---
    // Names (not paths) of the plain files of a folder: no folders, no hidden or system files. A folder that
    // does not exist lists nothing.
    virtual std::vector<std::string> listPlainFiles(const std::string& folder) = 0;
    // The same listing with each file's identity. A file system without file identities gives them as 0.
    virtual std::vector<PlainFile> listPlainFileIdentities(const std::string& folder) = 0;
    // Each file operation gives FileResult: done, or why not.
    //
    // Gives a file a second name on its volume (a hard link), never replacing a file of that name. Fails when
    // the name is taken or the file system refuses: another volume, no links there, or a read-only file (its
    // other names would lose the attribute whenever one of them is deleted).
    virtual FileResult linkFile(const std::string& existing, const std::string& newName) = 0;
    // Copies, replacing a file of the target's name (Windows refuses to replace a hidden or read-only one).
    // A target that is the source itself under another name (a hard link) is left as it is: opening it to
    // write would empty the source. Fails when the copy is not complete (a part of it may be left at the
    // target).
    virtual FileResult copyFile(const std::string& from, const std::string& to) = 0;
    // Renames a file, replacing a file of the target's name; whole or not at all. OtherDrive when the target
    // lies on another drive: the caller copies it there, so that no half-written file ever has an item's
    // name.
    virtual FileResult moveFile(const std::string& from, const std::string& to) = 0;
    // Renames as moveFile does, but never onto an existing file or folder: names compare as the file system
    // compares them (without case), and hidden and system files count. Exists when the target's name is
    // taken.
    virtual FileResult moveFileNoReplace(const std::string& from, const std::string& to) = 0;
    // Deletes a file, read-only or not. A read-only file's other names (hard links) stay read-only.
    virtual FileResult deleteFile(const std::string& path) = 0;
    virtual FileResult makeFolder(const std::string& path) = 0;
    virtual bool folderExists(const std::string& path) = 0;
    // Any file of that name, hidden and system files included (names compare without case).
    virtual bool plainFileExists(const std::string& path) = 0;
    // Names of a folder's subfolders, hidden ones included (a chooser must reach every folder); nothing when
    // the folder cannot be listed.
    virtual std::vector<std::string> listFolders(const std::string& folder) = 0;
    // The roots of the drives the system offers ("C:\"), in letter order.
    virtual std::vector<std::string> listDrives() = 0;
    // The whole content of a file; nullopt when it cannot be read.
    virtual std::optional<std::string> readFileBytes(const std::string& path) = 0;
    // Up to `length` bytes of a file from `offset` (fewer at its end); nullopt when it cannot be read.
    virtual std::optional<std::string> readFileBlock(const std::string& path, std::uint64_t offset,
                                                     std::size_t length) = 0;
    // The identity, size and time of one file, as a listing gives them; nullopt when it cannot be opened.
    virtual std::optional<PlainFile> fileInfo(const std::string& path) = 0;
    // Writes beside the file and renames over it, so a crash never leaves a half-written file.
    virtual FileResult replaceFileBytes(const std::string& path, std::string_view bytes) = 0;
    // As replaceFileBytes, whole or not at all, without waiting for the disk: for a record that matters only
    // while the system runs (a power cut ends what it records too).
    virtual FileResult replaceFileBytesUnflushed(const std::string& path, std::string_view bytes) = 0;
    // Overwrites part of an existing file in place and flushes it; for a few bytes within one disk sector,
    // which the disk writes whole.
    virtual FileResult patchFileBytes(const std::string& path, std::uint64_t offset,
                                      std::string_view bytes) = 0;
    // Adds to the end of a file, making it when missing; not flushed (for logs).
    virtual FileResult appendFileBytes(const std::string& path, std::string_view bytes) = 0;
    virtual bool setCurrentDirectory(const std::string& path) = 0;

    // --- Text ---
    // Decodes text of the Japanese legacy code page (932) to UTF-8; nullopt when it is not valid there.
    virtual std::optional<std::string> decodeLegacyText(std::string_view bytes) = 0;

    // --- Desktop ---
    // SPI_SETDESKWALLPAPER with SPIF_SENDWININICHANGE (not SPIF_UPDATEINIFILE); an empty path removes it.
    virtual bool setDesktopWallpaper(const std::string& path) = 0;
    // GetWindowsDirectory as the system gives it.
    virtual std::string windowsDirectory() = 0;
    // The Desktop known folder, for when the registry names none; empty when there is none.
    virtual std::string knownDesktopFolder() = 0;

    // --- Windows of other programs ---
    virtual WindowHandle desktopWindow() = 0;
    virtual WindowHandle firstChildWindow(WindowHandle window) = 0;  // GW_CHILD
    virtual WindowHandle nextWindow(WindowHandle window) = 0;        // GW_HWNDNEXT
    virtual WindowHandle ownerWindow(WindowHandle window) = 0;       // GW_OWNER
    virtual WindowHandle parentWindow(WindowHandle window) = 0;      // GetParent
    virtual bool isWindowVisible(WindowHandle window) = 0;
    // Never waits on the window's program: a program that has stopped answering cannot block the caller.
    virtual std::string windowTitle(WindowHandle window) = 0;
    virtual std::string windowClassName(WindowHandle window) = 0;
    virtual ScreenRect windowRect(WindowHandle window) = 0;
    virtual bool isWindowZoomed(WindowHandle window) = 0;
    virtual bool isWindowIconic(WindowHandle window) = 0;  // minimised
    // The desktop's windows, front to back, each asked once and cheapest first: a hidden window costs one
    // question. Windows inside other windows are not among them.
    virtual std::vector<TopLevelWindow> listTopLevelWindows() = 0;
    // Both ask the window's program and return without waiting for it: a hung program's window follows when
    // it answers again. False when the handle names no window.
    virtual bool minimizeWindow(WindowHandle window) = 0;
    virtual bool showWindow(WindowHandle window, ShowCommand command) = 0;
    // Off the screen and off the taskbar (SW_HIDE), without waiting, as above.
    virtual bool hideWindow(WindowHandle window) = 0;
    // The process that made the window; 0 when the handle names no window.
    virtual std::uint32_t windowProcessId(WindowHandle window) = 0;
    // The window the user works in now (0 for none).
    virtual WindowHandle foregroundWindow() = 0;
    // True when the window's program runs with more rights than this one (elevated) and so refuses to be
    // shown or hidden by it.
    virtual bool windowRefusesControl(WindowHandle window) = 0;

    // --- Session ---
    // True when this process is the only running instance (a named mutex held for the life of the process).
    virtual bool claimSingleInstance() = 0;
    // The folder of the running program, as the system gives it.
    virtual std::string programDirectory() = 0;
    // The running program's own file, full path.
    virtual std::string programFile() = 0;
    // Lets the events waiting in the message queue run.
    virtual void pumpPendingEvents() = 0;
    // The hourglass over the whole screen, and back to the default pointer.
    virtual void setBusyPointer(bool busy) = 0;
    // Seconds on a clock that never jumps back (not the time of day).
    virtual double monotonicSeconds() = 0;
    // The local time of day in seconds since midnight, with their fraction.
    virtual double secondsOfDay() = 0;
    // A random number in [0, 1) from a generator seeded once, by the time, when the program starts.
    virtual double randomFraction() = 0;
    // The id of the logon session the program runs in; nullopt when the system does not tell.
    virtual std::optional<std::uint32_t> sessionId() = 0;

    // --- Keyboard ---
    // Presses the system's keys for the next virtual desktop (Win+Ctrl+Right) `steps` times, or for the
    // previous one (Win+Ctrl+Left) -steps times: the system offers no public call that switches. False when
    // the system did not take every key.
    virtual bool pressDesktopSwitchKeys(int steps) = 0;

    // --- Running applications and shortcuts ---
    // Every top-level window open now, in the system's order (front to back).
    virtual std::vector<RunningWindow> listRunningWindows() = 0;
    // Writes a shell link at `shortcutPath` that opens `target`, replacing a file of that name. False when it
    // was not written.
    virtual bool writeShortcut(const std::string& shortcutPath, const std::string& target) = 0;
};

}  // namespace koruvan
