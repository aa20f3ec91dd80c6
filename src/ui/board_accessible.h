// The board view as assistive technology sees it: a table of 8 rows and 8
// columns whose cell at row r, column c is the board's cell (c, r), named
// like "d4, black" or "c5, empty, legal". Qt's accessibility bridge carries
// it to the platform (AT-SPI on Linux).
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

class BoardAccessible : public QAccessibleWidget,
                        public QAccessibleTableInterface {
 public:
  explicit BoardAccessible(BoardView& view);
  ~BoardAccessible() override;

  // A name change for every cell whose name is not the one last given.
  void AnnounceChangedNames();
  // The cursor's cell becomes the accessible focus.
  void AnnounceCursor();

  // QAccessibleInterface.
  void* interface_cast(QAccessible::InterfaceType type) override;
  int childCount() const override { return kCellCount; }
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;

  // QAccessibleTableInterface.
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override;
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString columnDescription(int column) const override;
  QString rowDescription(int row) const override;
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return kBoardSize; }
  int rowCount() const override { return kBoardSize; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  BoardView& view() const;

  // By child index, row * 8 + column; registered with Qt, which hands out
  // their ids, and unregistered when the table goes.
  std::array<QAccessible::Id, kCellCount> cell_ids_{};
  std::array<QString, kCellCount> told_names_;
};

}  // namespace qf

#endif  // QUADRIFLANK_UI_BOARD_ACCESSIBLE_H_
