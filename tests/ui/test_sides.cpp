// Either colour against the computer, two people on one board, and the strongest computer,
// played through the real window and checked against the reference board.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <bit>
#include <filesystem>

#include "PlayerWindow.h"
#include "ReferenceBoard.h"
#include "engine/untGameRecord.h"
#include "engine/untRandom.h"
#include "engine/untSquareNames.h"
#include "engine/untTextFile.h"
#include "results/untStrongestScore.h"
#include "ui/board/untBoardView.h"
#include "ui/game/untAdviceSettings.h"
#include "ui/game/untStatusLine.h"

namespace {

namespace fs = std::filesystem;

const std::string kFreshResults = "1500\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";

// The game's record replayed on the reference board, and the side that moves next there:
// the side to move, or the other when it has to pass.
struct TReplayed {
    TReferenceBoard board = TReferenceBoard::Standard();
    int mover = 1;
};

TReplayed Replayed(const TForm1& form) {
    TReplayed replayed;
    ReplayRecordOnBoard(GameRecordText(form.GameRecord).value(),
                        [&](const TReferenceBoard& board, int) {
                            replayed.board = board;
                            return true;
                        });
    replayed.mover = replayed.board.toMove;
    if (replayed.board.LegalSquares(replayed.mover).empty()) replayed.mover = 3 - replayed.mover;
    return replayed;
}

// The window's board, and the squares it offers the person, are the reference board's.
void ExpectTheReferenceBoard(const TForm1& form, const TReplayed& replayed) {
    for (int column = 0; column < 8; ++column)
        for (int row = 0; row < 8; ++row)
            ASSERT_EQ(form.Engine->Boards[0].Cells[TReferenceBoard::SquareOf(column, row)],
                      replayed.board.cell[column][row])
                << SquareName(TReferenceBoard::SquareOf(column, row));
    uint64_t legal = 0;
    for (const int square : replayed.board.LegalSquares(replayed.mover))
        legal |= MaskOf(square);
    ASSERT_EQ(form.HumanMoves(), legal);
    ASSERT_EQ(form.PersonWhite, replayed.mover == 2);
}

void Choose(TForm1& form, int colourIndex, int opponentIndex) {
    form.NewGameDialog->RadioGroup3->SetItemIndex(colourIndex);
    form.NewGameDialog->RadioGroup4->SetItemIndex(opponentIndex);
    form.StartNewGame();
}

using SidesTest = TPlayerFolderTest;

// A whole game as white against the computer, and one of two people with take-backs on
// the way, typed on the board: after every move the window's board, the squares it offers
// and the side it names are the reference board's; the end names the winner as the game
// has them; the results file counts a game as white at its level as a game as black, and a
// game of two not at all.
TEST_F(SidesTest, AGameAsWhiteAndAGameOfTwoFollowTheRulesToTheEnd) {
    for (const bool two : {false, true}) {
        SCOPED_TRACE(two ? "two people" : "as white");
        const QString folder = Folder(two ? "two" : "white");
        TPlayerWindow w(folder);
        w.form.GameSeed = 6;  // the computer's game, and so the test, the same every time
        Choose(w.form, two ? 0 : 1, two ? 2 : 0);
        RandSeed(two ? 5 : 6);
        int moves = 0, takenBack = 0;
        for (WaitWhileBusy(w.form); w.form.Busy == 0; WaitWhileBusy(w.form)) {
            const TReplayed replayed = Replayed(w.form);
            ExpectTheReferenceBoard(w.form, replayed);
            const QString turn = w.window.StatusLine()->Turn()->text();
            EXPECT_TRUE(turn.contains(two ? QString(replayed.mover == 1 ? "黒の番" : "白の番")
                                          : QString("あなたの番")))
                << turn.toStdString();
            if (two && takenBack < 2 && moves + takenBack == 10) {  // two take-backs in a row
                ++takenBack;
                --moves;
                w.window.TakeBackAction->trigger();
                ASSERT_EQ(GameRecordText(w.form.GameRecord)->size(), 2u * moves);
                continue;
            }
            const std::vector<int> legal = replayed.board.LegalSquares(replayed.mover);
            const int square = legal[Random(static_cast<uint32_t>(legal.size()))];
            QTest::keyClicks(w.window.Board(), QString::fromStdString(SquareName(square)));
            ASSERT_EQ(w.form.LastSquare, square);
            ++moves;
        }
        ASSERT_EQ(w.form.Busy, 2);
        const TReplayed end = Replayed(w.form);
        ExpectTheReferenceBoard(w.form, {end.board, w.form.PersonWhite ? 2 : 1});
        const int black = end.board.Count(1), white = end.board.Count(2);
        const std::string results = ReadTextFile(fs::path((folder + "/成績.dat").toStdString()));
        if (two) {
            EXPECT_EQ(w.form.Label_mes2->text(), black == white  ? "引き分けです。"
                                                 : black > white ? "黒の勝ちです。"
                                                                 : "白の勝ちです。");
            EXPECT_EQ(takenBack, 2);
            EXPECT_EQ(results, kFreshResults);
        } else {
            EXPECT_EQ(w.form.Label_mes2->text(), black == white  ? "引き分けです。"
                                                 : white > black ? "あなたの勝ちです。"
                                                                 : "COMの勝ちです。");
            std::string counted = kFreshResults;  // a game at 初級: its wins, then its losses
            if (black != white) counted[white > black ? 12 : 15] = '1';
            EXPECT_EQ(results, counted);
        }
        EXPECT_GT(moves, 20);
        EXPECT_TRUE(w.dialogs.shown.isEmpty()) << w.dialogs.shown.join(';').toStdString();
    }
}

// The strongest computer plays black on a worker while the window goes on taking events: a
// new game started while it thinks stops it and drops its move; near the end its moves are
// the advice's exact best; and the game's result goes to its own file alone.
TEST_F(SidesTest, TheStrongestComputerThinksBesideTheWindowAndCountsInItsOwnFile) {
    const QString folder = Folder("strongest");
    TPlayerWindow w(folder);
    Choose(w.form, 1, 1);
    ASSERT_EQ(w.form.Busy, 1);
    Choose(w.form, 1, 1);
    bool sawItThink = false;
    ASSERT_TRUE(Eventually([&] {
        sawItThink = sawItThink || w.form.StrongestThinking();
        return w.form.Busy == 0;
    }));
    EXPECT_TRUE(sawItThink);
    EXPECT_EQ(w.form.Engine->MoveNumber, 1);  // one move: the first game's never came

    // A position of a dozen empty squares from a seeded random game, white (the person) to move.
    RandSeed(17);
    TReferenceBoard board = TReferenceBoard::Standard();
    while (board.Count(0) > 12 || board.toMove != 2 || board.LegalSquares(2).empty())
        ASSERT_TRUE(board.PlayRandomMove());
    SetGameBoard(*w.form.Engine, board, 60 - board.Count(0));
    w.form.DrawBoard();
    const std::string resultsBefore = ReadTextFile(fs::path((folder + "/成績.dat").toStdString()));
    const TAnalysisSettings settings = WindowAdviceSettings(w.form, EXACT_ADVICE_EMPTIES);
    int repliesChecked = 0;
    while (w.form.Busy == 0) {
        const uint64_t legal = w.form.HumanMoves();
        ASSERT_NE(legal, 0u);
        const int moveNumber = w.form.Engine->MoveNumber;
        QTest::keyClicks(w.window.Board(),
                         QString::fromStdString(SquareName(SquareOfBit(std::countr_zero(legal)))));
        const TDiscs before = BitsOf(w.form.Engine->Boards[0].Cells);
        WaitWhileBusy(w.form);
        if (w.form.Engine->MoveNumber != moveNumber + 2) continue;  // a pass, or the end
        const TPositionValue best = ValuePosition(before, false, settings);
        EXPECT_TRUE(best.exact);
        EXPECT_EQ(w.form.LastSquare, best.best);
        ++repliesChecked;
    }
    ASSERT_EQ(w.form.Busy, 2);
    EXPECT_GT(repliesChecked, 2);
    EXPECT_EQ(ReadTextFile(fs::path((folder + "/成績.dat").toStdString())), resultsBefore);
    const int black = w.form.Engine->BlackCount, white = w.form.Engine->WhiteCount;
    const TStrongestScore kept((folder + "/" + kStrongestScoreFileName).toStdString(),
                               [](const std::string&, const std::string&) { ADD_FAILURE(); });
    EXPECT_EQ(kept.Wins, white > black ? 1 : 0);
    EXPECT_EQ(kept.Losses, white < black ? 1 : 0);
    w.form.OnSeiseki_Click();
    EXPECT_EQ(w.form.Label_Message->text().contains("　最強　　　"), black != white);
}

}  // namespace
