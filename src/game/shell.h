// The one narrow interface through which the game flow reaches the window,
// in the game's own terms: what to show, and what happened. The Qt program
// implements it; the game tests record it.
#ifndef QUADRIFLANK_GAME_SHELL_H_
#define QUADRIFLANK_GAME_SHELL_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qf {

// What one seat's panel shows for a whole game.
struct SeatPanelTexts {
  std::string title;        // colour label and participant, "黒 - COM2"
  std::string_view status;  // "Your Turn" or "Thinking..."
};

class Shell {
 public:
  virtual ~Shell() = default;

  // Runs the order window over the main window: true once the match is
  // started with the order drawn, false when the window was closed.
  virtual bool RunOrderWindow() = 0;
  // Enables or greys the start command "始める".
  virtual void EnableStartCommand(bool enabled) = 0;
  // A new game's panels, seats 1..4: titles and status texts set, frames
  // shown, counts of 2 shown; the status lines keep their visibility.
  virtual void SetUpSeatPanels(const std::array<SeatPanelTexts, 4>& panels) = 0;
  // The seat's disc count, or that it lost every disc when `count` is 0.
  virtual void ShowDiscCount(int32_t seat, int32_t count) = 0;
  // Shows or hides the seat's status line.
  virtual void ShowStatusLine(int32_t seat, bool visible) = 0;
  // Draws the shown board; it is on the screen when the call returns.
  virtual void DrawBoard() = 0;
  // Draws one cell with the seat's disc (0: empty) until the next drawing of
  // the board: a blink.
  virtual void DrawCell(int32_t seat, int32_t column, int32_t row) = 0;
  // Waits; what was set before is on the screen, and the player's input
  // waits until the pause is over.
  virtual void Pause(int32_t milliseconds) = 0;
  // Called on every search node: keeps the window alive while a computer
  // seat thinks, without letting a press reach the game.
  virtual void Pump() = 0;
  // A modal information box over the main window; returns once it is
  // closed.
  virtual void ShowMessage(std::string_view text, std::string_view caption) = 0;

  // What happened, for the player who follows the game by ear.
  // A seat placed a disc on (column, row) and turned `turned` discs.
  virtual void SeatMoved(int32_t seat, int32_t column, int32_t row,
                         int32_t turned) = 0;
  // A move took the seat's last disc.
  virtual void SeatDisqualified(int32_t seat) = 0;
  // The human may place a disc now.
  virtual void HumanToMove() = 0;
};

}  // namespace qf

#endif  // QUADRIFLANK_GAME_SHELL_H_
