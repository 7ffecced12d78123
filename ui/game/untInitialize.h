#pragma once

#include <QDialog>
#include <cstdint>

#include "ui/controls/untWidgets.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class TZoom;

// Who the person at the board plays against.
enum class TOpponent : uint8_t {
    Computer,   // the computer at the level and thinking type of the new-game dialog
    Strongest,  // the strongest computer: the advice's search, exact near the end
    Person,     // a second person on the same board: no computer, no result counted
};

// The new-game dialog: game level, thinking type, initial placement and the two waits, and
// below them the person's colour and the opponent. It is created once and keeps its
// settings from one opening to the next.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    TRadioGroup* RadioGroup2;  // ゲームレベル
    TRadioGroup* RadioGroup1;  // 思考ルーチン
    QGroupBox* GroupBox1;      // 初期配置
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QRadioButton* RadioButton4;
    TImage* Image1;
    TImage* Image2;
    TImage* Image3;
    TImage* Image4;
    QGroupBox* GroupBox2;
    QScrollBar* ScrollBar1;  // wait per move, milliseconds
    QLabel* LabelTaiki;
    QGroupBox* GroupBox3;
    QScrollBar* ScrollBar2;  // wait after the human's pass, milliseconds
    QLabel* LabelTaiki2;
    TRadioGroup* RadioGroup3;  // あなたの石: 黒（先手）, 白（後手）
    TRadioGroup* RadioGroup4;  // 対戦相手: COM, 最強の COM, 二人で対戦
    QPushButton* Button1;      // 新規開始！
    QPushButton* Button2;      // キャンセル

    bool Cancelled = false;  // the last closing was by キャンセル, Escape or the close box

    // Escape and the window's close box leave the game as it is, as キャンセル does: a
    // dialog closed without 新規開始！ never replaces the game in progress.
    void reject() override;

    void OnKaisi_Click();
    void OnCancel_Click();
    void OnImage1_Click();
    void OnImage2_Click();
    void OnImage3_Click();
    void OnImage4_Click();
    void OnScroll();
    void OnScroll2();
    void OnRadioGroup2_Click();
    // The level, the thinking type and the colour are for a game against the computer: the
    // groups that do not apply to the chosen opponent are greyed out.
    void OnRadioGroup4_Click();

    bool HumanPlaysWhite() const { return RadioGroup3->ItemIndex() == 1; }
    TOpponent Opponent() const { return static_cast<TOpponent>(RadioGroup4->ItemIndex()); }

    // The checked placement, 1 to 4.
    int Placement() const;
    // The dialog at a scale of its design, as the main window's texts (表示倍率).
    void SetScale(qreal scale);

private:
    void ShowPlacementPictures();

    TZoom* zoom_;
};
