#include "ui/game/untInitialize.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>

#include "ui/controls/untPictures.h"
#include "ui/controls/untZoom.h"

namespace {

constexpr int kDefaultWaitPerMove = 800, kDefaultWaitOnPass = 3000;
constexpr int kWaitStep = 100;

constexpr QSize kDialogSize(420, 448);

// What each placement's picture shows: whether d4, e4, d5 and e5 are white.
constexpr bool kPlacementWhites[4][4] = {{true, false, false, true},
                                         {false, true, true, false},
                                         {false, false, true, true},
                                         {true, true, false, false}};

// A 30 x 30 picture of a placement's four centre discs, d4 e4 over d5 e5, drawn for a
// screen with the given device pixel ratio.
QPixmap PlacementPicture(const bool (&whites)[4], qreal ratio) {
    constexpr int kSize = 30;
    QPixmap picture(QSize(kSize, kSize) * std::max<qreal>(ratio, 1));
    picture.setDevicePixelRatio(std::max<qreal>(ratio, 1));
    picture.fill(QColor(0x1E, 0x7A, 0x3C));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap black = ResourcePicture(QStringLiteral("KURO"), ratio);
    const QPixmap white = ResourcePicture(QStringLiteral("SIRO"), ratio);
    for (int i = 0; i < 4; ++i)
        painter.drawPixmap(QRect(15 * (i % 2), 15 * (i / 2), 15, 15), whites[i] ? white : black);
    return picture;
}

// What each placement's picture shows, for a screen reader and as a tooltip.
const char* const kPlacementNames[4] = {
    QT_TRANSLATE_NOOP("TForm2", "交差: 白 d4・e5、黒 e4・d5（標準）"),
    QT_TRANSLATE_NOOP("TForm2", "交差: 黒 d4・e5、白 e4・d5"),
    QT_TRANSLATE_NOOP("TForm2", "平行: 黒 d4・e4、白 d5・e5"),
    QT_TRANSLATE_NOOP("TForm2", "平行: 白 d4・e4、黒 d5・e5")};

// A wait's scroll bar, in the Tab order so that the arrow keys can set it.
QScrollBar* WaitBar(int maximum, int position, const QString& name, QWidget* parent) {
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->setAccessibleName(name);
    bar->setRange(1, maximum);
    bar->setSingleStep(kWaitStep);
    bar->setPageStep(kWaitStep);
    bar->setValue(position);
    return bar;
}

}  // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("新規開始時の設定"));
    setFont(GothicFont(12));
    resize(kDialogSize);

    RadioGroup2 = new TRadioGroup(tr("ゲームレベル"),
                                  {tr("最弱"), tr("初級"), tr("中級"), tr("上級")}, 4, this);
    RadioGroup2->setGeometry(10, 8, 400, 52);
    RadioGroup2->SetItemIndex(1);
    RadioGroup1 = new TRadioGroup(tr("思考ルーチン"),
                                  {QStringLiteral("TypeA"), QStringLiteral("TypeB"),
                                   QStringLiteral("TypeC"), QStringLiteral("TypeD")},
                                  4, this);
    RadioGroup1->setGeometry(10, 66, 400, 52);
    RadioGroup1->SetItemIndex(0);

    GroupBox1 = new QGroupBox(tr("初期配置"), this);
    GroupBox1->setGeometry(10, 124, 400, 64);
    RadioButton1 = new QRadioButton(GroupBox1);
    RadioButton2 = new QRadioButton(GroupBox1);
    RadioButton3 = new QRadioButton(GroupBox1);
    RadioButton4 = new QRadioButton(GroupBox1);
    Image1 = new TImage(GroupBox1);
    Image2 = new TImage(GroupBox1);
    Image3 = new TImage(GroupBox1);
    Image4 = new TImage(GroupBox1);
    QRadioButton* buttons[4] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4};
    TImage* images[4] = {Image1, Image2, Image3, Image4};
    for (int i = 0; i < 4; ++i) {
        buttons[i]->setGeometry(16 + 98 * i, 28, 20, 20);
        images[i]->setGeometry(38 + 98 * i, 24, 30, 30);
        const QString name = tr(kPlacementNames[i]);
        for (QWidget* control :
             {static_cast<QWidget*>(buttons[i]), static_cast<QWidget*>(images[i])}) {
            control->setAccessibleName(name);
            control->setToolTip(name);
        }
    }
    RadioButton1->setChecked(true);
    TabToCheckedButton({RadioButton1, RadioButton2, RadioButton3, RadioButton4});
    connect(Image1, &TImage::clicked, this, &TForm2::OnImage1_Click);
    connect(Image2, &TImage::clicked, this, &TForm2::OnImage2_Click);
    connect(Image3, &TImage::clicked, this, &TForm2::OnImage3_Click);
    connect(Image4, &TImage::clicked, this, &TForm2::OnImage4_Click);

    GroupBox2 = new QGroupBox(tr("１手ごとの待機時間(ミリ秒)"), this);
    GroupBox2->setGeometry(10, 194, 400, 46);
    ScrollBar1 = WaitBar(1000, kDefaultWaitPerMove, GroupBox2->title(), GroupBox2);
    ScrollBar1->setGeometry(10, 20, 300, 18);
    LabelTaiki = new QLabel(GroupBox2);
    LabelTaiki->setGeometry(320, 20, 70, 18);
    GroupBox3 = new QGroupBox(tr("パス時の待機時間(ミリ秒)"), this);
    GroupBox3->setGeometry(10, 244, 400, 46);
    ScrollBar2 = WaitBar(5000, kDefaultWaitOnPass, GroupBox3->title(), GroupBox3);
    ScrollBar2->setGeometry(10, 20, 300, 18);
    LabelTaiki2 = new QLabel(GroupBox3);
    LabelTaiki2->setGeometry(320, 20, 70, 18);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TForm2::OnScroll);
    connect(ScrollBar2, &QScrollBar::valueChanged, this, &TForm2::OnScroll2);
    OnScroll();
    OnScroll2();

    // Who plays: below the game's own settings, before the buttons in the Tab order.
    RadioGroup3 = new TRadioGroup(tr("あなたの石"), {tr("黒（先手）"), tr("白（後手）")}, 2, this);
    RadioGroup3->setGeometry(10, 298, 400, 52);
    RadioGroup3->SetItemIndex(0);
    RadioGroup4 = new TRadioGroup(
        tr("対戦相手"), {QStringLiteral("COM"), tr("最強の COM"), tr("二人で対戦")}, 3, this);
    RadioGroup4->setGeometry(10, 356, 400, 52);
    RadioGroup4->SetItemIndex(0);
    connect(RadioGroup4, &TRadioGroup::clicked, this, &TForm2::OnRadioGroup4_Click);

    // The buttons stay at the dialog's foot, below everything they confirm.
    Button1 = new QPushButton(tr("新規開始！"), this);
    Button1->setGeometry(120, 416, 90, 24);
    Button2 = new QPushButton(tr("キャンセル"), this);
    Button2->setGeometry(220, 416, 90, 24);
    connect(Button1, &QPushButton::clicked, this, &TForm2::OnKaisi_Click);
    connect(Button2, &QPushButton::clicked, this, &TForm2::OnCancel_Click);
    connect(RadioGroup2, &TRadioGroup::clicked, this, &TForm2::OnRadioGroup2_Click);

    // The dialog grows with the window's scale as one picture.
    zoom_ = new TZoom(*this, kDialogSize);
    zoom_->TakeDesign();
    connect(zoom_, &TZoom::Zoomed, this, &TForm2::ShowPlacementPictures);
    ShowPlacementPictures();
}

void TForm2::SetScale(qreal scale) {
    resize(kDialogSize * scale);
}

void TForm2::ShowPlacementPictures() {
    const qreal screen = std::max<qreal>(devicePixelRatioF(), 1);
    TImage* images[4] = {Image1, Image2, Image3, Image4};
    for (int i = 0; i < 4; ++i) {
        QPixmap picture = PlacementPicture(kPlacementWhites[i], zoom_->Factor() * screen);
        picture.setDevicePixelRatio(screen);  // drawn at the zoom, shown at the screen's density
        images[i]->setPixmap(picture);
    }
}

void TForm2::OnKaisi_Click() {
    Cancelled = false;
    accept();
}

void TForm2::OnCancel_Click() {
    reject();
}

void TForm2::reject() {
    Cancelled = true;
    QDialog::reject();
}

void TForm2::OnImage1_Click() {
    RadioButton1->setChecked(true);
}
void TForm2::OnImage2_Click() {
    RadioButton2->setChecked(true);
}
void TForm2::OnImage3_Click() {
    RadioButton3->setChecked(true);
}
void TForm2::OnImage4_Click() {
    RadioButton4->setChecked(true);
}

void TForm2::OnScroll() {
    LabelTaiki->setText(QString::number(ScrollBar1->value()));
}
void TForm2::OnScroll2() {
    LabelTaiki2->setText(QString::number(ScrollBar2->value()));
}

// Random play has no thinking type to choose.
void TForm2::OnRadioGroup2_Click() {
    RadioGroup1->setEnabled(RadioGroup2->ItemIndex() != 0 && RadioGroup2->isEnabled());
}

void TForm2::OnRadioGroup4_Click() {
    RadioGroup2->setEnabled(Opponent() == TOpponent::Computer);
    RadioGroup3->setEnabled(Opponent() != TOpponent::Person);
    OnRadioGroup2_Click();
}

int TForm2::Placement() const {
    if (RadioButton2->isChecked()) return 2;
    if (RadioButton3->isChecked()) return 3;
    if (RadioButton4->isChecked()) return 4;
    return 1;
}
