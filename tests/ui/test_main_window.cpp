// The main window driven as a user would: clicks on the board, the computer's turn on the
// timer, passes, the end of the game with its results file, take-back, a new game from the
// dialog, and the game record on the clipboard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <bit>
#include <cstring>
#include <functional>

#include "BoardPicture.h"
#include "MainWindowFixture.h"
#include "ScriptedDialogs.h"
#include "engine/untRandom.h"
#include "engine/untSquareNames.h"
#include "engine/untTextFile.h"
#include "player/untComputerPlayer.h"
#include "protocol/untEngineSession.h"
#include "results/untScore.h"
#include "ui/game/untInitialize.h"
#include "ui/game/untMain.h"

namespace {

TEST_F(MainWindowTest, StartsWithTheCaptionTheTextsAndANewResultsFile) {
    EXPECT_EQ(form->windowTitle(), "Tolvaney - トルヴァニー - Build100316");
    EXPECT_EQ(form->size(), QSize(628, 350));
    EXPECT_EQ(form->Label_Message->text(),
              "COMは後手番専用です。\r\n\r\n中盤読み深さ２を設定\r\n終盤読み深さは\r\n４０手目で６"
              "手、\r\n"
              "４８手目で８手、\r\n５０手目で完全読み切り");
    EXPECT_EQ(ScoreFile(), "1500\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    EXPECT_EQ(form->BookLines.size(), 33u);
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join("; ").toStdString();
    int discs = 0;
    for (int square = 11; square <= 88; ++square)
        if (IsBoardSquare(square)) discs += ShowsDisc(SquareName(square).c_str());
    EXPECT_EQ(discs, 4);
    EXPECT_FALSE(form->Waku->isVisibleTo(form.get()));
    EXPECT_EQ(form->Ban[SquareOf("h1")]->geometry(), QRect(290, 9, 41, 41));
    EXPECT_EQ(form->Ban[SquareOf("a8")]->geometry(), QRect(10, 289, 41, 41));
}

TEST_F(MainWindowTest, AHumanMoveIsAnsweredOnTheTimer) {
    Click("f5");
    EXPECT_EQ(form->LastSquare, 35);
    EXPECT_EQ(form->Busy, 1);
    EXPECT_EQ(form->Label_Message->text(), "1手目: 35");
    EXPECT_EQ(form->Label_mes2->text(), "COM思考中。。。。");
    EXPECT_TRUE(form->Waku->isVisibleTo(form.get()));
    EXPECT_EQ(form->Waku->pos(), form->Ban[35]->pos());
    Click("d3");  // ignored while the computer's turn is pending
    EXPECT_EQ(form->Engine->MoveNumber, 1);

    WaitForTheComputer();
    EXPECT_EQ(form->Busy, 0);
    EXPECT_EQ(form->Engine->MoveNumber, 2);
    EXPECT_TRUE(ShowsDisc("f6"));
    const QString message = form->Label_Message->text();
    EXPECT_TRUE(
        message.startsWith("1手目: 35  2手目: 36\r\n\r\nスコア　黒: 3 白: 3\r\n\r\nCOM思考： "))
        << message.toStdString();
    EXPECT_TRUE(message.endsWith("秒\r\nCOM消費時間： 0秒")) << message.toStdString();
    EXPECT_EQ(form->windowTitle(), "２手目を牛定石に");
    EXPECT_EQ(form->Label_mes3->text(), "局面評価数＝0");
    EXPECT_TRUE(form->Waku2->isVisibleTo(form.get()));
    EXPECT_EQ(form->Waku2->pos(), form->Ban[36]->pos());
    EXPECT_TRUE(form->Waku->isVisibleTo(form.get()));
}

TEST_F(MainWindowTest, AnIllegalClickOnlyChangesTheMessage) {
    Click("f5");
    WaitForTheComputer();
    Click("f6");  // occupied
    EXPECT_EQ(form->Label_Message->text(), "あなたの番です。\r\n\r\n合法手ではありません。");
    EXPECT_EQ(form->Busy, 0);
    EXPECT_EQ(form->Engine->MoveNumber, 2);
    EXPECT_FALSE(form->Waku->isVisibleTo(form.get()));  // hidden before the move was tried
    EXPECT_FALSE(form->Waku2->isVisibleTo(form.get()));
}

// Black's a1 or h8 takes a white disc; white's other disc is left without a move.
const TPicture kTwoEdgeCatches = {".OXXXXXX", "........", "........", "........",
                                  "........", "........", "........", "XXXXXXO."};

TEST_F(MainWindowTest, TheComputerPassesAndHandsBackAtOnce) {
    SetPosition(kTwoEdgeCatches, 20);
    Click("a1");
    WaitForTheComputer();
    EXPECT_EQ(form->Label_mes2->text(), "COMはパスしました。");
    EXPECT_EQ(form->Busy, 0);
    EXPECT_EQ(form->Engine->MoveNumber, 21);
    EXPECT_EQ(form->Label_mes3->text(), "局面評価数＝0");
}

TEST_F(MainWindowTest, TheHumanPassesAndTheComputerMovesAgain) {
    // After black's f4 white takes a1 or h8, black has no move, and white takes the other.
    SetPosition({".XOOOOOO", "........", "........", "...XO...", "........", "........", "........",
                 "OOOOOOX."},
                20);
    Click("f4");
    bool sawPass = false;
    WaitForTheComputer(
        [&] { sawPass = sawPass || form->Label_mes2->text() == "人がパスしました。"; });
    EXPECT_TRUE(sawPass);
    EXPECT_EQ(form->Busy, 2);  // neither side can move after white's second corner
    EXPECT_EQ(form->Engine->MoveNumber, 23);
    EXPECT_EQ(form->Label_mes2->text(), "COMの勝ちです。");
}

TEST_F(MainWindowTest, TheEndOfTheGameIsRecordedInTheResultsFile) {
    // Black's d1 takes white's last discs.
    SetPosition({"XOO.....", "........", "........", "........", "........", "........", "........",
                 "........"},
                10);
    Click("d1");
    EXPECT_EQ(form->Busy, 2);
    EXPECT_EQ(form->Label_mes2->text(), "あなたの勝ちです。");
    EXPECT_TRUE(form->Label_Message->text().endsWith(
        "\r\n\r\nスコア　黒: 4　白: 0\r\n\r\nCOM消費時間： 0秒"));
    EXPECT_EQ(ScoreFile(), "1500\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");  // a win at level 2
    Click("e1");
    EXPECT_EQ(form->Engine->MoveNumber, 11);  // the board takes no more clicks
    form->OnButton_MattaClick();
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(MainWindowTest, TakeBackInItsSituations) {
    form->OnButton_MattaClick();
    EXPECT_EQ(dialogs.shown.value(0), "すでに初期状態です。待ったできません。");

    Click("f5");
    form->OnButton_MattaClick();  // the computer's turn is pending: nothing happens
    EXPECT_EQ(dialogs.shown.size(), 1);
    WaitForTheComputer();
    form->OnButton_MattaClick();
    EXPECT_EQ(form->Engine->MoveNumber, 0);
    EXPECT_EQ(form->GameRecord[1], 0);
    EXPECT_EQ(form->GameRecord[2], 0);
    EXPECT_FALSE(ShowsDisc("f5"));
    EXPECT_FALSE(ShowsDisc("f6"));
    EXPECT_EQ(form->Label_Message->text(), "待ったをしました\r\n");
    EXPECT_FALSE(form->Waku->isVisibleTo(form.get()));
    form->OnButton_MattaClick();
    EXPECT_EQ(dialogs.shown.value(1), "待ったは一度だけです。");
    EXPECT_EQ(form->Engine->MoveNumber, 0);

    // After a computer pass only the human's move is taken back.
    SetPosition(kTwoEdgeCatches, 20);
    form->TakeBackUsed = false;
    Click("a1");
    WaitForTheComputer();
    form->OnButton_MattaClick();
    EXPECT_EQ(form->Engine->MoveNumber, 20);
    EXPECT_FALSE(ShowsDisc("a1"));
}

TEST_F(MainWindowTest, ANewGameTakesTheDialogsSettings) {
    (*form->Engine->PatternWeights)[3][100][1] = 7;
    Click("f5");  // the computer's timer is pending when the new game starts
    dialogs.modalScripts.push_back([](QDialog& dialog) {
        auto& settings = static_cast<TForm2&>(dialog);
        settings.RadioGroup2->SetItemIndex(2);
        settings.RadioGroup1->SetItemIndex(0);
        settings.OnImage3_Click();
        settings.ScrollBar1->setValue(500);
        settings.Button1->click();
    });
    form->OnButton_StartClick();
    EXPECT_FALSE(form->Timer1->isActive());
    const TKyokumen& k = *form->Engine;
    EXPECT_EQ(k.GameLevel, 3);
    EXPECT_EQ(k.ThinkType, 1);
    EXPECT_EQ(k.Placement, 3);
    EXPECT_EQ(k.MoveNumber, 0);
    EXPECT_EQ(k.Boards[0].Cells[SquareOf("d4")], BLACK);
    EXPECT_EQ(k.Boards[0].Cells[SquareOf("d5")], WHITE);
    EXPECT_EQ((*k.PatternWeights)[3][100][1], 7);
    EXPECT_EQ(form->WaitPerMove, 500);
    EXPECT_EQ(form->Busy, 0);
    EXPECT_EQ(form->GameRecord[1], 0);
    EXPECT_EQ(form->Label_Message->text(),
              "初期化完了\r\n\r\nゲームレベルは中級\r\n中盤読みは４手\r\n思考タイプ＝Ａ\r\n\r\nゲー"
              "ム開始です。");
    QCoreApplication::processEvents();
    EXPECT_EQ(form->Engine->MoveNumber, 0);  // the old timer never fires into the new game

    // The weakest level greys out the thinking type; the dialog keeps its settings.
    dialogs.modalScripts.push_back([](QDialog& dialog) {
        auto& settings = static_cast<TForm2&>(dialog);
        EXPECT_EQ(settings.RadioGroup2->ItemIndex(), 2);
        settings.RadioGroup2->Item(0)->click();
        EXPECT_FALSE(settings.RadioGroup1->isEnabled());
        settings.Button1->click();
    });
    form->OnButton_StartClick();
    EXPECT_EQ(form->Label_Message->text(),
              "初期化完了\r\n\r\nゲームレベルは最弱\r\n中盤読みは１手\r\n思考タイプ＝ランダム\r\n\r"
              "\nゲーム開始です。");

    // The book is announced only at the top level with type C or D and the standard start.
    dialogs.modalScripts.push_back([](QDialog& dialog) {
        auto& settings = static_cast<TForm2&>(dialog);
        settings.RadioGroup2->Item(3)->click();
        settings.RadioGroup1->SetItemIndex(3);
        settings.OnImage1_Click();
        settings.Button1->click();
    });
    form->OnButton_StartClick();
    EXPECT_TRUE(form->Label_Message->text().contains("定石データベースあり\r\n思考タイプ＝Ｄ"));

    // Cancelling changes nothing.
    Click("f5");
    dialogs.modalScripts.push_back(
        [](QDialog& dialog) { static_cast<TForm2&>(dialog).Button2->click(); });
    form->OnButton_StartClick();
    EXPECT_EQ(form->Engine->MoveNumber, 1);
}

TEST_F(MainWindowTest, TheGameRecordGoesToTheClipboard) {
    form->OnButton_KifuClick();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "");
    Click("f5");
    WaitForTheComputer();
    form->OnButton_KifuClick();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "f5f6");
    form->GameRecord[3] = 7;  // not a square
    QGuiApplication::clipboard()->setText("unchanged");
    form->OnButton_KifuClick();
    EXPECT_EQ(dialogs.shown.value(0), "棋譜データエラー発生。");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "unchanged");
}

TEST_F(MainWindowTest, DamagedResultsFilesAreReportedAndRepairedOnTheNextSave) {
    WriteScoreFile("1500\r\n2\r\n5\r\n");
    StartProgram();
    EXPECT_EQ(dialogs.shown.value(0), "Error|成績データ読込みエラー");
    EXPECT_EQ(form->Score->WinsRandom, 2);
    EXPECT_EQ(form->Score->LossesRandom, 5);
    form->Score->AddLossBeginner();
    EXPECT_EQ(ScoreFile(), "1500\r\n2\r\n5\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");

    WriteScoreFile("abc\r\n3\r\n3\r\n3\r\n3\r\n3\r\n3\r\n3\r\n3\r\nkept 1\r\nkept 2\r\nkept 3\r\n");
    StartProgram();
    EXPECT_EQ(form->Score->PreservedValue, 0);
    EXPECT_EQ(form->Score->WinsRandom, 0);
    form->Score->AddWinAdvanced();
    EXPECT_EQ(ScoreFile(),
              "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\nkept 1\r\nkept 2\r\nkept 3\r\n");
}

TEST_F(MainWindowTest, TheResultsSummaryIsShownAndCopied) {
    form->Score->WinsBeginner = 3;
    form->Score->LossesBeginner = 12;
    form->Score->WinsAdvanced = 10000;
    form->OnSeiseki_Click();
    const QString rows =
        "　ランダム　    0勝    0敗\r\n　初級　　　    3勝   12敗\r\n"
        "　中級　　　    0勝    0敗\r\n　上級　　　10000勝    0敗\r\n";
    EXPECT_EQ(form->Label_Message->text(),
              "■総合成績\r\n\r\n" + rows + "\r\n　合計　　10003勝   12敗\r\n");
    const QString copy = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(copy.startsWith("-------------------------------\r\n■総合成績　"))
        << copy.toStdString();
    EXPECT_TRUE(
        copy.endsWith("\r\n\r\n" + rows +
                      "\r\n　合計　　　10003勝   12敗\r\n-------------------------------\r\n"));
    EXPECT_EQ(form->Label_mes3->text(), "クリップボードにも出力しました");
}

// What the message area shows for a text.
QImage Shown(TMessageLabel* area, const QString& text) {
    area->setText(text);
    return area->grab().toImage();
}

// The text without its last line (a line break at its very end ends that line).
QString WithoutLastLine(QString text) {
    if (text.endsWith("\r\n")) text.chop(2);
    return text.left(text.lastIndexOf("\r\n"));
}

// With the fonts the machine has, every line of the longest texts of the message area is
// drawn inside it: the results summary, also with five-digit counters, and the start
// message of the top level with the opening book. The last line is drawn, and the bottom
// row of the area is left clear, so nothing is cut off.
TEST_F(MainWindowTest, TheLongestMessagesShowEveryLine) {
    TMessageLabel* area = form->Label_Message;
    ASSERT_TRUE(QFontMetrics(area->font()).inFontUcs4(U'勝')) << "no Japanese font";
    const QRgb background = area->palette().color(QPalette::Window).rgb();
    auto bottomRowIsClear = [&](const QImage& image) {
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, image.height() - 1) != background) return false;
        return true;
    };

    QStringList ordinary, long5Digits;
    form->Score->WinsBeginner = 3;
    form->Score->LossesBeginner = 12;
    form->Score->WinsAdvanced = 9999;
    form->OnSeiseki_Click();
    ordinary << form->Label_Message->text();
    for (int32_t* counter : {&form->Score->WinsRandom, &form->Score->LossesRandom,
                             &form->Score->WinsAdvanced, &form->Score->LossesAdvanced})
        *counter = 99999;
    form->OnSeiseki_Click();
    long5Digits << form->Label_Message->text();
    dialogs.modalScripts.push_back([](QDialog& dialog) {
        auto& settings = static_cast<TForm2&>(dialog);
        settings.RadioGroup2->SetItemIndex(3);
        settings.RadioGroup1->SetItemIndex(2);
        settings.OnImage1_Click();
        settings.Button1->click();
    });
    form->OnButton_StartClick();
    ASSERT_TRUE(form->Label_Message->text().contains("定石データベースあり"));
    ordinary << form->Label_Message->text();

    for (const QString& text : ordinary + long5Digits) {
        const int pixelSize = area->FittingPixelSize(text);
        EXPECT_LE(area->NeededHeight(text, pixelSize), area->height()) << text.toStdString();
        const QImage whole = Shown(area, text);
        EXPECT_NE(whole, Shown(area, WithoutLastLine(text))) << text.toStdString();
        EXPECT_TRUE(bottomRowIsClear(whole)) << text.toStdString();
        // Ordinary texts keep the area's own 19-pixel font.
        if (ordinary.contains(text)) {
            EXPECT_EQ(pixelSize, 19) << text.toStdString();
        }
    }
}

TEST_F(MainWindowTest, QuittingAsksFirst) {
    dialogs.confirmAnswers = {false};
    form->show();
    form->OnButton_ExitClick();
    EXPECT_EQ(dialogs.shown.value(0), "確認?終了しますか？");
    EXPECT_TRUE(form->isVisible());
    form->OnButton_ExitClick();
    EXPECT_FALSE(form->isVisible());
}

// The window's computer and the engine program's are one player: from the same seed, with the
// same moves of black, white answers alike with every thinking type, through the book, type D's
// remembered positions (whose keys are drawn under the seed) and the exact endgame. (Below the
// top level the window's game board draws evaluation noise at every move it commits, which the
// engine program, keeping no such board, does not.)
TEST_F(MainWindowTest, TheSameSeedGivesTheSameGameInTheWindowAndTheEngineProgram) {
    const struct {
        int level, type;
        uint32_t seed;
        bool humanWhite;  // the computer plays black, and begins
    } kGames[] = {{4, 1, 11, false}, {4, 2, 12, false}, {4, 3, 13, false}, {4, 4, 14, false},
                  {1, 1, 21, true},  {2, 2, 22, true},  {3, 3, 23, true},  {4, 4, 24, true}};
    for (const auto& [level, type, seed, humanWhite] : kGames) {
        SCOPED_TRACE("level " + std::to_string(level) + " type " + std::to_string(type) +
                     (humanWhite ? " as white" : ""));
        form->GameSeed = seed;
        form->NewGameDialog->RadioGroup2->SetItemIndex(level - 1);
        form->NewGameDialog->RadioGroup1->SetItemIndex(type - 1);
        form->NewGameDialog->RadioGroup3->SetItemIndex(humanWhite ? 1 : 0);
        for (QScrollBar* wait : {form->NewGameDialog->ScrollBar1, form->NewGameDialog->ScrollBar2})
            wait->setValue(wait->minimum());
        form->StartNewGame();
        // The game's engine is the one the engine program makes for white under the seed.
        TRandom generator;
        const auto engines = NewGameEngines(generator, seed);
        EXPECT_EQ(std::memcmp(engines[1]->Boards[0].Hash.Keys, form->Engine->Boards[0].Hash.Keys,
                              sizeof engines[1]->Boards[0].Hash.Keys),
                  0);
        EXPECT_EQ(ProgramRandom().State(), seed);
        // The human plays a legal square picked by the move number, so that games differ.
        for (WaitForTheComputer(); form->Busy == 0; WaitForTheComputer()) {
            const TBitBoard discs = BitsOf(form->Engine->Boards[0].Cells);
            uint64_t moves = humanWhite ? LegalMovesOf(discs.white, discs.black)
                                        : LegalMovesOf(discs.black, discs.white);
            for (int skip = form->Engine->MoveNumber * 5 % std::popcount(moves); skip > 0; --skip)
                moves &= moves - 1;
            form->OnBan_Click(form->Ban[SquareOfBit(std::countr_zero(moves))]);
        }
        ASSERT_EQ(form->Busy, 2);

        TSessionOptions options;
        options.seed = seed;
        options.gameLevel = static_cast<uint8_t>(level);
        options.thinkType = static_cast<uint8_t>(type);
        options.tables = std::make_shared<const TPatternTable>(*form->Engine->PatternWeights);
        options.book = form->BookLines;
        TEngineSession session(options);
        for (int n = 1; n <= 60 && form->GameRecord[n] != 0; ++n) {
            if (session.Game().MustPass()) session.Play(session.Game().WhiteToMove(), PASS);
            const uint8_t square = form->GameRecord[n];
            const bool computerToMove = session.Game().WhiteToMove() != humanWhite;
            if (computerToMove)
                ASSERT_EQ(session.PlayComputerMove().square, square) << "move " << n;
            else
                ASSERT_EQ(session.Play(humanWhite, square), "") << "move " << n;
        }
        EXPECT_TRUE(session.Game().Over());
    }
}

}  // namespace
