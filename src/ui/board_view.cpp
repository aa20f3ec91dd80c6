#include "ui/board_view.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>
#include <array>

#include "ui/board_accessible.h"
#include "ui/board_painter.h"

namespace qf {

BoardView::BoardView(const Cells& shown_board, QWidget* parent)
    : QWidget(parent), shown_board_(shown_board) {
  InstallBoardAccessibleFactory();
  setGeometry(0, 0, kBoardPixels, kBoardPixels);
  // Presses are the client area's, with client coordinates.
  setAttribute(Qt::WA_TransparentForMouseEvents);
  // Keys come here; a click leaves the focus where it is.
  setFocusPolicy(Qt::TabFocus);
  setAccessibleName(QStringLiteral("Board"));
}

bool BoardView::IsPressKey(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

void BoardView::DrawBoardNow() {
  repaint();
  AnnounceChangedCells();
}

void BoardView::DrawCellNow(int32_t seat, int32_t column, int32_t row) {
  cell_override_ = CellOverride{seat, column, row};
  repaint(column * kCellSidePixels, row * kCellSidePixels, kCellSidePixels,
          kCellSidePixels);
  cell_override_.reset();
}

BoardAccessible* BoardView::ActiveAccessible() {
  if (!QAccessible::isActive()) return nullptr;
  return dynamic_cast<BoardAccessible*>(
      QAccessible::queryAccessibleInterface(this));
}

void BoardView::AnnounceChangedCells() {
  if (BoardAccessible* table = ActiveAccessible()) {
    table->AnnounceChangedNames();
  }
}

void BoardView::HideCursor() {
  if (!cursor_shown_) return;
  cursor_shown_ = false;
  UpdateCursorCell();
}

QString BoardView::CellName(int32_t column, int32_t row) const {
  static constexpr std::array<const char*, 5> kContents = {
      "empty", "black", "white", "red", "yellow"};
  const int32_t value = shown_board_[CellIndex(column, row)];
  QString name = QStringLiteral("%1%2, %3")
                     .arg(QChar(u'a' + column))
                     .arg(row + 1)
                     .arg(kContents[value >= 1 && value <= 4 ? value : 0]);
  if (move_test_ && move_test_(column, row)) name += QStringLiteral(", legal");
  return name;
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
    default:
      break;
  }
  if (!IsPressKey(event->key())) return QWidget::keyPressEvent(event);
  MoveCursor(column, row);
  // A left press at the centre of the cell.
  if (on_key_press_) {
    on_key_press_(QPoint(column * kCellSidePixels + kCellSidePixels / 2,
                         row * kCellSidePixels + kCellSidePixels / 2));
  }
}

void BoardView::focusInEvent(QFocusEvent* event) {
  UpdateCursorCell();
  QWidget::focusInEvent(event);
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
  if (BoardAccessible* table = moved ? ActiveAccessible() : nullptr) {
    table->AnnounceCursor();
  }
}

void BoardView::UpdateCursorCell() {
  update(cursor_.x() * kCellSidePixels, cursor_.y() * kCellSidePixels,
         kCellSidePixels, kCellSidePixels);
}

}  // namespace qf
