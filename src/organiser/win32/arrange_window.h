#pragma once
// The desk organiser's window: standard controls from the IDD_ORGANISER template (two multi-select list
// boxes, the application box, the name box), laid out in twips as the ArrangeDialog model says on every size
// change.

#include "organiser/arrange_dialog.h"
#include "platform/win32/dialog.h"

namespace koruvan::win32 {

class ArrangeWindow final : public ModalDialog, public ArrangeView {
  public:
    ArrangeWindow(Platform& platform, SharedState& state, int desk) : model_(platform, state, desk, *this) {}
    void open(HWND owner);

    // ArrangeView
    void showDeskName(const std::string& name) override;
    int deskNameWidth(const std::string& name) override;
    void showPool(const std::vector<std::string>& bases) override;
    void showDesk(const std::vector<std::string>& bases) override;
    void appendDeskEntry(const std::string& base) override;
    void removeDeskEntry(int index) override;
    std::vector<int> selectedPoolEntries() override;
    std::vector<int> selectedDeskEntries() override;
    void deselectPoolEntry(int index) override;
    void showApplicationControls(bool shown) override;
    void showApplications(const std::vector<std::string>& titles, int selected) override;
    void showShortcutName(const std::string& name) override;
    Size<int> outerSize() override;
    Size<int> clientSize() override;
    void setOuterSize(Size<int> size) override;
    void place(const ArrangeLayout& layout) override;
    void warn(const std::string& text, const std::string& title) override;
    void close() override;

  protected:
    bool onInit() override;
    bool onCommand(int id, int code, HWND control) override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    int pixels(int twips) const;
    int twips(int pixels) const;

    ArrangeDialog model_;
    int dpi_ = 96;
    bool loaded_ = false;
};

}  // namespace koruvan::win32
