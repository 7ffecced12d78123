#pragma once

#include <QDialog>
#include <memory>

#include "engine/untKyokumen.h"
#include "ui/controls/untDialogs.h"
#include "ui/controls/untWidgets.h"

class QGroupBox;
class QLabel;
class QPushButton;

// The pattern value editor: for the kinds LINE3, LINE2, EDGE and CORNER the developer sets
// up a configuration by clicking its cells (empty, black, white), sees its index and the
// value stored for it at the shown stage, and types a new value, which goes straight into
// the engine's own table. Each kind can be saved to its file.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    TForm3(TDialogs& dialogs, QWidget* parent);

    QGroupBox* GroupBox1;    // "LINE 3 "
    QGroupBox* GroupBox2;    // "LINE 2 "
    QGroupBox* GroupBox3;    // "EDGE"
    QGroupBox* CORNER;       // "CORNER"
    TImage* LINE3_[9] = {};  // LINE3_1 .. LINE3_8, by cell number
    TImage* LINE2_[9] = {};
    TImage* EDGE_[9] = {};
    TImage* CORNER_[8] = {};  // CORNER_1 .. CORNER_7
    QLabel* Label1;           // the index of each group
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    TEdit* Edit1;  // the value of each group
    TEdit* Edit2;
    TEdit* Edit3;
    TEdit* Edit4;
    TEdit* Edit5;          // the stage shown and edited
    QPushButton* Button1;  // Save LINE3
    QPushButton* Button3;  // Save LINE2
    QPushButton* Button4;  // Save EDGE
    QPushButton* Button5;  // Save CORNER
    QPushButton* Button2;  // 閉じる

    uint8_t Line3Cells[9] = {};
    uint8_t Line2Cells[9] = {};
    uint8_t EdgeCells[9] = {};
    uint8_t CornerCells[8] = {};
    uint8_t ShownStage = 2;
    std::shared_ptr<TPatternTable> Weights;

    void SetTable(std::shared_ptr<TPatternTable> table);
    void Refresh();

    void OnImage_Click(QObject* sender);
    void OnKeyUp_LINE3();
    void OnKeyUp_LINE2();
    void OnKeyUp_EDGE();
    void OnKeyUp_CORNER();
    void OnKeyUp_STAGE();
    void OnSave_Line3();
    void OnSave_Line2();
    void OnSave_Edge();
    void OnSave_Corner();
    void OnExit_Click();

private:
    // One group of cells: its kind, cells, images, index label and value box.
    struct TCellGroup {
        int kind;
        uint8_t* cells;
        int cellCount;
        TImage** images;
        QLabel* label;
        TEdit* edit;
        int index = 0;
    };
    TCellGroup& Group(int kind);
    QGroupBox* CreateGroup(const QString& caption, QRect place);
    void StoreValue(int kind);
    void Save(int kind);

    TDialogs& dialogs_;
    TCellGroup groups_[5];  // by kind 1..4
};
