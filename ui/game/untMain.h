#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/untAnalysis.h"
#include "engine/untGameRecord.h"
#include "engine/untKyokumen.h"
#include "engine/untRandom.h"
#include "results/untCountsFile.h"
#include "ui/controls/untBackgroundJob.h"
#include "ui/controls/untDialogs.h"
#include "ui/controls/untWidgets.h"
#include "ui/game/untInitialize.h"

class QLabel;
class QPushButton;
class QTimer;
class TForm2;
class TForm3;
class TComputerPlayer;
class TScore;
class TStrongestScore;
class TZoom;

// The application's title, as the task bar and screen readers name the program.
inline constexpr const char* kApplicationTitle = "Tolvaney - トルヴァニー -";

// The results file's name, in the folder the game keeps it in.
inline constexpr const char* kScoreFileName = "成績.dat";

// What has just happened in the game or by a command, for the window around the controller
// to tell the player; each comes once the controller's state is settled.
enum class THappening {
    HumanMoved,      // the human's disc is down and the computer's turn pending (square)
    IllegalSquare,   // a click on a square the human may not play (square)
    ComputerMoved,   // the computer's disc is down (square)
    ComputerPassed,  // the computer had no move
    HumanPassed,     // the human has no move: the computer (or, in a game of two, the other
                     // person) moves again
    HumanToMove,     // the computer's turn is over and the human may move; in a game of two,
                     // the side to move has changed
    GameOver,        // neither side can move, or a side has no disc left
    Halted,          // a fault stopped the game until a new one
    TakenBack,       // 待った: the human's last move and the replies are undone
    NewGame,         // a new game is set up and the human may move
    RecordCopied,    // the game record is on the clipboard (the number of moves)
    ResultsShown,    // the results are in the message area and on the clipboard
};

// The main window and the game controller. It owns the engine of the current game, the
// results record, the new-game dialog and the opening book, shows the board and the
// messages, and runs one game: the human's click, the computer's turn on a one-shot timer,
// passes, the end of the game, a new game, take-back and the game record.
//
// Everything runs on the user-interface thread. While a move is processed or the computer's
// turn is pending, Busy keeps the board and take-back from accepting clicks.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    // Start-up. Tests pass their own dialogs; by default the toolkit's boxes are used. The
    // results are kept in scoreFile, by default 成績.dat in the working folder.
    explicit TForm1(std::unique_ptr<TDialogs> dialogs = nullptr, QWidget* parent = nullptr,
                    const std::filesystem::path& scoreFile = kScoreFileName);
    ~TForm1() override;

    // --- Controls.
    QLabel* Image1;        // the board picture
    TImage* Ban[89] = {};  // the square images "ban11" .. "ban88", by square number
    TShape* Waku;          // red frame: the human's last disc
    TShape* Waku2;         // aqua frame: the computer's last disc
    TMessageLabel* Label_Message;
    QLabel* Label_mes2;
    QLabel* Label_mes3;
    QTimer* Timer1;
    QPushButton* Button_Start;   // 初期化
    QPushButton* Button_Matta;   // 待った
    QPushButton* Button_Exit;    // 終了
    QPushButton* Button_Touryo;  // 棋譜をクリップボード出力
    QPushButton* Button2;        // 成績を見る
    QPushButton* Button_Test;    // 学習１ (hidden)
    QPushButton* Button1;        // 学習２ (hidden)
    QPushButton* Button3;        // 学習３ (hidden)
    QPushButton* Button4;        // セーブ (hidden)

    // --- The controller's state.
    int32_t WaitPerMove = 800;  // milliseconds before the computer moves
    int32_t WaitOnPass = 3000;  // milliseconds before it moves again after the human passed
    uint8_t Busy = 0;           // 0 the human may act, 1 a move or the computer's turn, 2 game over
    bool TakeBackUsed = false;  // a take-back was made in this human turn
    uint8_t LastSquare = 0;     // the square of the last click or computer move
    std::unique_ptr<TKyokumen> Engine;
    double TotalTime = 0;  // the computer's thinking time in this game, seconds
    double TurnStart = 0;  // clock tick at the start of the computer's turn, milliseconds
    TForm2* NewGameDialog;
    uint8_t GameRecord[GAME_RECORD_SIZE] = {};
    int32_t ThinkCursor = 5;  // the number of the busy cursor
    TForm3* PatternEditor;
    std::unique_ptr<TScore> Score;
    std::vector<std::string> BookLines;
    bool BookActive = true;
    // A game record is being replayed for learning: it owns the engine, so nothing that
    // plays, replaces or trains the engine may start meanwhile.
    bool Learning = false;
    // A new game is being set up; the same holds while it lets pending events run.
    bool StartingGame = false;
    // Changes whenever the current game ends without being played out: a new game, the
    // replay of a game record that replaces the engine, the window closing. Code that lets
    // pending events run in the middle of a move compares it before and after, and stops at
    // once if its game is gone.
    uint32_t GameNumber = 0;
    // Every game's seed instead of one from the clock: the same seed gives the same game.
    std::optional<uint32_t> GameSeed;

    // --- Who plays, as the new-game dialog chose for the current game.
    bool HumanIsWhite = false;  // the person plays white against the computer, which begins
    TOpponent Opponent = TOpponent::Computer;
    // The colour the person at the board plays now: against the computer, the person's own;
    // in a game of two, the side to move.
    bool PersonWhite = false;
    // The human has moved in this game, so the take-back snapshot holds a position of it.
    bool TakeBackSaved = false;
    // The computer's player when it plays black: the engine program's black, seeded with the
    // game's seed, drawing from a generator of its own as the engine program's does, so that
    // the game's own draws (the evaluation's noise at every move) do not change its play.
    TRandom BlackGenerator;
    std::unique_ptr<TComputerPlayer> BlackPlayer;
    // The results against the strongest computer, read when first needed.
    std::unique_ptr<TStrongestScore> StrongScore;

    // --- Event handlers.
    void OnBan_Click(QObject* sender);
    void OnTimer();
    void OnButton_ExitClick();
    void OnButton_StartClick();
    void OnButton_MattaClick();
    void OnButton_KifuClick();
    void OnSeiseki_Click();
    // The developer commands (untMainLearning.cpp).
    void OnButton_TestClick();
    void OnButton_Test2Click();
    void On_Test3Click();
    void On_Test4Click();

    // --- The game.
    void HumanClick(QObject* sender);
    void HumanMove();
    void ComputerTurn();
    void EndOfGame();
    // A new game's engine: white's of NewGameEngines on the program-wide generator with the
    // game's seed, made as the engine program makes it.
    std::unique_ptr<TKyokumen> NewGameEngine() const;

    // --- The board display.
    void DrawBoard();
    void LoadDisc(QLabel* picture, const QString& name);

    QString FormatCount(int32_t count) const;
    TDialogs& Dialogs() { return *dialogs_; }
    // The client area's controls laid out at the window's size, as one picture.
    TZoom& ClientZoom() const { return *zoom_; }
    // The size the client area is designed at.
    QSize sizeHint() const override;

    // --- Who plays.
    bool TwoPlayers() const { return Opponent == TOpponent::Person; }
    bool ComputerIsWhite() const { return !HumanIsWhite; }
    // How the window names a side to the player: "あなた" and "COM", the computer as
    // "COM（黒）" when it plays black; "黒" and "白" in a game of two.
    QString SideName(bool white) const;
    // The strongest computer's move is being worked out beside the window.
    bool StrongestThinking() const { return strongMove_ && !strongMove_->Finished(); }

    // --- For the window around the controller.
    // The human may play or take back now.
    bool HumanMayMove() const { return Busy == 0 && !EngineInUse(); }
    // The squares the human may play now, as a set of square bits; none while the human
    // may not move.
    uint64_t HumanMoves() const;
    // Starts a game with the new-game dialog's current choices, as its 新規開始！ does.
    void StartNewGame();

signals:
    // The board, or whether the human may move, has changed.
    void BoardStateChanged();
    // A new game was started with the choices confirmed in the new-game dialog.
    void NewGameStarted();
    // Something happened that the player should hear of; detail is the square, or the
    // number of moves copied.
    void Happened(THappening what, int detail = 0);
    // The window is going: whatever watches its controls lets go of them now, while they and
    // the window are whole, not while the toolkit takes them down one by one.
    void Closing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void ShowPicturesAtZoom();
    void LoadBook();
    void LoadPatternTables();
    void ReportFault(const QString& step, const std::exception& fault);
    void HandOver();
    void LetPersonMove();
    // The game's choices of who plays, from the new-game dialog.
    void TakeSidesFromDialog();
    void ChooseComputerMove();
    void StartStrongestMove();
    void PlayComputerMove();
    void AfterComputerMove();
    void NextTurnOfTwo();
    void TakeBackOneMove();
    void RecordResult(int humanDiscs, int computerDiscs, QString& saveFault, QString& notices);
    TStrongestScore& StrongestScore();
    // Shows what a results file has to tell the player.
    TCountsFile::TReport ReportToPlayer();
    QString StartMessage() const;
    QString TimeUsed() const;
    QString ShownComment() const;
    void SetScreenCursor(int cursor);
    void ProcessPendingEvents();
    bool GameGoesOnAfterPendingEvents();
    // A command that replaces or retrains the engine as a whole is running.
    bool EngineInUse() const { return Learning || StartingGame; }
    bool MayReplayRecord() const;
    double ClockTick() const;
    void AppendMessage(const QString& text);

    std::unique_ptr<TDialogs> dialogs_;
    QElapsedTimer clock_;
    TZoom* zoom_;
    std::filesystem::path scoreFile_;
    // The strongest computer's move on a worker; the one before it is kept a turn longer,
    // so that no job is destroyed from inside one of its own reports.
    std::unique_ptr<TBackgroundJob<TPositionValue>> strongMove_, lastStrongMove_;
};

// The screen cursors by number: the default, the hand and the busy cursor.
inline constexpr int CURSOR_DEFAULT = 0;
inline constexpr int CURSOR_HAND_POINT = -21;
