// The board in the main window's client area, drawn from the ShownBoard on
// every paint; the game flow can also draw it, or one blinking cell, at once.
#ifndef QUADRIFLANK_UI_BOARD_VIEW_H_
#define QUADRIFLANK_UI_BOARD_VIEW_H_

#include <QWidget>
#include <cstdint>
#include <optional>

#include "board/board.h"

namespace qf {

class BoardView : public QWidget {
 public:
  BoardView(const Cells& shown_board, QWidget* parent);

  // Both are on the screen when they return.
  void DrawBoardNow();
  // Shows one cell with the seat's disc (0: empty) until the next paint.
  void DrawCellNow(int32_t seat, int32_t column, int32_t row);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct CellOverride {
    int32_t seat;
    int32_t column;
    int32_t row;
  };

  const Cells& shown_board_;
  // Set only during the synchronous paint that DrawCellNow asks for.
  std::optional<CellOverride> cell_override_;
};

}  // namespace qf

#endif  // QUADRIFLANK_UI_BOARD_VIEW_H_
