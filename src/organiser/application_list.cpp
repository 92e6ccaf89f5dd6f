#include "organiser/application_list.h"

#include <array>
#include <string_view>

#include "core/paths.h"
#include "core/text.h"

namespace koruvan {
namespace {

constexpr std::string_view kOwnDisplayName = "コルヴァン";
constexpr std::string_view kNameTitle = "ｼｮｰﾄｶｯﾄ名のミス";

// Class names of top-level windows that belong to the system or to no application of their own.
constexpr std::array<std::string_view, 7> kRefusedTopLevelClasses{
    "THUNDERRTMAIN", "THUNDERRTFORM", "THUNDERFORM", "VBCODEWIN", "INDICATOR", "SHELL_TRAYWND", "PROGMAN"};

bool isReservedDeviceName(const std::string& name) {
    // The system opens a device, not a file, for these names whatever the extension.
    const std::string upper = toUpperAscii(trimBlanks(name));
    for (std::string_view device : {"CON", "PRN", "AUX", "NUL"}) {
        if (upper == device) return true;
    }
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '0' &&
           upper[3] <= '9';
}

}  // namespace

bool isListedApplication(const RunningWindow& window) {
    if (trimBlanks(window.title).empty() || !window.visible) return false;
    if (!window.className.empty() && window.className[0] == '#') return false;
    if (window.title.find(kOwnDisplayName) != std::string::npos) return false;
    const std::string kind = toUpperAscii(trimBlanks(window.className));
    switch (window.parent) {
        case 0:
            for (std::string_view refused : kRefusedTopLevelClasses) {
                if (kind == refused) return false;
            }
            return true;
        case 1:
            return kind == "THUNDERMAIN";
        default:
            return false;
    }
}

std::string proposedShortcutName(Platform& platform, const std::string& programFile) {
    if (programFile.empty() || !platform.files.plainFileExists(programFile)) return {};
    const std::string fileName = fileNameOfPath(programFile);
    return trimBlanks(fileName.substr(0, fileName.find('.')));
}

Warning shortcutNameRefusal(const std::string& name) {
    if (name.empty()) return {"ｼｮｰﾄｶｯﾄ名を入力して下さい。", std::string(kNameTitle)};
    if (name.find('.') != std::string::npos) {
        return {"ｼｮｰﾄｶｯﾄ名にﾋﾟﾘｵﾄﾞを使用しないで下さい。", std::string(kNameTitle)};
    }
    for (unsigned char c : name) {
        if (c < 0x20 ||
            std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos) {
            return {"ｼｮｰﾄｶｯﾄ名に使えない文字があります。", std::string(kNameTitle)};
        }
    }
    if (isReservedDeviceName(name)) return {"ｼｮｰﾄｶｯﾄ名に使えない名前です。", std::string(kNameTitle)};
    return {};
}

}  // namespace koruvan
