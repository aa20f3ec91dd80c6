#include "ui/board_accessible.h"

#include <QPointer>
#include <QWindow>

#include "ui/board_painter.h"
#include "ui/board_view.h"

namespace qf {
namespace {

// One cell of the board. It has no object of its own: the board makes all
// 64 and reads everything from the board view when asked.
class CellAccessible : public QAccessibleInterface {
 public:
  CellAccessible(BoardView& view, int column, int row)
      : view_(&view), column_(column), row_(row) {}

  bool isValid() const override { return !view_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override {
    return view_ ? view_->window()->windowHandle() : nullptr;
  }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return view_ ? QAccessible::queryAccessibleInterface(view_.data())
                 : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text type) const override {
    if (type != QAccessible::Name || !view_) return {};
    return view_->CellName(column_, row_);
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!view_) return {};
    return QRect(
        view_->mapToGlobal(QPoint(column_ * kCellPixels, row_ * kCellPixels)),
        QSize(kCellPixels, kCellPixels));
  }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override {
    QAccessible::State state;
    state.focusable = true;
    if (!view_) return state;
    state.invisible = !view_->isVisible();
    state.focused =
        view_->hasFocus() && view_->Cursor() == QPoint(column_, row_);
    return state;
  }

 private:
  QPointer<BoardView> view_;
  int column_;
  int row_;
};

QAccessibleInterface* BoardAccessibleFactory(const QString&, QObject* object) {
  if (auto* view = dynamic_cast<BoardView*>(object)) {
    return new BoardAccessible(*view);
  }
  return nullptr;
}

}  // namespace

void InstallBoardAccessibleFactory() {
  // Qt keeps each factory once.
  QAccessible::installFactory(BoardAccessibleFactory);
}

BoardAccessible::BoardAccessible(BoardView& view)
    : QAccessibleWidget(&view, QAccessible::Table) {
  for (int row = 0; row < kBoardSize; ++row) {
    for (int column = 0; column < kBoardSize; ++column) {
      const int index = ReadingIndex(column, row);
      cell_ids_[index] = QAccessible::registerAccessibleInterface(
          new CellAccessible(view, column, row));
      told_names_[index] = view.CellName(column, row);
    }
  }
}

BoardAccessible::~BoardAccessible() {
  for (QAccessible::Id id : cell_ids_)
    QAccessible::deleteAccessibleInterface(id);
}

BoardView& BoardAccessible::view() const {
  return *static_cast<BoardView*>(widget());
}

void BoardAccessible::AnnounceChangedNames() {
  for (int index = 0; index < kCellCount; ++index) {
    const Coord cell = ReadingCoord(index);
    QString name = view().CellName(cell.column, cell.row);
    if (name == told_names_[index]) continue;
    told_names_[index] = std::move(name);
    QAccessibleEvent event(child(index), QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
  }
}

void BoardAccessible::AnnounceCursor() {
  const QPoint cursor = view().Cursor();
  QAccessibleEvent event(CellAt(cursor.x(), cursor.y()), QAccessible::Focus);
  QAccessible::updateAccessibility(&event);
}

QAccessibleInterface* BoardAccessible::child(int index) const {
  if (index < 0 || index >= kCellCount) return nullptr;
  return QAccessible::accessibleInterface(cell_ids_[index]);
}

int BoardAccessible::indexOfChild(const QAccessibleInterface* child) const {
  for (int index = 0; index < kCellCount; ++index) {
    if (QAccessible::accessibleInterface(cell_ids_[index]) == child) {
      return index;
    }
  }
  return -1;
}

QAccessibleInterface* BoardAccessible::childAt(int x, int y) const {
  const QPoint point = view().mapFromGlobal(QPoint(x, y));
  if (!view().rect().contains(point)) return nullptr;
  return CellAt(point.x() / kCellPixels, point.y() / kCellPixels);
}

QAccessibleInterface* BoardAccessible::focusChild() const {
  if (!view().hasFocus()) return nullptr;
  return CellAt(view().Cursor().x(), view().Cursor().y());
}

QAccessibleInterface* BoardAccessible::CellAt(int column, int row) const {
  if (row < 0 || row >= kBoardSize || column < 0 || column >= kBoardSize) {
    return nullptr;
  }
  return child(ReadingIndex(column, row));
}

}  // namespace qf
