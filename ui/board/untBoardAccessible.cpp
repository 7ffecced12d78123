#include "ui/board/untBoardAccessible.h"

#include <QWidget>

#include "ui/game/untMain.h"

namespace {

// The main window's client area as a screen reader finds it: its controls without the
// pictures behind the board (the board picture, the 64 square images and the last-move
// frames), for which the board's table speaks.
class TClientAreaAccessible : public QAccessibleWidget {
public:
    explicit TClientAreaAccessible(TForm1* form) : QAccessibleWidget(form), form_(form) {}

    int childCount() const override { return Children().size(); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> children = Children();
        if (index < 0 || index >= children.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(children[index]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child || !child->object() || !child->object()->isWidgetType()) return -1;
        return Children().indexOf(static_cast<QWidget*>(child->object()));
    }

private:
    bool IsBoardPicture(const QWidget* widget) const {
        if (!form_) return false;
        if (widget == form_->Image1 || widget == form_->Waku || widget == form_->Waku2) return true;
        return std::find(std::begin(form_->Ban), std::end(form_->Ban), widget) !=
               std::end(form_->Ban);
    }
    QList<QWidget*> Children() const {
        QList<QWidget*> children;
        if (!form_) return children;
        for (QObject* object : form_->children())
            if (object->isWidgetType()) {
                auto* widget = static_cast<QWidget*>(object);
                if (!widget->isWindow() && !IsBoardPicture(widget)) children << widget;
            }
        return children;
    }

    QPointer<TForm1> form_;
};

// One square of the board as a table cell. It has no object of its own; the table owns it
// and deletes it through the toolkit's register of interfaces.
class TBoardCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    TBoardCellAccessible(TBoardAccessible& table, int cell) : table_(table), cell_(cell) {}

    bool isValid() const override { return table_.View() != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return table_.window(); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return &table_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text type) const override {
        const TBoardView* view = table_.View();
        if (!view || type != QAccessible::Name) return {};
        return view->SquareDescription(TBoardView::SquareOfCell(cell_));
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        const TBoardView* view = table_.View();
        if (!view) return {};
        const QRect square = view->SquareRectShown(TBoardView::SquareOfCell(cell_));
        return QRect(view->mapToGlobal(square.topLeft()), square.size());
    }

    QAccessible::Role role() const override { return QAccessible::Cell; }

    QAccessible::State state() const override {
        QAccessible::State state;
        const TBoardView* view = table_.View();
        if (!view) {
            state.invalid = true;
            return state;
        }
        state.focusable = true;
        state.focused = view->hasFocus() && TBoardView::CellOfSquare(view->FocusSquare()) == cell_;
        state.invisible = !view->isVisible();
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return cell_ % TBoardAccessible::kSide; }
    int rowIndex() const override { return cell_ / TBoardAccessible::kSide; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return &table_; }

    int Cell() const { return cell_; }

private:
    TBoardAccessible& table_;
    const int cell_;
};

}  // namespace

TBoardAccessible::TBoardAccessible(TBoardView* view)
    : QAccessibleWidget(view, QAccessible::Table), view_(view) {}

TBoardAccessible::~TBoardAccessible() {
    for (const QAccessible::Id id : cellIds_)
        if (id) QAccessible::deleteAccessibleInterface(id);
}

void* TBoardAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* TBoardAccessible::child(int index) const {
    if (index < 0 || index >= TBoardView::kCells) return nullptr;
    QAccessible::Id& id = cellIds_[index];
    if (!id) {
        auto* self = const_cast<TBoardAccessible*>(this);
        id = QAccessible::registerAccessibleInterface(new TBoardCellAccessible(*self, index));
    }
    return QAccessible::accessibleInterface(id);
}

int TBoardAccessible::childCount() const {
    return TBoardView::kCells;
}

int TBoardAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (!child || child->role() != QAccessible::Cell || child->parent() != this) return -1;
    return static_cast<const TBoardCellAccessible*>(child)->Cell();
}

QAccessibleInterface* TBoardAccessible::childAt(int x, int y) const {
    if (!view_) return nullptr;
    const QPoint point(x, y);
    for (int cell = 0; cell < TBoardView::kCells; ++cell) {
        QAccessibleInterface* square = child(cell);
        if (square->rect().contains(point)) return square;
    }
    return nullptr;
}

QAccessibleInterface* TBoardAccessible::focusChild() const {
    if (!view_ || !view_->hasFocus()) return nullptr;
    return child(TBoardView::CellOfSquare(view_->FocusSquare()));
}

QAccessibleInterface* TBoardAccessible::cellAt(int row, int column) const {
    if (row < 0 || row >= kSide || column < 0 || column >= kSide) return nullptr;
    return child(kSide * row + column);
}

QString TBoardAccessible::columnDescription(int column) const {
    if (column < 0 || column >= kSide) return {};
    return QString(QChar('a' + column));
}

QString TBoardAccessible::rowDescription(int row) const {
    if (row < 0 || row >= kSide) return {};
    return QString::number(row + 1);
}

QAccessibleInterface* BoardAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(TForm1::staticMetaObject.className()))
        if (auto* form = qobject_cast<TForm1*>(object)) return new TClientAreaAccessible(form);
    if (className != QLatin1String(TBoardView::staticMetaObject.className())) return nullptr;
    auto* view = qobject_cast<TBoardView*>(object);
    return view ? new TBoardAccessible(view) : nullptr;
}

void InstallBoardAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(BoardAccessibleFactory);
        return true;
    }();
    (void)installed;
}
