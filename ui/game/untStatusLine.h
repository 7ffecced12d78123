#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include "ui/game/untMain.h"

class QLabel;
class QStatusBar;
class QTimer;
class TAnnouncer;

// The status line below the client area: what has just happened, in the board's a–h
// notation, whose turn it is and the discs on the board, at every moment of the game
// ("COM: f6 — あなたの番です — 黒 3・白 3"), and on its right a notice: the hint while it is
// shown, or for a few seconds what a command did. A screen reader's status-bar command
// reads the line, so the score is there to hear at any moment.
//
// Each turn is said to a screen reader as one short sentence: the human's move with the
// computer's reply ("あなたは f5、COM は f6。あなたの番です。"), said when the reply is in,
// so that nothing is heard twice.
//
// The turn is read from the controller whenever the board or the game changes, so the line
// never lags behind it; the moves shown are those of the side that moved last, from the
// human's move or from the computer's first reply on.
class TStatusLine : public QObject {
    Q_OBJECT
public:
    TStatusLine(TForm1& form, QStatusBar& bar, TAnnouncer& announcer);

    QLabel* Turn() const { return turn_; }
    // The line's texts at a scale of their size.
    void SetTextScale(qreal scale);
    QLabel* Notice() const { return notice_; }

    // The notice that stays until it is replaced or taken away (the hint); said aloud when
    // asked for.
    void SetNotice(const QString& text, bool speak);
    // A command's answer: shown for a few seconds, then the notice comes back, and said.
    void Flash(const QString& text);

    // How long a command's answer stays.
    static constexpr int kFlashMilliseconds = 6000;

private:
    void OnHappened(THappening what, int detail);
    void StartRun(bool humanRun);
    void ShowTurn();
    QString WhoseTurn() const;
    QString NewGameSentence() const;
    QString WhoBegins() const;
    QString YourTurn() const;
    QString ComputerName() const;
    QString ComputerPass() const;
    QString ResultsSentence() const;
    QString EndSentence() const;
    QString Score() const;
    void SayTurn(const QString& ending);
    void Say(const QString& sentence);

    TForm1& form_;
    TAnnouncer& announcer_;
    QLabel* turn_;
    QLabel* notice_;
    QTimer* flashEnd_;
    QString standingNotice_;  // the notice a command's answer gives way to
    QStringList moves_;       // the last side's moves and passes, "COM: f6", "あなたはパス"
    bool humanRun_ = false;   // the moves shown began with the human's
    bool passLast_ = false;   // the last move shown is the human's pass
    QString ownMove_;         // the human's square not said yet, waiting for the reply
    QString ownName_;         // who played it: "あなた", or its colour in a game of two
    QStringList replies_;     // the computer's moves and passes not said yet
    bool firstGame_ = true;   // no move has been played since the program started
    bool halted_ = false;     // a fault stopped the game
};
