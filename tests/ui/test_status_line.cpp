// What the window tells the player besides the client area: the status line and the
// sentences said to a screen reader in every state of the controller, the keyboard's way
// through the window and the new-game dialog, the scale setting, and windows that fit the
// screen.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <sstream>

#include "PlayerWindow.h"
#include "ui/board/untBoardView.h"
#include "ui/controls/untScreenFit.h"
#include "ui/game/untAnnouncer.h"
#include "ui/game/untStatusLine.h"
#include "ui/help/untHelp.h"
#include "ui/help/untHint.h"

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
// Black's h1 fills the board.
const TPicture kLastSquare = {"XXXXXXO.", "XXXXXXXX", "XXXXXXXX", "XXXXXXXX",
                              "XXXXXXXX", "XXXXXXXX", "XXXXXXXX", "OOOOOOOO"};

// Plays the player's part of a state, word by word: a square is clicked, or typed on the
// board when written "type:f5" (the frame must stay put until the digit); "wait" lets the
// computer's turn end and be said, "hold" keeps it pending, "pass" waits for the player's
// pass with the computer's next move held; the others are the menu's commands.
void Act(TPlayerWindow& w, const std::string& words) {
    std::istringstream in(words);
    for (std::string word; in >> word;) {
        if (word == "wait") {
            WaitWhileBusy(w.form);
            QCoreApplication::sendPostedEvents();  // the turn is said before the next word
        }
        if (word == "hold") w.form.Timer1->setInterval(INT32_MAX);
        if (word == "pass") {
            w.form.WaitOnPass = INT32_MAX;
            ASSERT_TRUE(
                Eventually([&] { return w.form.Label_mes2->text() == "人がパスしました。"; }));
        }
        if (word == "undo") w.window.TakeBackAction->trigger();
        if (word == "copy") w.window.CopyRecordAction->trigger();
        if (word == "hint") w.window.HintAction->trigger();
        if (word == "new") {
            w.dialogs.modalScripts.push_back(
                [](QDialog& dialog) { static_cast<TForm2&>(dialog).Button1->click(); });
            w.window.NewGameAction->trigger();
        }
        if (word.starts_with("type:")) {
            const int framed = w.window.Board()->FocusSquare();
            QTest::keyClick(w.window.Board(), word[5]);
            EXPECT_EQ(w.window.Board()->FocusSquare(), framed);
            QTest::keyClick(w.window.Board(), word[6]);
        }
        if (word.size() == 2 && word[0] >= 'a' && word[0] <= 'h')
            w.form.OnBan_Click(w.form.Ban[SquareOf(word.c_str())]);
    }
}

// In each state of the controller the status line says what has just happened (%1, %2: the
// computer's squares), whose turn it is and the discs, its right-hand part shows the hint or
// a command's answer (here its start), and the screen reader hears one sentence a turn
// (sentences joined by '|'); a wrong square, the record copied or a hint asked for keep the
// turn in view.
TEST(StatusLineTest, SaysWhoseTurnItIsAndWhatJustHappenedInEveryState) {
    const std::tuple<const TPicture*, int, const char*, const char*, const char*, const char*>
        states[] = {
            {nullptr, 0, "",
             "打つマスをクリックしてください（キーボード: 矢印キーと Enter、または f 5） — 黒 "
             "2・白 2",
             "", ""},
            {nullptr, 0, "hold f5", "あなた: f5 — COM 思考中… — 黒 4・白 1", "", ""},
            {nullptr, 0, "f5 wait", "COM: %1 — あなたの番です — 黒 3・白 3", "",
             "あなたは f5、COM は %1。あなたの番です。"},
            {nullptr, 0, "type:a1 type:c4 wait", "COM: %1 — あなたの番です — 黒 3・白 3", "",
             "合法手ではありません。|あなたは c4、COM は %1。あなたの番です。"},
            {nullptr, 0, "f5 wait undo", "待ったをしました — あなたの番です — 黒 2・白 2", "",
             "あなたは f5、COM は %1。あなたの番です。|待ったをしました。あなたの番です。"},
            {&kComputerMustPass, 20, "a1 wait", "COM はパスしました — あなたの番です — 黒 14・白 1",
             "", "あなたは a1、COM はパスしました。あなたの番です。"},
            {&kHumanMustPass, 20, "f4 pass", "COM: %1、あなたはパス — COM 思考中… — 黒 4・白 14",
             "", "あなたは f4、COM は %1。あなたはパスです。"},
            {&kHumanMustPass, 20, "f4 wait",
             "COM: %1、あなたはパス、COM: %2 — ゲーム終了 — 黒 3・白 16", "",
             "あなたは f4、COM は %1。あなたはパスです。|COM は %2。ゲーム終了。黒 3、白 "
             "16。COM の勝ちです。"},
            {&kLastDiscs, 10, "d1", "あなた: d1 — ゲーム終了 — 黒 4・白 0", "",
             "あなたは d1。ゲーム終了。黒 4、白 0。あなたの勝ちです。"},
            {&kLastSquare, 59, "h1", "あなた: h1 — ゲーム終了 — 黒 56・白 8", "",
             "あなたは h1。ゲーム終了。黒 56、白 8。あなたの勝ちです。"},
            {&kLastDiscs, 10, "d1 new", "黒（あなた）の番です — 黒 2・白 2", "",
             "あなたは d1。ゲーム終了。黒 4、白 "
             "0。あなたの勝ちです。|新しいゲームです。初級、TypeA。あなたの番です。"},
            {nullptr, 0, "f5 wait copy", "COM: %1 — あなたの番です — 黒 3・白 3",
             "棋譜（2 手）をコピーしました",
             "あなたは f5、COM は %1。あなたの番です。|棋譜（2 手）をコピーしました。"},
            {nullptr, 0, "hold f5 hint", "あなた: f5 — COM 思考中… — 黒 4・白 1",
             "ヒントはあなたの番に出します", "ヒントはあなたの番に出します。"},
            {nullptr, 0, "f5 hint wait", "COM: %1 — あなたの番です — 黒 3・白 3", "ヒント: ",
             "ヒントはあなたの番に出します。|あなたは f5、COM は %1。あなたの番です。|ヒント: "},
        };
    for (const auto& [picture, moveNumber, words, turn, notice, said] : states) {
        SCOPED_TRACE(words);
        QTemporaryDir folder;
        TPlayerWindow w(folder.path());
        QStringList heard;
        QObject::connect(w.window.Announcer(), &TAnnouncer::Said,
                         [&](const QString& sentence) { heard << sentence; });
        QStringList computer;
        QObject::connect(&w.form, &TForm1::Happened, [&](THappening what, int square) {
            if (what == THappening::ComputerMoved)
                computer << QString::fromStdString(SquareName(square));
        });
        RandSeed(9);
        if (picture) SetGameBoard(*w.form.Engine, *picture, moveNumber);
        Act(w, words);
        const auto filled = [&](const char* text) {
            return QString(text).replace("%1", computer.value(0)).replace("%2", computer.value(1));
        };
        // The sentences are said once the events that gave them have run: the wait ends when
        // as much has been heard as is expected, in however many sentences.
        const QString expected = filled(said);
        QCoreApplication::processEvents();
        ASSERT_TRUE(Eventually(
            [&] { return heard.join("").size() >= QString(expected).remove('|').size(); }));
        const TStatusLine& line = *w.window.StatusLine();
        EXPECT_EQ(line.Turn()->text(), filled(turn));
        EXPECT_EQ(line.Notice()->text().left(QString(notice).size()), notice);
        EXPECT_EQ(!line.Notice()->isHidden(), *notice != 0);
        EXPECT_EQ(heard.join('|').left(expected.size()), expected);
        EXPECT_EQ(heard.size(), QString(said).count('|') + (*said ? 1 : 0));
        const int hint = w.window.Hint()->Square();
        EXPECT_TRUE(hint == 0 || (w.form.HumanMoves() & MaskOf(hint)));
    }
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
            TPlayerWindow(folder.path()).window.ScaleActions[from]->trigger();
            TPlayerWindow next(folder.path());
            EXPECT_EQ(marked(next.window), std::vector<int>{kScalePercents[from]});
            next.window.ScaleActions[to]->trigger();
            EXPECT_EQ(marked(next.window), std::vector<int>{kScalePercents[to]});
            EXPECT_EQ(next.settings.View().scalePercent, kScalePercents[to]) << from << to;
        }
}

// Tab goes through the new-game dialog's choices, landing in each radio group on its checked
// item, then through both waits and the two buttons; each placement is named by what it
// shows.
TEST(KeyboardTest, TabReachesEveryChoiceOfTheNewGameDialogOnItsCheckedItem) {
    QTemporaryDir folder;
    TPlayerWindow w(folder.path());
    TForm2& dialog = *w.form.NewGameDialog;
    QRadioButton* placements[] = {dialog.RadioButton1, dialog.RadioButton2, dialog.RadioButton3,
                                  dialog.RadioButton4};
    QSet<QString> names;
    for (QRadioButton* button : placements)
        names << QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
    EXPECT_EQ(names.size(), 4);
    EXPECT_FALSE(names.contains("初期配置"));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    for (const auto& [level, type, placement] : {std::tuple{1, 0, 0}, {3, 2, 2}, {0, 1, 3}}) {
        dialog.RadioGroup2->SetItemIndex(level);
        dialog.RadioGroup1->SetItemIndex(type);
        dialog.OnRadioGroup2_Click();
        placements[placement]->setChecked(true);
        std::vector<QWidget*> expected = {dialog.RadioGroup2->Item(level)};
        if (level != 0) expected.push_back(dialog.RadioGroup1->Item(type));  // random play
        expected.insert(expected.end(),
                        {placements[placement], dialog.ScrollBar1, dialog.ScrollBar2,
                         dialog.RadioGroup3->Item(0), dialog.RadioGroup4->Item(0), dialog.Button1,
                         dialog.Button2});
        dialog.Button2->setFocus();
        std::vector<QWidget*> reached;
        for (size_t i = 0; i < expected.size(); ++i) {
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
            reached.push_back(dialog.focusWidget());
        }
        EXPECT_EQ(reached, expected) << level << type << placement;
    }
    dialog.hide();
}

// Every window the game opens fits the available area: the help page at 200 % on a
// 1280 x 1024 screen with a panel, and a window shown for real larger than the screen.
TEST(ScreenFitTest, EveryWindowFitsTheAvailableArea) {
    QTemporaryDir folder;
    TPlayerWindow w(folder.path());
    THelpWindow help("成績.dat", "tolvaney.conf", &w.window);
    FitOnScreen(help, QRect(0, 16, 640, 480));
    EXPECT_TRUE(help.width() <= 640 && help.height() <= 480) << help.height();
    help.resize(4000, 4000);
    help.show();
    EXPECT_TRUE(help.screen()->availableGeometry().contains(help.frameGeometry()));
}

}  // namespace
