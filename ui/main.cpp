// The program: the Japanese buttons of the toolkit's boxes, the application's title, the
// main window, and the event loop until the window is closed.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ui/untMain.h"
#include "ui/untPictures.h"

int main(int argc, char** argv) {
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
