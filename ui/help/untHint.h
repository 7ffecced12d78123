#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

#include "analysis/untAnalysis.h"
#include "ui/controls/untBackgroundJob.h"
#include "ui/game/untAdviceSettings.h"

class TBoardView;
class TForm1;
class TStatusLine;

// ゲーム → ヒント: the best move for the person to move in the position on the board and its value
// in discs, exact from EXACT_HINT_EMPTIES empty squares on and the engine's estimate before. It is
// worked out off the interface thread; the square is marked on the board and the value shown in the
// status line and said to a screen reader. A move, a take-back or a new game clears it, and a hint
// that arrives after the game has moved on is dropped. Asked for while the computer thinks, it is
// worked out as soon as the player's turn comes.
class THint : public QObject {
    Q_OBJECT
public:
    static constexpr int EXACT_HINT_EMPTIES = EXACT_ADVICE_EMPTIES;

    THint(TForm1& form, TBoardView& board, TStatusLine& status);
    ~THint() override;

    // Asks for a hint for the position on the board, at once while the human may move, and
    // on the human's turn while the computer's is running.
    void Ask();
    // The square of the hint shown, 0 for none.
    int Square() const;
    // A hint is being worked out.
    bool Working() const { return job_ && !job_->Finished(); }

    // The text of a hint for the side to move (white or black) in the status line.
    static QString Text(const TPositionValue& hint, bool white);

private:
    // The position a hint was asked for.
    struct TAsked {
        uint32_t gameNumber;
        int moveNumber;
        TDiscs discs;
        bool white;  // the side it was asked for
    };
    bool StillOnTheBoard(const TAsked& asked) const;
    void Start();
    void FollowTheGame();
    void Show(const TPositionValue& hint);
    void Clear();

    TForm1& form_;
    TBoardView& board_;
    TStatusLine& status_;
    std::optional<uint32_t> waitingInGame_;  // asked for during the computer's turn of this game
    std::optional<TAsked> asked_;
    std::optional<TPositionValue> shown_;
    std::unique_ptr<TBackgroundJob<TPositionValue>> job_;
};
