// Pixel-exact drawing of the board, one cell, and the order window's discs.
// Everything is filled rectangles and aliased ellipses, so what lands on the
// screen is exactly the geometry below, whatever the style or platform. Only
// the seat numbers that --numbered-discs adds are text, drawn aliased.
#ifndef QUADRIFLANK_UI_BOARD_PAINTER_H_
#define QUADRIFLANK_UI_BOARD_PAINTER_H_

#include <QColor>
#include <QPainter>
#include <cstdint>

#include "board/board.h"

namespace qf {

inline constexpr int kCellPixels = 50;
inline constexpr int kBoardPixels = kBoardSize * kCellPixels;
// A disc's box starts 3 pixels into its cell and is 43 pixels across.
inline constexpr int kDiscInset = 3;
inline constexpr int kDiscDiameter = 43;

// How the discs are drawn: plain, or each carrying its seat's number (1..4)
// in its centre, for players who tell the disc colours apart poorly.
enum class DiscMarks { kNone, kSeatNumbers };

// The fill of an empty cell.
QColor EmptyCellColor();
// The disc colour of seat 1..4.
QColor SeatColor(int32_t seat);

// All 64 cells and their discs from `shown_board`, column by column. The
// pixels x = 50a + 49 and y = 50b + 49 are left untouched.
void DrawBoard(QPainter& painter, const Cells& shown_board, DiscMarks marks);
// One cell's square, plus the seat's disc unless seat is 0.
void DrawCell(QPainter& painter, int32_t seat, int32_t column, int32_t row,
              DiscMarks marks);
// The keyboard cursor: a white ring, then a black one inside it, each two
// pixels wide, within the cell's outline, so it shows on green and on every
// disc colour.
void DrawCursor(QPainter& painter, int32_t column, int32_t row);
// The four seat-coloured discs of the order window, one under each position.
void PaintOrderDiscs(QPainter& painter, DiscMarks marks);

}  // namespace qf

#endif  // QUADRIFLANK_UI_BOARD_PAINTER_H_
