#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

class QWidget;

// The program's pictures at the density of the screen that shows them.
//
// Every picture of the resources has a twin drawn at twice the size, named like it with
// "@2x" appended ("KURO" and "KURO@2x"). On a screen with more than one device pixel per
// logical pixel the twin is used and marked with the screen's ratio, so that it keeps the
// logical size of the small picture and the layout stays the same; Qt then draws it pixel
// for pixel instead of blowing up the small one, which would blur it.

// The resource picture ":/NAME" for a screen with the given device pixel ratio. At ratio 2
// this is the twin itself; at other ratios above 1 the twin scaled smoothly to the screen's
// pixels.
QPixmap ResourcePicture(const QString& name, qreal devicePixelRatio);
// The same for the screen the widget is shown on (the primary screen before it is shown).
QPixmap ResourcePicture(const QString& name, const QWidget* shownOn);
// The same at a zoom of the window's design: the picture's logical size is its own times
// the zoom, drawn from the nearest density that has it (the twin from above 1 device pixel
// per design pixel), so that it stays crisp at every size of the window.
QPixmap ResourcePicture(const QString& name, qreal zoom, const QWidget* shownOn);

// The application icon in both sizes; the window system takes the one that fits.
QIcon ApplicationIcon();
