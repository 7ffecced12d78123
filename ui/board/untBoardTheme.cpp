#include "ui/board/untBoardTheme.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "engine/untBoard_Data.h"
#include "ui/controls/untPictures.h"

namespace {

// The board: eight squares of 40 pixels with 2-pixel lines between and round them, each
// square's disc box the 38 pixels inside its lines.
constexpr int kBoardPixels = 322;
constexpr int kGrid = 40;
constexpr int kLine = 2;
constexpr int kSquares = 8;
constexpr int kStarLines[] = {2, 6};  // the star points where these lines cross
constexpr qreal kStarRadius = 3;
constexpr qreal kDiscRadius = 16.5;   // a disc is 33 pixels across, as the pictures' nearly are
constexpr qreal kNarrowestEdge = 1;   // half the width of a disc seen edge on
constexpr int kFramePen = 3;          // the last-move frames
constexpr int kBracketLength = 12;    // the high-contrast computer frame's corner brackets
constexpr qreal kMarkerRadius = 5;    // a legal move
constexpr qreal kTurnableRadius = 7;  // a disc the move would turn
constexpr qreal kCrossReach = 7;      // the high-contrast cross on such a disc
constexpr qreal kCrossPen = 4;

// The colours of the themes drawn as shapes.
struct TPalette {
    QColor line, square, black, blackRim, white, whiteRim, humanFrame, computerFrame, marker;
    qreal rimPen;
};

const TPalette kHighContrast = {
    Qt::white, QColor(0x14, 0x14, 0x14), Qt::black,           Qt::white, Qt::white,
    Qt::black, QColor(255, 214, 0),      QColor(0, 229, 255), Qt::white, 3};
const TPalette kDark = {QColor(0x0E, 0x14, 0x12),   QColor(0x2B, 0x3A, 0x35),
                        QColor(0x1A, 0x1A, 0x1A),   QColor(0x77, 0x77, 0x77),
                        QColor(0xD9, 0xD9, 0xD2),   QColor(0x9A, 0x9A, 0x92),
                        QColor(255, 96, 96),        QColor(69, 211, 229),
                        QColor(224, 224, 224, 170), 1.5};

const TPalette& PaletteOf(TTheme theme) {
    return theme == TTheme::HighContrast ? kHighContrast : kDark;
}

QRect BoxAt(int column, int row) {
    return QRect(kLine + column * kGrid, kLine + row * kGrid, kGrid - kLine, kGrid - kLine);
}

}  // namespace

void TBoardTheme::LoadPictures(qreal ratio) const {
    if (ratio == pictureRatio_) return;
    pictureRatio_ = ratio;
    board_ = ResourcePicture(QStringLiteral("BOARD"), ratio);
    black_ = ResourcePicture(QStringLiteral("KURO"), ratio);
    white_ = ResourcePicture(QStringLiteral("SIRO"), ratio);
}

void TBoardTheme::DrawBoard(QPainter& painter, qreal ratio) const {
    if (theme_ == TTheme::Pictures) {
        LoadPictures(ratio);
        painter.drawPixmap(0, 0, board_);
        return;
    }
    const TPalette& colours = PaletteOf(theme_);
    painter.fillRect(QRect(0, 0, kBoardPixels, kBoardPixels), colours.line);
    for (int column = 0; column < kSquares; ++column)
        for (int row = 0; row < kSquares; ++row)
            painter.fillRect(BoxAt(column, row), colours.square);
    if (theme_ == TTheme::HighContrast) return;  // nothing that is not a square or a line
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.line);
    for (int x : kStarLines)
        for (int y : kStarLines)
            painter.drawEllipse(QPointF(x * kGrid + kLine / 2.0, y * kGrid + kLine / 2.0),
                                kStarRadius, kStarRadius);
}

void TBoardTheme::DrawDisc(QPainter& painter, const QRect& box, uint8_t colour, qreal width,
                           qreal ratio) const {
    width = std::clamp<qreal>(width, 0, 1);
    if (theme_ == TTheme::Pictures) {
        LoadPictures(ratio);
        const QPixmap& disc = colour == BLACK ? black_ : white_;
        if (width == 1) {
            painter.drawPixmap(box.topLeft(), disc);
            return;
        }
        const qreal shown = std::max(box.width() * width, 2 * kNarrowestEdge);
        const QRectF target(QRectF(box).center().x() - shown / 2, box.top(), shown, box.height());
        painter.drawPixmap(target, disc, QRectF(disc.rect()));
        return;
    }
    const TPalette& colours = PaletteOf(theme_);
    const bool black = colour == BLACK;
    // The rim lies inside the disc's outline, so both colours keep the same size.
    const qreal inset = colours.rimPen / 2;
    const qreal across = std::max((kDiscRadius - inset) * width, kNarrowestEdge);
    painter.setPen(QPen(black ? colours.blackRim : colours.whiteRim, colours.rimPen));
    painter.setBrush(black ? colours.black : colours.white);
    painter.drawEllipse(QRectF(box).center(), across, kDiscRadius - inset);
}

void TBoardTheme::DrawLastMove(QPainter& painter, const QRect& box, bool human) const {
    painter.save();
    QPen pen(Qt::red, kFramePen);
    pen.setJoinStyle(Qt::MiterJoin);
    if (theme_ == TTheme::Pictures) {
        // As the frame shapes draw themselves.
        painter.setRenderHint(QPainter::Antialiasing, false);
        pen.setColor(human ? Qt::red : Qt::cyan);
    } else {
        const TPalette& colours = PaletteOf(theme_);
        pen.setColor(human ? colours.humanFrame : colours.computerFrame);
    }
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRectF frame =
        QRectF(box).adjusted(kFramePen / 2.0, kFramePen / 2.0, -kFramePen / 2.0, -kFramePen / 2.0);
    if (theme_ == TTheme::Pictures)
        painter.drawRect(box.adjusted(1, 1, -1, -1));
    else if (theme_ != TTheme::HighContrast || human)
        painter.drawRect(frame);
    else
        for (const QPointF corner :
             {frame.topLeft(), frame.topRight(), frame.bottomRight(), frame.bottomLeft()}) {
            const qreal dx = corner.x() < frame.center().x() ? kBracketLength : -kBracketLength;
            const qreal dy = corner.y() < frame.center().y() ? kBracketLength : -kBracketLength;
            painter.drawPolyline(
                QPolygonF({corner + QPointF(dx, 0), corner, corner + QPointF(0, dy)}));
        }
    painter.restore();
}

void TBoardTheme::DrawLegalMove(QPainter& painter, const QRect& box) const {
    const QPointF centre = QRectF(box).center();
    if (theme_ == TTheme::Pictures) {  // a small dark dot with a light rim
        painter.setPen(QPen(QColor(255, 255, 255, 160), 1));
        painter.setBrush(QColor(0, 0, 0, 150));
    } else if (theme_ == TTheme::HighContrast) {  // a white ring
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(Qt::NoBrush);
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(PaletteOf(theme_).marker);
    }
    painter.drawEllipse(centre, kMarkerRadius, kMarkerRadius);
}

void TBoardTheme::DrawTurnable(QPainter& painter, const QRect& box, bool toWhite) const {
    const QPointF centre = QRectF(box).center();
    if (theme_ == TTheme::HighContrast) {
        // Drawn on the discs that turn: black on the white ones, white on the black ones.
        QPen pen(toWhite ? Qt::white : Qt::black, kCrossPen);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        painter.drawLine(centre + QPointF(-kCrossReach, -kCrossReach),
                         centre + QPointF(kCrossReach, kCrossReach));
        painter.drawLine(centre + QPointF(-kCrossReach, kCrossReach),
                         centre + QPointF(kCrossReach, -kCrossReach));
        return;
    }
    // A dot of the colour the disc turns to, ringed in the other.
    painter.setPen(QPen(toWhite ? QColor(0, 0, 0, 200) : QColor(255, 255, 255, 200), 1.5));
    painter.setBrush(toWhite ? QColor(255, 255, 255, 200) : QColor(0, 0, 0, 200));
    painter.drawEllipse(centre, kTurnableRadius, kTurnableRadius);
}
