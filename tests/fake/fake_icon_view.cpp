#include "fake/fake_icon_view.h"

#include <set>
#include <utility>

#include "core/paths.h"
#include "fake/fake_platform.h"

namespace koruvan::testing {

std::optional<DesktopIconView> FakeIconView::read(const std::vector<std::string>& names) {
    if (!running) return std::nullopt;
    const std::set<std::string> present(names.begin(), names.end());
    std::erase_if(icons_, [&](const auto& icon) { return !present.contains(icon.first); });
    for (const std::string& name : present) {
        if (!icons_.contains(name)) icons_.emplace(name, Icon{firstFreeCell(), lag});
    }
    DesktopIconView view{screen, autoArrange, {}};
    for (auto& [name, icon] : icons_) {
        if (icon.unlistedReads > 0) {
            --icon.unlistedReads;
        } else if (!autoArrange) {
            view.icons.push_back({name, icon.at});
        }
    }
    return view;
}

bool FakeIconView::position(const std::vector<DesktopIcon>& icons) {
    if (!running || refuseMoves) return false;
    for (const DesktopIcon& wanted : icons) {
        for (auto& [name, icon] : icons_) {
            if (fileNameKey(name) == fileNameKey(wanted.name) && icon.unlistedReads == 0) icon.at = wanted.at;
        }
    }
    return true;
}

std::optional<IconPoint> FakeIconView::placeOf(const std::string& name) const {
    const auto it = icons_.find(name);
    return it == icons_.end() ? std::nullopt : std::optional<IconPoint>(it->second.at);
}

IconPoint FakeIconView::firstFreeCell() const {
    const int rows = screen.height / kCellHeight;
    for (int cell = 0;; ++cell) {
        const IconPoint at{cell / rows * kCellWidth, cell % rows * kCellHeight};
        bool taken = false;
        for (const auto& [name, icon] : icons_)
            taken |=
                icon.at.x / kCellWidth == at.x / kCellWidth && icon.at.y / kCellHeight == at.y / kCellHeight;
        if (!taken) return at;
    }
}

std::optional<DesktopIconView> FakePlatform::readDesktopIcons() {
    calls.push_back("icons read");
    if (auto events = std::exchange(iconView.duringNextRead, nullptr)) events();
    const std::string desktop = withTrailingBackslash(knownDesktop);
    std::vector<std::string> names = listPlainFiles(desktop);
    for (std::string& folder : listFolders(desktop))
        names.push_back(std::move(folder));
    return iconView.read(names);
}

bool FakePlatform::positionDesktopIcons(const std::vector<DesktopIcon>& icons) {
    std::string call = "icons placed";
    for (const DesktopIcon& icon : icons)
        call += " " + icon.name + "@" + std::to_string(icon.at.x) + "," + std::to_string(icon.at.y);
    calls.push_back(call);
    return iconView.position(icons);
}

}  // namespace koruvan::testing
