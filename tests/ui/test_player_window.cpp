// The window around the game as a player finds their way in it: the menu commands against
// their buttons, play by keys alone, the legal-move markers and the screen reader's names
// against the reference board, the client area unchanged with every option off, and the
// settings kept across runs.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <fstream>

#include "PlayerWindow.h"
#include "ReferenceBoard.h"
#include "analysis/untAnalysis.h"
#include "engine/untTextFile.h"
#include "ui/board/untBoardAccessible.h"
#include "ui/board/untBoardView.h"
#include "ui/game/untAdviceSettings.h"
#include "ui/game/untInitialize.h"
#include "ui/game/untStatusLine.h"
#include "ui/help/untAnalysisCommand.h"
#include "ui/help/untHint.h"
#include "ui/shell/untMainWindow.h"

namespace {

// What the player can see of the game and of the program; the thinking time and the
// clock's time are the only things allowed to differ between two runs.
QString StateOf(TPlayerWindow& w) {
    const TForm1& f = w.form;
    QString state =
        QString::fromLatin1(reinterpret_cast<const char*>(f.Engine->Boards[0].Cells), 100);
    for (uint8_t square : f.GameRecord)
        state += QString::number(square) + ',';
    state += QString("|%1|%2|%3|%4|%5|")
                 .arg(f.Busy)
                 .arg(f.TakeBackUsed)
                 .arg(f.Timer1->isActive())
                 .arg(f.GameNumber)
                 .arg(f.Engine->GameLevel);
    state += f.Label_Message->text() + '|' + f.Label_mes2->text() + '|' + f.Label_mes3->text() +
             '|' + w.dialogs.shown.join(';') + '|' + QGuiApplication::clipboard()->text();
    static const QRegularExpression kTimes(QStringLiteral("[0-9.e-]+秒|\\d+:\\d\\d:\\d\\d"));
    return state.replace(kTimes, QStringLiteral("#"));
}

using PlayerWindowTest = TPlayerFolderTest;

// Each menu command against its button, in every state of the controller: two windows
// brought to the same state, one given the click and one the command, must then agree.
TEST_F(PlayerWindowTest, EveryMenuCommandDoesWhatItsButtonDoes) {
    const std::pair<const char*, std::function<void(TPlayerWindow&)>> states[] = {
        {"at start-up", [](TPlayerWindow&) {}},
        {"the computer's turn pending",
         [](TPlayerWindow& w) {
             w.form.Timer1->setInterval(INT32_MAX);
             w.form.OnBan_Click(w.form.Ban[SquareOf("f5")]);
         }},
        {"the human to move after a reply",
         [](TPlayerWindow& w) {
             w.form.OnBan_Click(w.form.Ban[SquareOf("f5")]);
             WaitWhileBusy(w.form);
         }},
        {"after a take-back",
         [](TPlayerWindow& w) {
             w.form.OnBan_Click(w.form.Ban[SquareOf("f5")]);
             WaitWhileBusy(w.form);
             w.form.OnButton_MattaClick();
         }},
        {"the game over",
         [](TPlayerWindow& w) {
             SetGameBoard(*w.form.Engine,
                          {"XOO.....", "........", "........", "........", "........", "........",
                           "........", "........"},
                          10);
             w.form.OnBan_Click(w.form.Ban[SquareOf("d1")]);
         }},
    };
    const std::tuple<const char*, QPushButton * TForm1::*, QAction * TMainWindow::*> commands[] = {
        {"new game", &TForm1::Button_Start, &TMainWindow::NewGameAction},
        {"take-back", &TForm1::Button_Matta, &TMainWindow::TakeBackAction},
        {"game record", &TForm1::Button_Touryo, &TMainWindow::CopyRecordAction},
        {"results", &TForm1::Button2, &TMainWindow::ResultsAction},
        {"quit", &TForm1::Button_Exit, &TMainWindow::QuitAction},
    };
    int run = 0;
    for (const auto& [stateName, reach] : states)
        for (const auto& [commandName, button, action] : commands) {
            SCOPED_TRACE(std::string(commandName) + ", " + stateName);
            QString after[2];
            for (int byMenu = 0; byMenu < 2; ++byMenu) {
                TPlayerWindow w(Folder(QString::number(run++)));
                RandSeed(7);
                reach(w);
                w.dialogs.modalScripts.push_back(
                    [](QDialog& dialog) { static_cast<TForm2&>(dialog).Button1->click(); });
                QGuiApplication::clipboard()->clear();
                if (byMenu)
                    (w.window.*action)->trigger();
                else
                    (w.form.*button)->click();
                after[byMenu] = StateOf(w);
            }
            EXPECT_EQ(after[1].toStdString(), after[0].toStdString());
        }
}

// A whole game typed on the board: a column letter and a row digit, or the arrows to the
// square and Enter or Space, each move landing in the record as a click would.
TEST_F(PlayerWindowTest, AWholeGameIsPlayedByKeysAlone) {
    TPlayerWindow w(Folder("game"));
    TBoardView& board = *w.window.Board();
    RandSeed(3);
    int moves = 0;
    while (w.form.Busy == 0) {
        std::vector<int> legal;
        for (int square = 11; square <= 88; ++square)
            if (IsBoardSquare(square) && (w.form.HumanMoves() & MaskOf(square)))
                legal.push_back(square);
        ASSERT_FALSE(legal.empty());
        const int square = legal[Random(static_cast<uint32_t>(legal.size()))];
        const QString name = QString::fromStdString(SquareName(square));
        if (++moves % 2) {
            QTest::keyClicks(&board, name);
        } else {
            const int dx = name[0].unicode() - SquareName(board.FocusSquare())[0];
            const int dy = name[1].unicode() - SquareName(board.FocusSquare())[1];
            for (int i = 0; i < std::abs(dx); ++i)
                QTest::keyClick(&board, dx > 0 ? Qt::Key_Right : Qt::Key_Left);
            for (int i = 0; i < std::abs(dy); ++i)
                QTest::keyClick(&board, dy > 0 ? Qt::Key_Down : Qt::Key_Up);
            QTest::keyClick(&board, moves % 4 ? Qt::Key_Return : Qt::Key_Space);
        }
        ASSERT_EQ(board.FocusSquare(), square);
        ASSERT_EQ(w.form.LastSquare, square);
        WaitWhileBusy(w.form);
    }
    EXPECT_EQ(w.form.Busy, 2);
    EXPECT_GT(moves, 10);
    EXPECT_TRUE(w.dialogs.shown.isEmpty()) << w.dialogs.shown.join(';').toStdString();
}

// Over many seeded positions and every state of the controller: the markers are exactly the
// reference board's legal moves for black while the human may move and absent otherwise,
// and the screen reader's 64 cells name each square and what is on it.
TEST_F(PlayerWindowTest, MarkersAndCellNamesFollowTheBoard) {
    TPlayerWindow w(Folder("positions"));
    TBoardView& board = *w.window.Board();
    w.window.LegalMovesAction->setChecked(true);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&board);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->childCount(), TBoardView::kCells);
    RandSeed(11);
    for (int position = 0; position < 200; ++position) {
        TReferenceBoard reference = TReferenceBoard::Standard();
        const int plies = static_cast<int>(Random(60));
        int played = 0;
        while (played < plies && reference.PlayRandomMove())
            ++played;
        reference.toMove = 1;
        SetGameBoard(*w.form.Engine, reference, played);
        for (uint8_t busy : {0, 1, 2}) {
            w.form.Busy = busy;
            w.form.DrawBoard();
            uint64_t expected = 0;
            if (busy == 0)
                for (int square : reference.LegalSquares(1))
                    expected |= MaskOf(square);
            ASSERT_EQ(board.MarkedSquares(), expected) << position << " Busy " << int(busy);
            for (int cell = 0; cell < TBoardView::kCells; ++cell) {
                const int square = TBoardView::SquareOfCell(cell);
                const int c =
                    reference
                        .cell[TReferenceBoard::ColumnOf(square)][TReferenceBoard::RowOf(square)];
                QString name = QString::fromStdString(SquareName(square)) + ' ' +
                               (c == 1   ? "黒"
                                : c == 2 ? "白"
                                         : "空き");
                if (expected & MaskOf(square)) name += " 打てます";
                ASSERT_EQ(table->child(cell)->text(QAccessible::Name), name) << position;
            }
        }
    }
    // A new game hands the move to the human once it is set up.
    w.dialogs.modalScripts.push_back(
        [](QDialog& dialog) { static_cast<TForm2&>(dialog).Button1->click(); });
    w.window.NewGameAction->trigger();
    EXPECT_EQ(board.MarkedSquares(), MaskOf(SquareOf("d3")) | MaskOf(SquareOf("c4")) |
                                         MaskOf(SquareOf("f5")) | MaskOf(SquareOf("e6")));
    EXPECT_TRUE(w.window.TakeBackAction->isEnabled());
    w.window.LegalMovesAction->setChecked(false);
    EXPECT_EQ(board.MarkedSquares(), 0u);
}

// With every option off the client area is drawn pixel for pixel as the main window alone
// draws it, at start, with a move pending, after a take-back and at the end of a game; but
// for the focus frame, drawn only while the board has the keyboard, and 待った, disabled
// whenever take-back is not possible.
TEST_F(PlayerWindowTest, TheClientAreaLooksAsTheMainWindowAloneWithEveryOptionOff) {
    TPlayerWindow w(Folder("shell"));
    w.window.show();
    TForm1 alone(std::make_unique<TScriptedDialogs>(w.dialogs), nullptr,
                 (Folder("alone") + "/成績.dat").toStdString());
    alone.Timer1->setInterval(1);
    const std::function<void(TForm1&)> steps[] = {
        [](TForm1&) {},
        [](TForm1& f) {
            f.Timer1->setInterval(INT32_MAX);
            f.OnBan_Click(f.Ban[SquareOf("f5")]);
        },
        [](TForm1& f) {
            f.Timer1->setInterval(1);
            f.Timer1->start();
            WaitWhileBusy(f);
            f.OnButton_MattaClick();
        },
        [](TForm1& f) {
            SetGameBoard(*f.Engine,
                         {"XOO.....", "........", "........", "........", "........", "........",
                          "........", "........"},
                         10);
            f.OnBan_Click(f.Ban[SquareOf("d1")]);
        },
    };
    for (size_t step = 0; step < std::size(steps); ++step) {
        RandSeed(5);
        steps[step](w.form);
        RandSeed(5);
        steps[step](alone);
        w.window.Board()->clearFocus();
        EXPECT_EQ(w.form.Button_Matta->isEnabled(), w.form.Busy == 0) << "step " << step;
        alone.Button_Matta->setEnabled(w.form.Button_Matta->isEnabled());
        const auto pixels = [](QWidget& widget) {
            return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        EXPECT_EQ(pixels(w.form), pixels(alone)) << "step " << step;
    }
}

// The options and the confirmed new-game choices come back in the next run, whose first
// game is played with them; a damaged file gives the defaults and is kept aside.
TEST_F(PlayerWindowTest, SettingsAreKeptAcrossRunsAndADamagedFileGivesTheDefaults) {
    const QString folder = Folder("settings");
    {
        TPlayerWindow first(folder);
        first.window.CoordinatesAction->setChecked(true);
        first.window.CaptionAction->setChecked(false);
        first.window.ScaleActions[3]->trigger();
        first.dialogs.modalScripts.push_back([](QDialog& dialog) {
            auto& d = static_cast<TForm2&>(dialog);
            d.RadioGroup2->SetItemIndex(3);
            d.RadioGroup1->SetItemIndex(2);
            d.RadioButton3->setChecked(true);
            d.Button1->click();
        });
        first.window.NewGameAction->trigger();
    }
    TPlayerWindow second(folder);
    EXPECT_EQ(second.settings.View(), (TViewOptions{false, true, false, 200}));
    EXPECT_TRUE(second.window.CoordinatesAction->isChecked());
    EXPECT_TRUE(second.window.Board()->ShowsCoordinates());
    EXPECT_EQ(second.window.windowTitle(), "Tolvaney - トルヴァニー - Build100316");
    EXPECT_EQ(second.form.Engine->GameLevel, 4);
    EXPECT_EQ(second.form.Engine->ThinkType, 3);
    EXPECT_EQ(second.form.Engine->Placement, 3);
    EXPECT_TRUE(second.form.Label_Message->text().contains("ゲームレベルは上級"));

    QFile damaged(folder + "/tolvaney.conf");
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("[view\x01\xff\nlegalMoves");
    damaged.close();
    TPlayerWindow third(folder);
    EXPECT_EQ(third.settings.View(), TViewOptions{});
    EXPECT_FALSE(third.settings.NewGame().has_value());
    EXPECT_EQ(third.settings.DamagedCopy(), folder + "/tolvaney.conf.damaged");
    EXPECT_EQ(third.dialogs.shown, QStringList{third.settings.StartNotice()});  // told once
    EXPECT_EQ(third.form.Engine->GameLevel, 2);
    EXPECT_TRUE(third.form.Label_Message->text().startsWith("COMは後手番専用です。"));
}

// A save that fails is told once, the first time; the window keeps what the player chose.
TEST_F(PlayerWindowTest, AFailedSaveOfTheSettingsIsToldOnce) {
    const std::string file = (Folder("read-only") + "/tolvaney.conf").toStdString();
    ASSERT_TRUE(WriteNewFile(file, "[view]\n") && ::chmod(file.c_str(), 0444) == 0);
    TPlayerWindow w(Folder("read-only"));
    w.window.CoordinatesAction->setChecked(true);
    w.window.LegalMovesAction->setChecked(true);
    w.window.close();
    ASSERT_EQ(w.dialogs.shown.size(), 1);
    EXPECT_TRUE(w.dialogs.shown[0].startsWith("表示の設定を保存できませんでした。"));
    EXPECT_TRUE(w.window.Board()->ShowsCoordinates() && w.settings.View().showLegalMoves);
}

// Over seeded positions from the opening to 16 empties, the hint shown is the analysis's
// value of the position; one asked for just before a move or a new game is never shown.
TEST_F(PlayerWindowTest, AHintIsTheAnalysisValueAndIsDroppedOnceTheGameMovesOn) {
    TPlayerWindow w(Folder("hints"));
    RandSeed(17);
    for (int position = 0; position < 12; ++position) {
        TReferenceBoard reference = TReferenceBoard::Standard();
        const int plies = 44 - 4 * position;
        int played = 0;
        while (played < plies && reference.PlayRandomMove())
            ++played;
        reference.toMove = 1;
        if (reference.LegalSquares(1).empty()) continue;
        SetGameBoard(*w.form.Engine, reference, played);
        w.form.DrawBoard();
        w.window.HintAction->trigger();
        ASSERT_TRUE(Eventually([&] { return w.window.Hint()->Square() != 0; })) << position;
        const TAnalysisSettings settings = WindowAdviceSettings(w.form, THint::EXACT_HINT_EMPTIES);
        ASSERT_NE(settings.advice, nullptr);
        const TPositionValue expected = ValuePosition(BitsOf(reference), false, settings);
        EXPECT_EQ(w.window.Hint()->Square(), expected.best) << position;
        EXPECT_EQ(w.window.StatusLine()->Notice()->text(), THint::Text(expected, false));
        EXPECT_EQ(w.window.Board()->HintSquare(), expected.best);
    }
    const std::function<void()> movesOn[] = {
        [&] { w.form.OnBan_Click(w.form.Ban[SquareOf("f5")]); },
        [&] {
            w.dialogs.modalScripts.push_back(
                [](QDialog& dialog) { static_cast<TForm2&>(dialog).Button1->click(); });
            w.window.NewGameAction->trigger();
        }};
    for (const auto& moveOn : movesOn) {
        w.form.StartNewGame();
        w.window.HintAction->trigger();
        moveOn();
        WaitWhileBusy(w.form);
        ASSERT_TRUE(Eventually([&] { return !w.window.Hint()->Working(); }));
        QCoreApplication::processEvents();  // what the worker may have sent arrives
        EXPECT_EQ(w.window.Hint()->Square(), 0);
        EXPECT_EQ(w.window.Board()->HintSquare(), 0);
        EXPECT_FALSE(w.window.StatusLine()->Notice()->text().startsWith("ヒント:"));
    }
}

// The analysis of a real game, cancelled at seeded moments by its progress box and by a new
// game, leaves no page and nothing running; run to its end, it writes one page into the
// cache and opens it, or names it when no browser opens.
TEST_F(PlayerWindowTest, TheAnalysisCancelledAtAnyMomentLeavesNothingAndRunToTheEndOpensThePage) {
    qputenv("XDG_CACHE_HOME", Folder("cache").toUtf8());
    TPlayerWindow w(Folder("analysis"));
    std::ifstream games(std::string(TOLVANEY_TEST_DATA) + "/games-sample.txt");
    std::string record;
    games >> record;
    const auto loadRecord = [&] {
        for (std::size_t i = 0; i < record.size(); i += 2)
            w.form.GameRecord[i / 2 + 1] = *SquareFromName(record.substr(i, 2));
        emit w.form.BoardStateChanged();
    };
    QStringList opened;
    TAnalysisCommand& analysis = *w.window.Analysis();
    analysis.SetOpenPage([&](const QString& path) {
        opened << path;
        return opened.size() > 1;
    });
    RandSeed(23);
    for (int attempt = 0; attempt < 6; ++attempt) {
        loadRecord();
        w.window.AnalyseAction->trigger();
        ASSERT_TRUE(analysis.Running());
        QTest::qWait(static_cast<int>(Random(400)));
        if (attempt % 2) {
            analysis.Progress()->findChild<QPushButton*>()->click();  // キャンセル
        } else {
            w.dialogs.modalScripts.push_back(
                [](QDialog& dialog) { static_cast<TForm2&>(dialog).Button1->click(); });
            w.window.NewGameAction->trigger();
        }
        EXPECT_FALSE(analysis.Running());
        EXPECT_FALSE(analysis.Progress()->isVisible());
    }
    ASSERT_TRUE(Eventually([&] { return !analysis.Working(); }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(QDir(Folder("cache") + "/tolvaney").entryList(QDir::Files).isEmpty());
    loadRecord();
    for (int run = 0; run < 2; ++run) {
        w.window.AnalyseAction->trigger();
        ASSERT_TRUE(Eventually([&] { return !analysis.Running(); }));
    }
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(w.dialogs.shown.size(), 1);
    EXPECT_TRUE(w.dialogs.shown.value(0).endsWith(opened[0]));
    const std::string page = ReadTextFile(opened[1].toStdString());
    EXPECT_NE(page.find("黒"), std::string::npos);
    EXPECT_EQ(QDir(Folder("cache") + "/tolvaney").entryList(QDir::Files).size(), 2);
}

}  // namespace
