#pragma once

#include <QAccessibleWidget>
#include <QPointer>
#include <array>

#include "ui/board/untBoardView.h"

// What a screen reader finds of the board: a table named 「盤」 of 8 rows ("1" to "8") by 8
// columns ("a" to "h"), whose 64 cells are named by their square and what is on it
// ("f5 黒", "e6 空き 打てます"), placed on screen over their squares, the one under the focus
// frame focused while the board has the keyboard. Nothing on it can be selected.
//
// The cells are made when first asked for and kept, with ids of their own, as long as the
// table; the table is made for the board by the factory below, and the toolkit deletes it
// with the board.
class TBoardAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit TBoardAccessible(TBoardView* view);
    ~TBoardAccessible() override;

    TBoardView* View() const { return view_; }

    // QAccessibleInterface
    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return kSide; }
    int rowCount() const override { return kSide; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    static constexpr int kSide = 8;

private:
    QPointer<TBoardView> view_;
    mutable std::array<QAccessible::Id, TBoardView::kCells> cellIds_{};
};

// The table for a TBoardView, the main window's client area without the pictures behind the
// board for a TForm1, null for anything else; for QAccessible::installFactory.
QAccessibleInterface* BoardAccessibleFactory(const QString& className, QObject* object);

// Installs the factory once, however often it is called. It must run before a screen reader
// first asks about the main window or a board, or they stay plain widgets to it.
void InstallBoardAccessibility();
