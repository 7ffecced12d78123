// The main window: start-up, the controls and their places, the board display, and the
// commands that do not play moves (quit, game record, results).
#include "ui/game/untMain.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include "engine/eval/untPatterns.h"
#include "engine/untBitBoard.h"
#include "engine/untTextFile.h"
#include "player/untComputerPlayer.h"
#include "results/untScore.h"
#include "results/untStrongestScore.h"
#include "ui/controls/untPictures.h"
#include "ui/controls/untZoom.h"
#include "ui/game/untInitialize.h"
#include "ui/game/untSubForm.h"

// Resources compiled into a static library must be registered from outside any namespace.
static void RegisterResources() {
    Q_INIT_RESOURCE(tolvaney);
}

namespace {

constexpr int kClientWidth = 628, kClientHeight = 350;
constexpr int kSquareSize = 41;
constexpr int kFrameSize = 38, kFramePen = 3;  // the last-move frames, as the discs
constexpr int kCursorHotSpot = 16;             // the neck of the hourglass, in logical pixels
const QString kCaption = QStringLiteral("Tolvaney - トルヴァニー - Build100316");

QByteArray ReadResource(const QString& name) {
    QFile file(":/" + name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QPushButton* Button(const QString& caption, int left, int top, int width, int height,
                    QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(left, top, width, height);
    return button;
}

template <class Label = QLabel>
Label* MessageLabel(int left, int top, int width, int height, int fontSize, QWidget* parent) {
    auto* label = new Label(parent);
    label->setGeometry(left, top, width, height);
    label->setFont(GothicFont(fontSize));
    label->setAutoFillBackground(true);
    return label;
}

void Colour(QLabel* label, QColor background, QColor text) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    label->setPalette(palette);
}

}  // namespace

TForm1::TForm1(std::unique_ptr<TDialogs> dialogs, QWidget* parent,
               const std::filesystem::path& scoreFile)
    : QWidget(parent),
      dialogs_(std::move(dialogs)),
      scoreFile_(std::filesystem::absolute(scoreFile)) {
    RegisterResources();
    if (!dialogs_) dialogs_ = std::make_unique<TQtDialogs>(this);
    clock_.start();
    CreateControls();

    Busy = 0;
    TakeBackUsed = false;
    LastSquare = 0;
    PatternEditor = new TForm3(Dialogs(), this);
    Score = std::make_unique<TScore>(scoreFile, ReportToPlayer());
    ThinkCursor = 5;
    SetScreenCursor(CURSOR_HAND_POINT);
    NewGameDialog = new TForm2(this);
    Engine = NewGameEngine();
    DrawBoard();
    QString start = tr("COMは後手番専用です。\r\n\r\n中盤読み深さ２を設定");
    for (const char* piece : {QT_TR_NOOP("終盤読み深さは"), QT_TR_NOOP("４０手目で６手、"),
                              QT_TR_NOOP("４８手目で８手、"), QT_TR_NOOP("５０手目で完全読み切り")})
        start += "\r\n" + tr(piece);
    Label_Message->setText(start);
    WaitPerMove = 800;
    WaitOnPass = 3000;
    Timer1->setInterval(800);
    LoadBook();
    BookActive = true;
    LoadPatternTables();
}

TForm1::~TForm1() {
    strongMove_.reset();  // the strongest computer stops thinking, and nothing of it is told
    lastStrongMove_.reset();
    emit Closing();
    Engine.reset();
    Score.reset();
    QApplication::restoreOverrideCursor();
}

void TForm1::CreateControls() {
    setWindowTitle(kCaption);
    // A fixed single border with the system menu and the minimise box only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    resize(kClientWidth, kClientHeight);
    setFont(GothicFont(12));

    Image1 = new QLabel(this);
    Image1->setGeometry(8, 7, 322, 322);
    Image1->setPixmap(ResourcePicture(QStringLiteral("BOARD"), Image1));
    Image1->setAttribute(Qt::WA_TransparentForMouseEvents);  // the picture takes no clicks
    for (int x = 1; x <= 8; ++x)
        for (int y = 1; y <= 8; ++y) {
            const int square = 10 * x + y;
            auto* image = new TImage(this);
            image->setObjectName(QString("ban%1").arg(square));
            image->setGeometry(330 - 40 * x, 40 * y - 31, kSquareSize, kSquareSize);
            image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            connect(image, &TImage::clicked, this, [this, image] { OnBan_Click(image); });
            Ban[square] = image;
        }
    Waku = new TShape(Qt::red, kFramePen, this);
    Waku2 = new TShape(Qt::cyan, kFramePen, this);
    for (TShape* frame : {Waku, Waku2}) {
        frame->resize(kFrameSize, kFrameSize);
        frame->hide();
    }

    Button_Matta = Button(tr("待った"), 376, 8, 81, 20, this);
    Button_Exit = Button(tr("終了"), 535, 8, 81, 20, this);
    Button_Start = Button(tr("初期化"), 376, 51, 81, 20, this);
    Button_Touryo = Button(tr("棋譜をクリップボード出力"), 472, 51, 145, 20, this);
    Button2 = Button(tr("成績を見る"), 536, 80, 81, 20, this);
    connect(Button_Matta, &QPushButton::clicked, this, &TForm1::OnButton_MattaClick);
    connect(Button_Exit, &QPushButton::clicked, this, &TForm1::OnButton_ExitClick);
    connect(Button_Start, &QPushButton::clicked, this, &TForm1::OnButton_StartClick);
    connect(Button_Touryo, &QPushButton::clicked, this, &TForm1::OnButton_KifuClick);
    connect(Button2, &QPushButton::clicked, this, &TForm1::OnSeiseki_Click);
    // The developer's learning commands stay hidden.
    Button_Test = Button(tr("学習１"), 344, 320, 49, 17, this);
    Button1 = Button(tr("学習２"), 400, 320, 49, 17, this);
    Button3 = Button(tr("学習３"), 456, 320, 49, 17, this);
    Button4 = Button(tr("セーブ"), 512, 320, 41, 17, this);
    for (QPushButton* button : {Button_Test, Button1, Button3, Button4})
        button->hide();
    connect(Button_Test, &QPushButton::clicked, this, &TForm1::OnButton_TestClick);
    connect(Button1, &QPushButton::clicked, this, &TForm1::OnButton_Test2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::On_Test3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm1::On_Test4Click);

    Label_Message = MessageLabel<TMessageLabel>(376, 107, 240, 157, 19, this);
    Label_Message->setWordWrap(true);
    Label_Message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Colour(Label_Message, palette().color(QPalette::Highlight),
           palette().color(QPalette::HighlightedText));
    Label_mes2 = MessageLabel(376, 262, 240, 24, 15, this);
    Label_mes2->setAlignment(Qt::AlignCenter);
    Colour(Label_mes2, QColor(0, 0, 128), Qt::white);
    Label_mes3 = MessageLabel(376, 285, 240, 24, 15, this);
    Label_mes3->setAlignment(Qt::AlignCenter);
    Colour(Label_mes3, QColor(0, 128, 128), Qt::white);

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TForm1::OnTimer);

    // Everything above is the design at its own size; the window may be any larger.
    zoom_ = new TZoom(*this, QSize(kClientWidth, kClientHeight));
    zoom_->TakeDesign();
    connect(zoom_, &TZoom::Zoomed, this, &TForm1::ShowPicturesAtZoom);
}

QSize TForm1::sizeHint() const {
    return zoom_->Design();
}

// The board picture, the discs and the frames' pens drawn again for a new size of the window.
void TForm1::ShowPicturesAtZoom() {
    Image1->setPixmap(ResourcePicture(QStringLiteral("BOARD"), zoom_->Factor(), Image1));
    const int pen = std::max(1, qRound(kFramePen * zoom_->Factor()));
    Waku->SetPenWidth(pen);
    Waku2->SetPenWidth(pen);
    const uint8_t* cells = Engine->Boards[0].Cells;
    for (int square = 11; square <= 88; ++square)
        if (IsBoardSquare(square) && cells[square] != EMPTY)
            LoadDisc(Ban[square], cells[square] == BLACK ? "kuro" : "siro");
}

void TForm1::LoadBook() {
    const QByteArray book = ReadResource("TEISEKI");
    BookLines.clear();
    for (const std::string_view line : SplitLines(std::string_view(book.constData(), book.size())))
        BookLines.emplace_back(line);
}

void TForm1::LoadPatternTables() {
    std::array<QByteArray, 6> texts;
    std::array<std::string_view, 6> views;
    for (int kind = 1; kind <= 6; ++kind) {
        texts[kind - 1] = ReadResource(QString::fromStdString(PatternResourceName(kind)));
        views[kind - 1] = std::string_view(texts[kind - 1].constData(), texts[kind - 1].size());
    }
    try {
        Engine->LoadPatternWeights(views);
    } catch (const std::exception& fault) {
        Dialogs().Message(QString::fromStdString(fault.what()));
    }
}

void TForm1::DrawBoard() {
    const uint8_t* cells = Engine->Boards[0].Cells;
    for (int x = 1; x <= 8; ++x)
        for (int y = 1; y <= 8; ++y) {
            const int square = 10 * x + y;
            TImage* image = Ban[square];
            const uint8_t c = cells[square];
            if (c == EMPTY) image->clear();
            if (c == BLACK) LoadDisc(image, "kuro");
            if (c == WHITE) LoadDisc(image, "siro");
            // The frame goes to the image's place in the design; the zoom puts it on screen.
            if (c == BLACK && square == LastSquare) {
                zoom_->Move(Waku, zoom_->DesignOf(image).topLeft());
                Waku->show();
                Waku->raise();
            }
            if (c == WHITE && square == LastSquare) {
                zoom_->Move(Waku2, zoom_->DesignOf(image).topLeft());
                Waku2->show();
                Waku2->raise();
            }
        }
    emit BoardStateChanged();
}

void TForm1::LoadDisc(QLabel* picture, const QString& name) {
    const qreal zoom = zoom_->Factor();
    if (name == "kuro") picture->setPixmap(ResourcePicture(QStringLiteral("KURO"), zoom, picture));
    if (name == "siro") picture->setPixmap(ResourcePicture(QStringLiteral("SIRO"), zoom, picture));
}

void TForm1::OnButton_ExitClick() {
    if (Learning) return;
    // The window that holds the controller closes, and with it the program.
    if (Dialogs().Confirm(tr("確認"), tr("終了しますか？"))) window()->close();
}

// The window cannot close under a running replay, which owns the engine. Otherwise closing
// ends the game: a pending computer turn is dropped, and a move that let the close run stops.
void TForm1::closeEvent(QCloseEvent* event) {
    if (Learning) {
        event->ignore();
        return;
    }
    Timer1->stop();
    if (strongMove_) strongMove_->Stop();
    ++GameNumber;
    QWidget::closeEvent(event);
}

void TForm1::OnButton_KifuClick() {
    const std::optional<std::string> text = GameRecordText(GameRecord);
    if (!text) {
        Dialogs().Message(tr("棋譜データエラー発生。"));
        return;
    }
    QGuiApplication::clipboard()->setText(QString::fromStdString(*text));
    emit Happened(THappening::RecordCopied, static_cast<int>(text->size() / 2));
}

uint64_t TForm1::HumanMoves() const {
    if (!HumanMayMove()) return 0;
    const TBitBoard bits = BitsOf(Engine->Boards[0].Cells);
    return PersonWhite ? LegalMovesOf(bits.white, bits.black)
                       : LegalMovesOf(bits.black, bits.white);
}

QString TForm1::FormatCount(int32_t count) const {
    return QString::fromStdString(::FormatCount(count));
}

void TForm1::OnSeiseki_Click() {
    // The results against the strongest computer go under the levels' table, once there are
    // any: with none, the summary is the levels' alone.
    std::string strongest;
    if (StrongScore || std::filesystem::exists(scoreFile_.parent_path() / kStrongestScoreFileName))
        if (const TStrongestScore& score = StrongestScore(); score.Played())
            strongest = StrongestScoreRow(score);
    Label_Message->setText(QString::fromStdString(ScoreSummaryText(*Score, strongest)));
    const QString now = QDateTime::currentDateTime().toString("yyyy/MM/dd H:mm:ss");
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(ScoreClipboardText(*Score, now.toStdString(), strongest)));
    Label_mes3->setText(tr("クリップボードにも出力しました"));
    emit Happened(THappening::ResultsShown);
}

TCountsFile::TReport TForm1::ReportToPlayer() {
    return [this](const std::string& text, const std::string& caption) {
        if (caption.empty())
            Dialogs().Message(QString::fromStdString(text));
        else
            Dialogs().MessageWithCaption(QString::fromStdString(text),
                                         QString::fromStdString(caption));
    };
}

void TForm1::SetScreenCursor(int cursor) {
    QCursor shape;
    if (cursor == CURSOR_HAND_POINT) {
        shape = QCursor(Qt::PointingHandCursor);
    } else if (cursor == ThinkCursor) {
        // The window system takes the hot spot in the picture's own pixels.
        const QPixmap picture =
            ResourcePicture(QStringLiteral("myCursor"), qApp->devicePixelRatio());
        const int hotSpot = qRound(kCursorHotSpot * picture.devicePixelRatio());
        shape = QCursor(picture, hotSpot, hotSpot);
    }
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    if (cursor != CURSOR_DEFAULT) QApplication::setOverrideCursor(shape);
}

void TForm1::ProcessPendingEvents() {
    QCoreApplication::processEvents();
}

bool TForm1::GameGoesOnAfterPendingEvents() {
    const uint32_t game = GameNumber;
    ProcessPendingEvents();
    return GameNumber == game;
}

double TForm1::ClockTick() const {
    return static_cast<double>(clock_.elapsed());
}

void TForm1::AppendMessage(const QString& text) {
    Label_Message->setText(Label_Message->text() + text);
}
