#pragma once
// A fresh folder under the temporary directory for one test, removed with everything in it afterwards. Its
// name holds Japanese characters so every path a test builds from it crosses the UTF-16 boundary.

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/win32/wide_text.h"

namespace koruvan::win32::testing {

class ScratchFolder {
  public:
    // Under the temporary directory, or under the given folder (ending in "\").
    explicit ScratchFolder(const std::string& base = {}) {
        static int counter = 0;
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        path_ = (base.empty() ? std::wstring(temp) : widen(base)) + L"コルヴァン試験-" +
                std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++) + L"\\";
        removeTree(path_);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~ScratchFolder() { removeTree(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // UTF-8, ending in "\".
    std::string path() const { return narrow(path_); }
    std::string operator/(std::string_view name) const { return path() + std::string(name); }

    // Clears read-only, hidden and system attributes first, which would stop the deletion.
    static void removeTree(const std::wstring& folder) {
        WIN32_FIND_DATAW entry{};
        const HANDLE find = FindFirstFileW((folder + L"*").c_str(), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = entry.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring full = folder + name;
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    removeTree(full + L"\\");
                } else {
                    DeleteFileW(full.c_str());
                }
            } while (FindNextFileW(find, &entry));
            FindClose(find);
        }
        RemoveDirectoryW(folder.c_str());
    }

  private:
    std::wstring path_;
};

// Writes a file directly through the system, independent of the code under test.
inline bool writeTestFile(const std::string& path, std::string_view bytes, DWORD attributes = 0) {
    const HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    if (ok && attributes != 0) return SetFileAttributesW(widen(path).c_str(), attributes) != FALSE;
    return ok;
}

// The file's bytes, or "<missing>" when it cannot be opened.
inline std::string testFileContent(const std::string& path) {
    const HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

inline bool testPathExists(const std::string& path) {
    return GetFileAttributesW(widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace koruvan::win32::testing
