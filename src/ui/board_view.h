// The board in the main window's client area, drawn from the position it
// was last shown; the game flow can also draw one blinking cell at once.
// It also plays by keyboard: a cursor cell that the arrow keys move, L and
// Shift+L jump between the legal cells, and Enter, Return and Space press;
// S asks for the standings. To assistive technology it is a board of 64
// named cells, the cursor's cell focused.
#ifndef QUADRIFLANK_UI_BOARD_VIEW_H_
#define QUADRIFLANK_UI_BOARD_VIEW_H_

#include <QPoint>
#include <QString>
#include <QWidget>
#include <bitset>
#include <cstdint>
#include <optional>
#include <vector>

#include "board/board.h"
#include "ui/board_painter.h"

namespace qf {

class BoardAccessible;

class BoardView : public QWidget {
  Q_OBJECT

 public:
  static constexpr int32_t kStartCursorColumn = 3;
  static constexpr int32_t kStartCursorRow = 3;

  BoardView(DiscMarks disc_marks, QWidget* parent);

  // Draws `cells`, on the screen when this returns, with no cell legal, and
  // tells assistive technology which cells changed.
  void ShowPosition(const Cells& cells);
  // The human may take these cells now.
  void ShowLegalCells(const std::vector<Coord>& legal);
  // Shows one cell with the seat's disc (0: empty) until the next paint.
  void DrawCellNow(int32_t seat, int32_t column, int32_t row);
  // A mouse press: the cursor is not drawn again until the next key.
  void HideCursor();

  // The cursor cell as (column, row), and whether it is drawn.
  QPoint Cursor() const { return cursor_; }
  bool CursorDrawn() const { return cursor_shown_ && hasFocus(); }
  // "d4, black", "c5, empty, legal": the cell as assistive technology reads
  // it.
  QString CellName(int32_t column, int32_t row) const;

 signals:
  // A key pressed the cursor's cell.
  void cellPressed(qf::Coord cell);
  void standingsAsked();
  // L or Shift+L found no legal cell to jump to.
  void noLegalCell();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  struct CellOverride {
    int32_t seat;
    int32_t column;
    int32_t row;
  };

  // The board's accessible object while assistive technology listens, or
  // null.
  BoardAccessible* ActiveAccessible();
  void AnnounceChangedCells();
  // Moves the cursor (clamped to the board), shows it and announces it.
  void MoveCursor(int32_t column, int32_t row);
  // Moves the cursor to the next legal cell in reading order, or the
  // previous one, wrapping round.
  void JumpToLegalCell(bool backwards);
  void AnnounceCursor();
  void UpdateCursorCell();

  Cells cells_{};
  // By ReadingIndex.
  std::bitset<kCellCount> legal_;
  const DiscMarks disc_marks_;
  // Set only during the synchronous paint that DrawCellNow asks for.
  std::optional<CellOverride> cell_override_;
  QPoint cursor_{kStartCursorColumn, kStartCursorRow};
  bool cursor_shown_ = false;
};

}  // namespace qf

#endif  // QUADRIFLANK_UI_BOARD_VIEW_H_
