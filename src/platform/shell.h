#pragma once
// The shell and the registry of the current user: the desktop's wallpaper and folders, shortcuts, the
// Desktop's icon view, and the keys of the system's virtual desktops.

#include <optional>
#include <string>
#include <vector>

#include "platform/desktop_icons.h"

namespace koruvan {

enum class RegistryRoot { CurrentUser };

class Shell {
  public:
    virtual ~Shell() = default;

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
    // Creates or opens the key, writes the bytes as a REG_BINARY value.
    virtual bool writeRegistryBinary(RegistryRoot root, const std::string& subKey,
                                     const std::string& valueName, const std::string& bytes) = 0;
    // True when the value is gone afterwards (a missing key or value counts as removed).
    virtual bool deleteRegistryValue(RegistryRoot root, const std::string& subKey,
                                     const std::string& valueName) = 0;

    // --- Desktop ---
    // SPI_SETDESKWALLPAPER with SPIF_SENDWININICHANGE (not SPIF_UPDATEINIFILE); an empty path removes it.
    virtual bool setDesktopWallpaper(const std::string& path) = 0;
    // GetWindowsDirectory as the system gives it.
    virtual std::string windowsDirectory() = 0;
    // The Desktop known folder, for when the registry names none; empty when there is none.
    virtual std::string knownDesktopFolder() = 0;
    // Writes a shell link at `shortcutPath` that opens `target`, replacing a file of that name. False when it
    // was not written.
    virtual bool writeShortcut(const std::string& shortcutPath, const std::string& target) = 0;

    // --- The Desktop's icon view (Explorer's), through its documented interfaces ---
    // What the view shows now, its items and their places unless it arranges them itself; nothing when there
    // is no view to ask (no shell running, or one still starting).
    virtual std::optional<DesktopIconView> readDesktopIcons() = 0;
    // Puts the named items at their places, in one call; a name the view does not list is left out. False
    // when there is no view, or it refused.
    virtual bool positionDesktopIcons(const std::vector<DesktopIcon>& icons) = 0;

    // --- Keyboard ---
    // Presses the system's keys for the next virtual desktop (Win+Ctrl+Right) `steps` times, or for the
    // previous one (Win+Ctrl+Left) -steps times: the system offers no public call that switches. False when
    // the system did not take every key.
    virtual bool pressDesktopSwitchKeys(int steps) = 0;
    // Presses the system's keys that make a virtual desktop and go to it (Win+Ctrl+D). False when the system
    // did not take them.
    virtual bool pressNewDesktopKeys() = 0;

    // --- Virtual desktops ---
    // The system's virtual desktops that show this program's own window and the foreground window, in that
    // order, each as the 16 bytes of its id in the layout of the shell's registry record, through the
    // documented IVirtualDesktopManager. A window shown on every desktop may give an id that names none.
    // Empty where the system has no such desktops.
    virtual std::vector<std::string> windowDesktops() = 0;
};

}  // namespace koruvan
