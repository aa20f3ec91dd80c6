#include "ui/board_view.h"

#include <QPainter>

#include "ui/board_painter.h"

namespace qf {

BoardView::BoardView(const Cells& shown_board, QWidget* parent)
    : QWidget(parent), shown_board_(shown_board) {
  setGeometry(0, 0, kBoardPixels, kBoardPixels);
  // Presses are the client area's, with client coordinates.
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BoardView::DrawBoardNow() { repaint(); }

void BoardView::DrawCellNow(int32_t seat, int32_t column, int32_t row) {
  cell_override_ = CellOverride{seat, column, row};
  repaint(column * kCellSidePixels, row * kCellSidePixels, kCellSidePixels,
          kCellSidePixels);
  cell_override_.reset();
}

void BoardView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // The paint may cover more than the blinking cell, so the rest always
  // comes from the ShownBoard.
  DrawBoard(painter, shown_board_);
  if (cell_override_) {
    DrawCell(painter, cell_override_->seat, cell_override_->column,
             cell_override_->row);
  }
}

}  // namespace qf
