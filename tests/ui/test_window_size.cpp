// The window at any size, on three screens side by side (CTest runs these tests on offscreen
// screens of 1024 x 768, 1280 x 1024 and 1920 x 1080): the client area grows as one picture
// drawn by the fonts, and the window, the dialogs and the boxes fit the screen they open on
// with none of their text cut. Where a screen reader finds the cells at three sizes is
// checked over AT-SPI against a screenshot (check-accessibility.sh).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include "PlayerWindow.h"
#include "ui/controls/untDialogs.h"
#include "ui/controls/untZoom.h"
#include "ui/help/untHelp.h"
#include "ui/shell/untSettings.h"

namespace {

constexpr QSize kDesign(628, 350);
constexpr size_t kTwice = 3;  // 200 % among the scales

QScreen* ScreenNamed(const QString& name) {
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->name() == name) return screen;
    return nullptr;
}

void ShowOn(QWidget& window, const QString& screen) {
    window.move(ScreenNamed(screen)->availableGeometry().topLeft() + QPoint(20, 20));
    window.show();
}

QImage Picture(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The mean difference of two pictures of one size, over all channels of all pixels.
double MeanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

// The window lies on the area, frame and all.
::testing::AssertionResult Within(const QRect& area, const QWidget& window) {
    const QRect frame = window.frameGeometry();
    if (area.contains(frame)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << frame.width() << " x " << frame.height() << " at " << frame.x() << ", " << frame.y();
}

using WindowSizeTest = TPlayerFolderTest;

// At 200 % the client area is the design drawn at twice its scale: closer to the toolkit's
// own drawing of the design through a doubling painter than the design's pixels blown up
// are, with the discs the twins' own pixels and the texts at twice their size.
TEST_F(WindowSizeTest, TwiceTheDefaultSizeIsTheDesignDrawnAtTwiceItsScale) {
    TPlayerWindow w(Folder("w"));
    ShowOn(w.window, "wide");
    ASSERT_EQ(w.form.size(), kDesign);
    const QImage design = Picture(w.form);
    w.window.ScaleActions[kTwice]->trigger();
    ASSERT_EQ(w.form.size(), kDesign * 2);
    const QImage twice = Picture(w.form);

    TScriptedDialogs::TShared dialogs;
    TForm1 alone(std::make_unique<TScriptedDialogs>(dialogs), nullptr,
                 (Folder("alone") + "/成績.dat").toStdString());
    QImage drawn(kDesign * 2, QImage::Format_RGB32);
    QPainter painter(&drawn);
    painter.scale(2, 2);
    alone.render(&painter);
    painter.end();
    const QImage blownUp = design.scaled(kDesign * 2);
    EXPECT_LT(MeanDifference(twice, drawn), 0.6 * MeanDifference(blownUp, drawn));

    EXPECT_EQ(w.form.Ban[SquareOf("d5")]->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
              QImage(":/KURO@2x").convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(w.form.Label_Message->font().pixelSize(), 38);
    EXPECT_EQ(w.form.Button_Start->font().pixelSize(), 24);
}

// Answers the next message box once it is shown, after the check.
void CheckNextBox(const std::function<void(QMessageBox&)>& check) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, check] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        check(*box);
        box->accept();
    });
    poll->start(10);
}

// All of a label's text shows: the label lies within its window, and its text is wrapped
// within its width or on lines no wider than it.
bool ShowsWhole(const QLabel& label) {
    const QRect inWindow(label.mapTo(label.window(), QPoint()), label.size());
    return label.window()->rect().contains(inWindow) &&
           (label.wordWrap() ? label.heightForWidth(label.width()) <= label.height()
                             : label.sizeHint().width() <= label.width());
}

// On each screen, a window kept at a size larger than the screen, the new-game dialog and the
// help at 200 %, and the box that tells of a damaged settings file at 200 % all fit the
// screen, with the client area never smaller than its design and no text of the box cut.
TEST_F(WindowSizeTest, EveryWindowAndBoxFitsTheScreenItOpensOn) {
    QFile damaged(Folder("damaged") + "/tolvaney.conf");
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly) && damaged.write("\x01\x02") == 2);
    damaged.close();
    const QString notice = TSettings(damaged.fileName()).StartNotice();
    for (const QString name : {"small", "square", "wide"}) {
        SCOPED_TRACE(name.toStdString());
        const QString folder = Folder(name);
        {
            TPlayerWindow kept(folder);
            kept.window.ScaleActions[kTwice]->trigger();
            kept.window.move(ScreenNamed(name)->geometry().topLeft());
            kept.window.resize(1900, 1060);
            kept.settings.SaveWindowGeometry(kept.window.saveGeometry());
        }
        TPlayerWindow w(folder);
        const QRect area = ScreenNamed(name)->availableGeometry();
        w.window.show();
        EXPECT_TRUE(Within(area, w.window));
        EXPECT_GE(w.form.ClientZoom().Factor(), 1);
        THelpWindow help("成績.dat", w.settings.File(), &w.window);
        help.SetScale(2);
        for (QWidget* window :
             {static_cast<QWidget*>(w.form.NewGameDialog), static_cast<QWidget*>(&help)}) {
            window->show();
            EXPECT_TRUE(Within(area, *window));
            window->hide();
        }
        CheckNextBox([&](QMessageBox& box) {
            EXPECT_TRUE(Within(area, box));
            const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            ASSERT_NE(label, nullptr);
            EXPECT_TRUE(ShowsWhole(*label)) << label->width() << " wide";
        });
        TQtDialogs(&w.window).Message(notice);
    }
}

}  // namespace
