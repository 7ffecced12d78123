#pragma once

#include <QHash>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QSize>

class QWidget;

// Lays a window's controls out at one scale of their design, so that the window grows and
// shrinks as one picture: every control's place and size, the pixel size of every font set
// on it, and those of the area itself are the design's times the zoom factor. The factor is
// the largest at which the design fits the area; where the area's shape differs from the
// design's, the design is centred on the area's background.
//
// At factor 1 in an area of the design's own size every control keeps exactly its design
// geometry and font, so the window looks as it was drawn.
//
// Controls that a layout of their parent manages keep their places from the layout; only
// their fonts are zoomed. Pictures are the owner's to redraw: it hears Zoomed().
class TZoom : public QObject {
    Q_OBJECT
public:
    // The area's design size; the area may never be smaller than that.
    TZoom(QWidget& area, QSize design);

    // Takes every control of the area as it stands now (its geometry and fonts) as designed
    // at factor 1, grandchildren included. Controls placed later use Place().
    void TakeDesign();
    // A control's design rectangle in its parent's coordinates; the font set on it is its
    // design font. It is laid out at once at the current factor.
    void Place(QWidget* control, const QRect& design);
    // Moves a placed control to a design position (its design size stays).
    void Move(QWidget* control, const QPoint& designTopLeft);

    qreal Factor() const { return factor_; }
    QSize Design() const { return design_; }
    // Where the design's top-left corner lies in the area.
    QPoint Origin() const { return origin_; }
    // A design rectangle of the area in the area's coordinates, and back.
    QRect Map(const QRectF& design) const;
    // A design rectangle at the zoom, without the origin: for a control's own coordinates.
    QRect Scaled(const QRectF& design) const;
    QPointF ToDesign(const QPointF& inArea) const;
    // The design rectangle of a placed control (in its parent's coordinates); empty if none.
    QRect DesignOf(const QWidget* control) const;

    // Lays every control out for the area's present size.
    void Fit();

signals:
    // The factor changed: pictures drawn for the old one must be drawn again.
    void Zoomed(qreal factor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TDesign {
        QPointer<QWidget> control;
        QRect rect;            // empty for a control its parent's layout places
        int fontPixels = 0;    // 0 where the control's font is not set on it
        qreal fontPoints = 0;  // a font set in points
    };
    static TDesign DesignNow(QWidget* control, bool placedByLayout);
    void Apply(const TDesign& design) const;
    QRect MapInParent(const QWidget* control, const QRect& design) const;

    QWidget& area_;
    QSize design_;
    TDesign areaDesign_;
    QHash<const QWidget*, TDesign> controls_;
    qreal factor_ = 1;
    QPoint origin_;
};
