// The board in the main window's client area, drawn from the ShownBoard on
// every paint; the game flow can also draw it, or one blinking cell, at once.
// It also plays by keyboard: a cursor cell that the arrow keys move and that
// Enter, Return and Space press; S asks for the standings. To assistive
// technology it is a board of 64 named cells, the cursor's cell focused.
#ifndef QUADRIFLANK_UI_BOARD_VIEW_H_
#define QUADRIFLANK_UI_BOARD_VIEW_H_

#include <QPoint>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

#include "board/board.h"
#include "ui/board_painter.h"

namespace qf {

class BoardAccessible;

class BoardView : public QWidget {
 public:
  // Whether the human may place a disc on (column, row) right now.
  using MoveTest = std::function<bool(int32_t column, int32_t row)>;
  // A key pressed the cursor's cell.
  using CellPressHandler = std::function<void(Coord cell)>;

  static constexpr int32_t kStartCursorColumn = 3;
  static constexpr int32_t kStartCursorRow = 3;

  BoardView(const Cells& shown_board, DiscMarks disc_marks, QWidget* parent);

  // Both are on the screen when they return; DrawBoardNow also tells
  // assistive technology which cells changed.
  void DrawBoardNow();
  // Shows one cell with the seat's disc (0: empty) until the next paint.
  void DrawCellNow(int32_t seat, int32_t column, int32_t row);

  void SetMoveTest(MoveTest test) { move_test_ = std::move(test); }
  void SetCellPressHandler(CellPressHandler handler) {
    on_cell_press_ = std::move(handler);
  }
  void SetStandingsHandler(std::function<void()> handler) {
    on_standings_ = std::move(handler);
  }
  // Sends a name change for every cell whose name differs from the one
  // assistive technology was last given (the board or the turn changed).
  void AnnounceChangedCells();
  // A mouse press: the cursor is not drawn again until the next key.
  void HideCursor();

  // The cursor cell as (column, row), and whether it is drawn.
  QPoint Cursor() const { return cursor_; }
  bool CursorDrawn() const { return cursor_shown_ && hasFocus(); }
  // "d4, black", "c5, empty, legal": the cell as assistive technology reads
  // it, from the ShownBoard and the move test.
  QString CellName(int32_t column, int32_t row) const;

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
  // Moves the cursor (clamped to the board), shows it and announces it.
  void MoveCursor(int32_t column, int32_t row);
  void AnnounceCursor();
  void UpdateCursorCell();

  const Cells& shown_board_;
  const DiscMarks disc_marks_;
  // Set only during the synchronous paint that DrawCellNow asks for.
  std::optional<CellOverride> cell_override_;
  MoveTest move_test_;
  CellPressHandler on_cell_press_;
  std::function<void()> on_standings_;
  QPoint cursor_{kStartCursorColumn, kStartCursorRow};
  bool cursor_shown_ = false;
};

}  // namespace qf

#endif  // QUADRIFLANK_UI_BOARD_VIEW_H_
