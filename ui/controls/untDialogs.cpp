#include "ui/controls/untDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

namespace {

// What a message box takes beside its text: the icon, the margins and the window's frame.
constexpr int kBoxDecoration = 160;

// The widest the toolkit lets a message box grow on a screen of this width; past it the box
// keeps that width and cuts its text instead of wrapping it.
int WidestBox(int screenWidth) {
    constexpr int kSmallScreen = 1024, kSpareWidth = 480, kWidest = 1000;
    return screenWidth <= kSmallScreen ? screenWidth : std::min(screenWidth - kSpareWidth, kWidest);
}

// Texts use CR LF line breaks; the boxes show LF.
QString ForDisplay(const QString& text) {
    return QString(text).replace("\r\n", "\n");
}

}  // namespace

void TQtDialogs::Message(const QString& text) {
    MessageWithCaption(text, QApplication::applicationName());
}

// The text can be selected, so that a file's path in it can be copied.
void TQtDialogs::MessageWithCaption(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Information, caption, ForDisplay(text), QMessageBox::Ok, owner_);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    KeepLinesWhole(box);
    box.exec();
}

// The toolkit wraps a box's text at half the screen's width, which on a small screen or at a
// large scale leaves the last word or two of a line alone ("す。"). Lines are wrapped only
// where the box has no room for them: the screen's width, and the widest box the toolkit
// draws whole.
void TQtDialogs::KeepLinesWhole(QMessageBox& box) {
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    const QScreen* screen = box.screen();
    if (!label || !screen) return;
    const QFontMetrics metrics(label->font());
    int longest = 0;
    for (const QString& line : label->text().split('\n'))
        longest = std::max(longest, metrics.horizontalAdvance(line));
    const int screenWidth = screen->availableGeometry().width();
    const int room = std::min(screenWidth, WidestBox(screenWidth)) - kBoxDecoration;
    label->setMinimumWidth(std::clamp(longest + 1, 0, std::max(room, 0)));
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
