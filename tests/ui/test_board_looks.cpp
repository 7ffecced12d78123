// The board as it looks and sounds: the view options against the drawn board, discs turning
// over while every command comes in at several moments, and a game heard without a sound
// device. CTest runs the drawn board once more at twice the density.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "PlayerWindow.h"
#include "ui/board/untBoardView.h"
#include "ui/board/untDiscTurning.h"
#include "ui/board/untSounds.h"

namespace {

const QRect kBoardArea(8, 7, 322, 322);

QImage BoardOf(TForm1& form) {
    return form.grab(kBoardArea).toImage().convertToFormat(QImage::Format_RGB32);
}

// The brightness at a point of a square, from its disc box's centre.
int Brightness(const QImage& board, TBoardView& view, const char* square, QPoint offset = {}) {
    const QPointF at = QRectF(view.SquareRect(SquareOf(square))).center() + offset;
    return qGray(board.pixel((at * board.devicePixelRatio()).toPoint()));
}

void PointAt(TForm1& form, const char* square) {
    QWidget* image = form.Ban[SquareOf(square)];
    const QPointF at = image->rect().center();
    QMouseEvent move(QEvent::MouseMove, at, image->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(image, &move);
}

double Linear(int channel) {  // an sRGB channel in linear light
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The WCAG contrast of a picture's text and its background's luminance: the most frequent colour
// is the background, the text the farthest in luminance of those frequent enough to be cores.
std::pair<double, double> TextContrast(const QImage& picture) {
    const auto luminance = [](QRgb c) {
        return 0.2126 * Linear(qRed(c)) + 0.7152 * Linear(qGreen(c)) + 0.0722 * Linear(qBlue(c));
    };
    std::map<QRgb, int> counts;
    for (int i = 0; i < picture.width() * picture.height(); ++i)
        ++counts[picture.pixel(i % picture.width(), i / picture.width())];
    const double back =
        luminance(std::ranges::max_element(counts, {}, &std::pair<const QRgb, int>::second)->first);
    double text = back;
    for (const auto& [colour, count] : counts)
        if (count >= 6 && std::abs(luminance(colour) - back) > std::abs(text - back))
            text = luminance(colour);
    return {(std::max(text, back) + 0.05) / (std::min(text, back) + 0.05), back};
}

using BoardLooksTest = TPlayerFolderTest;

// Each theme shows the start position by brightness alone: dark black discs, light white
// discs, and in high contrast a board far from both with a white rim round each black disc.
// The turnable discs are marked for the pointer or the frame on a legal square only,
// whichever moved last, and
// with every option at its default the board is drawn as the main window alone draws it.
TEST_F(BoardLooksTest, PicturesOfEveryOptionAgainstTheDrawnBoard) {
    TScriptedDialogs::TShared dialogs;
    TForm1 alone(std::make_unique<TScriptedDialogs>(dialogs), nullptr,
                 (Folder("alone") + "/成績.dat").toStdString());
    TPlayerWindow w(Folder("w"));
    TBoardView& view = *w.window.Board();
    EXPECT_EQ(w.settings.View(), TViewOptions{});
    EXPECT_EQ(BoardOf(w.form), BoardOf(alone));
    const QImage pictures = BoardOf(w.form);
    const struct {
        TTheme theme;
        int darkestSquare, lightestSquare;
    } themes[] = {
        {TTheme::Pictures, 60, 160}, {TTheme::HighContrast, 0, 40}, {TTheme::Dark, 0, 80}};
    for (const auto& [theme, darkestSquare, lightestSquare] : themes) {
        SCOPED_TRACE(static_cast<int>(theme));
        w.window.ThemeActions[static_cast<int>(theme)]->trigger();
        EXPECT_EQ(TSettings(w.settings.File()).View().theme, theme);
        const QImage drawn = BoardOf(w.form);
        EXPECT_EQ(drawn == pictures, theme == TTheme::Pictures);
        EXPECT_LT(Brightness(drawn, view, "d5"), 60);
        EXPECT_GT(Brightness(drawn, view, "e5"), 180);
        EXPECT_GE(Brightness(drawn, view, "a1"), darkestSquare);
        EXPECT_LE(Brightness(drawn, view, "a1"), lightestSquare);
        if (theme == TTheme::HighContrast) {
            EXPECT_GT(Brightness(drawn, view, "d5", {15, 0}), 200);
        }

        w.window.TurnableAction->setChecked(true);
        w.window.show();
        QApplication::setActiveWindow(&w.window);
        const uint64_t e5 = MaskOf(SquareOf("e5"));
        const std::tuple<const char*, bool, uint64_t> places[] = {
            {"a1", false, 0}, {"f5", false, e5}, {"a1", true, e5}};
        for (const auto& [square, byFrame, turnable] : places) {
            if (byFrame)
                view.setFocus();  // the frame starts on f5
            else
                view.clearFocus();
            ASSERT_EQ(view.ShowsFocusFrame(), byFrame);
            PointAt(w.form, square);
            if (byFrame) {  // the marks follow what moved last: the pointer, then the frame
                EXPECT_EQ(view.TurnableDiscs(), 0u);
                QTest::keyClick(&view, Qt::Key_Left);
                QTest::keyClick(&view, Qt::Key_Right);
            }
            EXPECT_EQ(view.TurnableDiscs(), turnable);
            const QImage marked = BoardOf(w.form);
            EXPECT_EQ(Brightness(marked, view, "e5") < 100, view.TurnableDiscs() != 0) << square;
            if (!view.TurnableDiscs()) {
                EXPECT_EQ(marked, drawn);
            }
        }
        view.clearFocus();
        w.window.TurnableAction->setChecked(false);
    }
}

// The reply's discs turning, at its start, in its middle and near its end, then each command:
// the game handles it as the window without turning does, and the board ends the same.
TEST_F(BoardLooksTest, TurningDiscsInterruptedByEveryCommandAtSeveralMoments) {
    constexpr int kHeld = 3600000;  // a turning that waits for the test
    const auto firstLegal = [](TForm1& f) {
        return kSquareOfBit[std::countr_zero(f.HumanMoves())];
    };
    // Each command, and whether it stops the turning at once (the board replaced, or the
    // turning switched off) or leaves it turning (a move turns its own discs).
    const std::tuple<const char*, std::function<void(TPlayerWindow&)>, bool> commands[] = {
        {"a move", [&](TPlayerWindow& w) { w.form.OnBan_Click(w.form.Ban[firstLegal(w.form)]); },
         false},
        {"an illegal click",
         [](TPlayerWindow& w) { w.form.OnBan_Click(w.form.Ban[SquareOf("a1")]); }, false},
        {"take-back", [](TPlayerWindow& w) { w.window.TakeBackAction->trigger(); }, true},
        {"new game",
         [](TPlayerWindow& w) {
             w.dialogs.modalScripts.push_back(
                 [](QDialog& dialog) { static_cast<TForm2&>(dialog).Button1->click(); });
             w.window.NewGameAction->trigger();
         },
         true},
        {"game record", [](TPlayerWindow& w) { w.window.CopyRecordAction->trigger(); }, false},
        {"results", [](TPlayerWindow& w) { w.window.ResultsAction->trigger(); }, false},
        {"a theme", [](TPlayerWindow& w) { w.window.ThemeActions[2]->trigger(); }, false},
        {"turning off", [](TPlayerWindow& w) { w.window.TurnDiscsAction->setChecked(false); },
         true},
    };
    int run = 0;
    for (const double moment : {0.0, 0.4, 0.8})
        for (const auto& [name, command, stops] : commands) {
            SCOPED_TRACE(std::string(name) + " at " + std::to_string(moment));
            QImage still[2];
            for (const bool turning : {false, true}) {
                TPlayerWindow w(Folder(QString::number(run++)));
                TDiscTurning& discs = w.window.Board()->Turning();
                w.form.GameSeed = 1;
                w.window.TurnDiscsAction->setChecked(turning);
                discs.setDuration(kHeld);
                RandSeed(5);
                w.form.OnBan_Click(w.form.Ban[SquareOf("f5")]);
                WaitWhileBusy(w.form);
                if (!turning) still[0] = BoardOf(w.form);
                ASSERT_EQ(discs.Turning(), turning);
                discs.setCurrentTime(static_cast<int>(moment * kHeld));
                if (turning) {
                    EXPECT_NE(BoardOf(w.form), still[0]);
                }
                command(w);
                EXPECT_EQ(discs.Turning(), turning && !stops);
                WaitWhileBusy(w.form);
                if (discs.Turning()) discs.setCurrentTime(kHeld);  // the turning plays out
                EXPECT_FALSE(discs.Turning());
                if (!turning) still[1] = BoardOf(w.form);
                EXPECT_EQ(BoardOf(w.form), still[1]);
            }
        }
}

// With the sounds on and no sound device, a game is heard move by move and at its end, and
// nothing is shown or printed.
TEST_F(BoardLooksTest, AGameIsHeardWithoutASoundDeviceAndNothingIsSaid) {
    static QStringList logged;
    logged.clear();
    const QtMessageHandler before = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { logged << text; });
    TPlayerWindow w(Folder("sounds"));
    w.window.SoundsAction->setChecked(true);
    std::vector<TSound> due;
    QObject::connect(w.window.Sounds(), &TSounds::Due, [&](TSound sound) { due.push_back(sound); });
    RandSeed(9);
    while (w.form.Busy == 0) {
        std::vector<int> legal;
        for (uint64_t moves = w.form.HumanMoves(); moves; moves &= moves - 1)
            legal.push_back(kSquareOfBit[std::countr_zero(moves)]);
        w.form.OnBan_Click(w.form.Ban[legal[Random(static_cast<uint32_t>(legal.size()))]]);
        WaitWhileBusy(w.form);
    }
    qInstallMessageHandler(before);
    const long placed = std::count(std::begin(w.form.GameRecord), std::end(w.form.GameRecord), 0);
    EXPECT_EQ(std::count(due.begin(), due.end(), TSound::Placed), GAME_RECORD_SIZE - placed);
    const int black = w.form.Engine->BlackCount, white = w.form.Engine->WhiteCount;
    EXPECT_EQ(due.back(), black > white   ? TSound::Won
                          : black < white ? TSound::Lost
                                          : TSound::Drawn);
    EXPECT_TRUE(w.dialogs.shown.isEmpty());
    EXPECT_TRUE(logged.isEmpty()) << logged.join('\n').toStdString();
}

// Each theme puts every text of the window (at 200 %, where strokes have cores) on a dark
// background at its contrast; the standard theme puts back the window and its menus' looks.
TEST_F(BoardLooksTest, EveryTextOfTheWindowReachesItsThemesContrast) {
    TPlayerWindow w(Folder("w"));
    QMenu* menu = w.window.menuBar()->actions()[0]->menu();
    QMenu plain;  // made before the texts are scaled, as the window's menus are
    plain.addActions(menu->actions());
    w.window.ScaleActions[3]->trigger();
    w.window.show();
    w.form.Label_mes2->setText(QStringLiteral("黒 2 個  白 2 個"));
    w.form.Label_mes3->setText(QStringLiteral("あなたの番です"));
    const QImage designed = w.window.grab().toImage();
    for (const auto& [theme, least] : {std::pair{TTheme::HighContrast, 7.0}, {TTheme::Dark, 4.5}}) {
        w.window.ThemeActions[static_cast<int>(theme)]->trigger();
        menu->popup(w.window.pos());
        w.form.Button_Matta->setEnabled(false);  // after the menu's opening enabled it
        QWidgetList texts = {menu, w.window.menuBar(), w.window.findChild<QWidget*>("turn")};
        for (QWidget* child : w.form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->isVisible() && !child->property("text").toString().isEmpty()) texts << child;
        for (QWidget* text : texts) {  // inside the frames of the menu and the buttons
            const auto [contrast, background] =
                TextContrast(text->grab(text->rect().adjusted(6, 6, -6, -6)).toImage());
            EXPECT_TRUE(contrast >= least && background < 0.1) << texts.indexOf(text);
        }
    }
    w.window.ThemeActions[0]->trigger();
    menu->popup(w.window.pos());
    plain.popup(w.window.pos());
    EXPECT_EQ(menu->grab().toImage(), plain.grab().toImage());
    EXPECT_EQ(w.window.grab().toImage(), designed);
}

}  // namespace
