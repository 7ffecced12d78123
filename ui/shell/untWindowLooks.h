#pragma once

#include <QPalette>
#include <array>

#include "ui/board/untBoardTheme.h"

class QMainWindow;
class TForm1;

// The colours of the window round the board in each theme: the client area's background,
// its buttons and three message areas, the status line, the menu bar and its menus.
//
// - Pictures: the window exactly as it was designed, its message areas in the colours the
//   client area gave them.
// - High contrast: white on black, every text at 7 : 1 or more. The three message areas
//   stand apart by their backgrounds (black, navy, dark teal); buttons and menus have light
//   frames. A disabled button keeps a bright text in another colour (green, as desktops'
//   high-contrast schemes show unavailable commands) and loses its frame.
// - Dark: light grey on charcoal, every text at 8 : 1 or more; the message areas on dark
//   blue, indigo and teal; a disabled button lies flat on the window with a dimmer text,
//   still at 6.5 : 1 or more.
//
// The toolkit's style (Fusion) draws from the palette: the frame of a button or a menu is
// a darker shade of the window colour it is given, so the buttons and menus are given a
// light one where their frames should show on a dark window.
class TWindowLooks {
public:
    // Remembers the message areas' colours as the client area has them now, as designed.
    TWindowLooks(QMainWindow& window, TForm1& form);

    void Apply(TTheme theme);

private:
    QMainWindow& window_;
    TForm1& form_;
    std::array<QPalette, 3> designedMessages_;
};
