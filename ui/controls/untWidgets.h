#pragma once

#include <QButtonGroup>
#include <QColor>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>

// Small controls the windows are built from.

// The program's Gothic font at a pixel size: the named Windows font first, then the
// Japanese Gothic fonts a Linux machine has, so captions never show as empty boxes.
QFont GothicFont(int pixelSize);

// An image control that reports a click (press and release over it).
class TImage : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

// A square frame drawn with a coloured pen, transparent inside. A press on it does nothing
// (it is not passed to the control underneath).
class TShape : public QWidget {
    Q_OBJECT
public:
    TShape(QColor pen, int penWidth, QWidget* parent);
    // The pen grows with the frame when the window is zoomed.
    void SetPenWidth(int penWidth);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor pen_;
    int penWidth_;
};

// A word-wrapped message label whose lines are set one font size apart, so that eight lines
// of its 19-pixel font fill its 157 pixels as the window's layout expects (the Japanese
// Gothic fonts of a Linux machine would otherwise take 21 pixels a line and hide the last
// one). A text that still does not fit is drawn a pixel size smaller at a time until it does.
// Only the top-left alignment of the main message area is supported.
class TMessageLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    // The pixel size the text is drawn at: the label's own, or smaller where it needs that.
    int FittingPixelSize(const QString& text) const;
    // The height the text takes at a pixel size, from the top of its first line to the
    // bottom of its last.
    int NeededHeight(const QString& text, int pixelSize) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int LayOut(const QString& text, int pixelSize, QPainter* painter) const;
};

// A one-line label that, when its text is wider than the label, leaves out the text's
// beginning rather than its end ("…あなたの番です — 黒 3・白 3"). A screen reader still
// reads the whole text.
class TEndFirstLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// An edit box that reports every key release.
class TEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;
signals:
    void keyUp();

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
};

// Tab reaches a group of radio buttons on its checked button (the first while none is);
// the arrow keys move between the buttons.
void TabToCheckedButton(const QList<QAbstractButton*>& buttons);

// A group of radio buttons in columns with a caption; ItemIndex is the checked item (-1 none).
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent);
    int ItemIndex() const;
    void SetItemIndex(int index);
    QAbstractButton* Item(int index) const;
signals:
    void clicked();

private:
    QButtonGroup* buttons_;
};
