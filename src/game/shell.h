// The one narrow interface through which the game flow reaches the window,
// in the game's own terms: what to show, what to wait for, and what
// happened. The Qt program implements it; the game tests record it.
#ifndef QUADRIFLANK_GAME_SHELL_H_
#define QUADRIFLANK_GAME_SHELL_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/board.h"
#include "game/flow_task.h"
#include "order/order_state.h"

namespace qf {

// What one seat's panel shows at the start of a game.
struct SeatPanelTexts {
  std::string title;        // colour label and participant, "黒 - COM2"
  std::string_view status;  // "Your Turn" or "Thinking..."
  int32_t count = 0;        // the seat's discs in the start position
};

class Shell {
 public:
  virtual ~Shell() = default;

  // Waits. Each ends through its Reply, once what it waits for is over;
  // meanwhile the window goes on answering the player.
  //
  // The order window over the main window: replies with the drawn order
  // once the match is started, or none when the window was closed.
  virtual void OpenOrderWindow(Reply<std::optional<OrderState>> reply) = 0;
  // A pause of the game's pace; what was set before is on the screen.
  virtual void Pause(int32_t milliseconds, Reply<> reply) = 0;
  // A modal information box over the main window, until it is closed.
  virtual void ShowMessage(std::string_view text, std::string_view caption,
                           Reply<> reply) = 0;

  // Enables or greys the start command "始める".
  virtual void EnableStartCommand(bool enabled) = 0;
  // A new game's panels, seats 1..4: titles, status texts and counts set,
  // frames and counts shown; the status lines keep their visibility.
  virtual void SetUpSeatPanels(const std::array<SeatPanelTexts, 4>& panels) = 0;
  // The seat's disc count, or that it lost every disc when `count` is 0.
  virtual void ShowDiscCount(int32_t seat, int32_t count) = 0;
  // Shows or hides the seat's status line.
  virtual void ShowStatusLine(int32_t seat, bool visible) = 0;
  // Draws the position; it is on the screen when the call returns. No cell
  // of a new position is the human's to take until HumanToMove says so.
  virtual void DrawBoard(const Cells& cells) = 0;
  // Draws one cell with the seat's disc (0: empty) until the next drawing of
  // the board: a blink.
  virtual void DrawCell(int32_t seat, int32_t column, int32_t row) = 0;

  // What happened, for the player who follows the game by ear.
  // A computer seat placed a disc; `told` says so: "COM2 e6".
  virtual void ComputerMoved(int32_t seat, int32_t column, int32_t row,
                             std::string_view told) = 0;
  // A move took the seat's last disc; `told` says so: "COM3 disqualified".
  virtual void SeatDisqualified(int32_t seat, std::string_view told) = 0;
  // The human may place a disc now, on one of `legal`.
  virtual void HumanToMove(const std::vector<Coord>& legal) = 0;
};

}  // namespace qf

#endif  // QUADRIFLANK_GAME_SHELL_H_
