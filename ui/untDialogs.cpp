#include "ui/untDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

// Texts use CR LF line breaks; the boxes show LF.
QString ForDisplay(const QString& text) {
    return QString(text).replace("\r\n", "\n");
}

}  // namespace

void TQtDialogs::Message(const QString& text) {
    QMessageBox::information(owner_, QApplication::applicationName(), ForDisplay(text));
}

void TQtDialogs::MessageWithCaption(const QString& text, const QString& caption) {
    QMessageBox::information(owner_, caption, ForDisplay(text));
}

bool TQtDialogs::Confirm(const QString& title, const QString& text) {
    return QMessageBox::question(owner_, title, ForDisplay(text),
                                 QMessageBox::Yes | QMessageBox::No) != QMessageBox::No;
}

QString TQtDialogs::Input(const QString& caption, const QString& prompt,
                          const QString& defaultAnswer) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(owner_, caption, prompt, QLineEdit::Normal, defaultAnswer, &ok);
    return ok ? answer : defaultAnswer;
}

void TQtDialogs::ShowModal(QDialog& dialog) {
    dialog.exec();
}
