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
#include "results/untScore.h"
#include "ui/game/untInitialize.h"
#include "ui/game/untMain.h"

namespace {

const QString kFatal = QStringLiteral(
    "\r\n\r\nプログラム上のバグです。致命的な状況なのでゲームを中断します。\r\n\r\nエラー内容は ");

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
    return QStringLiteral("スコア　黒: ") + Number(k.BlackCount) + separator +
           QStringLiteral("白: ") + Number(k.WhiteCount);
}

}  // namespace

void TForm1::ReportFault(const QString& step, const std::exception& fault) {
    emit Happened(THappening::Halted);
    Dialogs().Message(step + kFatal + QString::fromStdString(fault.what()));
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
    Engine->WhiteToMove = false;  // the human plays black (a learning replay ends on white)
    if (!Engine->IsLegal(LastSquare)) {
        Label_Message->setText(QStringLiteral("あなたの番です。\r\n\r\n合法手ではありません。"));
        emit Happened(THappening::IllegalSquare, LastSquare);
        return;
    }
    Busy = 1;
    emit BoardStateChanged();
    SetScreenCursor(ThinkCursor);
    if (!GameGoesOnAfterPendingEvents()) return;
    TKyokumen::CopyCells(Engine->Boards[0], Engine->Boards[TAKE_BACK_BOARD]);
    Engine->SavedMoveNumber = Engine->MoveNumber;
    try {
        Engine->MakeMove(LastSquare);
    } catch (const std::exception& fault) {
        ReportFault(QStringLiteral("人の駒移動でエラー発生"), fault);
        return;
    }
    Engine->Commit();
    const int n = Engine->MoveNumber;
    GameRecord[n] = LastSquare;
    Label_Message->setText(Number(n) + QStringLiteral("手目: ") + Number(LastSquare));
    DrawBoard();
    Label_mes2->setText(QStringLiteral("COM思考中。。。。"));
    emit Happened(THappening::HumanMoved, LastSquare);
    Engine->CheckWhiteOut();
    if (Engine->WhiteOut) {
        EndOfGame();
        return;
    }
    if (!GameGoesOnAfterPendingEvents()) return;
    Timer1->start();
}

void TForm1::OnTimer() {
    Timer1->stop();
    if (Busy != 1) return;  // no computer turn is pending
    if (!GameGoesOnAfterPendingEvents()) return;
    ComputerTurn();
}

void TForm1::ComputerTurn() {
    TurnStart = ClockTick();
    Engine->WhiteToMove = true;
    if (!Engine->HasLegalMove()) {
        Label_mes2->setText(QStringLiteral("COMはパスしました。"));
        emit Happened(THappening::ComputerPassed);
        Engine->WhiteToMove = false;
        if (Engine->HasLegalMove())
            HandOver();
        else
            EndOfGame();
        return;
    }
    try {
        ChooseWhiteMove(*Engine, BookLines, BookActive, GameRecord);
    } catch (const std::exception& fault) {
        ReportFault(QStringLiteral("COM思考でエラー発生"), fault);
        return;
    }
    LastSquare = Engine->ChosenMove;
    if (LastSquare == 0) {
        emit Happened(THappening::Halted);
        Dialogs().Message(QStringLiteral("COM思考でエラー発生 指し手が0"));
        return;
    }
    try {
        Engine->MakeMove(LastSquare);
    } catch (const std::exception& fault) {
        ReportFault(QStringLiteral("COMの駒移動でエラー発生"), fault);
        return;
    }
    Engine->Commit();
    const int n = Engine->MoveNumber;
    GameRecord[n] = LastSquare;
    AppendMessage("  " + Number(n) + QStringLiteral("手目: ") + Number(LastSquare));
    AppendMessage("\r\n\r\n" + ScoreLine(*Engine, " "));
    const double elapsed = (ClockTick() - TurnStart) / 1000;
    AppendMessage("\r\n\r\n" + QStringLiteral("COM思考： ") + Seconds(elapsed) +
                  QStringLiteral("秒"));
    TotalTime += elapsed;
    AppendMessage("\r\n" + QStringLiteral("COM消費時間： ") + Number(static_cast<long>(TotalTime)) +
                  QStringLiteral("秒"));
    DrawBoard();
    Label_mes2->clear();
    emit Happened(THappening::ComputerMoved, LastSquare);
    Engine->CheckBlackOut();
    if (Engine->BlackOut) {
        EndOfGame();
        return;
    }
    Engine->WhiteToMove = false;
    if (Engine->HasLegalMove()) {
        HandOver();
        return;
    }
    // The human cannot move: the game is over, or the computer moves again after a wait.
    Engine->WhiteToMove = true;
    if (!Engine->HasLegalMove()) {
        EndOfGame();
        return;
    }
    Label_mes2->setText(QStringLiteral("人がパスしました。"));
    Label_Message->clear();
    Timer1->setInterval(WaitOnPass);
    Timer1->start();
    emit Happened(THappening::HumanPassed);
    GameGoesOnAfterPendingEvents();  // the turn is over here, whatever happens meanwhile
}

void TForm1::HandOver() {
    TakeBackUsed = false;
    if (Engine->ShowComment) setWindowTitle(QString::fromStdString(Engine->ThinkComment));
    Label_mes3->setText(QStringLiteral("局面評価数＝") + Number(Engine->EvalCount));
    Engine->EvalCount = 0;
    Busy = 0;
    SetScreenCursor(CURSOR_HAND_POINT);
    Timer1->setInterval(WaitPerMove);
    emit BoardStateChanged();
    emit Happened(THappening::HumanToMove);
}

void TForm1::EndOfGame() {
    Engine->Commit();
    const int black = Engine->BlackCount, white = Engine->WhiteCount;
    if (white > black) Label_mes2->setText(QStringLiteral("COMの勝ちです。"));
    if (white < black) Label_mes2->setText(QStringLiteral("あなたの勝ちです。"));
    if (white == black) Label_mes2->setText(QStringLiteral("引き分けです。"));
    QString saveFault;
    try {
        Score->RecordGame(Engine->GameLevel, black, white);
    } catch (const std::exception& fault) {
        saveFault = QString::fromStdString(fault.what());
    }
    const QString notices = QString::fromStdString(Score->TakeNotices());
    Busy = 2;
    emit BoardStateChanged();
    if (!Engine->WhiteToMove) {
        AppendMessage("\r\n\r\n" + ScoreLine(*Engine, QStringLiteral("　")));
        AppendMessage("\r\n\r\n" + QStringLiteral("COM消費時間： ") +
                      Number(static_cast<long>(TotalTime)) + QStringLiteral("秒"));
    }
    SetScreenCursor(CURSOR_DEFAULT);
    emit Happened(THappening::GameOver);
    // The box comes last, when the game is settled: a new game started while it is open
    // must find nothing of this one left to do.
    if (!notices.isEmpty()) Dialogs().Message(notices);
    if (!saveFault.isEmpty()) Dialogs().Message(saveFault);
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
    ProcessPendingEvents();
    std::memset(GameRecord, 0, sizeof GameRecord);
    // Learned and edited pattern values last into the new game.
    auto fresh = NewGameEngine();
    CarryPatternWeights(*Engine, *fresh);
    Engine = std::move(fresh);
    Engine->GameLevel = static_cast<uint8_t>(NewGameDialog->RadioGroup2->ItemIndex() + 1);
    if (NewGameDialog->RadioButton2->isChecked()) Engine->SetPlacement2();
    if (NewGameDialog->RadioButton3->isChecked()) Engine->SetPlacement3();
    if (NewGameDialog->RadioButton4->isChecked()) Engine->SetPlacement4();
    Engine->ThinkType = static_cast<uint8_t>(NewGameDialog->RadioGroup1->ItemIndex() + 1);
    WaitPerMove = NewGameDialog->ScrollBar1->value();
    WaitOnPass = NewGameDialog->ScrollBar2->value();
    TotalTime = 0;
    Waku->hide();
    Waku2->hide();
    TakeBackUsed = false;
    LastSquare = 0;
    Busy = 0;
    Timer1->setInterval(WaitPerMove);
    SetScreenCursor(CURSOR_HAND_POINT);
    DrawBoard();

    static const char* const kLevelLines[5][3] = {
        {},
        {"ゲームレベルは最弱", "中盤読みは１手", "思考タイプ＝ランダム"},
        {"ゲームレベルは初級", "中盤読みは２手"},
        {"ゲームレベルは中級", "中盤読みは４手"},
        {"ゲームレベルは上級", "中盤読みは５手"}};
    static const char* const kTypeLines[5] = {"", "思考タイプ＝Ａ", "思考タイプ＝Ｂ",
                                              "思考タイプ＝Ｃ", "思考タイプ＝Ｄ"};
    const int level = Engine->GameLevel;
    QString message = QStringLiteral("初期化完了\r\n\r\n");
    for (const char* line : kLevelLines[level])
        if (line) message += QString::fromUtf8(line) + "\r\n";
    if (level == 1) message += "\r\n";
    if (GameConsultsBook(Engine->Placement, Engine->GameLevel, Engine->ThinkType))
        message += QStringLiteral("定石データベースあり") + "\r\n";
    if (level > 1) message += QString::fromUtf8(kTypeLines[Engine->ThinkType]) + "\r\n\r\n";
    message += QStringLiteral("ゲーム開始です。");
    Label_Message->setText(message);
    Label_mes2->clear();
    Label_mes3->clear();
    BookActive = true;
    StartingGame = false;
    emit BoardStateChanged();  // the human may move now
    emit Happened(THappening::NewGame);
}

void TForm1::OnButton_MattaClick() {
    if (Busy != 0 || EngineInUse()) return;
    if (TakeBackUsed) {
        Dialogs().Message(QStringLiteral("待ったは一度だけです。"));
        return;
    }
    if (Engine->MoveNumber == 0) {
        Dialogs().Message(QStringLiteral("すでに初期状態です。待ったできません。"));
        return;
    }
    TakeBackUsed = true;
    Engine->RestoreTakeBack();
    Engine->BlackOut = false;
    Engine->WhiteOut = false;
    for (int n = Engine->SavedMoveNumber + 1; n <= 60; ++n)
        GameRecord[n] = 0;
    Label_Message->setText(QStringLiteral("待ったをしました\r\n"));
    DrawBoard();
    Label_mes2->clear();
    Waku->hide();
    Waku2->hide();
    emit Happened(THappening::TakenBack);
}
