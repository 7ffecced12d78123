// The program: its command line, the Japanese buttons of the toolkit's boxes, the
// application's title, the main window, and the event loop until the window is closed.
#include <pwd.h>
#include <unistd.h>

#include <QApplication>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ui/controls/untLanguage.h"
#include "ui/controls/untPictures.h"
#include "ui/shell/untMainWindow.h"

namespace {

namespace fs = std::filesystem;

const char* const kUsage = QT_TRANSLATE_NOOP(
    "main",
    "使い方: tolvaney [--from-menu]\n"
    "コンピュータと、または二人で対戦するリバーシです。ふつうはあなたが黒で先手ですが、\n"
    "新規ゲームの設定で白（後手）も、最強のコンピュータも、二人での対戦も選べます。\n"
    "\n"
    "  --from-menu  成績ファイル 成績.dat を XDG のデータフォルダー\n"
    "               ($XDG_DATA_HOME/tolvaney/、既定は ~/.local/share/tolvaney/) に置きます。\n"
    "               デスクトップのメニューから起動したときの置き場所です。\n"
    "               付けないときは、起動したフォルダーに置きます。\n"
    "  --help       この説明を表示して終わります。\n"
    "  --version    バージョンを表示して終わります。\n");

// A text of the command line in the desktop's language, from the window's catalogue: the
// toolkit's application is not made yet, so the catalogue is asked directly.
std::string Said(const char* text) {
    if (LanguageOfLocale(QLocale::system()) == TLanguage::Japanese) return text;
    QTranslator catalogue;
    if (!catalogue.load(QStringLiteral(":/i18n/tolvaney_en.qm"))) return text;
    const QString translated = catalogue.translate("main", text);
    return translated.isEmpty() ? std::string(text) : translated.toStdString();
}

struct TOptions {
    bool fromMenu = false;
};

// Reads the command line: --help and --version are answered wherever they stand, as every
// program of the project does; anything else it does not know is refused, before any
// window is made.
TOptions ReadOptions(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    for (const std::string& argument : arguments)
        if (argument == "--help" || argument == "-h") {
            std::fputs(Said(kUsage).c_str(), stdout);
            std::exit(0);
        } else if (argument == "--version") {
            std::puts("tolvaney " TOLVANEY_VERSION);
            std::exit(0);
        }
    TOptions options;
    for (const std::string& argument : arguments) {
        if (argument == "--from-menu") {
            options.fromMenu = true;
            continue;
        }
        const std::string what =
            Said(argument.starts_with('-') ? QT_TRANSLATE_NOOP("main", "知らないオプションです")
                                           : QT_TRANSLATE_NOOP("main", "余分な引数です"));
        std::fprintf(stderr, "%s",
                     QString(Said(QT_TRANSLATE_NOOP(
                                      "main", "tolvaney: %1: %2（使い方は tolvaney --help）\n"))
                                 .c_str())
                         .arg(QString::fromStdString(what), QString::fromStdString(argument))
                         .toLocal8Bit()
                         .constData());
        std::exit(2);
    }
    return options;
}

const char* Environment(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

// Where the results of a game started from the desktop's menu are kept: the user's data
// folder of the XDG rules (a relative XDG_DATA_HOME does not count), made when missing.
// Should it fail to be made, the results record says so when it cannot write there.
fs::path MenuResultsFolder() {
    fs::path data;
    if (const char* home = Environment("XDG_DATA_HOME"); home && fs::path(home).is_absolute()) {
        data = home;
    } else {
        const char* userHome = Environment("HOME");
        if (!userHome)
            if (const passwd* user = ::getpwuid(::getuid())) userHome = user->pw_dir;
        data = fs::path(userHome ? userHome : "/") / ".local" / "share";
    }
    const fs::path folder = data / "tolvaney";
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    return folder;
}

// Without a display the toolkit would end the program with advice to reinstall it. Say what
// is wrong instead, and where the game can be started.
bool HasDisplay() {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (Environment(variable)) return true;
    return false;
}

void ExplainNoDisplay() {
    std::fputs(
        Said(QT_TRANSLATE_NOOP(
                 "main",
                 "tolvaney: 画面が見つかりません (DISPLAY も WAYLAND_DISPLAY もありません)。\n"
                 "ウィンドウを出す場所がないため、起動できません。デスクトップのセッションから\n"
                 "起動してください。\n"))
            .c_str(),
        stderr);
}

// What the toolkit says while it opens the display; shown as it is when the display opens.
QString toolkitReport;

// The toolkit's own lines on the display, without its guesses about a broken installation.
QString UnreachableDisplayReport() {
    QStringList lines = toolkitReport.split('\n', Qt::SkipEmptyParts);
    lines.removeIf([](const QString& line) { return line.startsWith("qt.qpa.plugin:"); });
    return lines.join('\n') + '\n';
}

// The toolkit gives up with a fatal error when the display named cannot be reached (no
// server there, or it refuses the connection). Say so plainly, name the display, and end
// with a failure status instead of the toolkit's abort.
void ReportUnreachableDisplay(QtMsgType type, const QMessageLogContext& context,
                              const QString& text) {
    if (type != QtFatalMsg) {
        toolkitReport += qFormatLogMessage(type, context, text) + "\n";
        return;
    }
    std::string named;
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (const char* value = Environment(variable))
            named += std::string(named.empty() ? "" : ", ") + variable + "=" + value;
    std::fprintf(
        stderr,
        Said(QT_TRANSLATE_NOOP(
                 "main",
                 "tolvaney: 画面に接続できません (%s)。\n"
                 "その画面がないか、接続を断られました。デスクトップのセッションから起動するか、\n"
                 "DISPLAY を今ある画面にしてください。仮想の画面では \"xvfb-run -a tolvaney\"\n"
                 "(パッケージ xvfb) として起動できます。\n"
                 "ツールキットの報告:\n%s"))
            .c_str(),
        named.c_str(), qPrintable(UnreachableDisplayReport()));
    std::fflush(stderr);
    std::_Exit(1);
}

}  // namespace

int main(int argc, char** argv) {
    const TOptions options = ReadOptions(argc, argv);
    if (!HasDisplay()) {
        ExplainNoDisplay();
        return 1;
    }
    qInstallMessageHandler(ReportUnreachableDisplay);
    QApplication application(argc, argv);
    qInstallMessageHandler(nullptr);
    std::fputs(qPrintable(toolkitReport), stderr);
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    QApplication::setDesktopFileName(QStringLiteral("tolvaney"));
    QApplication::setWindowIcon(ApplicationIcon());
    const fs::path scoreFile =
        options.fromMenu ? MenuResultsFolder() / kScoreFileName : fs::path(kScoreFileName);
    TSettings settings;
    InstallLanguage(ChosenLanguage(settings.View().language));
    TMainWindow window(settings, nullptr, scoreFile);
    window.show();
    return application.exec();
}
