#pragma once

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>

#include "ui/controls/untDialogs.h"

// Dialogs for tests: every box shown is recorded, and answers come from queues (Yes and
// the default answer when a queue is empty). A modal window is handed to a queued script
// that sets its controls and closes it. whileOpen, when set, runs while any box or window
// is open, as the nested event loop of a real modal box would handle queued events.
class TScriptedDialogs : public TDialogs {
public:
    struct TShared {
        QStringList shown;  // "text" or "caption|text" or "title?text" or "caption>prompt"
        std::deque<bool> confirmAnswers;
        std::deque<QString> inputAnswers;
        std::deque<std::function<void(QDialog&)>> modalScripts;
        std::function<void()> whileOpen;
    };

    explicit TScriptedDialogs(TShared& shared) : shared_(shared) {}

    void Message(const QString& text) override { Show(text); }
    void MessageWithCaption(const QString& text, const QString& caption) override {
        Show(caption + "|" + text);
    }
    bool Confirm(const QString& title, const QString& text) override {
        Show(title + "?" + text);
        return Take(shared_.confirmAnswers, true);
    }
    QString Input(const QString& caption, const QString& prompt,
                  const QString& defaultAnswer) override {
        Show(caption + ">" + prompt);
        return Take(shared_.inputAnswers, defaultAnswer);
    }
    void ShowModal(QDialog& dialog) override {
        if (shared_.whileOpen) shared_.whileOpen();
        if (shared_.modalScripts.empty()) return;
        auto script = shared_.modalScripts.front();
        shared_.modalScripts.pop_front();
        script(dialog);
    }

private:
    void Show(const QString& box) {
        shared_.shown << box;
        if (shared_.whileOpen) shared_.whileOpen();
    }

    template <typename T>
    static T Take(std::deque<T>& queue, T fallback) {
        if (queue.empty()) return fallback;
        T answer = queue.front();
        queue.pop_front();
        return answer;
    }

    TShared& shared_;
};
