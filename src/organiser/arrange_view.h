#pragma once
// What the desk organiser's model needs from its window. The Win32 view implements it; tests use a fake.

#include <string>
#include <vector>

#include "organiser/arrange_layout.h"

namespace koruvan {

class ArrangeView {
  public:
    virtual ~ArrangeView() = default;

    virtual void showDeskName(const std::string& name) = 0;
    // Width of a text in the desk name's font, in twips.
    virtual int deskNameWidth(const std::string& name) = 0;

    // The two visible lists: base names only. The desk list changes entry by entry, keeping its selection.
    virtual void showPool(const std::vector<std::string>& bases) = 0;
    virtual void showDesk(const std::vector<std::string>& bases) = 0;
    virtual void appendDeskEntry(const std::string& base) = 0;
    virtual void removeDeskEntry(int index) = 0;
    // Selected entries in ascending order.
    virtual std::vector<int> selectedPoolEntries() = 0;
    virtual std::vector<int> selectedDeskEntries() = 0;
    virtual void deselectPoolEntry(int index) = 0;

    // The application box, the name label and the name box.
    virtual void showApplicationControls(bool shown) = 0;
    // `selected` -1 selects no entry.
    virtual void showApplications(const std::vector<std::string>& titles, int selected) = 0;
    virtual void showShortcutName(const std::string& name) = 0;

    virtual Size<int> outerSize() = 0;
    virtual Size<int> clientSize() = 0;
    // The window reports its new size (onResize) before this returns or soon after.
    virtual void setOuterSize(Size<int> size) = 0;
    virtual void place(const ArrangeLayout& layout) = 0;

    // A message box with an exclamation icon and an OK button only.
    virtual void warn(const std::string& text, const std::string& title) = 0;
    virtual void close() = 0;
};

}  // namespace koruvan
