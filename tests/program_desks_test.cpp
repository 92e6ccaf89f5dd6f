#include "store/program_desks.h"

#include <gtest/gtest.h>

namespace koruvan {
namespace {

// A window that appears takes the desk of the remembered window it stands for, each entry once; a program's
// rule is looked up by its file name in any case.
TEST(ProgramDesks, AWindowFindsItsRememberedDeskOnceThenTheProgramsOnly) {
    RememberedWindows remembered = {
        {"C:\\Windows\\notepad.exe", "plan.txt - Notepad", 2},
        {"C:\\Windows\\notepad.exe", "memo.txt - Notepad", 3},
        {"C:\\Tools\\paint.exe", "drawing", 4},
    };
    const struct {
        const char* what;
        const char* program;
        const char* title;
        std::optional<DeskId> desk;
    } steps[] = {
        {"same program and title", "c:\\windows\\NOTEPAD.EXE", "memo.txt - Notepad", 3},
        {"the title changed, the program's only one left", "C:\\Windows\\notepad.exe", "new - Notepad", 2},
        {"used up", "C:\\Windows\\notepad.exe", "plan.txt - Notepad", std::nullopt},
        {"a program of its own, title changed", "C:\\Tools\\paint.exe", "drawing *", 4},
        {"a program never remembered", "C:\\Tools\\calc.exe", "calc", std::nullopt},
    };
    for (const auto& step : steps)
        EXPECT_EQ(takeRemembered(remembered, step.program, step.title), step.desk) << step.what;

    remembered = {{"C:\\a\\x.exe", "one", 2}, {"C:\\a\\x.exe", "two", 3}};
    EXPECT_EQ(takeRemembered(remembered, "C:\\a\\x.exe", "three"), std::nullopt) << "two of it: no guess";

    ProgramRules rules;
    setRule(rules, "C:\\Windows\\notepad.exe", 7);
    setRule(rules, "C:\\Tools\\paint.exe", 8);
    EXPECT_EQ(ruleDesk(rules, "D:\\other\\Notepad.exe"), 7u);
    setRule(rules, "notepad.exe", 0);
    EXPECT_EQ(ruleDesk(rules, "C:\\Windows\\notepad.exe"), std::nullopt);
    remembered = {{"C:\\Tools\\paint.exe", "drawing", 8}};
    forgetDesk(rules, remembered, 8);
    EXPECT_TRUE(rules.empty() && remembered.empty()) << "a deleted desk drops its rules and windows";
}

TEST(ProgramDesks, TheRememberedFileReadsBackAndSkipsDamagedLines) {
    const RememberedWindows windows = {{"C:\\Windows\\notepad.exe", "メモ\tタブ - メモ帳", 12}};
    const std::string text = formatRememberedWindows(windows);
    EXPECT_EQ(parseRememberedWindows(text + "x\tC:\\a.exe\tt\r\n0\tC:\\a.exe\tt\r\n5\t\tt\r\n"), windows);
}

}  // namespace
}  // namespace koruvan
