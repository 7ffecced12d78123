#include "ui/game/untSubForm.h"

#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "engine/eval/untPatterns.h"
#include "engine/untTextFile.h"
#include "results/untFaultText.h"
#include "ui/controls/untPictures.h"

namespace {

constexpr int kCellSize = 41;
// The kind of the CORNER group (inside the window, CORNER names the group box).
constexpr int CORNER_KIND = TPatternKind::CORNER;

// A cell's place in its group: the line groups in one row, CORNER on a 3 x 3 grid with
// cells 1 2 3 on top, 4 5 in the middle, 6 bottom left and 7 bottom right.
QPoint LineCellPlace(int cell) {
    return {27 + 40 * (cell - 1), 28};
}
QPoint CornerCellPlace(int cell) {
    static const QPoint places[8] = {{},       {26, 19}, {66, 19}, {106, 19},
                                     {26, 59}, {66, 59}, {26, 99}, {106, 99}};
    return places[cell];
}

QLabel* BoardStrip(QWidget* parent, QRect place) {
    auto* picture = new QLabel(parent);
    picture->setGeometry(place);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setPixmap(ResourcePicture(QStringLiteral("BOARD"), picture));
    return picture;
}

}  // namespace

TForm3::TForm3(TDialogs& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
    setWindowTitle(tr("パターン評価値の調整"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(502, 435);
    setFont(GothicFont(12));

    GroupBox1 = CreateGroup(QStringLiteral("LINE 3 "), {32, 0, 433, 89});
    GroupBox2 = CreateGroup(QStringLiteral("LINE 2 "), {32, 88, 433, 89});
    GroupBox3 = CreateGroup(QStringLiteral("EDGE"), {32, 176, 433, 89});
    CORNER = CreateGroup(QStringLiteral("CORNER"), {32, 264, 241, 153});
    QGroupBox* boxes[5] = {nullptr, GroupBox1, GroupBox2, GroupBox3, CORNER};
    uint8_t* cells[5] = {nullptr, Line3Cells, Line2Cells, EdgeCells, CornerCells};
    TImage** images[5] = {nullptr, LINE3_, LINE2_, EDGE_, CORNER_};
    const char* names[5] = {nullptr, "LINE3_", "LINE2_", "EDGE_", "CORNER_"};

    for (int kind = LINE3; kind <= CORNER_KIND; ++kind) {
        const bool corner = kind == CORNER_KIND;
        QGroupBox* box = boxes[kind];
        TCellGroup& group = groups_[kind];
        group = {kind,         cells[kind],          corner ? 7 : 8,
                 images[kind], new QLabel("0", box), new TEdit("0", box)};
        // The main window's board picture behind the cells, so that they look like squares.
        corner ? BoardStrip(box, {24, 17, 122, 122}) : BoardStrip(box, {25, 26, 322, 42});
        for (int cell = 1; cell <= group.cellCount; ++cell) {
            auto* image = new TImage(box);
            image->setObjectName(QString("%1%2").arg(names[kind]).arg(cell));
            image->setGeometry(QRect(corner ? CornerCellPlace(cell) : LineCellPlace(cell),
                                     QSize(kCellSize, kCellSize)));
            image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            connect(image, &TImage::clicked, this, [this, image] { OnImage_Click(image); });
            group.images[cell] = image;
        }
        const int left = corner ? 160 : 358;
        group.label->setGeometry(left, corner ? 24 : 22, 64, 18);
        group.edit->setGeometry(left, corner ? 46 : 42, 64, 20);
    }
    Label1 = groups_[LINE3].label;
    Label2 = groups_[LINE2].label;
    Label3 = groups_[EDGE].label;
    Label4 = groups_[CORNER_KIND].label;
    Edit1 = groups_[LINE3].edit;
    Edit2 = groups_[LINE2].edit;
    Edit3 = groups_[EDGE].edit;
    Edit4 = groups_[CORNER_KIND].edit;
    connect(Edit1, &TEdit::keyUp, this, &TForm3::OnKeyUp_LINE3);
    connect(Edit2, &TEdit::keyUp, this, &TForm3::OnKeyUp_LINE2);
    connect(Edit3, &TEdit::keyUp, this, &TForm3::OnKeyUp_EDGE);
    connect(Edit4, &TEdit::keyUp, this, &TForm3::OnKeyUp_CORNER);

    auto saveButton = [](QWidget* box, int left, int top) {
        auto* button = new QPushButton(QStringLiteral("Save"), box);
        button->setGeometry(left, top, 64, 22);
        return button;
    };
    Button1 = saveButton(GroupBox1, 358, 64);
    Button3 = saveButton(GroupBox2, 358, 64);
    Button4 = saveButton(GroupBox3, 358, 64);
    Button5 = saveButton(CORNER, 160, 72);
    connect(Button1, &QPushButton::clicked, this, &TForm3::OnSave_Line3);
    connect(Button3, &QPushButton::clicked, this, &TForm3::OnSave_Line2);
    connect(Button4, &QPushButton::clicked, this, &TForm3::OnSave_Edge);
    connect(Button5, &QPushButton::clicked, this, &TForm3::OnSave_Corner);

    Edit5 = new TEdit("2", this);
    Edit5->setGeometry(376, 344, 40, 20);
    connect(Edit5, &TEdit::keyUp, this, &TForm3::OnKeyUp_STAGE);
    const char* stageLabels[4] = {QT_TR_NOOP("Stage 0～2"), QT_TR_NOOP("Stage 0 -> 1～20"),
                                  QT_TR_NOOP("Stage 1 -> 21～40"), QT_TR_NOOP("Stage 2 -> 41～")};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(tr(stageLabels[i]), this);
        label->setGeometry(i == 0 ? 376 : 290, i == 0 ? 324 : 364 + 16 * (i - 1), 150, 16);
    }
    Button2 = new QPushButton(tr("閉じる"), this);
    Button2->setGeometry(420, 410, 72, 22);
    connect(Button2, &QPushButton::clicked, this, &TForm3::OnExit_Click);

    ShownStage = 2;
}

QGroupBox* TForm3::CreateGroup(const QString& caption, QRect place) {
    auto* box = new QGroupBox(caption, this);
    box->setGeometry(place);
    return box;
}

TForm3::TCellGroup& TForm3::Group(int kind) {
    return groups_[kind];
}

void TForm3::SetTable(std::shared_ptr<TPatternTable> table) {
    Weights = std::move(table);
}

void TForm3::Refresh() {
    for (int kind = LINE3; kind <= CORNER_KIND; ++kind) {
        TCellGroup& group = Group(kind);
        int index = 0;
        for (int cell = 1; cell <= 8; ++cell) {
            const uint8_t content = cell <= group.cellCount ? group.cells[cell] : EMPTY;
            index = 3 * index + content;
            if (cell > group.cellCount) continue;
            TImage* image = group.images[cell];
            if (content == EMPTY) image->clear();
            if (content == BLACK) image->setPixmap(ResourcePicture(QStringLiteral("KURO"), image));
            if (content == WHITE) image->setPixmap(ResourcePicture(QStringLiteral("SIRO"), image));
        }
        group.index = index;
        group.label->setText(QString::number(index));
        if (Weights) group.edit->setText(QString::number((*Weights)[kind][index][ShownStage]));
    }
}

void TForm3::OnImage_Click(QObject* sender) {
    const QString name = sender->objectName();
    const int cell = name.right(1).toInt();
    int kind = 0;
    if (name.startsWith("LINE3")) kind = LINE3;
    if (name.startsWith("LINE2")) kind = LINE2;
    if (name.startsWith("EDGE")) kind = EDGE;
    if (name.startsWith("CORNER")) kind = CORNER_KIND;
    if (kind == 0 || cell < 1 || cell > Group(kind).cellCount) return;
    uint8_t& content = Group(kind).cells[cell];
    content = static_cast<uint8_t>((content + 1) % 3);  // empty, black, white, empty again
    Refresh();
}

void TForm3::StoreValue(int kind) {
    const QString text = Group(kind).edit->text();
    if (text.isEmpty() || text == "-" || !Weights) return;
    int32_t value = 0;
    if (!ParseInt32(text.toStdString(), value)) {
        dialogs_.Message(tr("「%1」は整数ではありません。値は保存されません。").arg(text));
        return;
    }
    (*Weights)[kind][Group(kind).index][ShownStage] = value;
}

void TForm3::OnKeyUp_LINE3() {
    StoreValue(LINE3);
}
void TForm3::OnKeyUp_LINE2() {
    StoreValue(LINE2);
}
void TForm3::OnKeyUp_EDGE() {
    StoreValue(EDGE);
}
void TForm3::OnKeyUp_CORNER() {
    StoreValue(CORNER_KIND);
}

void TForm3::OnKeyUp_STAGE() {
    const QString text = Edit5->text();
    if (text.isEmpty() || text == "-") return;
    int32_t stage = 0;
    if (!ParseInt32(text.toStdString(), stage)) {
        dialogs_.Message(tr("「%1」は整数ではありません。").arg(text));
        return;
    }
    if (stage < 0 || stage >= STAGES) {
        dialogs_.Message(
            tr("ステージは 0、1、2 のどれかです。ステージ %1 のままです。").arg(ShownStage));
        return;
    }
    ShownStage = static_cast<uint8_t>(stage);
}

void TForm3::Save(int kind) {
    if (!Weights) return;
    try {
        SavePatternTable(*Weights, kind);
    } catch (const std::exception& fault) {
        dialogs_.Message(QString::fromStdString(PatternSaveFaultText(fault)));
        return;
    }
    dialogs_.MessageWithCaption(
        QString::fromStdString(PatternFileName(kind)) + tr("を保存しました。"), tr("確認"));
}

void TForm3::OnSave_Line3() {
    Save(LINE3);
}
void TForm3::OnSave_Line2() {
    Save(LINE2);
}
void TForm3::OnSave_Edge() {
    Save(EDGE);
}
void TForm3::OnSave_Corner() {
    Save(CORNER_KIND);
}

void TForm3::OnExit_Click() {
    close();
}
