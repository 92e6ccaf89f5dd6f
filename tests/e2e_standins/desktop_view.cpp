// A stand-in for the shell's Desktop view in the end-to-end runs under Wine, whose own Desktop view lists no
// item. Registered as the in-process server of CLSID_ShellWindows, it answers FindWindowSW(SWC_DESKTOP) with
// a desktop browser whose active view lists the items of the user's Desktop folder as Explorer's does: each
// at a place kept in desktop-view.txt beside this DLL; an item that leaves the folder is forgotten; one that
// arrives takes the first free cell of the grid, column by column from the top left, and is listed only `lag`
// milliseconds later, as Explorer lists an item once the folder's change notice has come. A script plays the
// user through the exported StandinIcons (what the view lists) and StandinMoveIcon (a drag).
//
// desktop-view.txt, UTF-8: "autoarrange 0|1", "lag <ms>", then one line per item: x, y, the tick it arrived
// at, name, separated by tabs.
#include <windows.h>

#include <exdisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr LONG kCellWidth = 80;
constexpr LONG kCellHeight = 96;

struct Icon {
    LONG x = 0;
    LONG y = 0;
    ULONGLONG arrived = 0;
};

struct ViewState {
    bool autoArrange = false;
    ULONGLONG lag = 300;
    std::map<std::wstring, Icon> icons;
    bool listed(const Icon& icon) const { return GetTickCount64() - icon.arrived >= lag; }
};

HMODULE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&thisModule), &module);
    return module;
}

std::wstring stateFile() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(thisModule(), path, MAX_PATH);
    std::wstring file = path;
    return file.substr(0, file.find_last_of(L'\\') + 1) + L"desktop-view.txt";
}

std::string utf8(const std::wstring& text) {
    std::string out(static_cast<std::size_t>(text.size()) * 4 + 1, '\0');
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(),
                                      static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(static_cast<std::size_t>(std::max(n, 0)));
    return out;
}

std::wstring wide(const std::string& text) {
    std::wstring out(text.size() + 1, L'\0');
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(),
                                      static_cast<int>(out.size()));
    out.resize(static_cast<std::size_t>(std::max(n, 0)));
    return out;
}

ViewState load() {
    ViewState state;
    std::ifstream in(std::filesystem::path(stateFile()), std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream fields(line);
        std::string first;
        std::getline(fields, first, '\t');
        if (line.rfind("autoarrange ", 0) == 0) {
            state.autoArrange = line.substr(12) == "1";
        } else if (line.rfind("lag ", 0) == 0) {
            state.lag = std::stoull(line.substr(4));
        } else {
            std::string y, arrived, name;
            if (std::getline(fields, y, '\t') && std::getline(fields, arrived, '\t') &&
                std::getline(fields, name))
                state.icons[wide(name)] = {std::stol(first), std::stol(y), std::stoull(arrived)};
        }
    }
    return state;
}

void save(const ViewState& state) {
    std::ostringstream out;
    out << "autoarrange " << (state.autoArrange ? 1 : 0) << "\nlag " << state.lag << "\n";
    for (const auto& [name, icon] : state.icons)
        out << icon.x << '\t' << icon.y << '\t' << icon.arrived << '\t' << utf8(name) << "\n";
    const std::wstring file = stateFile();
    const std::wstring temporary = file + L".tmp";
    {
        std::ofstream written(std::filesystem::path(temporary), std::ios::binary | std::ios::trunc);
        written << out.str();
    }
    MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
}

// What the Desktop folder shows: its files and folders, hidden and system ones left out.
std::set<std::wstring> desktopNames() {
    wchar_t folder[MAX_PATH] = {};
    DWORD size = sizeof(folder);
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                 L"Desktop", RRF_RT_REG_SZ, nullptr, folder, &size);
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((std::wstring(folder) + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L".." &&
            (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0)
            names.insert(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

void firstFreeCell(const ViewState& state, Icon& icon) {
    const LONG rows = std::max(1, GetSystemMetrics(SM_CYSCREEN) / static_cast<int>(kCellHeight));
    for (LONG cell = 0;; ++cell) {
        const LONG column = cell / rows;
        const LONG row = cell % rows;
        const bool taken = std::any_of(state.icons.begin(), state.icons.end(), [&](const auto& other) {
            return other.second.x / kCellWidth == column && other.second.y / kCellHeight == row;
        });
        if (!taken) {
            icon.x = column * kCellWidth;
            icon.y = row * kCellHeight;
            return;
        }
    }
}

// The view's state with the folder's changes noticed, changed by `change` and kept, under a lock shared with
// every process that loads this DLL.
template <typename Change>
auto withView(Change change) {
    HANDLE lock = CreateMutexW(nullptr, FALSE, L"KoruvanStandinDesktopView");
    WaitForSingleObject(lock, 10000);
    ViewState state = load();
    const std::set<std::wstring> names = desktopNames();
    std::erase_if(state.icons, [&](const auto& icon) { return !names.contains(icon.first); });
    for (const std::wstring& name : names) {
        if (state.icons.contains(name)) continue;
        Icon icon{0, 0, GetTickCount64()};
        firstFreeCell(state, icon);
        state.icons.emplace(name, icon);
    }
    auto result = change(state);
    save(state);
    ReleaseMutex(lock);
    CloseHandle(lock);
    return result;
}

// An item id of one level holding the item's name.
LPITEMIDLIST makeId(const std::wstring& name) {
    const auto bytes = static_cast<USHORT>(sizeof(USHORT) + (name.size() + 1) * sizeof(wchar_t));
    auto* id = static_cast<BYTE*>(CoTaskMemAlloc(bytes + sizeof(USHORT)));
    std::memset(id, 0, bytes + sizeof(USHORT));
    std::memcpy(id, &bytes, sizeof(USHORT));
    std::memcpy(id + sizeof(USHORT), name.c_str(), name.size() * sizeof(wchar_t));
    return reinterpret_cast<LPITEMIDLIST>(id);
}

std::wstring nameOf(LPCITEMIDLIST id) {
    return id ? reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(id) + sizeof(USHORT)) : L"";
}

#define NOT_HERE(method, ...)                                \
    HRESULT STDMETHODCALLTYPE method(__VA_ARGS__) override { \
        return E_NOTIMPL;                                    \
    }
#define NO_DISPATCH                                                 \
    NOT_HERE(GetTypeInfoCount, UINT*)                               \
    NOT_HERE(GetTypeInfo, UINT, LCID, ITypeInfo**)                  \
    NOT_HERE(GetIDsOfNames, REFIID, LPOLESTR*, UINT, LCID, DISPID*) \
    NOT_HERE(Invoke, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
#define COUNTED                                         \
    ULONG STDMETHODCALLTYPE AddRef() override {         \
        return InterlockedIncrement(&refs_);            \
    }                                                   \
    ULONG STDMETHODCALLTYPE Release() override {        \
        const LONG left = InterlockedDecrement(&refs_); \
        if (left == 0) delete this;                     \
        return static_cast<ULONG>(left);                \
    }                                                   \
    LONG refs_ = 1;

template <typename Interface>
HRESULT give(Interface* object, void** out) {
    object->AddRef();
    *out = object;
    return S_OK;
}

class ItemIds final : public IEnumIDList {
  public:
    explicit ItemIds(std::vector<std::wstring> names) : names_(std::move(names)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IEnumIDList) return give(this, out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    COUNTED
    HRESULT STDMETHODCALLTYPE Next(ULONG count, PITEMID_CHILD* ids, ULONG* fetched) override {
        ULONG n = 0;
        for (; n < count && next_ < names_.size(); ++n)
            ids[n] = makeId(names_[next_++]);
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        next_ += count;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    NOT_HERE(Clone, IEnumIDList**)

  private:
    std::vector<std::wstring> names_;
    std::size_t next_ = 0;
};

// The desktop's browser, its view and the view's folder in one object.
class Desktop final : public IDispatch,
                      public IServiceProvider,
                      public IShellBrowser,
                      public IShellView,
                      public IFolderView,
                      public IShellFolder {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch) return give(static_cast<IDispatch*>(this), out);
        if (riid == IID_IServiceProvider) return give(static_cast<IServiceProvider*>(this), out);
        if (riid == IID_IShellBrowser) return give(static_cast<IShellBrowser*>(this), out);
        if (riid == IID_IShellView) return give(static_cast<IShellView*>(this), out);
        if (riid == IID_IFolderView) return give(static_cast<IFolderView*>(this), out);
        if (riid == IID_IShellFolder) return give(static_cast<IShellFolder*>(this), out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    COUNTED
    NO_DISPATCH
    HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID riid, void** out) override {
        if (service != SID_STopLevelBrowser) return E_NOINTERFACE;
        return QueryInterface(riid, out);
    }
    HRESULT STDMETHODCALLTYPE QueryActiveShellView(IShellView** view) override {
        return give(static_cast<IShellView*>(this), reinterpret_cast<void**>(view));
    }
    HRESULT STDMETHODCALLTYPE GetFolder(REFIID riid, void** out) override {
        return QueryInterface(riid, out);
    }
    HRESULT STDMETHODCALLTYPE Items(UINT, REFIID riid, void** out) override {
        if (riid != IID_IEnumIDList) return E_NOINTERFACE;
        seen_ = withView([](ViewState& state) { return state; });
        std::vector<std::wstring> names;
        for (const auto& [name, icon] : seen_.icons) {
            if (!seen_.autoArrange && seen_.listed(icon)) names.push_back(name);
        }
        *out = new ItemIds(std::move(names));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ItemCount(UINT, int* count) override {
        *count = withView([](ViewState& state) {
            return static_cast<int>(
                std::count_if(state.icons.begin(), state.icons.end(),
                              [&](const auto& icon) { return state.listed(icon.second); }));
        });
        return S_OK;
    }
    // Of the items the last listing gave.
    HRESULT STDMETHODCALLTYPE GetItemPosition(PCUITEMID_CHILD id, POINT* at) override {
        const auto it = seen_.icons.find(nameOf(id));
        if (it == seen_.icons.end()) return E_INVALIDARG;
        *at = {it->second.x, it->second.y};
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetAutoArrange() override { return load().autoArrange ? S_OK : S_FALSE; }
    HRESULT STDMETHODCALLTYPE SelectAndPositionItems(UINT count, PCUITEMID_CHILD_ARRAY ids, POINT* at,
                                                     DWORD) override {
        return withView([&](ViewState& state) {
            for (UINT i = 0; i < count; ++i) {
                const auto it = state.icons.find(nameOf(ids[i]));
                if (it != state.icons.end() && state.listed(it->second)) {
                    it->second.x = at[i].x;
                    it->second.y = at[i].y;
                }
            }
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE GetDisplayNameOf(PCUITEMID_CHILD id, SHGDNF, STRRET* name) override {
        const std::wstring text = nameOf(id);
        name->uType = STRRET_WSTR;
        name->pOleStr = static_cast<LPWSTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
        std::memcpy(name->pOleStr, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        return S_OK;
    }
    // IOleWindow, for the browser and the view
    NOT_HERE(GetWindow, HWND*)
    NOT_HERE(ContextSensitiveHelp, WINBOOL)
    // IShellBrowser
    NOT_HERE(InsertMenusSB, HMENU, LPOLEMENUGROUPWIDTHS)
    NOT_HERE(SetMenuSB, HMENU, HOLEMENU, HWND)
    NOT_HERE(RemoveMenusSB, HMENU)
    NOT_HERE(SetStatusTextSB, LPCWSTR)
    NOT_HERE(EnableModelessSB, WINBOOL)
    NOT_HERE(TranslateAcceleratorSB, MSG*, WORD)
    NOT_HERE(BrowseObject, PCUIDLIST_RELATIVE, UINT)
    NOT_HERE(GetViewStateStream, DWORD, IStream**)
    NOT_HERE(GetControlWindow, UINT, HWND*)
    NOT_HERE(SendControlMsg, UINT, UINT, WPARAM, LPARAM, LRESULT*)
    NOT_HERE(OnViewWindowActive, IShellView*)
    NOT_HERE(SetToolbarItems, LPTBBUTTONSB, UINT, UINT)
    // IShellView
    NOT_HERE(TranslateAccelerator, MSG*)
    NOT_HERE(EnableModeless, WINBOOL)
    NOT_HERE(UIActivate, UINT)
    NOT_HERE(Refresh)
    NOT_HERE(CreateViewWindow, IShellView*, LPCFOLDERSETTINGS, IShellBrowser*, RECT*, HWND*)
    NOT_HERE(DestroyViewWindow)
    NOT_HERE(GetCurrentInfo, LPFOLDERSETTINGS)
    NOT_HERE(AddPropertySheetPages, DWORD, LPFNSVADDPROPSHEETPAGE, LPARAM)
    NOT_HERE(SaveViewState)
    NOT_HERE(SelectItem, PCUITEMID_CHILD, SVSIF)
    NOT_HERE(GetItemObject, UINT, REFIID, void**)
    // IFolderView
    NOT_HERE(GetCurrentViewMode, UINT*)
    NOT_HERE(SetCurrentViewMode, UINT)
    NOT_HERE(Item, int, PITEMID_CHILD*)
    NOT_HERE(GetSelectionMarkedItem, int*)
    NOT_HERE(GetFocusedItem, int*)
    NOT_HERE(GetSpacing, POINT*)
    NOT_HERE(GetDefaultSpacing, POINT*)
    NOT_HERE(SelectItem, int, DWORD)
    // IShellFolder
    NOT_HERE(ParseDisplayName, HWND, IBindCtx*, LPWSTR, ULONG*, PIDLIST_RELATIVE*, ULONG*)
    NOT_HERE(EnumObjects, HWND, SHCONTF, IEnumIDList**)
    NOT_HERE(BindToObject, PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**)
    NOT_HERE(BindToStorage, PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**)
    NOT_HERE(CompareIDs, LPARAM, PCUIDLIST_RELATIVE, PCUIDLIST_RELATIVE)
    NOT_HERE(CreateViewObject, HWND, REFIID, void**)
    NOT_HERE(GetAttributesOf, UINT, PCUITEMID_CHILD_ARRAY, SFGAOF*)
    NOT_HERE(GetUIObjectOf, HWND, UINT, PCUITEMID_CHILD_ARRAY, REFIID, UINT*, void**)
    NOT_HERE(SetNameOf, HWND, PCUITEMID_CHILD, LPCWSTR, SHGDNF, PITEMID_CHILD*)

  private:
    ViewState seen_;
};

class ShellWindows final : public IShellWindows {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IShellWindows)
            return give(this, out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    COUNTED
    NO_DISPATCH
    HRESULT STDMETHODCALLTYPE FindWindowSW(VARIANT*, VARIANT*, int kind, LONG* window, int,
                                           IDispatch** found) override {
        *found = nullptr;
        *window = 0;
        if (kind != SWC_DESKTOP) return S_FALSE;
        *window = static_cast<LONG>(reinterpret_cast<LONG_PTR>(GetDesktopWindow()));
        *found = static_cast<IDispatch*>(new Desktop);
        return S_OK;
    }
    NOT_HERE(get_Count, LONG*)
    NOT_HERE(Item, VARIANT, IDispatch**)
    NOT_HERE(_NewEnum, IUnknown**)
    NOT_HERE(Register, IDispatch*, LONG, int, LONG*)
    NOT_HERE(RegisterPending, LONG, VARIANT*, VARIANT*, int, LONG*)
    NOT_HERE(Revoke, LONG)
    NOT_HERE(OnNavigate, LONG, VARIANT*)
    NOT_HERE(OnActivated, LONG, VARIANT_BOOL)
    NOT_HERE(OnCreated, LONG, IUnknown*)
    NOT_HERE(ProcessAttachDetach, VARIANT_BOOL)
};

class Factory final : public IClassFactory {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IClassFactory) return give(this, out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* windows = new ShellWindows;
        const HRESULT result = windows->QueryInterface(riid, out);
        windows->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(WINBOOL) override { return S_OK; }
};

Factory factory;

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE
    DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
    if (clsid != CLSID_ShellWindows) return CLASS_E_CLASSNOTAVAILABLE;
    return factory.QueryInterface(riid, out);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return S_FALSE;
}

// The items the view lists, "x<TAB>y<TAB>name" a line, into `text` (UTF-16); the length written.
extern "C" __declspec(dllexport) int StandinIcons(wchar_t* text, int size) {
    const std::wstring lines = withView([](ViewState& state) {
        std::wstring out;
        for (const auto& [name, icon] : state.icons) {
            if (state.listed(icon))
                out += std::to_wstring(icon.x) + L"\t" + std::to_wstring(icon.y) + L"\t" + name + L"\n";
        }
        return out;
    });
    const int length = std::min(static_cast<int>(lines.size()), size - 1);
    std::memcpy(text, lines.c_str(), static_cast<std::size_t>(length) * sizeof(wchar_t));
    text[length] = L'\0';
    return length;
}

// The user drags a listed item to (x, y).
extern "C" __declspec(dllexport) BOOL StandinMoveIcon(const wchar_t* name, int x, int y) {
    return withView([&](ViewState& state) {
        const auto it = state.icons.find(name);
        if (it == state.icons.end() || !state.listed(it->second)) return FALSE;
        it->second.x = x;
        it->second.y = y;
        return TRUE;
    });
}
