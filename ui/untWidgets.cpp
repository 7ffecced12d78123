#include "ui/untWidgets.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>

QFont GothicFont(int pixelSize) {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(pixelSize);
    return font;
}

void TImage::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void TImage::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) emit clicked();
}

TShape::TShape(QColor pen, int penWidth, QWidget* parent)
    : QWidget(parent), pen_(pen), penWidth_(penWidth) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void TShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPen pen(pen_, penWidth_);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    const int inset = penWidth_ / 2;
    painter.drawRect(
        rect().adjusted(inset, inset, -inset - 1 + penWidth_ % 2, -inset - 1 + penWidth_ % 2));
}

void TShape::mousePressEvent(QMouseEvent* event) {
    event->accept();
}
void TShape::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

void TEdit::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    emit keyUp();
}

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, int columns,
                         QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)) {
    auto* layout = new QGridLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        buttons_->addButton(button, i);
        layout->addWidget(button, i / columns, i % columns);
    }
    connect(buttons_, &QButtonGroup::idClicked, this, [this] { emit clicked(); });
}

int TRadioGroup::ItemIndex() const {
    return buttons_->checkedId();
}

void TRadioGroup::SetItemIndex(int index) {
    if (QAbstractButton* button = buttons_->button(index)) button->setChecked(true);
}

QAbstractButton* TRadioGroup::Item(int index) const {
    return buttons_->button(index);
}
