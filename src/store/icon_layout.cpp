#include "store/icon_layout.h"

#include <cinttypes>
#include <cstdio>
#include <map>
#include <optional>

#include "core/paths.h"
#include "store/desk_identity.h"
#include "store/desktop_match.h"

namespace koruvan {
namespace {

// Finds the layout's entry for each item: by identity, else by stored name; each entry stands for one item.
class LayoutMatch {
  public:
    explicit LayoutMatch(const DeskIconLayout& layout) : taken_(layout.size(), false) {
        for (std::size_t i = 0; i < layout.size(); ++i) {
            if (!layout[i].identity.empty()) byIdentity_[layout[i].identity].push_back(i);
            byName_[fileNameKey(layout[i].name)].push_back(i);
        }
    }

    std::optional<std::size_t> take(const LayoutItem& item) {
        std::optional<std::size_t> found;
        if (!item.identity.empty()) found = firstFree(byIdentity_, item.identity);
        if (!found) found = firstFree(byName_, fileNameKey(item.storedName));
        if (found) taken_[*found] = true;
        return found;
    }

  private:
    using Index = std::map<std::string, std::vector<std::size_t>>;
    std::optional<std::size_t> firstFree(const Index& index, const std::string& key) const {
        const auto it = index.find(key);
        if (it == index.end()) return std::nullopt;
        for (const std::size_t i : it->second) {
            if (!taken_[i]) return i;
        }
        return std::nullopt;
    }

    std::vector<bool> taken_;
    Index byIdentity_;
    Index byName_;
};

// The view's items by the names the file system compares.
std::map<std::string, const DesktopIcon*> listedByName(const std::vector<DesktopIcon>& listed) {
    std::map<std::string, const DesktopIcon*> byName;
    for (const DesktopIcon& icon : listed)
        byName.emplace(fileNameKey(icon.name), &icon);
    return byName;
}

const DesktopIcon* listedAs(const std::map<std::string, const DesktopIcon*>& listed,
                            const std::string& desktopName) {
    const auto it = listed.find(fileNameKey(desktopName));
    return it == listed.end() ? nullptr : it->second;
}

}  // namespace

std::string iconLayoutKey(const SharedState& state, int desk) {
    const DeskId id = deskIdAt(state, desk);
    return id == 0 ? std::string() : std::to_string(id);
}

std::string itemIdentity(const PlainFile& file) {
    if (file.fileId == 0) return {};
    char text[40];
    std::snprintf(text, sizeof(text), "%" PRIX64 ":%" PRIX64, file.volume, file.fileId);
    return text;
}

std::vector<LayoutItem> deskItemsOnDesktop(Platform& platform, const SharedState& state, int desk) {
    const DeskId id = deskIdAt(state, desk);
    std::vector<LayoutItem> items;
    if (id == 0) return items;
    for (const DesktopItem& item : matchDesktop(platform, state, id).items) {
        if (item.desk == id) items.push_back({item.file.name, item.storedName, itemIdentity(item.file)});
    }
    return items;
}

DeskIconLayout layoutSeen(const DeskIconLayout& before, const std::vector<LayoutItem>& items,
                          const std::vector<DesktopIcon>& listed) {
    LayoutMatch match(before);
    const auto byName = listedByName(listed);
    DeskIconLayout seen;
    for (const LayoutItem& item : items) {
        const std::optional<std::size_t> earlier = match.take(item);
        if (const DesktopIcon* icon = listedAs(byName, item.desktopName)) {
            seen.push_back({item.storedName, item.identity, icon->at});
        } else if (earlier) {
            seen.push_back({item.storedName, item.identity, before[*earlier].at});
        }
    }
    return seen;
}

IconPutBack putBackPlan(const DeskIconLayout& layout, const std::vector<LayoutItem>& items,
                        const std::vector<DesktopIcon>& listed) {
    LayoutMatch match(layout);
    const auto byName = listedByName(listed);
    IconPutBack plan;
    for (const LayoutItem& item : items) {
        const std::optional<std::size_t> entry = match.take(item);
        if (!entry) continue;
        const DesktopIcon* icon = listedAs(byName, item.desktopName);
        if (!icon) {
            plan.waiting = true;
        } else if (icon->at != layout[*entry].at) {
            plan.moves.push_back({icon->name, layout[*entry].at});
        }
    }
    return plan;
}

}  // namespace koruvan
