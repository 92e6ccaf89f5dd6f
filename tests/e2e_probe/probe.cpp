// koruvan_probe: the end-to-end scripts' eyes and hands inside Wine. It opens plain application windows for a
// desk to capture, and reports what only the Win32 calls can see: window states and rectangles, the pop-up
// menu on screen, the wallpaper in effect, registry values. Text goes out as UTF-8, one fact per line.
//
//   probe windows N                     opens "probe 1".."probe N" (the second maximised), prints "ready",
//                                       runs until killed
//   probe kinds                         opens "cloaked window" (of the class the stand-in dwmapi.dll cloaks),
//                                       "tool window", "shell worker" (WorkerW), "far window" (x 3200) and
//                                       "near window"; prints "ready", runs until killed
//   probe activate TITLE                brings the window to the front with the focus, as a click on it would
//   probe order                         titles of the visible titled top-level windows, front to back, then
//                                       "focus: " and the foreground window's title
//   probe keys                          prints "ready", then a line for each key pressed with the Windows key
//                                       held, as a low-level keyboard hook sees it ("win+ctrl+D"); runs
//                                       until killed
//   probe hang AFTER FOR                opens "probe hung", prints "ready"; AFTER ms later stops answering
//                                       (prints "hung"), FOR ms later answers again (prints "awake")
//   probe wait TITLE [MS]               exit 0 once a visible top-level window has that title (default 10 s)
//   probe gone TITLE [MS]               exit 0 once no top-level window has that title
//   probe close TITLE                   posts WM_CLOSE to it, as its close box would
//   probe state TITLE                   iconic=0 zoomed=1 visible=1 topmost=0
//   probe rect TITLE                    window L T R B client X Y W H (screen pixels; X Y = client origin)
//   probe children TITLE                class<TAB>id<TAB>text<TAB>L T R B per child window, screen pixels
//   probe items TITLE ID                index<TAB>selected<TAB>text<TAB>L T R B per entry of a list or combo
//   box
//                                       (a combo box's entries have no rectangle)
//   probe control TITLE ID              visible=1 enabled=1 checked=0 of one control
//   probe tray                          L T R B of the shell's notification area while it is shown (icons are
//                                       drawn in it); exit 1 when it is not
//   probe focus TITLE                   class<TAB>id<TAB>text of the control that has the keyboard focus
//   probe menu                          L T R B of each visible pop-up menu, the front-most first
//   probe wallpaper [PATH]              the wallpaper in effect; with PATH, PATH is put into effect first
//   probe reg-get KEY NAME              a value of HKEY_CURRENT_USER
//   probe reg-set KEY NAME TEXT...      string values (triples); an existing REG_EXPAND_SZ keeps its type
//   probe reg-save FILE KEY NAME...     saves values (pairs), missing ones included, for reg-restore
//   probe reg-restore FILE              puts saved values back, deletes those that were missing
//   probe shortcut FILE                 the target of a shortcut file, as the shell resolves it
//   probe reg-binary [+MS] KEY NAME HEX...  binary values (triples), MS apart; HEX "-" deletes the value;
//                                       "<session>" in KEY is this logon session's id
//   probe reg-binary-timed INI N KEY NAME HEX  writes the value, then prints the milliseconds until INI's
//                                       LastUse is N (exit 1 after 10 s)
#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
}

std::wstring wide(const std::string& text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

// Raw UTF-8 bytes: under Wine a redirected stdout is a Unix pipe or file, which must not see a code page.
void print(const std::string& line) {
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written,
              nullptr);
}

std::string rectText(const RECT& r) {
    return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
           std::to_string(r.bottom);
}

HWND findTopLevel(const std::wstring& title) {
    return FindWindowW(nullptr, title.c_str());
}

// Polls until `done` holds or the time is up.
template <typename Condition>
bool waitFor(DWORD milliseconds, Condition done) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (!done()) {
        if (GetTickCount64() > deadline) return false;
        Sleep(30);
    }
    return true;
}

LRESULT CALLBACK probeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* registerProbeClass() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = probeWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"KoruvanProbeWindow";
    return RegisterClassW(&windowClass) ? windowClass.lpszClassName : nullptr;
}

int pumpUntilQuit() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

// Windows of the kinds a desk never takes on a real Windows, and two it does: one the DWM cloaks (of class
// KoruvanCloaked, which the stand-in dwmapi.dll reports cloaked), a tool window, a window of the shell's
// WorkerW class, and plain ones at x 200 and x 3200.
int openWindowKinds() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const wchar_t* probeClass = registerProbeClass();
    for (const wchar_t* name : {L"KoruvanCloaked", L"WorkerW"}) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = instance;
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = name;
        if (!RegisterClassW(&windowClass)) return 1;
    }
    struct Kind {
        const wchar_t* className;
        const wchar_t* title;
        DWORD exStyle;
        int x;
    };
    const Kind kinds[] = {
        {L"KoruvanCloaked", L"cloaked window", 0, 150}, {probeClass, L"tool window", WS_EX_TOOLWINDOW, 250},
        {L"WorkerW", L"shell worker", 0, 350},          {probeClass, L"far window", 0, 3200},
        {probeClass, L"near window", 0, 200},
    };
    for (const Kind& kind : kinds) {
        HWND window = CreateWindowExW(kind.exStyle, kind.className, kind.title, WS_OVERLAPPEDWINDOW, kind.x,
                                      150, 360, 240, nullptr, nullptr, instance, nullptr);
        if (!window) return 1;
        ShowWindow(window, SW_SHOWNORMAL);
    }
    print("ready");
    return pumpUntilQuit();
}

// The titles of the visible top-level windows with a title, front to back, then "focus: " and the title of
// the window in the foreground.
int windowOrder() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    const auto title = [](HWND window) {
        wchar_t text[256] = {};
        InternalGetWindowText(window, text, 255);
        return utf8(text);
    };
    for (HWND window : windows) {
        if (IsWindowVisible(window) && !title(window).empty()) print(title(window));
    }
    print("focus: " + title(GetForegroundWindow()));
    return 0;
}

// The keys another program presses with the Windows key held, as the system's low-level hook sees them:
// what the program asks of the system's virtual desktops.
LRESULT CALLBACK keyPressed(int code, WPARAM message, LPARAM data) {
    static bool win = false;
    static bool ctrl = false;
    if (code == HC_ACTION) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        if (key->vkCode == VK_LWIN || key->vkCode == VK_RWIN) {
            win = down;
        } else if (key->vkCode == VK_LCONTROL || key->vkCode == VK_RCONTROL || key->vkCode == VK_CONTROL) {
            ctrl = down;
        } else if (down && win) {
            const DWORD k = key->vkCode;
            const std::string name = k == VK_LEFT    ? "Left"
                                     : k == VK_RIGHT ? "Right"
                                     : (k >= 'A' && k <= 'Z') || (k >= '0' && k <= '9')
                                         ? std::string(1, static_cast<char>(k))
                                         : std::to_string(k);
            print(std::string("win+") + (ctrl ? "ctrl+" : "") + name);
        }
    }
    return CallNextHookEx(nullptr, code, message, data);
}

int watchKeys() {
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, keyPressed, GetModuleHandleW(nullptr), 0);
    if (!hook) return 1;
    print("ready");
    const int result = pumpUntilQuit();
    UnhookWindowsHookEx(hook);
    return result;
}

// A program whose window stops answering for a while, as a busy or stuck program's does.
int hangWindow(DWORD after, DWORD duration) {
    const wchar_t* className = registerProbeClass();
    if (!className) return 1;
    HWND window = CreateWindowExW(0, className, L"probe hung", WS_OVERLAPPEDWINDOW, 300, 200, 360, 240,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window) return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    print("ready");
    const ULONGLONG until = GetTickCount64() + after;
    MSG message;
    while (GetTickCount64() < until) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
    print("hung");
    Sleep(duration);
    print("awake");
    return pumpUntilQuit();
}

int openWindows(int count) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const wchar_t* className = registerProbeClass();
    if (!className) return 1;
    for (int k = 1; k <= count; ++k) {
        const std::wstring title = L"probe " + std::to_wstring(k);
        HWND window = CreateWindowExW(0, className, title.c_str(), WS_OVERLAPPEDWINDOW, 200 + 40 * (k % 10),
                                      150 + 30 * (k % 10), 360, 240, nullptr, nullptr, instance, nullptr);
        if (!window) return 1;
        ShowWindow(window, k == 2 ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
        UpdateWindow(window);
    }
    print("ready");
    return pumpUntilQuit();
}

int windowState(const std::wstring& title) {
    HWND window = findTopLevel(title);
    if (!window) return 1;
    print("iconic=" + std::to_string(IsIconic(window) ? 1 : 0) +
          " zoomed=" + std::to_string(IsZoomed(window) ? 1 : 0) +
          " visible=" + std::to_string(IsWindowVisible(window) ? 1 : 0) +
          " topmost=" + std::to_string(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST ? 1 : 0));
    return 0;
}

int windowRect(const std::wstring& title) {
    HWND window = findTopLevel(title);
    if (!window) return 1;
    RECT outer{};
    RECT client{};
    POINT origin{0, 0};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    ClientToScreen(window, &origin);
    print("window " + rectText(outer) + " client " + std::to_string(origin.x) + " " +
          std::to_string(origin.y) + " " + std::to_string(client.right) + " " +
          std::to_string(client.bottom));
    return 0;
}

// GetWindowText of another process's window gives only the text the window was made with; an edit box's
// current text comes by WM_GETTEXT.
std::string controlText(HWND control) {
    wchar_t text[512] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                             &copied)) {
        return {};
    }
    return utf8(std::wstring(text, std::min<std::size_t>(copied, 511)));
}

BOOL CALLBACK printChild(HWND child, LPARAM) {
    wchar_t className[256] = {};
    GetClassNameW(child, className, 256);
    RECT r{};
    GetWindowRect(child, &r);
    print(utf8(className) + "\t" + std::to_string(GetDlgCtrlID(child)) + "\t" + controlText(child) + "\t" +
          rectText(r));
    return TRUE;
}

int children(const std::wstring& title) {
    HWND window = findTopLevel(title);
    if (!window) return 1;
    EnumChildWindows(window, printChild, 0);
    return 0;
}

// Standard list and combo boxes answer these messages across processes, as they do for screen readers.
int listItems(const std::wstring& title, int id) {
    HWND window = findTopLevel(title);
    HWND list = window ? GetDlgItem(window, id) : nullptr;
    if (!list) return 1;
    wchar_t className[32] = {};
    GetClassNameW(list, className, 32);
    const bool combo = _wcsicmp(className, L"ComboBox") == 0;
    const LRESULT count = SendMessageW(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    const LRESULT current = SendMessageW(list, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
    for (LRESULT k = 0; k < count; ++k) {
        const LRESULT length = SendMessageW(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, k, 0);
        std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        SendMessageW(list, combo ? CB_GETLBTEXT : LB_GETTEXT, k, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
        std::string line = std::to_string(k);
        line += k == current ? "\t1\t" : "\t0\t";
        line += utf8(text);
        RECT r{};
        if (!combo && SendMessageW(list, LB_GETITEMRECT, k, reinterpret_cast<LPARAM>(&r)) != LB_ERR) {
            MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
            line += '\t';
            line += rectText(r);
        }
        print(line);
    }
    return 0;
}

int controlState(const std::wstring& title, int id) {
    HWND window = findTopLevel(title);
    HWND control = window ? GetDlgItem(window, id) : nullptr;
    if (!control) return 1;
    print("visible=" + std::to_string(IsWindowVisible(control) ? 1 : 0) +
          " enabled=" + std::to_string(IsWindowEnabled(control) ? 1 : 0) +
          " checked=" + std::to_string(SendMessageW(control, BM_GETCHECK, 0, 0)));
    return 0;
}

int trayArea() {
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!tray || !IsWindowVisible(tray)) return 1;
    RECT r{};
    GetWindowRect(tray, &r);
    print(rectText(r));
    return 0;
}

// The taskbar's window buttons, one title a line. Wine's shell gives each button no text of its own: its
// control identifier is the handle of the window it stands for.
BOOL CALLBACK printTaskbarButton(HWND child, LPARAM) {
    const auto window = reinterpret_cast<HWND>(GetWindowLongPtrW(child, GWLP_ID));
    wchar_t text[256] = {};
    if (IsWindowVisible(child) && IsWindow(window) && GetWindowTextW(window, text, 256) > 0)
        print(utf8(text));
    return TRUE;
}

int taskbarButtons() {
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!tray) return 1;
    EnumChildWindows(tray, printTaskbarButton, 0);
    return 0;
}

int focusedControl(const std::wstring& title) {
    HWND window = findTopLevel(title);
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!window || !GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus)
        return 1;
    wchar_t className[256] = {};
    GetClassNameW(info.hwndFocus, className, 256);
    print(utf8(className) + "\t" + std::to_string(GetDlgCtrlID(info.hwndFocus)) + "\t" +
          controlText(info.hwndFocus));
    return 0;
}

BOOL CALLBACK collectMenu(HWND window, LPARAM found) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (std::wcscmp(className, L"#32768") == 0 && IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    }
    return TRUE;
}

int popupMenus() {
    std::vector<HWND> menus;
    EnumWindows(collectMenu, reinterpret_cast<LPARAM>(&menus));
    for (HWND menu : menus) {
        RECT r{};
        GetWindowRect(menu, &r);
        print(rectText(r));
    }
    return menus.empty() ? 1 : 0;
}

int wallpaper(const std::wstring& newPath, bool set) {
    if (set) {
        std::wstring path = newPath;
        SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, path.data(), SPIF_SENDWININICHANGE);
    }
    wchar_t path[MAX_PATH + 1] = {};
    if (!SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0)) return 1;
    print(utf8(path));
    return 0;
}

struct RegistryValue {
    bool present = false;
    DWORD type = REG_SZ;
    std::wstring text;
};

RegistryValue readValue(const std::wstring& key, const std::wstring& name) {
    RegistryValue value;
    DWORD size = 0;
    const DWORD flags = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), flags, &value.type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return value;
    }
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), flags, &value.type, text.data(), &size) !=
        ERROR_SUCCESS) {
        return value;
    }
    text.resize(wcsnlen(text.c_str(), text.size()));
    value.present = true;
    value.text = text;
    return value;
}

bool writeValue(const std::wstring& key, const std::wstring& name, const std::wstring& text, DWORD type) {
    return RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), type, text.c_str(),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

int registryGet(const std::wstring& key, const std::wstring& name) {
    const RegistryValue value = readValue(key, name);
    if (!value.present) return 1;
    print(utf8(value.text));
    return 0;
}

int registrySet(const std::vector<std::wstring>& triples) {
    if (triples.empty() || triples.size() % 3 != 0) return 2;
    for (std::size_t i = 0; i < triples.size(); i += 3) {
        const RegistryValue old = readValue(triples[i], triples[i + 1]);
        const DWORD type = old.present && old.type == REG_EXPAND_SZ ? REG_EXPAND_SZ : REG_SZ;
        if (!writeValue(triples[i], triples[i + 1], triples[i + 2], type)) return 1;
    }
    return 0;
}

// One line per value: key, name, type ("-" when missing) and text, tab-separated, UTF-8.
int registrySave(const std::wstring& file, const std::vector<std::wstring>& pairs) {
    if (pairs.empty() || pairs.size() % 2 != 0) return 2;
    std::ofstream out(std::filesystem::path(file), std::ios::binary);
    for (std::size_t i = 0; i < pairs.size(); i += 2) {
        const RegistryValue value = readValue(pairs[i], pairs[i + 1]);
        out << utf8(pairs[i]) << '\t' << utf8(pairs[i + 1]) << '\t'
            << (value.present ? std::to_string(value.type) : "-") << '\t' << utf8(value.text) << '\n';
    }
    return out ? 0 : 1;
}

int registryRestore(const std::wstring& file) {
    std::ifstream in(std::filesystem::path(file), std::ios::binary);
    if (!in) return 1;
    int failures = 0;
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::stringstream split(line);
        std::string field;
        while (fields.size() < 3 && std::getline(split, field, '\t'))
            fields.push_back(field);
        std::string rest;
        std::getline(split, rest);
        if (fields.size() < 3) continue;
        const std::wstring key = wide(fields[0]);
        const std::wstring name = wide(fields[1]);
        if (fields[2] == "-") {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str());
        } else if (!writeValue(key, name, wide(rest), static_cast<DWORD>(std::stoul(fields[2])))) {
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

int shortcutTarget(const std::wstring& file) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    IShellLinkW* link = nullptr;
    IPersistFile* persist = nullptr;
    wchar_t target[MAX_PATH] = {};
    const bool read = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                                 IID_IShellLinkW, reinterpret_cast<void**>(&link))) &&
                      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
                      SUCCEEDED(persist->Load(file.c_str(), STGM_READ)) &&
                      SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0));
    if (persist) persist->Release();
    if (link) link->Release();
    CoUninitialize();
    if (!read) return 1;
    print(utf8(target));
    return 0;
}

// Writes REG_BINARY values as the shell records its virtual desktops.
bool writeBinary(std::wstring key, const std::wstring& name, const std::wstring& hex) {
    if (const std::size_t at = key.find(L"<session>"); at != std::wstring::npos) {
        DWORD session = 0;
        ProcessIdToSessionId(GetCurrentProcessId(), &session);
        key.replace(at, 9, std::to_wstring(session));
    }
    if (hex == L"-") {
        const LSTATUS status = RegDeleteKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str());
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    std::vector<BYTE> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(static_cast<BYTE>(std::wcstoul(hex.substr(i, 2).c_str(), nullptr, 16)));
    return RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_BINARY, bytes.data(),
                           static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

int registryBinary(std::vector<std::wstring> args) {
    DWORD gap = 0;
    if (!args.empty() && args[0].rfind(L"+", 0) == 0) {
        gap = std::wcstoul(args[0].c_str() + 1, nullptr, 10);
        args.erase(args.begin());
    }
    if (args.empty() || args.size() % 3 != 0) return 2;
    for (std::size_t i = 0; i < args.size(); i += 3) {
        if (i > 0) Sleep(gap);
        if (!writeBinary(args[i], args[i + 1], args[i + 2])) return 1;
    }
    return 0;
}

int registryBinaryTimed(const std::vector<std::wstring>& args) {
    const std::wstring& ini = args[0];
    const int lastUse = _wtoi(args[1].c_str());
    LARGE_INTEGER frequency{}, start{}, now{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    // Woken by the folder's changes rather than polling: a read of the file every millisecond loads the Wine
    // server that each of the measured switch's file operations waits on.
    const std::wstring folder = ini.substr(0, ini.find_last_of(L'\\'));
    const HANDLE changes = FindFirstChangeNotificationW(
        folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_FILE_NAME);
    if (!writeBinary(args[2], args[3], args[4])) return 1;
    int result = 1;
    do {
        if (static_cast<int>(GetPrivateProfileIntW(L"User", L"LastUse", -1, ini.c_str())) == lastUse) {
            QueryPerformanceCounter(&now);
            print(std::to_string((now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart));
            result = 0;
            break;
        }
        if (changes == INVALID_HANDLE_VALUE || WaitForSingleObject(changes, 50) != WAIT_OBJECT_0) {
            Sleep(1);
        } else {
            FindNextChangeNotification(changes);
        }
        QueryPerformanceCounter(&now);
    } while (now.QuadPart - start.QuadPart < frequency.QuadPart * 10);
    if (changes != INVALID_HANDLE_VALUE) FindCloseChangeNotification(changes);
    return result;
}

// Holds a file open with no sharing for a while, as an office program holds an open document.
int holdFile(const std::wstring& path, DWORD duration) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    print("held");
    Sleep(duration);
    CloseHandle(file);
    return 0;
}

// What the stand-in Desktop view (tests/e2e_standins) lists, "x y name" a line, or with NAME X Y the user's
// drag of one of its items, through the stand-in's own exports.
int standinIcons(const std::wstring& dll, const std::vector<std::wstring>& drag) {
    HMODULE module = LoadLibraryW(dll.c_str());
    if (!module) return 1;
    if (drag.size() == 3) {
        const auto move = reinterpret_cast<BOOL (*)(const wchar_t*, int, int)>(
            reinterpret_cast<void*>(GetProcAddress(module, "StandinMoveIcon")));
        return move && move(drag[0].c_str(), _wtoi(drag[1].c_str()), _wtoi(drag[2].c_str())) ? 0 : 1;
    }
    const auto list = reinterpret_cast<int (*)(wchar_t*, int)>(
        reinterpret_cast<void*>(GetProcAddress(module, "StandinIcons")));
    if (!list) return 1;
    std::wstring text(64 * 1024, L'\0');
    text.resize(static_cast<std::size_t>(list(text.data(), static_cast<int>(text.size()))));
    std::wistringstream lines(text);
    for (std::wstring line; std::getline(lines, line);) {
        std::replace(line.begin(), line.end(), L'\t', L' ');
        print(utf8(line));
    }
    return 0;
}

int usage() {
    print(
        "usage: probe windows N | hang AFTER FOR | wait TITLE [MS] | gone TITLE [MS] | close TITLE | "
        "state "
        "TITLE | rect TITLE "
        "| children "
        "TITLE | items TITLE ID | control TITLE ID | tray | taskbar | focus TITLE"
        " | menu | wallpaper [PATH] | reg-get KEY NAME | reg-set KEY NAME TEXT... | reg-save FILE KEY "
        "NAME..."
        " | reg-restore FILE | shortcut FILE | hold FILE MS | maximize TITLE | restore TITLE"
        " | reg-binary [+MS] KEY NAME HEX... | reg-binary-timed INI N KEY NAME HEX | icons DLL [NAME X Y]");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return usage();
    const std::wstring command = argv[1];
    std::vector<std::wstring> args(argv + 2, argv + argc);
    const auto milliseconds = [&](std::size_t at) {
        return static_cast<DWORD>(args.size() > at ? std::wcstoul(args[at].c_str(), nullptr, 10) : 10000);
    };

    if (command == L"windows" && args.size() == 1) return openWindows(std::max(1, _wtoi(args[0].c_str())));
    if (command == L"keys" && args.empty()) return watchKeys();
    if (command == L"hang" && args.size() == 2) return hangWindow(milliseconds(0), milliseconds(1));
    if (command == L"kinds" && args.empty()) return openWindowKinds();
    if (command == L"activate" && args.size() == 1) {
        HWND window = findTopLevel(args[0]);
        return window && SetForegroundWindow(window) ? 0 : 1;
    }
    if (command == L"order" && args.empty()) return windowOrder();
    if (command == L"hold" && args.size() == 2) return holdFile(args[0], milliseconds(1));
    if ((command == L"maximize" || command == L"restore") && args.size() == 1) {
        HWND window = findTopLevel(args[0]);
        return window && ShowWindow(window, command == L"restore" ? SW_RESTORE : SW_MAXIMIZE) >= 0 ? 0 : 1;
    }
    if (command == L"wait" && !args.empty()) {
        return waitFor(milliseconds(1),
                       [&] {
                           HWND window = findTopLevel(args[0]);
                           return window && IsWindowVisible(window);
                       })
                   ? 0
                   : 1;
    }
    if (command == L"gone" && !args.empty()) {
        return waitFor(milliseconds(1), [&] { return findTopLevel(args[0]) == nullptr; }) ? 0 : 1;
    }
    if (command == L"close" && args.size() == 1) {
        HWND window = findTopLevel(args[0]);
        return window && PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (command == L"state" && args.size() == 1) return windowState(args[0]);
    if (command == L"rect" && args.size() == 1) return windowRect(args[0]);
    if (command == L"children" && args.size() == 1) return children(args[0]);
    if (command == L"items" && args.size() == 2) return listItems(args[0], _wtoi(args[1].c_str()));
    if (command == L"control" && args.size() == 2) return controlState(args[0], _wtoi(args[1].c_str()));
    if (command == L"tray" && args.empty()) return trayArea();
    if (command == L"taskbar" && args.empty()) return taskbarButtons();
    if (command == L"focus" && args.size() == 1) return focusedControl(args[0]);
    if (command == L"menu" && args.empty()) return popupMenus();
    if (command == L"wallpaper" && args.size() <= 1)
        return wallpaper(args.empty() ? L"" : args[0], !args.empty());
    if (command == L"reg-get" && args.size() == 2) return registryGet(args[0], args[1]);
    if (command == L"reg-set") return registrySet(args);
    if (command == L"reg-save" && args.size() >= 3) {
        return registrySave(args[0], std::vector<std::wstring>(args.begin() + 1, args.end()));
    }
    if (command == L"reg-restore" && args.size() == 1) return registryRestore(args[0]);
    if (command == L"shortcut" && args.size() == 1) return shortcutTarget(args[0]);
    if (command == L"reg-binary") return registryBinary(args);
    if (command == L"reg-binary-timed" && args.size() == 5) return registryBinaryTimed(args);
    if (command == L"icons" && (args.size() == 1 || args.size() == 4))
        return standinIcons(args[0], std::vector<std::wstring>(args.begin() + 1, args.end()));
    return usage();
}
