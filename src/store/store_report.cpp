#include "store/store_report.h"

namespace koruvan {
namespace {

// A message box with hundreds of lines is no help: the first few names stand for the rest.
constexpr std::size_t kNamesShown = 10;

std::string deskName(const DeskTable& desks, int desk) {
    return isDeskIndex(desk) ? desks[static_cast<std::size_t>(desk)].name : std::string();
}

std::string problemLines(const std::vector<ItemProblem>& problems, const DeskTable& desks, bool withDesk) {
    std::string lines;
    for (std::size_t k = 0; k < problems.size() && k < kNamesShown; ++k) {
        const ItemProblem& p = problems[k];
        lines += "  " + p.name + "（";
        // A deleted desk's file goes to the pool, which the organiser shows under this caption.
        if (withDesk && !isDeskIndex(p.desk)) lines += "削除したﾃﾞｽｸﾄｯﾌﾟのもの、ｵﾘｼﾞﾅﾙのﾃﾞｽｸﾄｯﾌﾟ上ｱｲｺﾝへ、";
        if (withDesk && isDeskIndex(p.desk)) lines += "ﾃﾞｽｸﾄｯﾌﾟ「" + deskName(desks, p.desk) + "」、";
        lines += reasonText(p.why) + "）\n";
    }
    if (problems.size() > kNamesShown)
        lines += "  ほか " + std::to_string(problems.size() - kNamesShown) + " 件\n";
    return lines;
}

std::string paragraph(std::string& text, const std::string& add) {
    if (!text.empty()) text += "\n";
    return text += add;
}

}  // namespace

std::string reasonText(FileError why) {
    switch (why) {
        case FileError::None:
            return {};
        case FileError::Gone:
            return "見つかりません";
        case FileError::Exists:
            return "同じ名前のファイルがあります";
        case FileError::Denied:
            return "アクセスが拒否されました";
        case FileError::Full:
            return "ディスクの空き容量が足りません";
        case FileError::InUse:
            return "ほかのプログラムが使用中です";
        case FileError::OtherDrive:
            return "別のドライブへは名前の変更では移せません";
        case FileError::Changed:
            return "ほかのプログラムが書き換えました";
        case FileError::Other:
            break;
    }
    return "予期しないエラーです";
}

namespace {

std::string folderProblems(const StoreReport& report, const std::string& programDir,
                           const std::string& desktopFolder) {
    std::string text;
    if (report.desktopUnreachable) {
        const std::string folder = desktopFolder.empty() ? std::string() : "（" + desktopFolder + "）";
        paragraph(text,
                  "デスクトップのフォルダー" + folder +
                      "が見つからないか読めないため、ﾃﾞｽｸﾄｯﾌﾟを切り替えませんでした。項目はそのままです。"
                      "\nフォルダーが使えるようになってから、もう一度切り替えてください。\n");
    }
    if (report.recordUnwritten) {
        paragraph(text, "項目の記録 KORUVAN.items に書き込めませんでした（" +
                            reasonText(*report.recordUnwritten) +
                            "）。書き込めるようになるまで、次のﾃﾞｽｸﾄｯﾌﾟの切り替えは始めません。\n"
                            "KORUVAN のフォルダー（" +
                            programDir + "）と KORUVAN.items に書き込めることを確かめてください。\n");
    }
    if (report.lastUseUnwritten) {
        paragraph(text, "設定ファイル KORUVAN.ini に今のﾃﾞｽｸﾄｯﾌﾟを書き込めませんでした（" +
                            reasonText(*report.lastUseUnwritten) +
                            "）。次に起動したときも、デスクトップにある項目のﾃﾞｽｸﾄｯﾌﾟから始めます。\n"
                            "KORUVAN のフォルダー（" +
                            programDir + "）と KORUVAN.ini に書き込めることを確かめてください。\n");
    }
    return text;
}

}  // namespace

std::string reportText(const StoreReport& report, const DeskTable& desks, const std::string& programDir,
                       const std::string& desktopFolder) {
    std::string text = folderProblems(report, programDir, desktopFolder);
    if (report.journalUnwritable) {
        paragraph(text,
                  "切り替えの記録 KORUVAN.jnl を書き込めないため、ﾃﾞｽｸﾄｯﾌﾟを切り替えませんでした（" +
                      reasonText(*report.journalUnwritable) +
                      "）。デスクトップの項目はそのままです。\nKORUVAN のフォルダー（" + programDir +
                      "）に書き込めること、そこに KORUVAN.jnl という名前のフォルダーがないことを確かめて"
                      "ください。\n");
    }
    if (!report.journalSetAside.empty()) {
        const char* why = report.journalUnreadable ? "前回の切り替えの記録を読めないため"
                                                   : "前回の切り替えの記録が今の設定と合わないため";
        paragraph(text, std::string(why) + "、使わずに「" + report.journalSetAside +
                            "」として残しました。項目は動かしていません。\n");
    }
    if (report.settingsUnwritten) {
        paragraph(text,
                  "設定ファイル KORUVAN.ini に書き込めませんでした（" +
                      reasonText(*report.settingsUnwritten) +
                      "）。変更はコルヴァンを終了するまで有効ですが、次に起動したときには元に戻ります。\n"
                      "KORUVAN のフォルダー（" +
                      programDir + "）に書き込めることを確かめてください。\n");
    }
    if (!report.leftBehind.empty()) {
        paragraph(text,
                  "次の項目は移せなかったため、デスクトップに残っています。次の切り替えか起動のときに、元の"
                  "ﾃﾞｽｸﾄｯﾌﾟのフォルダーへ戻します。\n" +
                      problemLines(report.leftBehind, desks, true));
    }
    if (!report.notPlaced.empty()) {
        paragraph(text,
                  "次の項目はデスクトップに置けなかったため、ﾃﾞｽｸﾄｯﾌﾟのフォルダーに保管したままです。\n" +
                      problemLines(report.notPlaced, desks, true));
    }
    return text;
}

}  // namespace koruvan
