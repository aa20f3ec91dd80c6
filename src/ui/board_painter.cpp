#include "ui/board_painter.h"

#include <QPen>
#include <QRect>

namespace qf {
namespace {

// An outlined ellipse covering exactly the pixels of `box` (width and
// height counted in pixels): a 1-pixel black outline and the fill colour.
void DrawDisc(QPainter& painter, const QRect& box, const QColor& fill) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  QPen pen(Qt::black);
  pen.setWidth(0);  // cosmetic: exactly one pixel
  painter.setPen(pen);
  painter.setBrush(fill);
  // A stroked shape covers its rectangle plus one pixel to the right and
  // below, so the rectangle is one pixel smaller than the covered box.
  painter.drawEllipse(box.adjusted(0, 0, -1, -1));
  painter.restore();
}

void DrawSquare(QPainter& painter, int32_t column, int32_t row) {
  const int x = column * kCellPixels;
  const int y = row * kCellPixels;
  // Outline on x, x + 48, y and y + 48; the 49th column and row stay as the
  // background left them.
  painter.fillRect(QRect(x, y, kCellPixels - 1, kCellPixels - 1), Qt::black);
  painter.fillRect(QRect(x + 1, y + 1, kCellPixels - 3, kCellPixels - 3),
                   EmptyCellColor());
}

void DrawCellDisc(QPainter& painter, int32_t seat, int32_t column,
                  int32_t row) {
  DrawDisc(painter,
           QRect(column * kCellPixels + kDiscInset,
                 row * kCellPixels + kDiscInset, kDiscDiameter, kDiscDiameter),
           SeatColor(seat));
}

// A frame `width` pixels wide along the inside of `box`.
void FillFrame(QPainter& painter, const QRect& box, int width,
               const QColor& color) {
  painter.fillRect(QRect(box.left(), box.top(), box.width(), width), color);
  painter.fillRect(
      QRect(box.left(), box.bottom() - width + 1, box.width(), width), color);
  painter.fillRect(QRect(box.left(), box.top(), width, box.height()), color);
  painter.fillRect(
      QRect(box.right() - width + 1, box.top(), width, box.height()), color);
}

}  // namespace

QColor EmptyCellColor() { return QColor(0, 128, 0); }

QColor SeatColor(int32_t seat) {
  switch (seat) {
    case 1:
      return QColor(0, 0, 0);
    case 2:
      return QColor(255, 255, 255);
    case 3:
      return QColor(255, 0, 0);
    case 4:
      return QColor(255, 255, 0);
    default:
      return EmptyCellColor();
  }
}

void DrawBoard(QPainter& painter, const Cells& shown_board) {
  for (int32_t a = 0; a < kBoardSize; ++a) {
    for (int32_t b = 0; b < kBoardSize; ++b) {
      DrawSquare(painter, a, b);
      const int32_t v = shown_board[CellIndex(a, b)];
      if (v != 0) DrawCellDisc(painter, v, a, b);
    }
  }
}

void DrawCell(QPainter& painter, int32_t seat, int32_t column, int32_t row) {
  DrawSquare(painter, column, row);
  if (seat != 0) DrawCellDisc(painter, seat, column, row);
}

void DrawCursor(QPainter& painter, int32_t column, int32_t row) {
  // Inside the outline on x + 0 and x + 48.
  const QRect inside(column * kCellPixels + 1, row * kCellPixels + 1,
                     kCellPixels - 3, kCellPixels - 3);
  FillFrame(painter, inside, 2, Qt::white);
  FillFrame(painter, inside.adjusted(2, 2, -2, -2), 2, Qt::black);
}

void PaintOrderDiscs(QPainter& painter) {
  for (int i = 0; i < 4; ++i) {
    DrawDisc(painter, QRect(70 + 61 * i, 50, 50, 50), SeatColor(i + 1));
  }
}

}  // namespace qf
