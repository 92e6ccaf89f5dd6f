#pragma once
// The real shell and registry, through the W calls.

#include <memory>

#include "platform/shell.h"

namespace koruvan::win32 {

class DesktopView;

class Win32Shell final : public Shell {
  public:
    Win32Shell();
    ~Win32Shell() override;
    Win32Shell(const Win32Shell&) = delete;
    Win32Shell& operator=(const Win32Shell&) = delete;

    std::optional<std::string> readRegistryString(RegistryRoot root, const std::string& subKey,
                                                  const std::string& valueName) override;
    std::optional<std::string> readRegistryBinary(RegistryRoot root, const std::string& subKey,
                                                  const std::string& valueName) override;
    bool registryKeyExists(RegistryRoot root, const std::string& subKey) override;
    bool writeRegistryString(RegistryRoot root, const std::string& subKey, const std::string& valueName,
                             const std::string& value) override;
    bool writeRegistryBinary(RegistryRoot root, const std::string& subKey, const std::string& valueName,
                             const std::string& bytes) override;
    bool deleteRegistryValue(RegistryRoot root, const std::string& subKey,
                             const std::string& valueName) override;
    bool setDesktopWallpaper(const std::string& path) override;
    std::string windowsDirectory() override;
    std::string knownDesktopFolder() override;
    bool writeShortcut(const std::string& shortcutPath, const std::string& target) override;
    // win32_desktop_icons.cpp
    std::optional<DesktopIconView> readDesktopIcons() override;
    bool positionDesktopIcons(const std::vector<DesktopIcon>& icons) override;
    bool pressDesktopSwitchKeys(int steps) override;
    bool pressNewDesktopKeys() override;
    std::vector<std::string> windowDesktops() override;

  private:
    std::unique_ptr<DesktopView> desktopView_;
};

}  // namespace koruvan::win32
