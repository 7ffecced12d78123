#include "ui/board/untBoardView.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <vector>

#include "engine/untBitBoard.h"
#include "engine/untSquareNames.h"
#include "ui/board/untBoardAccessible.h"
#include "ui/board/untDiscTurning.h"
#include "ui/controls/untZoom.h"
#include "ui/game/untMain.h"

namespace {

// The board's squares in the main window: square 10 * x + y has its image at
// (330 - 40 x, 40 y - 31), 41 pixels wide on a 40-pixel grid; the disc and the last-move
// frames take its top-left 38 x 38 pixels.
constexpr QPoint kBoardCorner(8, 7);
constexpr QSize kBoardSize(324, 324);
constexpr int kDiscSize = 38;
constexpr int kHintRadius = 10;
constexpr int kFocusInset = 6;  // inside the 3-pixel last-move frames, so both stay visible
constexpr int kGrid = 40;
constexpr QPoint kDiscCorner(2, 2);  // the top-left disc box's corner in the board
constexpr int kCoordinatePixelSize = 9;
constexpr QSize kCoordinateBox(9, 11);  // fits in the corner a round disc leaves free
constexpr int kFirstFocusSquare = SquareOf("f5");

int Column(int square) {  // 1 = a .. 8 = h
    return 9 - square / 10;
}
int Row(int square) {  // 1 = the top row
    return square % 10;
}
int SquareAt(int column, int row) {
    return 10 * (9 - column) + row;
}

}  // namespace

TBoardView::TBoardView(TForm1& form)
    : QWidget(&form),
      form_(form),
      turning_(new TDiscTurning(this)),
      shown_(BitsOf(form.Engine->Boards[0].Cells)),
      focusSquare_(kFirstFocusSquare) {
    InstallBoardAccessibility();  // before a screen reader can first ask about the board
    setObjectName(QStringLiteral("board"));
    form.ClientZoom().Place(this, QRect(kBoardCorner, kBoardSize));
    setAttribute(Qt::WA_TransparentForMouseEvents);  // clicks go to the squares below
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("盤"));
    connect(&form_, &TForm1::BoardStateChanged, this, &TBoardView::Refresh);
    connect(&form.ClientZoom(), &TZoom::Zoomed, this, qOverload<>(&QWidget::update));
    connect(turning_, &QVariantAnimation::valueChanged, this, qOverload<>(&QWidget::update));
    connect(turning_, &QAbstractAnimation::finished, this, qOverload<>(&QWidget::update));
    // The pointer over the squares, and the last-move frames, which the whole board shows too.
    // The squares and frames follow the pointer themselves: a pointer's move over a widget
    // that does not is dropped, not passed to the window beneath.
    std::vector<QWidget*> watched = {&form_, form_.Waku, form_.Waku2};
    for (int square = 11; square <= 88; ++square)
        if (IsBoardSquare(square)) watched.push_back(form_.Ban[square]);
    for (QWidget* widget : watched) {
        widget->setMouseTracking(true);
        widget->installEventFilter(this);
    }
    // The squares, taken down after the window's own parts, still send events as they go.
    connect(&form_, &TForm1::Closing, this, [this, watched] {
        for (QWidget* widget : watched)
            widget->removeEventFilter(this);
    });
    Refresh();
}

int TBoardView::SquareOfCell(int cell) {
    return SquareAt(cell % 8 + 1, cell / 8 + 1);
}

int TBoardView::CellOfSquare(int square) {
    return 8 * (Row(square) - 1) + Column(square) - 1;
}

QRect TBoardView::SquareRect(int square) const {
    const int x = square / 10, y = square % 10;
    return QRect(QPoint(330 - 40 * x, 40 * y - 31) - kBoardCorner, QSize(kDiscSize, kDiscSize));
}

QRect TBoardView::SquareRectShown(int square) const {
    return form_.ClientZoom().Scaled(SquareRect(square));
}

void TBoardView::SetShowLegalMoves(bool show) {
    showLegalMoves_ = show;
    update();
}

void TBoardView::SetHintSquare(int square) {
    hintSquare_ = square;
    Refresh();
}

void TBoardView::SetShowCoordinates(bool show) {
    showCoordinates_ = show;
    update();
}

void TBoardView::SetShowTurnable(bool show) {
    showTurnable_ = show;
    update();
}

void TBoardView::SetTheme(TTheme theme) {
    theme_ = TBoardTheme(theme);
    update();
}

void TBoardView::SetTurnDiscs(bool turn) {
    turnDiscs_ = turn;
    if (!turn) turning_->Finish();
    update();
}

void TBoardView::SetTurningSpeed(TTurningSpeed speed) {
    turning_->SetSpeed(speed);
}

bool TBoardView::DrawsWholeBoard() const {
    return !theme_.ShownBySquareImages() || turning_->Turning();
}

uint64_t TBoardView::TurnableDiscs() const {
    if (!showTurnable_) return 0;
    const uint64_t legal = form_.HumanMoves();
    // One set of marks: for the square the player pointed at or framed last.
    const int square = framedLast_ ? (ShowsFocusFrame() ? focusSquare_ : 0) : pointerSquare_;
    if (square == 0 || !(legal & MaskOf(square))) return 0;
    return BitsAfterMove(shown_, square, form_.PersonWhite).changed & ~MaskOf(square);
}

uint64_t TBoardView::MarkedSquares() const {
    return showLegalMoves_ ? form_.HumanMoves() : 0;
}

bool TBoardView::ShowsFocusFrame() const {
    return hasFocus();
}

QString TBoardView::SquareDescription(int square) const {
    QString text = QString::fromStdString(SquareName(square)) + ' ';
    switch (form_.Engine->Boards[0].Cells[square]) {
        case BLACK:
            return text + tr("黒");
        case WHITE:
            return text + tr("白");
        default:
            text += tr("空き");
            if (form_.HumanMoves() & MaskOf(square)) text += tr(" 打てます");
            if (square == hintSquare_) text += tr(" ヒント");
            return text;
    }
}

void TBoardView::Refresh() {
    raise();  // above the last-move frames the board has just put up
    update();
    // A move's discs turn over; any other change shows at once.
    const TBitBoard discs = BitsOf(form_.Engine->Boards[0].Cells);
    if (discs.black != shown_.black || discs.white != shown_.white) {
        if (turnDiscs_)
            turning_->Follow(shown_, discs);
        else
            turning_->Finish();
        shown_ = discs;
    }
    for (int cell = 0; cell < kCells; ++cell) {
        QString now = SquareDescription(SquareOfCell(cell));
        if (now == spoken_[cell]) continue;
        spoken_[cell] = std::move(now);
        QAccessibleEvent changed(this, QAccessible::NameChanged);
        changed.setChild(cell);
        QAccessible::updateAccessibility(&changed);
    }
}

// Everything is drawn in the board's design coordinates, scaled to the window's zoom.
void TBoardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const qreal zoom = form_.ClientZoom().Factor();
    painter.scale(zoom, zoom);
    if (DrawsWholeBoard()) DrawWholeBoard(painter);
    if (showLegalMoves_) DrawMarkers(painter);
    if (showTurnable_) DrawTurnable(painter);
    if (showCoordinates_) DrawCoordinates(painter);
    if (hintSquare_) DrawHint(painter);
    if (ShowsFocusFrame()) DrawFocusFrame(painter);
}

// The board, its discs (those of the last move as they turn) and the last-move frames.
void TBoardView::DrawWholeBoard(QPainter& painter) const {
    const TZoom& zoom = form_.ClientZoom();
    const qreal ratio = devicePixelRatioF() * zoom.Factor();
    theme_.DrawBoard(painter, ratio);
    for (int square = 11; square <= 88; ++square) {
        if (!IsBoardSquare(square)) continue;
        if (const auto face = turning_->FaceOf(square)) {
            theme_.DrawDisc(painter, SquareRect(square), face->colour, face->width, ratio);
        } else if ((shown_.black | shown_.white) & MaskOf(square)) {
            const uint8_t colour = shown_.black & MaskOf(square) ? BLACK : WHITE;
            theme_.DrawDisc(painter, SquareRect(square), colour, 1, ratio);
        }
    }
    for (const auto& [frame, human] : {std::pair{form_.Waku, true}, {form_.Waku2, false}})
        if (!frame->isHidden())
            theme_.DrawLastMove(painter, zoom.DesignOf(frame).translated(-kBoardCorner), human);
}

// A mark in the middle of each square the human may play.
void TBoardView::DrawMarkers(QPainter& painter) const {
    for (uint64_t marked = MarkedSquares(); marked != 0; marked &= marked - 1)
        theme_.DrawLegalMove(painter, SquareRect(kSquareOfBit[std::countr_zero(marked)]));
}

void TBoardView::DrawTurnable(QPainter& painter) const {
    for (uint64_t marked = TurnableDiscs(); marked != 0; marked &= marked - 1)
        theme_.DrawTurnable(painter, SquareRect(kSquareOfBit[std::countr_zero(marked)]),
                            form_.PersonWhite);
}

// The column letters in the top-right corners of the top row and the row digits in the
// bottom-left corners of column a: the corners a disc leaves free.
void TBoardView::DrawCoordinates(QPainter& painter) const {
    QFont small = font();
    small.setPixelSize(kCoordinatePixelSize);
    small.setBold(true);
    painter.setFont(small);
    const auto label = [&](const QRect& box, const QString& text) {
        painter.setPen(QColor(0, 0, 0, 200));  // a shadow keeps it readable on white discs
        painter.drawText(box.translated(1, 1), Qt::AlignCenter, text);
        painter.setPen(QColor(255, 255, 230));
        painter.drawText(box, Qt::AlignCenter, text);
    };
    // The square's own 40 x 40 cell of the grid, of which the disc takes the top left.
    const auto cell = [&](int column, int row) {
        return QRect(SquareRect(SquareAt(column, row)).topLeft(), QSize(kGrid, kGrid));
    };
    for (int i = 1; i <= 8; ++i) {
        QRect letter(QPoint(), kCoordinateBox);
        letter.moveTopRight(cell(i, 1).topRight());
        label(letter, QString(QChar('a' + i - 1)));
        QRect digit(QPoint(), kCoordinateBox);
        digit.moveBottomLeft(cell(1, i).bottomLeft());
        label(digit, QString::number(i));
    }
}

// An orange ring round the middle of the hint's square: larger than a legal-move marker and
// inside the focus frame.
void TBoardView::DrawHint(QPainter& painter) const {
    painter.setPen(QPen(QColor(255, 140, 0), 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(SquareRect(hintSquare_)).center(), kHintRadius, kHintRadius);
}

// A dashed yellow frame inside the square, so that it stays clear of the red and aqua
// last-move frames on the same square.
void TBoardView::DrawFocusFrame(QPainter& painter) const {
    QPen pen(QColor(255, 230, 0), 2, Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(SquareRect(focusSquare_))
                         .adjusted(kFocusInset, kFocusInset, -kFocusInset, -kFocusInset));
}

void TBoardView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool commandKey =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    const bool playKey = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    const bool columnLetter = key >= Qt::Key_A && key <= Qt::Key_H;
    const bool rowDigit = key >= Qt::Key_1 && key <= Qt::Key_8 && typedColumn_;
    if (commandKey || !(arrow || playKey || columnLetter || rowDigit)) {
        typedColumn_ = 0;
        QWidget::keyPressEvent(event);  // the window's shortcuts and Tab
        return;
    }
    update();
    const char column = typedColumn_;
    typedColumn_ = 0;
    if (columnLetter) {
        // The column waits for its row digit, and the frame then moves once, straight to the
        // square: a screen reader reads no square on the way.
        typedColumn_ = static_cast<char>('a' + (key - Qt::Key_A));
    } else if (rowDigit) {
        SetFocusSquare(SquareAt(column - 'a' + 1, key - Qt::Key_0));
        Play(focusSquare_);
    } else if (playKey) {
        Play(focusSquare_);
    } else {
        MoveFocus(key);
    }
}

void TBoardView::MoveFocus(int key) {
    int column = Column(focusSquare_), row = Row(focusSquare_);
    if (key == Qt::Key_Left) column = std::max(1, column - 1);
    if (key == Qt::Key_Right) column = std::min(8, column + 1);
    if (key == Qt::Key_Up) row = std::max(1, row - 1);
    if (key == Qt::Key_Down) row = std::min(8, row + 1);
    SetFocusSquare(SquareAt(column, row));
}

void TBoardView::SetFocusSquare(int square) {
    framedLast_ = true;
    if (square == focusSquare_) return;
    focusSquare_ = square;
    update();
    AnnounceFocus();
}

// The square played exactly as a click on its image would play it.
void TBoardView::Play(int square) {
    form_.OnBan_Click(form_.Ban[square]);
}

void TBoardView::AnnounceFocus() {
    if (!hasFocus()) return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(CellOfSquare(focusSquare_));
    QAccessible::updateAccessibility(&focus);
}

// The toolkit reports the board itself focused after this; the cell's report must come
// after that, or a screen reader names only the table.
void TBoardView::focusInEvent(QFocusEvent*) {
    update();
    QMetaObject::invokeMethod(this, &TBoardView::AnnounceFocus, Qt::QueuedConnection);
}

void TBoardView::focusOutEvent(QFocusEvent*) {
    typedColumn_ = 0;
    update();
}

void TBoardView::SetPointerSquare(int square) {
    if (square == pointerSquare_) return;
    pointerSquare_ = square;
    framedLast_ = false;
    if (showTurnable_) update();
}

// The pointer's moves over the window, and the last-move frames shown, hidden or moved.
bool TBoardView::eventFilter(QObject* watched, QEvent* event) {
    const bool frame = watched == form_.Waku || watched == form_.Waku2;
    if (event->type() == QEvent::MouseMove) {
        const QPoint inForm = static_cast<QWidget*>(watched)->mapTo(
            &form_, static_cast<QMouseEvent*>(event)->position().toPoint());
        const QPointF at =
            form_.ClientZoom().ToDesign(inForm) - QPointF(kBoardCorner) - QPointF(kDiscCorner);
        const bool onBoard = at.x() >= 0 && at.y() >= 0 && at.x() < 8 * kGrid && at.y() < 8 * kGrid;
        SetPointerSquare(onBoard ? SquareAt(static_cast<int>(at.x()) / kGrid + 1,
                                            static_cast<int>(at.y()) / kGrid + 1)
                                 : 0);
    } else if (watched == &form_ && event->type() == QEvent::Leave) {
        SetPointerSquare(0);
    } else if (frame && (event->type() == QEvent::Show || event->type() == QEvent::Hide ||
                         event->type() == QEvent::Move)) {
        update();
    }
    return false;
}
