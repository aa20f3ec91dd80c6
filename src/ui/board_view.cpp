#include "ui/board_view.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "game/spoken.h"
#include "ui/board_accessible.h"
#include "ui/board_painter.h"
#include "ui/input_gate.h"

namespace qf {

BoardView::BoardView(const Cells& shown_board, DiscMarks disc_marks,
                     QWidget* parent)
    : QWidget(parent), shown_board_(shown_board), disc_marks_(disc_marks) {
  InstallBoardAccessibleFactory();
  setGeometry(0, 0, kBoardPixels, kBoardPixels);
  // Presses are the client area's, with client coordinates.
  setAttribute(Qt::WA_TransparentForMouseEvents);
  // Keys come here; a click leaves the focus where it is.
  setFocusPolicy(Qt::TabFocus);
  setAccessibleName(QStringLiteral("Board"));
}

void BoardView::DrawBoardNow() {
  repaint();
  AnnounceChangedCells();
}

void BoardView::DrawCellNow(int32_t seat, int32_t column, int32_t row) {
  cell_override_ = CellOverride{seat, column, row};
  repaint(column * kCellPixels, row * kCellPixels, kCellPixels, kCellPixels);
  cell_override_.reset();
}

BoardAccessible* BoardView::ActiveAccessible() {
  if (!QAccessible::isActive()) return nullptr;
  return dynamic_cast<BoardAccessible*>(
      QAccessible::queryAccessibleInterface(this));
}

void BoardView::AnnounceChangedCells() {
  if (BoardAccessible* board = ActiveAccessible()) {
    board->AnnounceChangedNames();
  }
}

void BoardView::AnnounceCursor() {
  if (BoardAccessible* board = hasFocus() ? ActiveAccessible() : nullptr) {
    board->AnnounceCursor();
  }
}

void BoardView::HideCursor() {
  if (!cursor_shown_) return;
  cursor_shown_ = false;
  UpdateCursorCell();
}

QString BoardView::CellName(int32_t column, int32_t row) const {
  QString name = QString::fromStdString(
      CellLabel(column, row) + ", " +
      std::string(ContentName(shown_board_[CellIndex(column, row)])));
  if (move_test_ && move_test_(column, row)) name += QStringLiteral(", legal");
  return name;
}

void BoardView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // The paint may cover more than the blinking cell, so the rest always
  // comes from the ShownBoard.
  DrawBoard(painter, shown_board_, disc_marks_);
  if (cell_override_) {
    DrawCell(painter, cell_override_->seat, cell_override_->column,
             cell_override_->row, disc_marks_);
  }
  if (CursorDrawn()) DrawCursor(painter, cursor_.x(), cursor_.y());
}

void BoardView::keyPressEvent(QKeyEvent* event) {
  const int32_t column = cursor_.x();
  const int32_t row = cursor_.y();
  switch (event->key()) {
    case Qt::Key_Left:
      return MoveCursor(column - 1, row);
    case Qt::Key_Right:
      return MoveCursor(column + 1, row);
    case Qt::Key_Up:
      return MoveCursor(column, row - 1);
    case Qt::Key_Down:
      return MoveCursor(column, row + 1);
    case Qt::Key_Home:
      return MoveCursor(0, row);
    case Qt::Key_End:
      return MoveCursor(kBoardSize - 1, row);
    case Qt::Key_S:
      if (on_standings_) on_standings_();
      return;
    default:
      break;
  }
  if (!InputGate::IsPressKey(event->key()))
    return QWidget::keyPressEvent(event);
  MoveCursor(column, row);
  if (on_cell_press_) on_cell_press_({column, row});
}

void BoardView::focusInEvent(QFocusEvent* event) {
  UpdateCursorCell();
  QWidget::focusInEvent(event);
  // The board itself is announced as focused once this returns; the cell
  // under the cursor follows, so that it is what a screen reader speaks.
  QTimer::singleShot(0, this, [this] { AnnounceCursor(); });
}

void BoardView::focusOutEvent(QFocusEvent* event) {
  UpdateCursorCell();
  QWidget::focusOutEvent(event);
}

void BoardView::MoveCursor(int32_t column, int32_t row) {
  const QPoint target(std::clamp(column, 0, kBoardSize - 1),
                      std::clamp(row, 0, kBoardSize - 1));
  const bool moved = target != cursor_;
  UpdateCursorCell();
  cursor_ = target;
  cursor_shown_ = true;
  UpdateCursorCell();
  if (moved) AnnounceCursor();
}

void BoardView::UpdateCursorCell() {
  update(cursor_.x() * kCellPixels, cursor_.y() * kCellPixels, kCellPixels,
         kCellPixels);
}

}  // namespace qf
