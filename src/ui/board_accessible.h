// The board view as assistive technology sees it: a table of 64 cells in
// reading order, child ReadingIndex(column, row) being the cell, each named
// like "d4, black" or "c5, empty, legal", the cursor's cell focused. It
// offers no row and column interface: a screen reader that finds one reads
// the cursor's whole row on every move up or down, instead of the cell.
// Qt's accessibility bridge carries it to the platform (AT-SPI on Linux).
#ifndef QUADRIFLANK_UI_BOARD_ACCESSIBLE_H_
#define QUADRIFLANK_UI_BOARD_ACCESSIBLE_H_

#include <QAccessibleInterface>
#include <QAccessibleWidget>
#include <QString>
#include <array>

#include "board/board.h"

namespace qf {

class BoardView;

// Lets Qt create a BoardAccessible for every BoardView; safe to call again.
void InstallBoardAccessibleFactory();

class BoardAccessible : public QAccessibleWidget {
 public:
  explicit BoardAccessible(BoardView& view);
  ~BoardAccessible() override;

  // A name change for every cell whose name is not the one last given.
  void AnnounceChangedNames();
  // The cursor's cell becomes the accessible focus.
  void AnnounceCursor();

  // QAccessibleInterface.
  int childCount() const override { return kCellCount; }
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;

 private:
  BoardView& view() const;
  QAccessibleInterface* CellAt(int column, int row) const;

  // By child index; registered with Qt, which hands out
  // their ids, and unregistered when the board goes.
  std::array<QAccessible::Id, kCellCount> cell_ids_{};
  std::array<QString, kCellCount> told_names_;
};

}  // namespace qf

#endif  // QUADRIFLANK_UI_BOARD_ACCESSIBLE_H_
