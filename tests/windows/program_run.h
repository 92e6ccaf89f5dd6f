#pragma once
// Runs the real KORUVAN.exe for an end-to-end test: finds the built program, starts a copy, waits for its bar
// and ends it the way a user does.

#include <windows.h>

#include <algorithm>
#include <string>

namespace koruvan::win32::testing {

// The caption of the desk bar, the program's only window while no dialog is open.
inline constexpr const wchar_t* kBarCaption = L"コルヴァン";

// KORUVAN.exe as CMake built it. Under Wine the build path is a Unix path; Wine maps the Unix root to Z:\.
inline std::wstring builtProgramPath() {
    const std::string built = KORUVAN_EXE_PATH;
    std::wstring path(built.begin(), built.end());  // CMake build paths here are ASCII
    if (!path.empty() && path.front() == L'/') {
        using DosFileName = WCHAR*(CDECL*)(const char*);
        const auto proc = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name");
        const auto toDos = reinterpret_cast<DosFileName>(reinterpret_cast<void (*)()>(proc));
        if (WCHAR* dos = toDos ? toDos(built.c_str()) : nullptr) {
            path = dos;
            HeapFree(GetProcessHeap(), 0, dos);
        } else {
            path = L"Z:" + path;
        }
    }
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

// One process of KORUVAN.exe, started from the test's own current directory (the program must move to its
// own). A run the test did not end is closed on destruction, and ended by force when it does not close.
class ProgramRun {
  public:
    explicit ProgramRun(const std::wstring& exe) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        std::wstring commandLine = L"\"" + exe + L"\"";
        started_ = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &info_) != FALSE;
    }
    ~ProgramRun() {
        if (!started_) return;
        if (running()) {
            if (HWND bar = findBar()) PostMessageW(bar, WM_CLOSE, 0, 0);
            if (!waitForExit(5000)) TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool started() const { return started_; }
    bool running() const { return started_ && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    bool waitForExit(DWORD milliseconds) const {
        return started_ && WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
    }
    DWORD exitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

    // This process's bar once it is visible: the load sequence shows the bar as its last step, so by then the
    // desk store, the settings file, the Desktop's items and the wallpaper are in place. nullptr on timeout
    // or exit.
    HWND waitForBar(DWORD milliseconds = 30000) const {
        const ULONGLONG deadline = GetTickCount64() + milliseconds;
        while (running()) {
            HWND bar = findBar();
            if (bar && IsWindowVisible(bar)) return bar;
            if (GetTickCount64() > deadline) break;
            Sleep(50);
        }
        return nullptr;
    }

    // WM_CLOSE, as the bar's close box sends it.
    static void close(HWND bar) { PostMessageW(bar, WM_CLOSE, 0, 0); }

  private:
    HWND findBar() const {
        for (HWND window = FindWindowW(nullptr, kBarCaption); window;
             window = FindWindowExW(nullptr, window, nullptr, kBarCaption)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == info_.dwProcessId) return window;
        }
        return nullptr;
    }

    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

}  // namespace koruvan::win32::testing
