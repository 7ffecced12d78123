// The program: the Japanese buttons of the toolkit's boxes, the application's title, the
// main window, and the event loop until the window is closed.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

#include "ui/untMain.h"
#include "ui/untPictures.h"

namespace {

// Without a display the toolkit would end the program with advice to reinstall it. Say what
// is wrong instead, and how the game runs without one.
bool HasDisplay() {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (const char* value = std::getenv(variable); value && *value) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (!HasDisplay()) {
        std::fputs(
            "tolvaney: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the\n"
            "window has nowhere to appear. Start the game from a desktop session, or run it\n"
            "in a virtual display with \"xvfb-run -a tolvaney\" (package xvfb), or without\n"
            "any display with \"QT_QPA_PLATFORM=offscreen tolvaney\".\n",
            stderr);
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvaney - トルヴァニー -"));
    QApplication::setDesktopFileName(QStringLiteral("tolvaney"));
    QApplication::setWindowIcon(ApplicationIcon());
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    QTranslator translator;
    if (translator.load(QStringLiteral("qtbase_ja"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&translator);
    TForm1 form;
    form.show();
    return application.exec();
}
