#pragma once

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <cstdint>

class QPainter;

// The looks of the board: the resources' pictures, high contrast for low vision, and dark.
enum class TTheme { Pictures, HighContrast, Dark };
inline constexpr int kThemes = 3;

// How the board, its discs, the last-move frames and the marks look in one theme.
//
// Everything is drawn in the board's own coordinates: the 322 x 322 board with its squares
// on a 40-pixel grid, each square's disc box the 38 x 38 pixels between the 2-pixel lines.
//
// - Pictures: the resources' board picture and disc bitmaps, exactly as the square images
//   show them, and the red and aqua frames of the last moves.
// - High contrast, for low vision: a near-black board with white lines; black discs with a
//   white rim, white discs with a black one, so that the two tell apart by brightness
//   alone. The human's last disc has a full square frame and the computer's four corner
//   brackets, and a disc a move would turn carries a cross: shapes, not colours.
// - Dark: a dark slate board, a charcoal disc with a grey rim and a soft white one; softer
//   red and aqua frames.
//
// The pictures come at the screen's density (their twins at twice the size); the other two
// themes are drawn as shapes, so they are crisp at every scale.
class TBoardTheme {
public:
    explicit TBoardTheme(TTheme theme = TTheme::Pictures) : theme_(theme) {}

    TTheme Theme() const { return theme_; }
    // The square images and frames beneath the board view already show this theme.
    bool ShownBySquareImages() const { return theme_ == TTheme::Pictures; }

    void DrawBoard(QPainter& painter, qreal ratio) const;
    // A disc of the colour (BLACK or WHITE) in its box, squeezed across to `width` of its
    // size (1 flat on the board, 0 edge on) while it turns over.
    void DrawDisc(QPainter& painter, const QRect& box, uint8_t colour, qreal width,
                  qreal ratio) const;
    void DrawLastMove(QPainter& painter, const QRect& box, bool human) const;
    void DrawLegalMove(QPainter& painter, const QRect& box) const;
    // The mark on a disc the move under the pointer or the frame would turn.
    void DrawTurnable(QPainter& painter, const QRect& box, bool toWhite) const;

private:
    void LoadPictures(qreal ratio) const;  // unless they are at that density already

    TTheme theme_;
    // The pictures at the density they were last asked for.
    mutable qreal pictureRatio_ = 0;
    mutable QPixmap board_, black_, white_;
};
