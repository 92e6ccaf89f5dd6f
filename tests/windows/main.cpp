// The Windows suite runs under Wine (or on Windows) as a console program.
#include <objbase.h>
#include <windows.h>

#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv) {
    // Japanese failure messages reach the console readable.
    SetConsoleOutputCP(CP_UTF8);
    // Shell links and other COM objects are used from this thread, as the program does from its UI thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (SUCCEEDED(com)) CoUninitialize();
    return result;
}
