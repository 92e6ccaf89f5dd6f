#include "organiser/arrange_dialog.h"

#include <algorithm>

#include "core/text.h"
#include "platform/busy_pointer.h"
#include "store/desk_arrangement.h"
#include "store/desk_folders.h"
#include "store/desk_items.h"

namespace koruvan {
namespace {

// The title of every refusal about the shortcut's target; those about its name have a title of their own.
constexpr const char* kShortcutTitle = "ｼｮｰﾄｶｯﾄ先のミス";
constexpr const char* kArrangeTitle = "ﾃﾞｽｸﾄｯﾌﾟの整理";

// The program's own temporary files (a copy under way, or left by a crash) are no items.
std::vector<ItemName> itemsIn(Platform& platform, const SharedState& state, const std::string& folder) {
    std::vector<ItemName> items;
    for (const std::string& name : platform.files.listPlainFiles(folder)) {
        if (!isTemporaryName(state.items, name)) items.push_back(splitItemName(name));
    }
    return items;
}

std::vector<std::string> basesOf(const std::vector<ItemName>& items) {
    std::vector<std::string> bases;
    for (const ItemName& item : items)
        bases.push_back(item.base);
    return bases;
}

}  // namespace

ItemName splitItemName(const std::string& fileName) {
    const std::size_t dot = fileName.find('.');
    if (dot == std::string::npos) return {fileName, ""};
    return {fileName.substr(0, dot), fileName.substr(dot)};
}

ArrangeDialog::ArrangeDialog(Platform& platform, SharedState& state, int desk, ArrangeView& view)
    : platform_(platform), state_(state), view_(view), deskIndex_(desk) {}

void ArrangeDialog::onLoad() {
    const Desk* desk = deskAt(state_, deskIndex_);
    pool_ = itemsIn(platform_, state_, poolFolder(state_));
    listsDesktop_ = desk && deskIndex_ == state_.currentDesk && isUsableDesktop(platform_, state_);
    deskSource_ = !desk           ? std::string()
                  : listsDesktop_ ? state_.desktopFolder
                                  : deskFolder(state_, deskIndex_);
    desk_.clear();
    if (desk) {
        for (const std::string& name : deskItemNames(platform_, state_, deskIndex_))
            desk_.push_back(splitItemName(name));
    }
    view_.showPool(basesOf(pool_));
    view_.showDesk(basesOf(desk_));
    const std::string name = desk ? desk->name : std::string();
    view_.showDeskName(name);
    deskNameWidth_ = view_.deskNameWidth(name);
    view_.showApplicationControls(false);

    const Size<int> outer = view_.outerSize();
    const Size<int> client = view_.clientSize();
    view_.setOuterSize({outer.width - client.width + kArrangeDesignClient.width,
                        outer.height - client.height + kArrangeDesignClient.height});
    onResize();
}

void ArrangeDialog::onResize() {
    Size<int> outer = view_.outerSize();
    // Set from within this handler, the new size comes back here at once: it is not snapped again.
    if (!snapping_ &&
        (outer.width < kArrangeMinimumSize.width || outer.height < kArrangeMinimumSize.height)) {
        snapping_ = true;
        view_.setOuterSize(kArrangeMinimumSize);
        snapping_ = false;
        outer = view_.outerSize();
    }
    view_.place(arrangeLayoutFor(outer.width, view_.clientSize(), deskNameWidth_));
}

void ArrangeDialog::onCopy() {
    for (const int entry : view_.selectedPoolEntries()) {
        if (entry < 0 || entry >= static_cast<int>(pool_.size())) continue;
        const ItemName item = pool_[static_cast<std::size_t>(entry)];
        const std::string key = item.full();  // letter case counts
        if (std::any_of(desk_.begin(), desk_.end(), [&](const ItemName& on) { return on.full() == key; })) {
            view_.warn("すでにｺﾋﾟｰされてます。", "重複");
            return;
        }
        desk_.push_back(item);
        view_.appendDeskEntry(item.base);
        view_.deselectPoolEntry(entry);
    }
}

void ArrangeDialog::onDelete() {
    const std::vector<int> selected = view_.selectedDeskEntries();
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        if (*it < 0 || *it >= static_cast<int>(desk_.size())) continue;
        desk_.erase(desk_.begin() + *it);
        view_.removeDeskEntry(*it);
    }
}

// Everything is checked before any folder is touched, so a refused Set changes nothing.
Warning ArrangeDialog::shortcutRefusal(std::string& name, std::string& target) const {
    if (currentApplication_ < 0 || currentApplication_ >= static_cast<int>(applicationFiles_.size())) {
        return {"ｼｮｰﾄｶｯﾄを作るｱﾌﾟﾘｹｰｼｮﾝを選んで下さい。", kShortcutTitle};
    }
    target = applicationFiles_[static_cast<std::size_t>(currentApplication_)];
    if (target.empty() || !platform_.files.plainFileExists(target)) {
        return {"ｱﾌﾟﾘｹｰｼｮﾝのﾌｧｲﾙが見つかりません。" + (target.empty() ? "" : "\n" + target), kShortcutTitle};
    }
    name = shortcutName_.empty() ? proposedShortcutName(platform_, target) : shortcutName_;
    return shortcutNameRefusal(name);
}

void ArrangeDialog::onSet() {
    if (!isDeskIndex(deskIndex_)) return;
    std::string name;
    std::string target;
    const std::string aside = state_.programDir + "KORUVAN-shortcut.tmp";
    if (addApplication_) {
        if (const Warning refusal = shortcutRefusal(name, target)) {
            view_.warn(refusal.text, refusal.title);
            return;
        }
        // Written aside first: a shortcut that cannot be written leaves every folder as it was.
        if (!writeShortcutAside(aside, target)) {
            view_.warn("ｼｮｰﾄｶｯﾄを作成できませんでした。", kShortcutTitle);
            return;
        }
    }
    std::vector<std::string> wanted;
    for (const ItemName& item : desk_)
        wanted.push_back(item.full());
    std::optional<AsideShortcut> shortcut;
    if (addApplication_) shortcut = AsideShortcut{aside, name};
    StoreReport report;
    ArrangeResult result;
    {
        const BusyPointer busy(platform_);
        result = arrangeDesk(platform_, state_, deskIndex_, wanted, shortcut, report);
    }
    if (result.refusal) {
        // Nothing was changed: the dialog stays open for another choice.
        view_.warn("「" + result.refusal->name + "」をﾃﾞｽｸﾄｯﾌﾟに入れられません（" +
                       reasonText(result.refusal->why) + "）。何も変更していません。",
                   kArrangeTitle);
        return;
    }
    if (result.shortcutLost) view_.warn("ｼｮｰﾄｶｯﾄを作成できませんでした。", kShortcutTitle);
    if (!report.empty())
        view_.warn(reportText(report, state_.deskTable, state_.programDir, state_.desktopFolder),
                   kReportTitle);
    view_.close();
}

bool ArrangeDialog::writeShortcutAside(const std::string& aside, const std::string& target) {
    const BusyPointer busy(platform_);
    if (platform_.shell.writeShortcut(aside, target)) return true;
    discardFile(platform_.files, aside);  // a half-written link, if any
    return false;
}

void ArrangeDialog::onCancel() {
    view_.close();
}

void ArrangeDialog::onAddApplicationToggled(bool ticked) {
    addApplication_ = ticked;
    view_.showApplicationControls(ticked);
    // Unticking only hides the lists and the name; ticking again reads the windows anew.
    if (!ticked) return;
    const BusyPointer busy(platform_);
    applicationTitles_.clear();
    applicationFiles_.clear();
    for (const RunningWindow& window : platform_.windows.listRunningWindows()) {
        if (!isListedApplication(window)) continue;
        applicationTitles_.push_back(window.title);
        applicationFiles_.push_back(window.programFile);
    }
    currentApplication_ = -1;
    view_.showApplications(applicationTitles_, applicationTitles_.empty() ? -1 : 0);
    if (!applicationTitles_.empty()) onApplicationChosen(0);
}

void ArrangeDialog::onApplicationChosen(int index) {
    if (index < 0 || index >= static_cast<int>(applicationFiles_.size())) {
        currentApplication_ = -1;
        return;
    }
    currentApplication_ = index;
    // A program file that is gone proposes nothing: the name box keeps what it has.
    const std::string proposed =
        proposedShortcutName(platform_, applicationFiles_[static_cast<std::size_t>(index)]);
    if (proposed.empty()) return;
    shortcutName_ = proposed;
    view_.showShortcutName(proposed);
}

void ArrangeDialog::onShortcutNameEdited(std::string text) {
    shortcutName_ = std::move(text);
}

}  // namespace koruvan
