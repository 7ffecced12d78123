#include "ui/controls/untWidgets.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextLayout>

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

void TShape::SetPenWidth(int penWidth) {
    penWidth_ = penWidth;
    update();
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

namespace {

// The smallest pixel size a message is shrunk to; below it a message would not be read.
constexpr int kSmallestMessagePixelSize = 10;

// The text's paragraphs: it may break its lines with CR LF, LF or CR. A break at the very
// end starts no line of its own.
QStringList ParagraphsOf(const QString& text) {
    static const QRegularExpression kLineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList paragraphs = text.split(kLineBreak);
    if (paragraphs.size() > 1 && paragraphs.last().isEmpty()) paragraphs.removeLast();
    return paragraphs;
}

}  // namespace

// Lays the text out at the label's width with lines pixelSize apart, draws it when a painter
// is given, and returns the number of lines.
int TMessageLabel::LayOut(const QString& text, int pixelSize, QPainter* painter) const {
    QFont shown = font();
    shown.setPixelSize(pixelSize);
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const QRect area = contentsRect();
    int lines = 0;
    for (const QString& paragraph : ParagraphsOf(text)) {
        QTextLayout layout(paragraph, shown);
        layout.setTextOption(wrapping);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(area.width());
            line.setPosition(QPointF(0, lines * pixelSize));
            ++lines;
        }
        layout.endLayout();
        if (painter) layout.draw(painter, area.topLeft());
    }
    return lines;
}

int TMessageLabel::NeededHeight(const QString& text, int pixelSize) const {
    QFont shown = font();
    shown.setPixelSize(pixelSize);
    const int lines = LayOut(text, pixelSize, nullptr);
    return (lines - 1) * pixelSize + QFontMetrics(shown).height();
}

int TMessageLabel::FittingPixelSize(const QString& text) const {
    int pixelSize = font().pixelSize();
    while (pixelSize > kSmallestMessagePixelSize &&
           NeededHeight(text, pixelSize) > contentsRect().height())
        --pixelSize;
    return pixelSize;
}

void TMessageLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.setClipRect(contentsRect());
    LayOut(text(), FittingPixelSize(text()), &painter);
}

void TEndFirstLabel::paintEvent(QPaintEvent* event) {
    const QRect area = contentsRect();
    if (fontMetrics().horizontalAdvance(text()) <= area.width()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(area, Qt::AlignRight | Qt::AlignVCenter,
                     fontMetrics().elidedText(text(), Qt::ElideLeft, area.width()));
}

void TEdit::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    emit keyUp();
}

void TabToCheckedButton(const QList<QAbstractButton*>& buttons) {
    const auto follow = [buttons] {
        QAbstractButton* target = buttons.value(0);
        for (QAbstractButton* button : buttons)
            if (button->isChecked()) target = button;
        for (QAbstractButton* button : buttons)
            button->setFocusPolicy(button == target ? Qt::StrongFocus : Qt::ClickFocus);
    };
    for (QAbstractButton* button : buttons)
        QObject::connect(button, &QAbstractButton::toggled, button, follow);
    follow();
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
    TabToCheckedButton(buttons_->buttons());
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
