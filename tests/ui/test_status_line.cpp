// What the window tells the player besides the client area: the status line and the
// sentences said to a screen reader in every state of the controller, the keyboard's way
// through the window and the new-game dialog, the scale setting, and windows that fit the
// screen.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "PlayerWindow.h"
#include "learn/untSubForm.h"
#include "ui/untAnnouncer.h"
#include "ui/untBoardView.h"
#include "ui/untHelp.h"
#include "ui/untHint.h"
#include "ui/untScreenFit.h"
#include "ui/untStatusLine.h"

namespace {

// Black's a1 or h8 takes a white disc; white's other disc is left without a move.
const TPicture kComputerMustPass = {".OXXXXXX", "........", "........", "........",
                                    "........", "........", "........", "XXXXXXO."};
// After black's f4 white takes a1 or h8, and black has no move.
const TPicture kHumanMustPass = {".XOOOOOO", "........", "........", "...XO...",
                                 "........", "........", "........", "OOOOOOX."};
// Black's d1 takes white's last discs.
const TPicture kLastDiscs = {"XOO.....", "........", "........", "........",
                             "........", "........", "........", "........"};

void Play(TPlayerWindow& w, const char* square) {
    w.form.OnBan_Click(w.form.Ban[SquareOf(square)]);
}

void PlayAndWait(TPlayerWindow& w, const char* square) {
    Play(w, square);
    WaitWhileBusy(w.form);
}

struct TState {
    const char* name;
    std::function<void(TPlayerWindow&)> reach;
    const char* turn;    // %1 stands for the computer's last square
    const char* notice;  // the right-hand part of the line
    const char* said;    // the sentences said while reaching the state, joined by '|'
};

// In each state of the controller the status line says whose turn it is and what has just
// happened, and the screen reader hears it as sentences; a wrong click, the record copied or
// a hint asked for keep the turn in view.
TEST(StatusLineTest, SaysWhoseTurnItIsAndWhatJustHappenedInEveryState) {
    const TState states[] = {
        {"at start-up", [](TPlayerWindow&) {},
         "打つマスをクリックしてください（キーボード: 矢印キーと Enter、または f 5）", "", ""},
        {"the computer thinking",
         [](TPlayerWindow& w) {
             w.form.Timer1->setInterval(INT32_MAX);
             Play(w, "f5");
         },
         "あなた: f5 — COM 思考中…", "", ""},
        {"after its move", [](TPlayerWindow& w) { PlayAndWait(w, "f5"); },
         "COM: %1 — あなたの番です", "", "COM は %1。あなたの番です。"},
        {"a wrong click",
         [](TPlayerWindow& w) {
             PlayAndWait(w, "f5");
             Play(w, "a1");
         },
         "COM: %1 — あなたの番です", "", "COM は %1。あなたの番です。|合法手ではありません。"},
        {"a take-back",
         [](TPlayerWindow& w) {
             PlayAndWait(w, "f5");
             w.window.TakeBackAction->trigger();
         },
         "待ったをしました — あなたの番です", "",
         "COM は %1。あなたの番です。|待ったをしました。あなたの番です。"},
        {"the computer passes",
         [](TPlayerWindow& w) {
             SetGameBoard(*w.form.Engine, kComputerMustPass, 20);
             PlayAndWait(w, "a1");
         },
         "COM はパスしました — あなたの番です", "", "COM はパスしました。あなたの番です。"},
        {"the human passes",
         [](TPlayerWindow& w) {
             SetGameBoard(*w.form.Engine, kHumanMustPass, 20);
             w.form.WaitOnPass = INT32_MAX;
             Play(w, "f4");
             ASSERT_TRUE(
                 Eventually([&] { return w.form.Label_mes2->text() == "人がパスしました。"; }));
         },
         "COM: %1、あなたはパス — COM 思考中…", "", "COM は %1。あなたはパスです。"},
        {"the end",
         [](TPlayerWindow& w) {
             SetGameBoard(*w.form.Engine, kLastDiscs, 10);
             Play(w, "d1");
         },
         "あなた: d1 — ゲーム終了: 黒 4 – 白 0", "", "ゲーム終了。黒 4、白 0。あなたの勝ちです。"},
        {"a new game after the end",
         [](TPlayerWindow& w) {
             SetGameBoard(*w.form.Engine, kLastDiscs, 10);
             Play(w, "d1");
             w.dialogs.modalScripts.push_back(
                 [](QDialog& dialog) { static_cast<TForm2&>(dialog).Button1->click(); });
             w.window.NewGameAction->trigger();
         },
         "黒（あなた）の番です", "",
         "ゲーム終了。黒 4、白 "
         "0。あなたの勝ちです。|新しいゲームです。初級、TypeA。あなたの番です。"},
        {"the record copied",
         [](TPlayerWindow& w) {
             PlayAndWait(w, "f5");
             w.window.CopyRecordAction->trigger();
         },
         "COM: %1 — あなたの番です", "棋譜（2 手）をコピーしました",
         "COM は %1。あなたの番です。|棋譜（2 手）をコピーしました。"},
        {"a hint asked for while the computer thinks",
         [](TPlayerWindow& w) {
             w.form.Timer1->setInterval(INT32_MAX);
             Play(w, "f5");
             w.window.HintAction->trigger();
         },
         "あなた: f5 — COM 思考中…", "ヒントはあなたの番に出します",
         "ヒントはあなたの番に出します。"},
    };
    for (const TState& state : states) {
        SCOPED_TRACE(state.name);
        QTemporaryDir folder;
        TPlayerWindow w(folder.path());
        QStringList said;
        QObject::connect(w.window.Announcer(), &TAnnouncer::Said,
                         [&](const QString& sentence) { said << sentence; });
        QString computer;
        QObject::connect(&w.form, &TForm1::Happened, [&](THappening what, int square) {
            if (what == THappening::ComputerMoved)
                computer = QString::fromStdString(SquareName(square));
        });
        RandSeed(9);
        state.reach(w);
        QCoreApplication::processEvents();  // what was said in the last pass is announced
        const TStatusLine& line = *w.window.StatusLine();
        EXPECT_EQ(line.Turn()->text(), QString(state.turn).replace("%1", computer));
        EXPECT_EQ(line.Notice()->text(), state.notice);
        EXPECT_EQ(said.join('|'), QString(state.said).replace("%1", computer));
    }
}

// A hint asked for during the computer's turn is worked out when the player's turn comes.
TEST(StatusLineTest, AHintAskedForWhileTheComputerThinksComesOnThePlayersTurn) {
    QTemporaryDir folder;
    TPlayerWindow w(folder.path());
    Play(w, "f5");
    w.window.HintAction->trigger();
    WaitWhileBusy(w.form);
    ASSERT_TRUE(Eventually([&] { return w.window.Hint()->Square() != 0; }));
    EXPECT_TRUE(w.form.HumanMoves() & MaskOf(w.window.Hint()->Square()));
    EXPECT_TRUE(w.window.StatusLine()->Notice()->text().startsWith("ヒント: "));
}

// Each scale chosen is kept, whatever was chosen before, with exactly one item marked, in
// this run and the next.
TEST(ScaleSettingTest, EveryChoiceIsKeptWithExactlyOneItemMarked) {
    const auto marked = [](TMainWindow& window) {
        std::vector<int> percents;
        for (size_t i = 0; i < kScalePercents.size(); ++i)
            if (window.ScaleActions[i]->isChecked()) percents.push_back(kScalePercents[i]);
        return percents;
    };
    QTemporaryDir folder;
    for (size_t from = 0; from < kScalePercents.size(); ++from)
        for (size_t to = 0; to < kScalePercents.size(); ++to) {
            SCOPED_TRACE(testing::Message()
                         << kScalePercents[from] << " to " << kScalePercents[to]);
            {
                TPlayerWindow first(folder.path());
                first.window.ScaleActions[from]->trigger();
            }
            TPlayerWindow second(folder.path());
            EXPECT_EQ(marked(second.window), std::vector<int>{kScalePercents[from]});
            second.window.ScaleActions[to]->trigger();
            EXPECT_EQ(marked(second.window), std::vector<int>{kScalePercents[to]});
            EXPECT_EQ(TSettings(folder.path() + "/tolvaney.conf").View().scalePercent,
                      kScalePercents[to]);
        }
}

// Tab goes through the new-game dialog's choices, landing in each radio group on its checked
// item, then through both waits and the two buttons.
TEST(KeyboardTest, TabReachesEveryChoiceOfTheNewGameDialogOnItsCheckedItem) {
    QTemporaryDir folder;
    TPlayerWindow w(folder.path());
    TForm2& dialog = *w.form.NewGameDialog;
    QRadioButton* placements[] = {dialog.RadioButton1, dialog.RadioButton2, dialog.RadioButton3,
                                  dialog.RadioButton4};
    const std::tuple<int, int, int> choices[] = {{1, 0, 0}, {3, 2, 2}, {2, 3, 3}, {0, 1, 1}};
    QStringList names;  // each placement named by what it shows
    for (QRadioButton* button : placements)
        names << QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 4) << names.join(',').toStdString();
    EXPECT_FALSE(names.contains("初期配置"));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    for (const auto& [level, type, placement] : choices) {
        dialog.RadioGroup2->SetItemIndex(level);
        dialog.RadioGroup1->SetItemIndex(type);
        dialog.OnRadioGroup2_Click();
        placements[placement]->setChecked(true);
        std::vector<QWidget*> expected = {dialog.RadioGroup2->Item(level)};
        if (level != 0) expected.push_back(dialog.RadioGroup1->Item(type));  // random play
        expected.insert(expected.end(), {placements[placement], dialog.ScrollBar1,
                                         dialog.ScrollBar2, dialog.Button1, dialog.Button2});
        dialog.Button2->setFocus();
        std::vector<QWidget*> reached;
        for (size_t i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached.push_back(QApplication::focusWidget());
        }
        EXPECT_EQ(reached, expected) << level << type << placement;
    }
    dialog.hide();
}

// F10 opens the menu bar; the board shows its frame as soon as it has the keyboard.
TEST(KeyboardTest, F10OpensTheMenuBarAndTheBoardShowsItsFrameWhenFocused) {
    QTemporaryDir folder;
    TPlayerWindow w(folder.path());
    w.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    TBoardView& board = *w.window.Board();
    board.setFocus();
    EXPECT_TRUE(board.ShowsFocusFrame());
    QTest::keyClick(&board, Qt::Key_F10);
    EXPECT_EQ(w.window.menuBar()->activeAction(), w.window.menuBar()->actions().value(0));
    ASSERT_TRUE(Eventually([] { return QApplication::activePopupWidget() != nullptr; }));
    QApplication::activePopupWidget()->close();
}

// Every window the game opens is made to fit the screen's available area: here that of a
// 1280 x 1024 screen at 200 % with a panel, where the help page is too tall.
TEST(ScreenFitTest, EveryWindowFitsTheAvailableArea) {
    QTemporaryDir folder;
    TPlayerWindow w(folder.path());
    const QRect area(0, 16, 640, 480);
    THelpWindow help("成績.dat", "tolvaney.conf", &w.window);
    QWidget* windows[] = {&help, w.form.NewGameDialog, w.form.PatternEditor};
    for (QWidget* window : windows) {
        FitOnScreen(*window, area);
        EXPECT_LE(window->width(), area.width()) << window->windowTitle().toStdString();
        EXPECT_LE(window->height(), area.height()) << window->windowTitle().toStdString();
    }
    // Shown for real, a window too large for the screen is fitted to it.
    QWidget large;
    large.resize(4000, 4000);
    large.show();
    const QRect available = large.screen()->availableGeometry();
    EXPECT_TRUE(available.contains(large.frameGeometry())) << available.width();
}

}  // namespace
