#include "store/start_with_windows.h"

#include "core/paths.h"
#include "core/text.h"

namespace koruvan {
namespace {

// The program's path in a command line: the quoted part, or all of it.
std::string commandProgram(const std::string& command) {
    const std::string text = trimBlanks(command);
    if (!text.starts_with('"')) return text;
    const std::size_t close = text.find('"', 1);
    return text.substr(1, close == std::string::npos ? std::string::npos : close - 1);
}

// The Startup tab keeps twelve bytes per entry; an odd first byte means turned off (3, and 7 on later
// systems), an even one on.
constexpr char kTurnedOn[12] = {2};

bool turnedOff(Platform& platform) {
    const std::optional<std::string> approval =
        platform.shell.readRegistryBinary(RegistryRoot::CurrentUser, kStartupApprovedKey, kRunValueName);
    return approval && !approval->empty() && (static_cast<unsigned char>(approval->front()) & 1u) != 0;
}

}  // namespace

RunValue runValueOf(const std::optional<std::string>& value, const std::string& programFile) {
    if (!value) return RunValue::Absent;
    const std::string program = commandProgram(*value);
    if (program.empty()) return RunValue::Absent;
    return fileNameKey(program) == fileNameKey(programFile) ? RunValue::ThisCopy : RunValue::OtherCopy;
}

RunValue readRunValue(Platform& platform) {
    const RunValue value =
        runValueOf(platform.shell.readRegistryString(RegistryRoot::CurrentUser, kRunKey, kRunValueName),
                   platform.session.programFile());
    return value == RunValue::ThisCopy && turnedOff(platform) ? RunValue::ThisCopyDisabled : value;
}

bool toggleStartWithWindows(Platform& platform) {
    if (readRunValue(platform) == RunValue::ThisCopy)
        return platform.shell.deleteRegistryValue(RegistryRoot::CurrentUser, kRunKey, kRunValueName);
    const std::string program = platform.session.programFile();
    if (program.empty()) return false;
    const bool approved =
        !turnedOff(platform) ||
        platform.shell.writeRegistryBinary(RegistryRoot::CurrentUser, kStartupApprovedKey, kRunValueName,
                                           std::string(kTurnedOn, sizeof(kTurnedOn)));
    return approved && platform.shell.writeRegistryString(RegistryRoot::CurrentUser, kRunKey, kRunValueName,
                                                          "\"" + program + "\"");
}

}  // namespace koruvan
