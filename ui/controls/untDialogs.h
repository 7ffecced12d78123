#pragma once

#include <QString>
#include <optional>

class QDialog;
class QMessageBox;
class QWidget;

// The modal boxes of the program, behind one interface so that tests can answer them:
// the real implementation shows Qt's boxes, a test one records what was shown and gives
// queued answers.
class TDialogs {
public:
    virtual ~TDialogs() = default;

    // A box with the text and an OK button.
    virtual void Message(const QString& text) = 0;
    // The same with a caption.
    virtual void MessageWithCaption(const QString& text, const QString& caption) = 0;
    // A Yes/No box with a title; true for Yes.
    virtual bool Confirm(const QString& title, const QString& text) = 0;
    // A text input box; the default answer when cancelled.
    virtual QString Input(const QString& caption, const QString& prompt,
                          const QString& defaultAnswer) = 0;
    // Shows a window of the program modally and returns when it is closed.
    virtual void ShowModal(QDialog& dialog) = 0;
};

// The boxes of the toolkit, shown over the given window.
class TQtDialogs : public TDialogs {
public:
    explicit TQtDialogs(QWidget* owner) : owner_(owner) {}
    void Message(const QString& text) override;
    void MessageWithCaption(const QString& text, const QString& caption) override;
    bool Confirm(const QString& title, const QString& text) override;
    QString Input(const QString& caption, const QString& prompt,
                  const QString& defaultAnswer) override;
    void ShowModal(QDialog& dialog) override;

private:
    static void KeepLinesWhole(QMessageBox& box);

    QWidget* owner_;
};
