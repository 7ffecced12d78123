#pragma once

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>

#include "ui/untDialogs.h"

// Dialogs for tests: every box shown is recorded, and answers come from queues (Yes and
// the default answer when a queue is empty). A modal window is handed to a queued script
// that sets its controls and closes it.
class TScriptedDialogs : public TDialogs {
public:
    struct TShared {
        QStringList shown;  // "text" or "caption|text" or "title?text" or "caption>prompt"
        std::deque<bool> confirmAnswers;
        std::deque<QString> inputAnswers;
        std::deque<std::function<void(QDialog&)>> modalScripts;
    };

    explicit TScriptedDialogs(TShared& shared) : shared_(shared) {}

    void Message(const QString& text) override { shared_.shown << text; }
    void MessageWithCaption(const QString& text, const QString& caption) override {
        shared_.shown << caption + "|" + text;
    }
    bool Confirm(const QString& title, const QString& text) override {
        shared_.shown << title + "?" + text;
        return Take(shared_.confirmAnswers, true);
    }
    QString Input(const QString& caption, const QString& prompt,
                  const QString& defaultAnswer) override {
        shared_.shown << caption + ">" + prompt;
        return Take(shared_.inputAnswers, defaultAnswer);
    }
    void ShowModal(QDialog& dialog) override {
        if (shared_.modalScripts.empty()) return;
        auto script = shared_.modalScripts.front();
        shared_.modalScripts.pop_front();
        script(dialog);
    }

private:
    template <typename T>
    static T Take(std::deque<T>& queue, T fallback) {
        if (queue.empty()) return fallback;
        T answer = queue.front();
        queue.pop_front();
        return answer;
    }

    TShared& shared_;
};
