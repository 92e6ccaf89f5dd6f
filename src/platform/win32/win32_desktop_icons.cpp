// The Desktop's icon view in the shell, by the documented path only: the shell's windows find the desktop's
// browser, whose active view is the folder view that lists the Desktop's items and places them. Not the list
// control's messages, whose positions the shell no longer keeps, and not the layout the shell saves in the
// registry, which it reads only when it starts.
#include <windows.h>

#include <exdisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>

#include <map>
#include <memory>

#include "core/paths.h"
#include "platform/win32/com.h"
#include "platform/win32/device_context.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_shell.h"

namespace koruvan::win32 {
namespace {

struct TaskMemory {
    void operator()(void* block) const { CoTaskMemFree(block); }
};
// An item id the view handed out.
using ItemId = std::unique_ptr<ITEMIDLIST, TaskMemory>;

// IShellWindows::FindWindowSW(SWC_DESKTOP), the desktop's top-level browser, its active view.
bool findDesktopView(ComRef<IFolderView>& view) {
    ComRef<IShellWindows> windows;
    if (FAILED(
            CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IShellWindows, windows.receive())))
        return false;
    VARIANT desktop;
    VariantInit(&desktop);
    desktop.vt = VT_I4;
    desktop.lVal = CSIDL_DESKTOP;
    VARIANT root;
    VariantInit(&root);
    long window = 0;
    ComRef<IDispatch> found;
    // S_FALSE when there is no desktop window to find.
    if (windows->FindWindowSW(&desktop, &root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, found.put()) !=
            S_OK ||
        !found) {
        return false;
    }
    ComRef<IServiceProvider> services;
    ComRef<IShellBrowser> browser;
    ComRef<IShellView> shellView;
    return SUCCEEDED(found->QueryInterface(IID_IServiceProvider, services.receive())) &&
           SUCCEEDED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.receive())) &&
           SUCCEEDED(browser->QueryActiveShellView(shellView.put())) && shellView &&
           SUCCEEDED(shellView->QueryInterface(IID_IFolderView, view.receive()));
}

// The item's parsing name in its folder: the file name, extension included, for a file.
std::string parsingName(IShellFolder& folder, LPCITEMIDLIST item) {
    STRRET name{};
    if (FAILED(folder.GetDisplayNameOf(item, SHGDN_INFOLDER | SHGDN_FORPARSING, &name))) return {};
    PWSTR text = nullptr;
    if (FAILED(StrRetToStrW(&name, item, &text)) || !text) return {};
    std::string result = narrow(text);
    CoTaskMemFree(text);
    return result;
}

// Hands each item the view lists to `visit` with its name, a batch of ids at a time (each batch one call
// into the shell's process). False when the view lists nothing it can name.
template <typename Visit>
bool forEachItem(IFolderView& view, Visit visit) {
    ComRef<IShellFolder> folder;
    ComRef<IEnumIDList> items;
    if (FAILED(view.GetFolder(IID_IShellFolder, folder.receive())) ||
        FAILED(view.Items(SVGIO_ALLVIEW, IID_IEnumIDList, items.receive())) || !items) {
        return false;
    }
    constexpr ULONG kBatch = 64;
    LPITEMIDLIST batch[kBatch];
    for (;;) {
        ULONG fetched = 0;
        const HRESULT result = items->Next(kBatch, batch, &fetched);
        for (ULONG i = 0; i < fetched && i < kBatch; ++i) {
            ItemId item(batch[i]);
            std::string name = parsingName(*folder.get(), item.get());
            if (!name.empty()) visit(std::move(item), std::move(name));
        }
        if (result != S_OK || fetched == 0) return SUCCEEDED(result);
    }
}

// Every monitor together and the system's dots per inch: the icons' grid follows both.
IconScreen screenNow() {
    const WindowDc screen(nullptr);
    return {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
            GetDeviceCaps(screen.get(), LOGPIXELSX)};
}

}  // namespace

std::optional<DesktopIconView> Win32Shell::readDesktopIcons() {
    const ComApartment com;
    ComRef<IFolderView> view;
    if (!com.usable() || !findDesktopView(view)) return std::nullopt;
    DesktopIconView seen{screenNow(), view->GetAutoArrange() == S_OK, {}};
    if (seen.autoArrange) return seen;
    const bool listed = forEachItem(*view.get(), [&](ItemId item, std::string name) {
        POINT at{};
        if (SUCCEEDED(view->GetItemPosition(item.get(), &at)))
            seen.icons.push_back({std::move(name), {at.x, at.y}});
    });
    if (!listed) return std::nullopt;
    return seen;
}

bool Win32Shell::positionDesktopIcons(const std::vector<DesktopIcon>& icons) {
    const ComApartment com;
    ComRef<IFolderView> view;
    if (!com.usable() || !findDesktopView(view)) return false;
    std::map<std::string, IconPoint> wanted;
    for (const DesktopIcon& icon : icons)
        wanted.emplace(fileNameKey(icon.name), icon.at);
    std::vector<ItemId> ids;
    std::vector<LPCITEMIDLIST> items;
    std::vector<POINT> places;
    forEachItem(*view.get(), [&](ItemId item, std::string name) {
        const auto it = wanted.find(fileNameKey(name));
        if (it == wanted.end()) return;
        items.push_back(item.get());
        places.push_back({it->second.x, it->second.y});
        ids.push_back(std::move(item));
        wanted.erase(it);
    });
    if (items.empty()) return true;
    return SUCCEEDED(view->SelectAndPositionItems(static_cast<UINT>(items.size()), items.data(),
                                                  places.data(), SVSI_POSITIONITEM));
}

}  // namespace koruvan::win32
