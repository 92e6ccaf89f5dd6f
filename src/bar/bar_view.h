#pragma once
// What the desk bar's model needs from its window. The Win32 view implements it; tests use a recording fake.

#include <array>
#include <cstdint>
#include <string>

#include "bar/bar_layout.h"

namespace koruvan {

// One desk's button: the picture control imgWALL and the plain box lblWALL; at most one of them is visible.
struct DeskButton {
    bool pictureVisible = false;
    RealRect pictureRect;
    std::string picturePath;  // empty: no picture loaded
    bool boxVisible = false;
    RealRect boxRect;
    std::int32_t boxColor = 0;  // 0x00BBGGRR
};
using DeskButtons = std::array<DeskButton, kDeskCount>;

struct TipLook {
    bool visible = false;
    std::string text;
    int left = 0;
    std::int32_t textColor = 0;
    std::int32_t backColor = 0;
};

enum class MenuCommand {
    None,  // dismissed without a choice
    // desk menu
    Open,
    Rename,
    Organise,
    Delete,
    DeskCancel,
    // options menu
    NewDesk,
    Settings,
    SizeLarge,
    SizeMedium,
    SizeSmall,
    SizeCustom,
    OptionsCancel,
    About,
    End,
};

enum class DialogKind { MakeDesk, Arrange, Settings, SizeChange, About };

class BarView {
  public:
    virtual ~BarView() = default;

    virtual void setCaption(const std::string& caption) = 0;
    virtual BarGeometry geometry() = 0;  // pixels; outer position on the screen
    virtual void setOuterSize(int width, int height) = 0;
    virtual void moveTo(int left, int top) = 0;
    virtual int screenWidth() = 0;
    virtual int screenHeight() = 0;
    virtual int tipWidth(const std::string& text) = 0;  // the tip label fitted to its text

    virtual void showButtons(const DeskButtons& buttons) = 0;
    virtual void showTip(const TipLook& tip) = 0;
    virtual void setTopmost(bool topmost) = 0;
    virtual void setTimerRunning(bool running) = 0;
    virtual void show() = 0;

    // Pop-up menus at the pointer; modal; return the chosen command.
    virtual MenuCommand popupDeskMenu(bool openAndDeleteEnabled) = 0;
    virtual MenuCommand popupOptionsMenu(int checkedSizeItem) = 0;
    // A yes/no question with a warning icon; true for yes.
    virtual bool askYesNo(const std::string& text, const std::string& title) = 0;
    // Opens a dialog modally; false when there is no such dialog to open.
    virtual bool openDialog(DialogKind kind) = 0;
    // Ends the program (the message loop ends after the window is gone).
    virtual void close() = 0;
};

}  // namespace koruvan
