#include "ui/controls/untZoom.h"

#include <QEvent>
#include <QLayout>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

int Rounded(qreal value) {
    return static_cast<int>(std::lround(value));
}

bool PlacedByLayout(const QWidget* control) {
    const QWidget* parent = control->parentWidget();
    return parent && parent->layout() && parent->layout()->indexOf(control) >= 0;
}

}  // namespace

TZoom::TZoom(QWidget& area, QSize design)
    : QObject(&area), area_(area), design_(design), areaDesign_(DesignNow(&area, true)) {
    area_.setMinimumSize(design_);
    area_.installEventFilter(this);
}

TZoom::TDesign TZoom::DesignNow(QWidget* control, bool placedByLayout) {
    TDesign design{control, placedByLayout ? QRect() : control->geometry()};
    if (control->testAttribute(Qt::WA_SetFont)) {
        design.fontPixels = std::max(control->font().pixelSize(), 0);
        if (design.fontPixels == 0) design.fontPoints = control->font().pointSizeF();
    }
    return design;
}

void TZoom::TakeDesign() {
    for (QWidget* control : area_.findChildren<QWidget*>())
        if (!control->isWindow() && !controls_.contains(control))
            controls_.insert(control, DesignNow(control, PlacedByLayout(control)));
    Fit();
}

void TZoom::Place(QWidget* control, const QRect& design) {
    TDesign placed = DesignNow(control, false);
    placed.rect = design;
    controls_.insert(control, placed);
    Apply(placed);
}

void TZoom::Move(QWidget* control, const QPoint& designTopLeft) {
    const auto found = controls_.find(control);
    if (found == controls_.end()) return;
    found->rect.moveTopLeft(designTopLeft);
    Apply(*found);
}

// The edges of a design rectangle are each rounded, so that controls that meet in the
// design still meet.
QRect TZoom::Scaled(const QRectF& design) const {
    const QPoint topLeft(Rounded(factor_ * design.left()), Rounded(factor_ * design.top()));
    const QPoint end(Rounded(factor_ * design.right()), Rounded(factor_ * design.bottom()));
    return QRect(topLeft, end - QPoint(1, 1));
}

QRect TZoom::Map(const QRectF& design) const {
    return Scaled(design).translated(origin_);
}

QPointF TZoom::ToDesign(const QPointF& inArea) const {
    return (inArea - QPointF(origin_)) / factor_;
}

QRect TZoom::DesignOf(const QWidget* control) const {
    return controls_.value(control).rect;
}

// The origin counts only for the area's own children.
QRect TZoom::MapInParent(const QWidget* control, const QRect& design) const {
    return control->parentWidget() == &area_ ? Map(design) : Scaled(design);
}

void TZoom::Apply(const TDesign& design) const {
    QWidget* control = design.control;
    if (!control) return;
    if (design.fontPixels > 0 || design.fontPoints > 0) {
        QFont font = control->font();
        if (design.fontPixels > 0)
            font.setPixelSize(std::max(1, Rounded(design.fontPixels * factor_)));
        else
            font.setPointSizeF(design.fontPoints * factor_);
        control->setFont(font);
    }
    if (!design.rect.isNull()) control->setGeometry(MapInParent(control, design.rect));
}

void TZoom::Fit() {
    const QSize room = area_.size();
    const qreal factor = std::min(static_cast<qreal>(room.width()) / design_.width(),
                                  static_cast<qreal>(room.height()) / design_.height());
    const QPoint origin(Rounded((room.width() - design_.width() * factor) / 2),
                        Rounded((room.height() - design_.height() * factor) / 2));
    const bool zoomed = factor != factor_;
    factor_ = factor;
    origin_ = origin;
    Apply(areaDesign_);  // first, for the controls that take the area's font
    for (const TDesign& design : std::as_const(controls_))
        Apply(design);
    if (zoomed) emit Zoomed(factor_);
}

bool TZoom::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &area_ && event->type() == QEvent::Resize) Fit();
    return false;
}
