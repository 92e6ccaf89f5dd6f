// KORUVAN.exe: the Windows entry point wires the real platform to the desk bar.
#include <windows.h>
// commctrl.h needs the types of windows.h.
#include <commctrl.h>

#include "bar/win32/bar_window.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_platform.h"
#include "store/startup.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // A drive without a medium is simply unreadable: no system box asking to insert one.
    SetErrorMode(SEM_FAILCRITICALERRORS);
    koruvan::win32::Win32Platform platform;
    koruvan::SharedState state;
    switch (koruvan::startAsOnlyInstance(platform, state)) {
        case koruvan::InstanceClaim::Claimed:
            break;
        case koruvan::InstanceClaim::RunningInThisSession:
            return 0;  // the user has it already
        case koruvan::InstanceClaim::FolderUsedInAnotherSession:
            MessageBoxW(
                nullptr,
                koruvan::win32::widen(koruvan::folderInUseText(platform.session.programDirectory())).c_str(),
                koruvan::win32::widen(koruvan::kFolderInUseTitle).c_str(), MB_OK | MB_ICONWARNING);
            return 0;
    }

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    koruvan::win32::BarWindow bar(platform, state);
    // KORUVAN_TIMING=1 logs where each switch's time goes, beside the settings file.
    wchar_t timing[8] = {};
    bar.model().logSwitchTimes(GetEnvironmentVariableW(L"KORUVAN_TIMING", timing, 8) > 0 &&
                               timing[0] == L'1');
    if (!bar.start()) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
