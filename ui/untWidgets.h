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

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor pen_;
    int penWidth_;
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
