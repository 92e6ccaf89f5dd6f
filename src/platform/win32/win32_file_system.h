#pragma once
// The real file system, through the W calls.

#include "platform/file_system.h"

namespace koruvan::win32 {

// Why the last failed file call failed, from the thread's last error.
FileError lastFileError();

// A path as the W file calls take it: one past what their old limit of 260 characters allows is given in
// its extended form ("\\?\C:\..." or "\\?\UNC\server\share\..."), which every Windows since XP
// takes whatever its long-path policy.
std::wstring widePath(const std::string& path);

class Win32FileSystem final : public FileSystem {
  public:
    std::vector<std::string> listPlainFiles(const std::string& folder) override;
    std::vector<PlainFile> listPlainFileIdentities(const std::string& folder) override;
    std::optional<std::vector<PlainFile>> tryListPlainFileIdentities(const std::string& folder) override;
    FileResult linkFile(const std::string& existing, const std::string& newName) override;
    FileResult copyFile(const std::string& from, const std::string& to) override;
    FileResult moveFile(const std::string& from, const std::string& to) override;
    FileResult moveFileNoReplace(const std::string& from, const std::string& to) override;
    FileResult deleteFile(const std::string& path) override;
    FileResult deleteFileIfUnchanged(const std::string& path, const PlainFile& listed) override;
    bool isReadOnly(const std::string& path) override;
    FileResult setReadOnly(const std::string& path, bool readOnly) override;
    FileResult makeFolder(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    bool plainFileExists(const std::string& path) override;
    std::vector<std::string> listFolders(const std::string& folder) override;
    std::vector<std::string> listDrives() override;
    std::optional<std::string> readFileBytes(const std::string& path) override;
    std::optional<std::string> readFileBlock(const std::string& path, std::uint64_t offset,
                                             std::size_t length) override;
    std::optional<PlainFile> fileInfo(const std::string& path) override;
    FileResult replaceFileBytes(const std::string& path, std::string_view bytes) override;
    FileResult replaceFileBytesUnflushed(const std::string& path, std::string_view bytes) override;
    FileResult patchFileBytes(const std::string& path, std::uint64_t offset, std::string_view bytes) override;
    FileResult appendFileBytes(const std::string& path, std::string_view bytes) override;
    bool setCurrentDirectory(const std::string& path) override;
    std::optional<std::string> decodeLegacyText(std::string_view bytes) override;
};

}  // namespace koruvan::win32
