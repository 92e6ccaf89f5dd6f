#pragma once
// An ArrangeView for native tests: keeps the lists with their selections, the window's size and what was
// shown, and records messages.

#include <algorithm>
#include <string>
#include <vector>

#include "organiser/arrange_view.h"

namespace koruvan::testing {

class FakeArrangeView : public ArrangeView {
  public:
    struct Entry {
        std::string text;
        bool selected = false;
    };
    std::string deskName;
    std::vector<Entry> pool;
    std::vector<Entry> desk;
    bool applicationControlsShown = true;
    std::vector<std::string> applications;
    int selectedApplication = -2;
    std::string shortcutName;
    Size<int> frame{120, 105};  // outer minus client
    Size<int> outer{6000, 5000};
    ArrangeLayout layout{};
    int setSizeCalls = 0;
    std::vector<std::string> warnings;  // "title: text"
    bool closed = false;

    void select(std::vector<Entry>& list, std::initializer_list<int> entries) {
        for (int entry : entries)
            list.at(static_cast<std::size_t>(entry)).selected = true;
    }
    static std::vector<std::string> texts(const std::vector<Entry>& list) {
        std::vector<std::string> out;
        for (const Entry& entry : list)
            out.push_back(entry.text);
        return out;
    }
    static std::vector<int> selection(const std::vector<Entry>& list) {
        std::vector<int> out;
        for (std::size_t k = 0; k < list.size(); ++k) {
            if (list[k].selected) out.push_back(static_cast<int>(k));
        }
        return out;
    }

    void showDeskName(const std::string& name) override { deskName = name; }
    int deskNameWidth(const std::string& name) override { return 90 * static_cast<int>(name.size()); }
    void showPool(const std::vector<std::string>& bases) override { pool = entries(bases); }
    void showDesk(const std::vector<std::string>& bases) override { desk = entries(bases); }
    void appendDeskEntry(const std::string& base) override { desk.push_back({base}); }
    void removeDeskEntry(int index) override { desk.erase(desk.begin() + index); }
    std::vector<int> selectedPoolEntries() override { return selection(pool); }
    std::vector<int> selectedDeskEntries() override { return selection(desk); }
    void deselectPoolEntry(int index) override { pool.at(static_cast<std::size_t>(index)).selected = false; }
    void showApplicationControls(bool shown) override { applicationControlsShown = shown; }
    void showApplications(const std::vector<std::string>& titles, int selected) override {
        applications = titles;
        selectedApplication = selected;
    }
    void showShortcutName(const std::string& name) override { shortcutName = name; }
    Size<int> outerSize() override { return outer; }
    Size<int> clientSize() override { return {outer.width - frame.width, outer.height - frame.height}; }
    void setOuterSize(Size<int> size) override {
        ++setSizeCalls;
        outer = size;
    }
    void place(const ArrangeLayout& placed) override { layout = placed; }
    void warn(const std::string& text, const std::string& title) override {
        warnings.push_back(title + ": " + text);
    }
    void close() override { closed = true; }

  private:
    static std::vector<Entry> entries(const std::vector<std::string>& texts) {
        std::vector<Entry> out;
        for (const std::string& text : texts)
            out.push_back({text});
        return out;
    }
};

}  // namespace koruvan::testing
