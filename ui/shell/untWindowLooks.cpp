#include "ui/shell/untWindowLooks.h"

#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "ui/game/untMain.h"

namespace {

struct TMessageColours {
    QColor background, text;
};

// The colours of one theme.
struct TWindowColours {
    QColor window, text;  // the client area, the status line and the menu bar
    QColor face;          // the buttons
    QColor menu;          // the open menus
    QColor frames;        // the window colour the frames of buttons and menus are drawn from
    QColor disabledText;
    QColor selection, selectedText;  // the menu item under the pointer or the keys
    std::array<TMessageColours, 3> messages;
};

// Every text at 7 : 1 or more: white and the disabled green on black (21 : 1 and 14 : 1),
// white on navy and on dark teal (16 : 1 and 9.7 : 1), black on the cyan selection (14 : 1).
const TWindowColours kHighContrast = {
    .window = QColor(0x00, 0x00, 0x00),
    .text = QColor(0xFF, 0xFF, 0xFF),
    .face = QColor(0x00, 0x00, 0x00),
    .menu = QColor(0x00, 0x00, 0x00),
    .frames = QColor(0xFF, 0xFF, 0xFF),
    .disabledText = QColor(0x3F, 0xF2, 0x3F),
    .selection = QColor(0x1A, 0xEB, 0xFF),
    .selectedText = QColor(0x00, 0x00, 0x00),
    .messages = {{{QColor(0x00, 0x00, 0x00), QColor(0xFF, 0xFF, 0xFF)},
                  {QColor(0x00, 0x00, 0x80), QColor(0xFF, 0xFF, 0xFF)},
                  {QColor(0x00, 0x4D, 0x4D), QColor(0xFF, 0xFF, 0xFF)}}},
};

// Soft light texts on charcoal at 8 : 1 or more (on the buttons' faces as the style shades
// them), the disabled buttons' at 6.5 : 1 or more.
const TWindowColours kDark = {
    .window = QColor(0x1F, 0x1F, 0x1F),
    .text = QColor(0xEB, 0xEB, 0xEB),
    .face = QColor(0x30, 0x30, 0x30),
    .menu = QColor(0x2A, 0x2A, 0x2A),
    .frames = QColor(0x6E, 0x6E, 0x6E),
    .disabledText = QColor(0xB4, 0xB4, 0xB4),
    .selection = QColor(0x28, 0x50, 0x80),
    .selectedText = QColor(0xFF, 0xFF, 0xFF),
    .messages = {{{QColor(0x1F, 0x3A, 0x5A), QColor(0xF2, 0xF2, 0xF2)},
                  {QColor(0x1A, 0x1A, 0x4D), QColor(0xF2, 0xF2, 0xF2)},
                  {QColor(0x0E, 0x4A, 0x4A), QColor(0xF2, 0xF2, 0xF2)}}},
};

QPalette WindowPalette(const TWindowColours& colours) {
    QPalette palette;
    palette.setColor(QPalette::Window, colours.window);
    palette.setColor(QPalette::Base, colours.menu);
    palette.setColor(QPalette::Light, colours.menu);  // no etched shadow under disabled items
    palette.setColor(QPalette::Button, colours.face);
    palette.setColor(QPalette::Highlight, colours.selection);
    palette.setColor(QPalette::HighlightedText, colours.selectedText);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(role, colours.text);
        palette.setColor(QPalette::Disabled, role, colours.disabledText);
    }
    palette.setColor(QPalette::Disabled, QPalette::Button, colours.window);  // no raised face
    return palette;
}

// A button's or a menu's palette: its frame drawn from the frames' colour while it is
// enabled, from the window's (unseen in high contrast) while it is not.
QPalette FramedPalette(const TWindowColours& colours) {
    QPalette palette = WindowPalette(colours);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::Window, colours.frames);
    return palette;
}

QPalette MessagePalette(const TMessageColours& colours) {
    QPalette palette;
    palette.setColor(QPalette::Window, colours.background);
    palette.setColor(QPalette::WindowText, colours.text);
    return palette;
}

}  // namespace

TWindowLooks::TWindowLooks(QMainWindow& window, TForm1& form)
    : window_(window),
      form_(form),
      designedMessages_{form.Label_Message->palette(), form.Label_mes2->palette(),
                        form.Label_mes3->palette()} {}

// The designed looks come back as the palettes the widgets had: none of their own but the
// message areas'.
void TWindowLooks::Apply(TTheme theme) {
    const bool designed = theme == TTheme::Pictures;
    const TWindowColours& colours = theme == TTheme::HighContrast ? kHighContrast : kDark;
    window_.setPalette(designed ? QPalette() : WindowPalette(colours));
    const QPalette framed = designed ? QPalette() : FramedPalette(colours);
    for (QWidget* button : form_.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
        button->setPalette(framed);
    // The menus open as windows of their own, which take no palette from the window.
    for (QWidget* menu : window_.menuBar()->findChildren<QMenu*>())
        menu->setPalette(framed);
    QLabel* messages[] = {form_.Label_Message, form_.Label_mes2, form_.Label_mes3};
    for (size_t i = 0; i < std::size(messages); ++i)
        messages[i]->setPalette(designed ? designedMessages_[i]
                                         : MessagePalette(colours.messages[i]));
}
