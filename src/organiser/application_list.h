#pragma once
// The organiser's list of running applications: which windows it offers, and the shortcut name it proposes
// and accepts.

#include <string>

#include "platform/platform.h"

namespace koruvan {

// Whether the window is listed: a visible, titled window of an application, never one of ours nor the
// taskbar, the desktop or a dialog.
bool isListedApplication(const RunningWindow& window);

// The program file's name cut before its first "." with surrounding blanks removed; empty when the path
// names no existing file.
std::string proposedShortcutName(Platform& platform, const std::string& programFile);

// A message box's text and title; empty text when there is nothing to say.
struct Warning {
    std::string text;
    std::string title;
    explicit operator bool() const { return !text.empty(); }
    friend bool operator==(const Warning&, const Warning&) = default;
};

// Why a shortcut name cannot become "<name>.lnk" in a folder; nothing when it can.
Warning shortcutNameRefusal(const std::string& name);

}  // namespace koruvan
