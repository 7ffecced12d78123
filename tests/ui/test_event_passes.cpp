// Commands that arrive while a move lets pending events run. At every point where the game
// controller lets them run, each command of the window is queued just before that point,
// and the game is checked afterwards against a replay of its record. Then a seeded monkey
// drives the window with thousands of random actions, with the same checks after each one.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <array>
#include <climits>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <random>
#include <sstream>

#include "MainWindowFixture.h"
#include "ui/game/untInitialize.h"
#include "ui/game/untSubForm.h"

namespace {

// A computer delay no test waits for: the tests fire the timer themselves, so that what
// happens does not depend on the machine's speed.
constexpr int kNever = INT32_MAX;

// The start of a game from each placement, as a plain board.
const TReferenceBoard& StartOf(int placement) {
    static const std::array<TReferenceBoard, 5> starts = [] {
        std::array<TReferenceBoard, 5> boards;
        for (int p = 1; p <= 4; ++p) {
            TKyokumen fresh;
            if (p == 2) fresh.SetPlacement2();
            if (p == 3) fresh.SetPlacement3();
            if (p == 4) fresh.SetPlacement4();
            boards[p] = ReferenceOf(fresh);
        }
        return boards;
    }();
    return starts[placement];
}

bool HasMove(const TReferenceBoard& board, int colour) {
    return !board.LegalSquares(colour).empty();
}

// Who moves when `next` is due: `next`, the other side when `next` has to pass, or 0 when
// neither side can move.
int SideToMove(const TReferenceBoard& board, int next) {
    if (HasMove(board, next)) return next;
    if (HasMove(board, 3 - next)) return 3 - next;
    return 0;
}

// The disc pictures the window shows, as it loads them.
QImage DiscImage(TForm1& form, const char* name) {
    QLabel label;
    form.LoadDisc(&label, name);
    return label.pixmap().toImage();
}

::testing::AssertionResult ShowsTheBoard(TForm1& form, const TReferenceBoard& board) {
    static const QImage black = DiscImage(form, "kuro"), white = DiscImage(form, "siro");
    for (int column = 0; column < 8; ++column)
        for (int row = 0; row < 8; ++row) {
            const int square = TReferenceBoard::SquareOf(column, row);
            const QPixmap shown = form.Ban[square]->pixmap();
            const int cell = board.cell[column][row];
            const bool right = cell == EMPTY   ? shown.isNull()
                               : cell == BLACK ? shown.toImage() == black
                                               : shown.toImage() == white;
            if (!right)
                return ::testing::AssertionFailure() << SquareName(square) << " is drawn wrong";
        }
    return ::testing::AssertionSuccess();
}

// The game in the window against a replay of its record from its placement's start: black
// moves first and a side passes only when it has no move (so the computer moves twice only
// when the human had to pass); the engine's board and the drawn discs are the replay's; and
// Busy and the timer say whose turn it is.
::testing::AssertionResult AgreesWithItsRecord(TForm1& form) {
    const TKyokumen& k = *form.Engine;
    TReferenceBoard board = StartOf(k.Placement);
    int next = BLACK, moves = 0;
    for (; moves < 60 && form.GameRecord[moves + 1] != 0; ++moves) {
        const int square = form.GameRecord[moves + 1];
        next = SideToMove(board, next);
        const int column = TReferenceBoard::ColumnOf(square), row = TReferenceBoard::RowOf(square);
        if (!IsBoardSquare(square) || next == 0 || !board.IsLegal(column, row, next))
            return ::testing::AssertionFailure() << "move " << moves + 1 << " (" << square
                                                 << ") is not a move of the side to move";
        board.Play(column, row, next);
        next = 3 - next;
    }
    for (int n = moves + 1; n <= 60; ++n)
        if (form.GameRecord[n] != 0)
            return ::testing::AssertionFailure() << "the record goes on after a gap at " << n;
    if (k.MoveNumber != moves || k.StackDepth != 1)
        return ::testing::AssertionFailure() << "move number " << k.MoveNumber << ", stack depth "
                                             << int(k.StackDepth) << ", record " << moves;
    const TReferenceBoard engineBoard = ReferenceOf(k);
    if (std::memcmp(engineBoard.cell, board.cell, sizeof board.cell) != 0 ||
        k.CurrentBoard != &k.Boards[0])
        return ::testing::AssertionFailure() << "the board is not the record's\n" << PictureOf(k);
    if (auto shown = ShowsTheBoard(form, board); !shown) return shown;

    // After the human's move the computer's turn is due (to move, to pass, or to find the
    // game over); after the computer's it is the human's, unless the human has to pass.
    const bool timer = form.Timer1->isActive();
    const bool over = SideToMove(board, next) == 0;
    const bool computersTurnDue = next == WHITE || !HasMove(board, BLACK);
    const bool computerPassed = next == WHITE && !HasMove(board, WHITE);
    bool right = false;
    if (form.Busy == 0) right = !timer && !over && (!computersTurnDue || computerPassed);
    if (form.Busy == 1) right = timer && computersTurnDue;
    if (form.Busy == 2) right = !timer && over;
    if (!right)
        return ::testing::AssertionFailure()
               << "Busy " << int(form.Busy) << " with the timer " << (timer ? "on" : "off")
               << " after " << moves << " moves, next " << next << "\n"
               << PictureOf(k);
    return ::testing::AssertionSuccess();
}

// The nine numbers of a results file.
std::vector<long> ResultsIn(const std::string& file) {
    std::vector<long> values;
    std::istringstream lines(file);
    for (std::string line; values.size() < 9 && std::getline(lines, line);)
        values.push_back(std::stol(line));
    return values;
}

class EventPassTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        TimerNeverFiresByItself();
        form->show();
    }

    void Restart() {
        dialogs = {};
        StartProgram();
        TimerNeverFiresByItself();
        form->show();
    }

    // The delays of this game and of every new game are too long to pass during a test.
    void TimerNeverFiresByItself() {
        for (QScrollBar* bar : {form->NewGameDialog->ScrollBar1, form->NewGameDialog->ScrollBar2}) {
            bar->setMaximum(kNever);
            bar->setValue(kNever);
        }
        form->WaitPerMove = form->WaitOnPass = kNever;
        form->Timer1->setInterval(kNever);
    }

    void FireTimer() {
        if (form->Timer1->isActive()) form->OnTimer();
    }

    // Lets queued events run, as the event loop does after every handler.
    static void Drain() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    // Posts a command: it runs at the next point where pending events run.
    void Queue(const std::function<void()>& command) {
        QMetaObject::invokeMethod(form.get(), command, Qt::QueuedConnection);
    }
    // Posts a command so that it runs at the second point from now: the first one posts it
    // again, and events posted while events are handled wait for the next round.
    void QueueForSecondPoint(const std::function<void()>& command) {
        Queue([this, command] { Queue(command); });
    }

    // Answers the next new-game dialog: confirms (by default placement 3 at level 2 with
    // type A) or cancels.
    void AnswerNewGame(bool confirm, int level = 2, int type = 1, int placement = 3) {
        dialogs.modalScripts.push_back([=](QDialog& dialog) {
            auto* settings = qobject_cast<TForm2*>(&dialog);
            if (!settings) return;  // another window was shown first
            settings->RadioGroup2->SetItemIndex(level - 1);
            settings->RadioGroup1->SetItemIndex(type - 1);
            QRadioButton* placements[] = {settings->RadioButton1, settings->RadioButton2,
                                          settings->RadioButton3, settings->RadioButton4};
            placements[placement - 1]->setChecked(true);
            (confirm ? settings->Button1 : settings->Button2)->click();
        });
    }

    // A fresh game from the answer above, untouched by whatever was interrupted.
    ::testing::AssertionResult IsAFreshGame(int placement = 3) {
        if (form->Engine->Placement != placement || form->Engine->MoveNumber != 0 ||
            !form->Label_Message->text().startsWith("初期化完了"))
            return ::testing::AssertionFailure()
                   << "not a fresh game: " << form->Label_Message->text().toStdString();
        return AgreesWithItsRecord(*form);
    }

    enum class TOutcome { CarriesOn, NewGame, Stops };

    struct TCommand {
        std::string name;
        TOutcome outcome;               // what becomes of a move the command interrupts
        std::function<void()> command;  // runs the command, with its answers queued
    };

    // Every command of the window, answered as its name says.
    std::vector<TCommand> Commands() {
        auto click = [this](QPushButton* TForm1::*button) {
            return [this, button] { (form.get()->*button)->click(); };
        };
        auto answered = [](auto answer, auto then) {
            return [answer, then] {
                answer();
                then();
            };
        };
        return {
            {"new game", TOutcome::NewGame,
             answered([this] { AnswerNewGame(true); }, click(&TForm1::Button_Start))},
            {"new game cancelled", TOutcome::CarriesOn,
             answered([this] { AnswerNewGame(false); }, click(&TForm1::Button_Start))},
            {"take-back", TOutcome::CarriesOn, click(&TForm1::Button_Matta)},
            {"game record", TOutcome::CarriesOn, click(&TForm1::Button_Touryo)},
            {"results summary", TOutcome::CarriesOn, click(&TForm1::Button2)},
            {"quit, answered No", TOutcome::CarriesOn,
             answered([this] { dialogs.confirmAnswers.push_back(false); },
                      click(&TForm1::Button_Exit))},
            {"quit, answered Yes", TOutcome::Stops,
             answered([this] { dialogs.confirmAnswers.push_back(true); },
                      click(&TForm1::Button_Exit))},
            {"closing the window", TOutcome::Stops, [this] { form->close(); }},
            {"board click", TOutcome::CarriesOn, [this] { Click("d3"); }},
            {"pattern editor", TOutcome::CarriesOn, click(&TForm1::Button_Test)},
            {"learning towards a target", TOutcome::CarriesOn,
             answered([this] { dialogs.inputAnswers.push_back("7"); }, click(&TForm1::Button1))},
            {"learning from a record", TOutcome::CarriesOn,
             answered([this] { dialogs.inputAnswers.push_back("f5f6e6"); },
                      click(&TForm1::Button3))},
            {"saving the tables", TOutcome::CarriesOn, click(&TForm1::Button4)},
        };
    }

    // What a move that a command interrupted must look like afterwards: played out to
    // movesWhenDone moves, replaced by the new game, or stopped at movesWhenStopped with the
    // window closed and no computer turn left.
    void ExpectOutcome(const TCommand& c, int movesWhenDone, int movesWhenStopped) {
        Drain();
        switch (c.outcome) {
            case TOutcome::CarriesOn:
                EXPECT_TRUE(form->isVisible()) << c.name;
                EXPECT_EQ(form->Engine->MoveNumber, movesWhenDone) << c.name;
                EXPECT_TRUE(AgreesWithItsRecord(*form)) << c.name;
                break;
            case TOutcome::NewGame:
                EXPECT_TRUE(IsAFreshGame()) << c.name;
                break;
            case TOutcome::Stops:
                EXPECT_FALSE(form->isVisible()) << c.name;
                EXPECT_FALSE(form->Timer1->isActive()) << c.name;
                EXPECT_EQ(form->Engine->MoveNumber, movesWhenStopped) << c.name;
                break;
        }
        EXPECT_FALSE(form->StartingGame || form->Learning) << c.name;
    }
};

// The human's move lets events run twice: before the move is made and before the computer's
// timer starts. A command at either point is ignored, or it ends the move at once.
TEST_F(EventPassTest, CommandsDuringTheHumansMove) {
    for (const bool second : {false, true})
        for (const TCommand& c : Commands()) {
            SCOPED_TRACE(second ? "second point" : "first point");
            Restart();
            int movesWhenRun = -1;
            auto command = [&] {
                movesWhenRun = form->Engine->MoveNumber;
                c.command();
            };
            if (second)
                QueueForSecondPoint(command);
            else
                Queue(command);
            Click("f5");
            EXPECT_EQ(movesWhenRun, second ? 1 : 0) << c.name;
            Drain();
            FireTimer();
            ExpectOutcome(c, 2, second ? 1 : 0);
        }
}

// The computer's turn lets events run before it thinks.
TEST_F(EventPassTest, CommandsBeforeTheComputerThinks) {
    for (const TCommand& c : Commands()) {
        Restart();
        Click("f5");
        Drain();
        Queue(c.command);
        FireTimer();
        ExpectOutcome(c, 2, 1);
    }
}

// After the computer's move the human has to pass: the computer moves again after a delay,
// and events run once the timer is set. A command there either waits for the computer's
// second move or takes its place.
TEST_F(EventPassTest, CommandsWhileTheHumanPasses) {
    // After black's f4 white takes a1 or h8, black has no move, and white takes the other.
    const TPicture position = {".XOOOOOO", "........", "........", "...XO...",
                               "........", "........", "........", "OOOOOOX."};
    for (const TCommand& c : Commands()) {
        Restart();
        SetPosition(position, 20);
        Click("f4");
        Drain();
        QueueForSecondPoint(c.command);
        FireTimer();
        Drain();
        if (c.outcome == TOutcome::CarriesOn) {
            EXPECT_EQ(form->Label_mes2->text(), "人がパスしました。") << c.name;
            EXPECT_TRUE(form->Timer1->isActive()) << c.name;
            FireTimer();
            EXPECT_EQ(form->Engine->MoveNumber, 23) << c.name;
            EXPECT_EQ(form->Busy, 2) << c.name;
        } else if (c.outcome == TOutcome::NewGame) {
            EXPECT_TRUE(IsAFreshGame()) << c.name;
        } else {
            EXPECT_FALSE(form->isVisible()) << c.name;
            EXPECT_FALSE(form->Timer1->isActive()) << c.name;
            EXPECT_EQ(form->Engine->MoveNumber, 22) << c.name;
        }
    }
}

// A new game lets events run once the old game's timer is stopped: nothing that arrives
// there plays on the old engine or starts another game, and the new game is set up whole,
// whether the old game waited for the computer or for the human.
TEST_F(EventPassTest, CommandsWhileANewGameIsSetUp) {
    for (const bool computersTurnPending : {true, false})
        for (const TCommand& c : Commands()) {
            SCOPED_TRACE(computersTurnPending ? "computer's turn pending" : "human to move");
            Restart();
            Click("f5");
            Drain();
            if (!computersTurnPending) FireTimer();
            AnswerNewGame(true);
            Queue(c.command);
            form->OnButton_StartClick();
            Drain();
            if (c.outcome == TOutcome::Stops) {
                EXPECT_FALSE(form->isVisible()) << c.name;
                EXPECT_FALSE(form->Timer1->isActive()) << c.name;
            } else {
                EXPECT_TRUE(IsAFreshGame()) << c.name;
            }
            EXPECT_FALSE(form->StartingGame) << c.name;
        }
}

// A replayed game record lets events run at every trial: everything that plays, replaces or
// trains the engine, and quitting, is refused until the replay is over.
TEST_F(EventPassTest, CommandsWhileARecordIsReplayed) {
    for (const TCommand& c : Commands()) {
        Restart();
        dialogs.inputAnswers = {"f5f6e6"};
        Queue(c.command);
        form->On_Test3Click();
        Drain();
        EXPECT_TRUE(form->isVisible()) << c.name;
        EXPECT_EQ(form->Label_mes3->text(), "カウンタ 1") << c.name;
        EXPECT_EQ(form->Engine->MoveNumber, 3) << c.name;
        EXPECT_EQ(form->Engine->GameLevel, 4) << c.name;
        EXPECT_EQ(dialogs.shown.join(";").toStdString(), "棋譜を入力してください>学習") << c.name;
        EXPECT_FALSE(form->Learning) << c.name;
    }
}

// The replay replaces the engine, so it waits while the computer's turn is pending.
TEST_F(EventPassTest, ARecordIsNotReplayedWhileTheComputersTurnIsPending) {
    Click("f5");
    TKyokumen* playing = form->Engine.get();
    dialogs.inputAnswers = {"f5f6e6"};
    form->On_Test3Click();
    EXPECT_EQ(form->Engine.get(), playing);
    FireTimer();
    EXPECT_TRUE(AgreesWithItsRecord(*form));
    EXPECT_EQ(form->Engine->MoveNumber, 2);
}

// When the result cannot be saved the box comes after the game is settled, so a new game
// started while the box is open is left as the new-game command set it up.
TEST_F(EventPassTest, ANewGameWhileTheSaveFailureIsShownStaysFresh) {
    // Black's d1 takes white's last discs; the results file has become a folder.
    SetPosition({"XOO.....", "........", "........", "........", "........", "........", "........",
                 "........"},
                10);
    const std::filesystem::path results = Folder().toStdString() + "/成績.dat";
    std::filesystem::remove(results);
    std::filesystem::create_directory(results);
    dialogs.whileOpen = [this] {
        dialogs.whileOpen = nullptr;
        AnswerNewGame(true);
        form->Button_Start->click();
    };
    Click("d1");
    Drain();
    EXPECT_FALSE(dialogs.shown.isEmpty());
    EXPECT_TRUE(IsAFreshGame());
    EXPECT_TRUE(form->Label_Message->text().endsWith("ゲーム開始です。"));
}

// The monkey: thousands of seeded random actions (board clicks, every button, dialog
// answers, timer firings, and commands queued just before a point where a move lets events
// run). After each one: the game agrees with its record, no box is left open, and the
// results file has changed only by the one result of a game that ended in that action.
TEST_F(EventPassTest, SeededRandomActionsKeepEveryGameSound) {
    constexpr int kActions = 3000;
    std::mt19937 random(20261208);
    auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    auto chance = [&](int percent) { return below(100) < percent; };
    std::deque<std::string> log;  // the last actions, shown when a check fails
    auto note = [&](std::string action) {
        log.push_back(std::move(action));
        if (log.size() > 12) log.pop_front();
    };
    auto trace = [&] {
        std::string text;
        for (const std::string& action : log)
            text += "\n  " + action;
        return text;
    };
    auto clickSomewhere = [&] {
        const std::vector<int> legal = ReferenceOf(*form->Engine).LegalSquares(BLACK);
        const int square = !legal.empty() && chance(85) ? legal[below(int(legal.size()))]
                                                        : 10 * (1 + below(8)) + 1 + below(8);
        note("click " + SquareName(square));
        form->OnBan_Click(form->Ban[square]);
    };
    auto newGameAnswer = [&](bool mayCancel) {
        const int levels[] = {1, 1, 1, 1, 1, 1, 2, 2, 2, 3, 4};
        const bool confirm = !mayCancel || chance(80);
        AnswerNewGame(confirm, levels[below(11)], 1 + below(4), 1 + below(4));
        return confirm ? "new game" : "new game cancelled";
    };
    // Commands that may arrive in the middle of a move.
    auto queuedCommand = [&]() -> std::pair<std::string, std::function<void()>> {
        const int kind = below(100);
        if (kind < 4) return {newGameAnswer(true), [this] { form->Button_Start->click(); }};
        if (kind < 5) return {"close", [this] { form->close(); }};
        if (kind < 10) {
            const bool yes = chance(20);
            dialogs.confirmAnswers.push_back(yes);
            return {yes ? "quit Yes" : "quit No", [this] { form->Button_Exit->click(); }};
        }
        if (kind < 25) return {"take-back", [this] { form->Button_Matta->click(); }};
        if (kind < 35) return {"game record", [this] { form->Button_Touryo->click(); }};
        if (kind < 45) return {"results summary", [this] { form->Button2->click(); }};
        if (kind < 50) return {"pattern editor", [this] { form->Button_Test->click(); }};
        if (kind < 55) {
            dialogs.inputAnswers.push_back(QString::number(below(200) - 100));
            return {"learning towards a target", [this] { form->Button1->click(); }};
        }
        const int square = 10 * (1 + below(8)) + 1 + below(8);
        return {"click " + SquareName(square),
                [this, square] { form->OnBan_Click(form->Ban[square]); }};
    };

    int gamesEnded = 0, computerMoves = 0, gamesReplaced = 0, restarts = 0;
    for (int action = 0; action < kActions; ++action) {
        RandSeed(static_cast<uint32_t>(random()));
        const std::string resultsBefore = ScoreFile();
        const int levelBefore = form->Engine->GameLevel, busyBefore = form->Busy;
        const uint32_t gameBefore = form->GameNumber;
        TKyokumen* engineBefore = form->Engine.get();
        const int movesBefore = form->Engine->MoveNumber;

        // Mostly the game is played on, so that games reach their end; every so often a
        // command comes between, in the middle of a move or not.
        bool fired = false;
        auto playOn = [&] {
            if (form->Timer1->isActive()) {
                note("timer");
                fired = true;
                FireTimer();
            } else {
                clickSomewhere();
            }
        };
        const int kind = below(1000);
        if (kind < 600) {
            playOn();
        } else if (kind < 700) {
            clickSomewhere();
        } else if (kind < 730) {
            note("take-back");
            form->Button_Matta->click();
        } else if (kind < 737) {
            note(newGameAnswer(true));
            form->Button_Start->click();
        } else if (kind < 757) {
            note("game record");
            form->Button_Touryo->click();
        } else if (kind < 777) {
            note("results summary");
            form->Button2->click();
        } else if (kind < 787) {
            const bool yes = chance(20);
            dialogs.confirmAnswers.push_back(yes);
            note(yes ? "quit Yes" : "quit No");
            form->Button_Exit->click();
        } else if (kind < 789) {
            note("close");
            form->close();
        } else if (kind < 799) {
            note("learning towards a target");
            dialogs.inputAnswers.push_back(chance(80) ? QString::number(below(200) - 100) : "x");
            form->Button1->click();
        } else if (kind < 802) {
            note("learning from a record");
            const char* records[] = {"f5f6e6", "f5d6c3d3", "f5", "zz", "f5d6c3d3c4f4f5f6"};
            dialogs.inputAnswers.push_back(records[below(5)]);
            form->Button3->click();
        } else {
            // A command queued just before the next point where a move lets events run, or
            // the one after; then the action that makes the move.
            auto [name, command] = queuedCommand();
            const bool second = chance(40);
            note("queued " + name + (second ? " for the second point" : ""));
            if (second)
                QueueForSecondPoint(command);
            else
                Queue(command);
            playOn();
        }
        Drain();

        if (!form->isVisible()) {  // the program ended: start it again
            note("restart");
            ++restarts;
            Restart();
            continue;
        }
        if (form->Engine.get() != engineBefore && form->Label_mes3->text().startsWith("カウンタ")) {
            // A replayed record leaves the engine at its end, outside any game the window
            // plays: a developer starts a new game next.
            note("new game after the replay");
            dialogs.modalScripts.clear();
            AnswerNewGame(true);
            form->Button_Start->click();
            Drain();
        }
        gamesReplaced += form->GameNumber != gameBefore;
        computerMoves +=
            fired && form->Engine.get() == engineBefore && form->Engine->MoveNumber > movesBefore;

        ASSERT_TRUE(AgreesWithItsRecord(*form)) << "after action " << action << trace();
        ASSERT_EQ(QApplication::activeModalWidget(), nullptr) << trace();
        ASSERT_FALSE(form->NewGameDialog->isVisible() || form->PatternEditor->isVisible());
        ASSERT_FALSE(form->StartingGame || form->Learning);

        // The results file changes only when a game ends, by exactly its result.
        const std::string resultsAfter = ScoreFile();
        if (resultsAfter == resultsBefore) {
            if (form->Busy == 2 && busyBefore != 2 && form->Engine.get() == engineBefore) {
                ASSERT_EQ(form->Engine->BlackCount, form->Engine->WhiteCount)
                    << "a decided game was not recorded" << trace();
                ++gamesEnded;
            }
            continue;
        }
        ++gamesEnded;
        ASSERT_NE(busyBefore, 2) << "a game that was over was recorded again" << trace();
        const std::vector<long> before = ResultsIn(resultsBefore), after = ResultsIn(resultsAfter);
        ASSERT_EQ(after.size(), 9u);
        int changed = -1;
        for (int line = 0; line < 9; ++line)
            if (after[line] != before[line]) {
                ASSERT_EQ(changed, -1) << "two counters changed" << trace();
                ASSERT_EQ(after[line], before[line] + 1) << trace();
                changed = line;
            }
        ASSERT_EQ((changed - 1) / 2 + 1, levelBefore) << "recorded at another level" << trace();
        if (form->Engine.get() == engineBefore) {
            ASSERT_EQ(form->Busy, 2) << "recorded before the game was over" << trace();
            const bool humanWon = form->Engine->BlackCount > form->Engine->WhiteCount;
            ASSERT_EQ(changed % 2 == 1, humanWon) << "recorded the wrong winner" << trace();
        }
    }
    // The run did what it is for.
    std::printf("%d games ended, %d computer moves, %d games replaced, %d restarts\n", gamesEnded,
                computerMoves, gamesReplaced, restarts);
    EXPECT_GT(gamesEnded, 10);
    EXPECT_GT(computerMoves, 300);
    EXPECT_GT(gamesReplaced, 30);
    EXPECT_GT(restarts, 5);
}

}  // namespace
