#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

#include "engine/untBitBoard.h"
#include "ui/board/untBoardTheme.h"
#include "ui/board/untDiscTurning.h"

class TDiscTurning;
class TForm1;

// The board as the player finds their way on it, laid over the main window's board: the
// squares the human may play (when asked for), the column letters and row digits (when
// asked for), the discs the move under the pointer or the frame would turn (when asked
// for), and a focus frame for playing by keyboard. It draws over the board picture and the
// discs, never into them, and lets every click through to the squares below, so that the
// window looks and plays as before while all of it is off.
//
// In a theme other than the pictures', and while the discs of a move turn over, it draws
// the whole board itself from the discs last shown, above the square images: the game
// goes on beneath it as ever, and the turning only ever changes what is painted.
//
// Keys: the arrows move the focus frame, Enter or Space plays the framed square, and a
// column letter followed by a row digit ("f" "5") plays that square; each exactly as a
// click on the square would. The frame shows while the board has the keyboard focus.
//
// For screen readers the board is a table of 64 cells, 8 rows ("1" to "8") by 8 columns
// ("a" to "h"), each named by its square and what is on it.
class TBoardView : public QWidget {
    Q_OBJECT
public:
    explicit TBoardView(TForm1& form);

    TForm1& Form() const { return form_; }

    void SetShowLegalMoves(bool show);
    void SetShowCoordinates(bool show);
    void SetShowTurnable(bool show);
    void SetTheme(TTheme theme);
    void SetTurnDiscs(bool turn);
    void SetTurningSpeed(TTurningSpeed speed);
    TTheme Theme() const { return theme_.Theme(); }
    TDiscTurning& Turning() const { return *turning_; }
    // The board view paints the whole board, not only what lies over it.
    bool DrawsWholeBoard() const;
    // Marks the square of a hint; 0 takes the mark away.
    void SetHintSquare(int square);
    int HintSquare() const { return hintSquare_; }
    bool ShowsCoordinates() const { return showCoordinates_; }

    // The squares carrying a legal-move marker now, as a set of square bits (see MaskOf);
    // none while the human may not move or while the markers are off.
    uint64_t MarkedSquares() const;
    // The square the focus frame is on, and whether the frame is shown.
    int FocusSquare() const { return focusSquare_; }
    bool ShowsFocusFrame() const;
    // The square under the pointer; 0 while the pointer is off the board.
    int PointerSquare() const { return pointerSquare_; }
    // The discs marked as those the human's move would turn, as a set of square bits: the
    // move under the pointer or under the frame, whichever the player moved last.
    uint64_t TurnableDiscs() const;

    // The table's cells: cell index 8 * (row - 1) + (column - 1), column a = 1 .. h = 8,
    // row 1 (the top) .. 8.
    static constexpr int kCells = 64;
    static int SquareOfCell(int cell);
    static int CellOfSquare(int square);
    // What a cell says to a screen reader: "f5 黒", "e6 空き 打てます", "d4 白"; the square of
    // a hint adds "ヒント".
    QString SquareDescription(int square) const;
    // Where a square's disc is drawn, in the board's own coordinates of its design.
    QRect SquareRect(int square) const;
    // The same as the board view shows it now, at the window's zoom, in its own pixels.
    QRect SquareRectShown(int square) const;

    // Redraws after the game changed, and tells a screen reader which cells now say
    // something else.
    void Refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DrawWholeBoard(QPainter& painter) const;
    void DrawMarkers(QPainter& painter) const;
    void DrawTurnable(QPainter& painter) const;
    void DrawCoordinates(QPainter& painter) const;
    void DrawFocusFrame(QPainter& painter) const;
    void DrawHint(QPainter& painter) const;
    void MoveFocus(int key);
    void SetFocusSquare(int square);
    void SetPointerSquare(int square);
    void Play(int square);
    void AnnounceFocus();

    TForm1& form_;
    bool showLegalMoves_ = false;
    bool showCoordinates_ = false;
    bool showTurnable_ = false;
    bool turnDiscs_ = false;
    TBoardTheme theme_;
    TDiscTurning* turning_;
    TBitBoard shown_;  // the discs as the board last showed them
    int pointerSquare_ = 0;
    bool framedLast_ = false;  // the keys moved the frame after the pointer last moved
    int focusSquare_;
    int hintSquare_ = 0;
    char typedColumn_ = 0;                // a column letter typed and waiting for its row digit
    std::array<QString, kCells> spoken_;  // the cells' names as a screen reader last had them
};
