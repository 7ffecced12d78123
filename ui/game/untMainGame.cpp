// The flow of one game in the main window: the human's move from a click, the computer's
// turn on the one-shot timer, passes on either side, the end of the game, a new game and
// take-back.
//
// A move lets pending events run at a few points, so that the board and the cursor are
// repainted before the computer thinks. A click queued before such a point is handled
// there: a board click or take-back is ignored (Busy is 1), but a new game replaces the
// engine. So every such point asks GameGoesOnAfterPendingEvents, and the move stops at once
// when its game is gone, leaving the new game exactly as the new-game command set it up.
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "engine/eval/untPatterns.h"
#include "player/untComputerPlayer.h"
#include "player/untGameState.h"
#include "results/untScore.h"
#include "results/untStrongestScore.h"
#include "ui/game/untAdviceSettings.h"
#include "ui/game/untInitialize.h"
#include "ui/game/untMain.h"

namespace {

// The end of a fault's box: what it means and that the fault's own text follows.
QString FatalEnding() {
    return QCoreApplication::translate("TForm1",
                                       "\r\n\r\nプログラム上のバグです。致命的な状況なのでゲームを"
                                       "中断します。\r\n\r\nエラー内容は ");
}

QString Number(long value) {
    return QString::number(value);
}

// Seconds in the general floating form: as many digits as needed, up to 15.
QString Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", seconds);
    return QString::fromLatin1(text);
}

QString ScoreLine(const TKyokumen& k, const QString& separator) {
    return QCoreApplication::translate("TForm1", "スコア　黒: ") + Number(k.BlackCount) +
           separator + QCoreApplication::translate("TForm1", "白: ") + Number(k.WhiteCount);
}

QString ColourName(bool white) {
    return white ? QCoreApplication::translate("TForm1", "白")
                 : QCoreApplication::translate("TForm1", "黒");
}

// A side is wiped out: the engine's flag for it, after the check.
bool WipedOut(TKyokumen& engine, bool white) {
    if (white) {
        engine.CheckWhiteOut();
        return engine.WhiteOut;
    }
    engine.CheckBlackOut();
    return engine.BlackOut;
}

}  // namespace

void TForm1::ReportFault(const QString& step, const std::exception& fault) {
    emit Happened(THappening::Halted);
    Dialogs().Message(step + FatalEnding() + QString::fromStdString(fault.what()));
}

void TForm1::OnBan_Click(QObject* sender) {
    HumanClick(sender);
}

void TForm1::HumanClick(QObject* sender) {
    if (Busy != 0 || EngineInUse()) return;
    LastSquare = 0;
    const QString name = sender->objectName();
    if (name.startsWith("ban")) LastSquare = static_cast<uint8_t>(name.mid(3, 2).toInt());
    if (LastSquare == 0) return;
    Waku->hide();
    Waku2->hide();
    HumanMove();
}

void TForm1::HumanMove() {
    // The person's colour, whatever a learning replay (which ends on white) left.
    Engine->WhiteToMove = PersonWhite;
    if (!Engine->IsLegal(LastSquare)) {
        Label_Message->setText(tr("あなたの番です。\r\n\r\n合法手ではありません。"));
        emit Happened(THappening::IllegalSquare, LastSquare);
        return;
    }
    Busy = 1;
    emit BoardStateChanged();
    SetScreenCursor(ThinkCursor);
    if (!GameGoesOnAfterPendingEvents()) return;
    TKyokumen::CopyCells(Engine->Boards[0], Engine->Boards[TAKE_BACK_BOARD]);
    Engine->SavedMoveNumber = Engine->MoveNumber;
    TakeBackSaved = true;
    try {
        Engine->MakeMove(LastSquare);
    } catch (const std::exception& fault) {
        ReportFault(tr("人の駒移動でエラー発生"), fault);
        return;
    }
    Engine->Commit();
    const int n = Engine->MoveNumber;
    GameRecord[n] = LastSquare;
    Label_Message->setText(tr("%1手目: %2").arg(n).arg(int{LastSquare}));
    DrawBoard();
    if (TwoPlayers()) {
        emit Happened(THappening::HumanMoved, LastSquare);
        NextTurnOfTwo();
        return;
    }
    Label_mes2->setText(tr("COM思考中。。。。"));
    emit Happened(THappening::HumanMoved, LastSquare);
    if (WipedOut(*Engine, ComputerIsWhite())) {
        EndOfGame();
        return;
    }
    if (!GameGoesOnAfterPendingEvents()) return;
    Timer1->start();
}

// In a game of two, the turn passes to the other side, or stays when the other side has no
// move (it passes), or the game ends.
void TForm1::NextTurnOfTwo() {
    const bool mover = PersonWhite;
    if (WipedOut(*Engine, !mover)) {
        EndOfGame();
        return;
    }
    Engine->WhiteToMove = !mover;
    if (Engine->HasLegalMove()) {
        PersonWhite = !mover;
        Label_mes2->setText(tr("%1の番です。").arg(ColourName(PersonWhite)));
        HandOver();
        return;
    }
    Engine->WhiteToMove = mover;
    if (!Engine->HasLegalMove()) {
        EndOfGame();
        return;
    }
    Label_mes2->setText(tr("%1はパスしました。").arg(ColourName(!mover)));
    LetPersonMove();
    emit Happened(THappening::HumanPassed);
}

void TForm1::OnTimer() {
    Timer1->stop();
    if (Busy != 1) return;  // no computer turn is pending
    if (!GameGoesOnAfterPendingEvents()) return;
    ComputerTurn();
}

void TForm1::ComputerTurn() {
    const bool white = ComputerIsWhite();
    TurnStart = ClockTick();
    Engine->WhiteToMove = white;
    if (!Engine->HasLegalMove()) {
        Label_mes2->setText(tr("COMはパスしました。"));
        emit Happened(THappening::ComputerPassed);
        Engine->WhiteToMove = !white;
        if (Engine->HasLegalMove())
            HandOver();
        else
            EndOfGame();
        return;
    }
    if (Opponent == TOpponent::Strongest) {
        StartStrongestMove();
        return;
    }
    try {
        ChooseComputerMove();
    } catch (const std::exception& fault) {
        ReportFault(tr("COM思考でエラー発生"), fault);
        return;
    }
    PlayComputerMove();
}

// The computer's move in ChosenMove: white's as the game has always chosen it, black's as
// the engine program's black chooses it, on an engine of its own with the colours exchanged.
void TForm1::ChooseComputerMove() {
    if (ComputerIsWhite()) {
        ChooseWhiteMove(*Engine, BookLines, BookActive, GameRecord);
        return;
    }
    const TComputerMove move =
        BlackPlayer->Choose(BitsOf(Engine->Boards[0].Cells), false, Engine->Placement, GameRecord);
    Engine->ChosenMove = move.square;
    Engine->ThinkComment = move.comment;
    Engine->EvalCount = BlackPlayer->EvalCount(false);
    Engine->WhiteToMove = false;
}

// The strongest computer thinks beside the window, which stays free: the worker gets a copy
// of the position, and a new game or the window closing stops it.
void TForm1::StartStrongestMove() {
    TAnalysisSettings settings = WindowAdviceSettings(*this, EXACT_ADVICE_EMPTIES);
    const TDiscs discs = BitsOf(Engine->Boards[0].Cells);
    const bool white = ComputerIsWhite();
    const uint32_t game = GameNumber;
    lastStrongMove_ = std::move(strongMove_);
    strongMove_ = std::make_unique<TBackgroundJob<TPositionValue>>(
        [settings, discs, white](const std::atomic<bool>& stop, const auto&) mutable {
            settings.stop = &stop;
            return ValuePosition(discs, white, settings);
        },
        TBackgroundJob<TPositionValue>::THandlers{
            [this, game](TPositionValue chosen) {
                if (game != GameNumber || Busy != 1) return;
                Engine->ChosenMove = chosen.best;
                Engine->ThinkComment =
                    (chosen.exact ? tr("最強: 読み切り") : tr("最強: 先読み")).toStdString();
                Engine->EvalCount = 0;
                Engine->WhiteToMove = ComputerIsWhite();
                PlayComputerMove();
            },
            [this, game](const QString& fault) {
                if (game != GameNumber || Busy != 1) return;
                ReportFault(tr("COM思考でエラー発生"), std::runtime_error(fault.toStdString()));
            },
            {}});
}

void TForm1::PlayComputerMove() {
    LastSquare = Engine->ChosenMove;
    if (LastSquare == 0) {
        emit Happened(THappening::Halted);
        Dialogs().Message(tr("COM思考でエラー発生 指し手が0"));
        return;
    }
    try {
        Engine->MakeMove(LastSquare);
    } catch (const std::exception& fault) {
        ReportFault(tr("COMの駒移動でエラー発生"), fault);
        return;
    }
    Engine->Commit();
    const int n = Engine->MoveNumber;
    GameRecord[n] = LastSquare;
    AppendMessage("  " + tr("%1手目: %2").arg(n).arg(int{LastSquare}));
    AppendMessage("\r\n\r\n" + ScoreLine(*Engine, " "));
    const double elapsed = (ClockTick() - TurnStart) / 1000;
    AppendMessage("\r\n\r\n" + tr("COM思考： %1秒").arg(Seconds(elapsed)));
    TotalTime += elapsed;
    AppendMessage("\r\n" + TimeUsed());
    DrawBoard();
    Label_mes2->clear();
    emit Happened(THappening::ComputerMoved, LastSquare);
    AfterComputerMove();
}

// The human's turn, or the human passes and the computer moves again after a wait, or the
// game is over.
void TForm1::AfterComputerMove() {
    const bool white = ComputerIsWhite();
    if (WipedOut(*Engine, !white)) {
        EndOfGame();
        return;
    }
    Engine->WhiteToMove = !white;
    if (Engine->HasLegalMove()) {
        HandOver();
        return;
    }
    // The human cannot move: the game is over, or the computer moves again after a wait.
    Engine->WhiteToMove = white;
    if (!Engine->HasLegalMove()) {
        EndOfGame();
        return;
    }
    Label_mes2->setText(tr("人がパスしました。"));
    Label_Message->clear();
    Timer1->setInterval(WaitOnPass);
    Timer1->start();
    emit Happened(THappening::HumanPassed);
    GameGoesOnAfterPendingEvents();  // the turn is over here, whatever happens meanwhile
}

// The search's comment as the window shows it: its Japanese words in the window's language.
QString TForm1::ShownComment() const {
    static const char* const kWords[] = {QT_TR_NOOP("２手目を牛定石に"),
                                         QT_TR_NOOP("定石データベース使用"),
                                         QT_TR_NOOP("ランダム"),
                                         QT_TR_NOOP("初級"),
                                         QT_TR_NOOP("中級"),
                                         QT_TR_NOOP("上級"),
                                         QT_TR_NOOP("完全読み")};
    QString comment = QString::fromStdString(Engine->ThinkComment);
    for (const char* word : kWords)
        comment.replace(QString::fromUtf8(word), tr(word));
    return comment;
}

// The computer's thinking time summed over the game, in whole seconds.
QString TForm1::TimeUsed() const {
    return tr("COM消費時間： %1秒").arg(static_cast<long>(TotalTime));
}

void TForm1::HandOver() {
    if (!TwoPlayers()) {
        const QString comment = ShownComment();
        if (Engine->ShowComment) setWindowTitle(comment);
        // The strongest computer's search counts no positions the way the game's do: the
        // line says how it chose instead.
        Label_mes3->setText(Opponent == TOpponent::Strongest
                                ? comment
                                : tr("局面評価数＝%1").arg(Engine->EvalCount));
        Engine->EvalCount = 0;
    }
    LetPersonMove();
    emit Happened(THappening::HumanToMove);
}

// The board takes the person's clicks again, with a take-back of their own.
void TForm1::LetPersonMove() {
    TakeBackUsed = false;
    Busy = 0;
    SetScreenCursor(CURSOR_HAND_POINT);
    Timer1->setInterval(WaitPerMove);
    emit BoardStateChanged();
}

void TForm1::EndOfGame() {
    Engine->Commit();
    const int black = Engine->BlackCount, white = Engine->WhiteCount;
    QString saveFault, notices;
    if (TwoPlayers()) {
        Label_mes2->setText(black == white ? tr("引き分けです。")
                                           : tr("%1の勝ちです。").arg(ColourName(white > black)));
    } else {
        const int human = HumanIsWhite ? white : black, computer = HumanIsWhite ? black : white;
        if (computer > human) Label_mes2->setText(tr("COMの勝ちです。"));
        if (computer < human) Label_mes2->setText(tr("あなたの勝ちです。"));
        if (computer == human) Label_mes2->setText(tr("引き分けです。"));
        RecordResult(human, computer, saveFault, notices);
    }
    Busy = 2;
    emit BoardStateChanged();
    // The last report was not a computer move's: the final score goes below it.
    if (TwoPlayers()) {
        AppendMessage("\r\n\r\n" + ScoreLine(*Engine, tr("　")));
    } else if (Engine->WhiteToMove != ComputerIsWhite()) {
        AppendMessage("\r\n\r\n" + ScoreLine(*Engine, tr("　")));
        AppendMessage("\r\n\r\n" + TimeUsed());
    }
    SetScreenCursor(CURSOR_DEFAULT);
    emit Happened(THappening::GameOver);
    // The box comes last, when the game is settled: a new game started while it is open
    // must find nothing of this one left to do.
    if (!notices.isEmpty()) Dialogs().Message(notices);
    if (!saveFault.isEmpty()) Dialogs().Message(saveFault);
}

// A decided game against the computer goes to the results of its level, or of the
// strongest computer; what the save has to tell comes back for the boxes.
void TForm1::RecordResult(int humanDiscs, int computerDiscs, QString& saveFault, QString& notices) {
    try {
        if (Opponent == TOpponent::Strongest)
            StrongestScore().RecordGame(humanDiscs, computerDiscs);
        else
            Score->RecordGame(Engine->GameLevel, humanDiscs, computerDiscs);
    } catch (const std::exception& fault) {
        saveFault = QString::fromStdString(fault.what());
    }
    notices = QString::fromStdString(
        Opponent == TOpponent::Strongest ? StrongestScore().TakeNotices() : Score->TakeNotices());
}

TStrongestScore& TForm1::StrongestScore() {
    if (!StrongScore)
        StrongScore = std::make_unique<TStrongestScore>(
            scoreFile_.parent_path() / kStrongestScoreFileName, ReportToPlayer());
    return *StrongScore;
}

std::unique_ptr<TKyokumen> TForm1::NewGameEngine() const {
    return std::move(NewGameEngines(ProgramRandom(), GameSeed.value_or(ClockSeed()))[1]);
}

void TForm1::OnButton_StartClick() {
    if (EngineInUse()) return;
    Dialogs().ShowModal(*NewGameDialog);
    if (NewGameDialog->Cancelled) return;
    StartNewGame();
    emit NewGameStarted();
}

void TForm1::StartNewGame() {
    if (EngineInUse()) return;
    // The old game ends here: a move that let this command run stops when it resumes, and
    // nothing queued meanwhile may play on the old engine or start another game.
    StartingGame = true;
    ++GameNumber;
    Timer1->stop();
    if (strongMove_) strongMove_->Stop();
    ProcessPendingEvents();
    std::memset(GameRecord, 0, sizeof GameRecord);
    // Learned and edited pattern values last into the new game.
    const uint32_t seed = GameSeed.value_or(ClockSeed());
    auto fresh = std::move(NewGameEngines(ProgramRandom(), seed)[1]);
    CarryPatternWeights(*Engine, *fresh);
    Engine = std::move(fresh);
    Engine->GameLevel = static_cast<uint8_t>(NewGameDialog->RadioGroup2->ItemIndex() + 1);
    if (NewGameDialog->RadioButton2->isChecked()) Engine->SetPlacement2();
    if (NewGameDialog->RadioButton3->isChecked()) Engine->SetPlacement3();
    if (NewGameDialog->RadioButton4->isChecked()) Engine->SetPlacement4();
    Engine->ThinkType = static_cast<uint8_t>(NewGameDialog->RadioGroup1->ItemIndex() + 1);
    WaitPerMove = NewGameDialog->ScrollBar1->value();
    WaitOnPass = NewGameDialog->ScrollBar2->value();
    TakeSidesFromDialog();
    BlackPlayer.reset();
    if (Opponent == TOpponent::Computer && HumanIsWhite) {
        BlackPlayer = std::make_unique<TComputerPlayer>(
            BlackGenerator, std::make_shared<const TPatternTable>(*Engine->PatternWeights),
            BookLines);
        BlackPlayer->SetLevel(Engine->GameLevel);
        BlackPlayer->SetType(Engine->ThinkType);
        BlackPlayer->NewGame(seed);
    }
    if (Opponent == TOpponent::Strongest) StrongestScore();  // a damaged file is told now
    TotalTime = 0;
    Waku->hide();
    Waku2->hide();
    TakeBackUsed = false;
    TakeBackSaved = false;
    LastSquare = 0;
    Busy = 0;
    Timer1->setInterval(WaitPerMove);
    SetScreenCursor(CURSOR_HAND_POINT);
    DrawBoard();
    Label_Message->setText(StartMessage());
    Label_mes2->clear();
    Label_mes3->clear();
    BookActive = true;
    StartingGame = false;
    const bool computerBegins = !TwoPlayers() && HumanIsWhite;
    if (computerBegins) {
        // Black begins: the computer moves first, after the wait per move.
        Busy = 1;
        SetScreenCursor(ThinkCursor);
        Label_mes2->setText(tr("COM思考中。。。。"));
    }
    emit BoardStateChanged();  // the human may move now, or the computer thinks
    emit Happened(THappening::NewGame);
    if (computerBegins) Timer1->start();
}

void TForm1::TakeSidesFromDialog() {
    Opponent = NewGameDialog->Opponent();
    HumanIsWhite = !TwoPlayers() && NewGameDialog->HumanPlaysWhite();
    PersonWhite = HumanIsWhite;
}

// What the message area says at the start of a game: the level's and the thinking type's
// lines, and who plays which colour where that is not the person black against the computer.
QString TForm1::StartMessage() const {
    QString message = tr("初期化完了\r\n\r\n");
    if (TwoPlayers()) return message + tr("二人で対戦\r\n\r\nゲーム開始です。黒の番です。");
    if (Opponent == TOpponent::Strongest) {
        message += tr("ゲームレベルは最強\r\n終盤は残り%1マスから完全読み\r\n\r\n")
                       .arg(EXACT_ADVICE_EMPTIES);
    } else {
        static const char* const kLevelLines[5][3] = {
            {},
            {QT_TR_NOOP("ゲームレベルは最弱"), QT_TR_NOOP("中盤読みは１手"),
             QT_TR_NOOP("思考タイプ＝ランダム")},
            {QT_TR_NOOP("ゲームレベルは初級"), QT_TR_NOOP("中盤読みは２手")},
            {QT_TR_NOOP("ゲームレベルは中級"), QT_TR_NOOP("中盤読みは４手")},
            {QT_TR_NOOP("ゲームレベルは上級"), QT_TR_NOOP("中盤読みは５手")}};
        static const char* const kTypeLines[5] = {
            "", QT_TR_NOOP("思考タイプ＝Ａ"), QT_TR_NOOP("思考タイプ＝Ｂ"),
            QT_TR_NOOP("思考タイプ＝Ｃ"), QT_TR_NOOP("思考タイプ＝Ｄ")};
        const int level = Engine->GameLevel;
        for (const char* line : kLevelLines[level])
            if (line) message += tr(line) + "\r\n";
        if (level == 1) message += "\r\n";
        if (GameConsultsBook(Engine->Placement, Engine->GameLevel, Engine->ThinkType))
            message += tr("定石データベースあり") + "\r\n";
        if (level > 1) message += tr(kTypeLines[Engine->ThinkType]) + "\r\n\r\n";
    }
    message += tr("ゲーム開始です。");
    if (HumanIsWhite) message += tr("\r\nあなたは白（後手）、COMが先手です。");
    return message;
}

QString TForm1::SideName(bool white) const {
    if (TwoPlayers()) return ColourName(white);
    if (white == HumanIsWhite) return tr("あなた");
    return HumanIsWhite ? tr("COM（黒）") : QStringLiteral("COM");
}

void TForm1::OnButton_MattaClick() {
    if (Busy != 0 || EngineInUse()) return;
    if (TwoPlayers()) {
        TakeBackOneMove();
        return;
    }
    if (TakeBackUsed) {
        Dialogs().Message(tr("待ったは一度だけです。"));
        return;
    }
    // As white, the computer's first move is no move of the human's to take back.
    if (Engine->MoveNumber == 0 || (HumanIsWhite && !TakeBackSaved)) {
        Dialogs().Message(tr("すでに初期状態です。待ったできません。"));
        return;
    }
    TakeBackUsed = true;
    Engine->RestoreTakeBack();
    Engine->BlackOut = false;
    Engine->WhiteOut = false;
    for (int n = Engine->SavedMoveNumber + 1; n <= 60; ++n)
        GameRecord[n] = 0;
    Label_Message->setText(tr("待ったをしました\r\n"));
    DrawBoard();
    Label_mes2->clear();
    Waku->hide();
    Waku2->hide();
    emit Happened(THappening::TakenBack);
}

// In a game of two, each take-back undoes the last move, as often as the players like: the
// game is replayed from its start to the move before, its passes found again on the way.
void TForm1::TakeBackOneMove() {
    int moves = 0;
    while (moves < 60 && GameRecord[moves + 1] != 0)
        ++moves;
    if (moves == 0) {
        Dialogs().Message(tr("すでに初期状態です。待ったできません。"));
        return;
    }
    TGameState game(TGameState::PlacementDiscs(Engine->Placement), false);
    for (int n = 1; n < moves; ++n)
        game.PlayNext(GameRecord[n]);
    GameRecord[moves] = 0;
    Engine->Boards[0].SetCellsFrom(game.Discs());
    Engine->MoveNumber = static_cast<int16_t>(moves - 1);
    Engine->BlackOut = false;
    Engine->WhiteOut = false;
    PersonWhite = game.MustPass() != game.WhiteToMove();
    Engine->WhiteToMove = PersonWhite;
    Label_Message->setText(tr("待ったをしました\r\n"));
    LastSquare = 0;
    DrawBoard();
    Label_mes2->setText(tr("%1の番です。").arg(ColourName(PersonWhite)));
    Waku->hide();
    Waku2->hide();
    emit Happened(THappening::TakenBack);
}
