#pragma once

#include <QObject>
#include <QString>
#include <array>

class QLabel;
class QStatusBar;

// Says short sentences to a screen reader: what the computer played, a pass, a wrong square,
// the hint, the end of the game, while the keyboard focus stays where it is (on the board).
//
// A screen reader speaks a notification when it is shown, reading its text as it finds it
// when it gets to the event, and it ignores a label whose text merely changes. So each
// sentence goes into a notification of the status line, never seen on screen, which is then
// reported shown. Sentences said in one pass of the event loop are joined into one, and
// notifications take turns, so that one that is still waiting to be read is not rewritten.
class TAnnouncer : public QObject {
    Q_OBJECT
public:
    explicit TAnnouncer(QStatusBar& bar);

    // Says the sentence once the current event has been handled.
    void Say(const QString& sentence);

signals:
    // A sentence has been handed to the screen reader.
    void Said(const QString& sentence);

private:
    void Announce();

    std::array<QLabel*, 2> notifications_;
    int next_ = 0;    // the notification the next sentence goes into
    QString queued_;  // what is to be said at the end of this pass of the event loop
};

// Installs, once, what a screen reader is told of the notifications. It must run after the
// application object is made, whose own widget descriptions would otherwise be asked first.
void InstallAnnouncerAccessibility();
