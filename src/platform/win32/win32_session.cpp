// The running program: its single instance, its own file and folder, the message queue, the pointer, clocks
// and random numbers.
#include "platform/win32/win32_session.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cwchar>

#include "platform/win32/wide_text.h"

namespace koruvan::win32 {
namespace {

std::atomic<bool> busyPointer{false};

// Far more than a desk switch queues, yet a window that never validates its paint area (the system then keeps
// sending WM_PAINT) cannot keep the pump spinning for ever.
constexpr int kMaxPumpedMessages = 1000;

// Makes the mutex and keeps it in `held`; false when another process has it. Access denied means it exists
// under another user's security: another instance too. Any other failure to make it must not keep the user
// from running the program.
bool claimMutex(const std::wstring& name, KernelObject& held) {
    KernelObject mutex(CreateMutexW(nullptr, FALSE, name.c_str()));
    const DWORD error = GetLastError();
    if (!mutex) return error != ERROR_ACCESS_DENIED;
    if (error == ERROR_ALREADY_EXISTS) return false;
    held = std::move(mutex);
    return true;
}

// One name for every session, from the folder's path as the file system compares it (case aside): a folder
// reached by another spelling is the same store.
std::wstring folderMutexName(const std::string& folder) {
    std::wstring upper = widen(folder);
    CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    std::uint64_t hash = 1469598103934665603ull;  // FNV-1a over the UTF-16 units
    for (const wchar_t unit : upper) {
        hash ^= static_cast<std::uint64_t>(unit);
        hash *= 1099511628211ull;
    }
    wchar_t digits[17] = {};
    swprintf(digits, 17, L"%016llX", static_cast<unsigned long long>(hash));
    return std::wstring(L"Global\\KORUVAN.Folder.") + digits;
}

}  // namespace

bool busyPointerActive() {
    return busyPointer.load();
}

Win32Session::Win32Session(std::string instanceName) : instanceName_(std::move(instanceName)) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    counterFrequency_ = static_cast<double>(frequency.QuadPart);
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    random_.seed(static_cast<std::mt19937::result_type>(now.QuadPart ^ GetTickCount64()));
}

InstanceClaim Win32Session::claimSingleInstance() {
    if (!instanceMutex_ && !claimMutex(widen(instanceName_), instanceMutex_))
        return InstanceClaim::RunningInThisSession;
    if (!folderMutex_ && !claimMutex(folderMutexName(programDirectory()), folderMutex_))
        return InstanceClaim::FolderUsedInAnotherSession;
    return InstanceClaim::Claimed;
}

std::string Win32Session::programFile() {
    std::wstring buffer(MAX_PATH, L'\0');
    constexpr std::size_t kLongestPath = 32768;
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return narrow(buffer);
        }
        if (buffer.size() >= kLongestPath) return {};
        buffer.resize(buffer.size() * 2);  // the name was cut
    }
}

std::string Win32Session::programDirectory() {
    const std::string file = programFile();
    const auto separator = file.find_last_of("\\/");
    if (separator == std::string::npos) return {};
    return file.substr(0, separator) + "\\";
}

void Win32Session::pumpPendingEvents() {
    MSG message{};
    for (int handled = 0; handled < kMaxPumpedMessages && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);
         ++handled) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // leave it for the main loop
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Session::setBusyPointer(bool busy) {
    busyPointer.store(busy);
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

double Win32Session::monotonicSeconds() {
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    return counterFrequency_ > 0 ? static_cast<double>(counter.QuadPart) / counterFrequency_ : 0.0;
}

double Win32Session::secondsOfDay() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
}

double Win32Session::randomFraction() {
    return std::uniform_real_distribution<double>(0.0, 1.0)(random_);
}

// The system's start as the kernel keeps it (a value that clock changes leave alone), in 100 ns units; 0 when
// the system does not tell.
std::uint64_t Win32Session::systemStart() {
    struct TimeOfDay {
        LARGE_INTEGER bootTime;
        LARGE_INTEGER currentTime;
        LARGE_INTEGER timeZoneBias;
        ULONG timeZoneId;
        ULONG reserved;
        ULONGLONG bootTimeBias;
        ULONGLONG sleepTimeBias;
    };
    using Query = LONG(WINAPI*)(int, void*, ULONG, ULONG*);
    constexpr int kSystemTimeOfDayInformation = 3;
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    TimeOfDay info{};
    if (!query || query(kSystemTimeOfDayInformation, &info, sizeof(info), nullptr) < 0) return 0;
    return static_cast<std::uint64_t>(info.bootTime.QuadPart);
}

std::string Win32Session::logonIdentity() {
    const std::optional<std::uint32_t> session = sessionId();
    return (session ? std::to_string(*session) : std::string("-")) + " " + std::to_string(systemStart());
}

std::optional<std::uint32_t> Win32Session::sessionId() {
    DWORD session = 0;
    if (!ProcessIdToSessionId(GetCurrentProcessId(), &session)) return std::nullopt;
    return static_cast<std::uint32_t>(session);
}
}  // namespace koruvan::win32
