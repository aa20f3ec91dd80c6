#include "ui/board_view.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "game/spoken.h"
#include "ui/board_accessible.h"
#include "ui/board_painter.h"

namespace qf {
namespace {

// Enter, Return and Space: the keys that press a board cell.
bool IsPressKey(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

}  // namespace

BoardView::BoardView(DiscMarks disc_marks, QWidget* parent)
    : QWidget(parent), disc_marks_(disc_marks) {
  InstallBoardAccessibleFactory();
  setGeometry(0, 0, kBoardPixels, kBoardPixels);
  // Presses are the client area's, with client coordinates.
  setAttribute(Qt::WA_TransparentForMouseEvents);
  // Keys come here; a click leaves the focus where it is.
  setFocusPolicy(Qt::TabFocus);
  setAccessibleName(QStringLiteral("Board"));
}

void BoardView::ShowPosition(const Cells& cells) {
  cells_ = cells;
  legal_.reset();
  repaint();
  AnnounceChangedCells();
}

void BoardView::ShowLegalCells(const std::vector<Coord>& legal) {
  legal_.reset();
  for (const Coord cell : legal)
    legal_.set(ReadingIndex(cell.column, cell.row));
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
      std::string(ContentName(cells_[CellIndex(column, row)])));
  if (legal_.test(ReadingIndex(column, row))) name += QStringLiteral(", legal");
  return name;
}

void BoardView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // The paint may cover more than the blinking cell, so the rest always
  // comes from the shown position.
  DrawBoard(painter, cells_, disc_marks_);
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
    case Qt::Key_L:
      return JumpToLegalCell(event->modifiers() & Qt::ShiftModifier);
    case Qt::Key_S:
      emit standingsAsked();
      return;
    default:
      break;
  }
  if (!IsPressKey(event->key())) return QWidget::keyPressEvent(event);
  // Holding a key down is not pressing it again.
  if (event->isAutoRepeat()) return;
  MoveCursor(column, row);
  emit cellPressed({column, row});
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

void BoardView::JumpToLegalCell(bool backwards) {
  if (legal_.none()) {
    emit noLegalCell();
    return;
  }
  const int32_t step = backwards ? kCellCount - 1 : 1;
  int32_t index = ReadingIndex(cursor_.x(), cursor_.y());
  do {
    index = (index + step) % kCellCount;
  } while (!legal_.test(index));
  const Coord cell = ReadingCoord(index);
  const bool moved = QPoint(cell.column, cell.row) != cursor_;
  MoveCursor(cell.column, cell.row);
  // The only legal cell, already under the cursor, is still said.
  if (!moved) AnnounceCursor();
}

void BoardView::UpdateCursorCell() {
  update(cursor_.x() * kCellPixels, cursor_.y() * kCellPixels, kCellPixels,
         kCellPixels);
}

}  // namespace qf
