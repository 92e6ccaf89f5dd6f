// The Desktop's icon view in the shell, by the documented path only (desktop_view.h): the folder view lists
// the Desktop's items and places them. Not the list control's messages, whose positions the shell no longer
// keeps, and not the layout the shell saves in the registry, which it reads only when it starts.
#include <windows.h>

#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>

#include <map>
#include <memory>

#include "core/paths.h"
#include "platform/win32/desktop_view.h"
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

// Hands each item the view lists to `visit` with its name, a batch of ids at a time (each batch one call into
// the shell's process). What the view answered when it could not list them.
template <typename Visit>
HRESULT forEachItem(IFolderView& view, Visit visit) {
    ComRef<IShellFolder> folder;
    ComRef<IEnumIDList> items;
    HRESULT result = view.GetFolder(IID_IShellFolder, folder.receive());
    if (SUCCEEDED(result)) result = view.Items(SVGIO_ALLVIEW, IID_IEnumIDList, items.receive());
    if (FAILED(result) || !items) return FAILED(result) ? result : E_FAIL;
    constexpr ULONG kBatch = 64;
    LPITEMIDLIST batch[kBatch];
    for (;;) {
        ULONG fetched = 0;
        result = items->Next(kBatch, batch, &fetched);
        for (ULONG i = 0; i < fetched && i < kBatch; ++i) {
            ItemId item(batch[i]);
            std::string name = parsingName(*folder.get(), item.get());
            if (!name.empty()) visit(std::move(item), std::move(name));
        }
        if (result != S_OK || fetched == 0) return FAILED(result) ? result : S_OK;
    }
}

// Every monitor together and the system's dots per inch: the icons' grid follows both.
IconScreen screenNow() {
    const WindowDc screen(nullptr);
    return {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
            GetDeviceCaps(screen.get(), LOGPIXELSX)};
}

}  // namespace

Win32Shell::Win32Shell() : desktopView_(std::make_unique<DesktopView>()) {}
Win32Shell::~Win32Shell() = default;

std::optional<DesktopIconView> Win32Shell::readDesktopIcons() {
    IFolderView* view = desktopView_->get();
    if (!view) return std::nullopt;
    DesktopIconView seen{screenNow(), false, {}};
    const HRESULT arranging = view->GetAutoArrange();
    if (FAILED(arranging)) {
        desktopView_->failed(arranging, true);
        return std::nullopt;
    }
    seen.autoArrange = arranging == S_OK;
    if (seen.autoArrange) return seen;
    const HRESULT listed = forEachItem(*view, [&](ItemId item, std::string name) {
        POINT at{};
        if (SUCCEEDED(view->GetItemPosition(item.get(), &at)))
            seen.icons.push_back({std::move(name), {at.x, at.y}});
    });
    if (FAILED(listed)) {
        desktopView_->failed(listed, true);
        return std::nullopt;
    }
    return seen;
}

bool Win32Shell::positionDesktopIcons(const std::vector<DesktopIcon>& icons) {
    IFolderView* view = desktopView_->get();
    if (!view) return false;
    std::map<std::string, IconPoint> wanted;
    for (const DesktopIcon& icon : icons)
        wanted.emplace(fileNameKey(icon.name), icon.at);
    std::vector<ItemId> ids;
    std::vector<LPCITEMIDLIST> items;
    std::vector<POINT> places;
    const HRESULT listed = forEachItem(*view, [&](ItemId item, std::string name) {
        const auto it = wanted.find(fileNameKey(name));
        if (it == wanted.end()) return;
        items.push_back(item.get());
        places.push_back({it->second.x, it->second.y});
        ids.push_back(std::move(item));
        wanted.erase(it);
    });
    if (FAILED(listed)) {
        desktopView_->failed(listed, true);
        return false;
    }
    if (items.empty()) return true;
    const HRESULT placed = view->SelectAndPositionItems(static_cast<UINT>(items.size()), items.data(),
                                                        places.data(), SVSI_POSITIONITEM);
    if (FAILED(placed)) desktopView_->failed(placed, false);
    return SUCCEEDED(placed);
}

}  // namespace koruvan::win32
