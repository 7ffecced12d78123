#pragma once

#include <QRect>

class QWidget;

// Makes every window the program opens fit the available area of its screen (without the
// desktop's panels) as it is shown. Installed once, however often it is called.
void KeepWindowsOnScreen();

// Fits one window into the area: a window larger than the area is made as small as its
// minimum size lets it, and one the program has placed itself is moved in past any edge it
// reaches over, its frame included.
void FitOnScreen(QWidget& window, const QRect& area);
