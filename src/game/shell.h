// The one narrow interface through which the game flow reaches the window
// system. The Qt program implements it; tests use a recording fake.
#ifndef QUADRIFLANK_GAME_SHELL_H_
#define QUADRIFLANK_GAME_SHELL_H_

#include <cstdint>
#include <string_view>

namespace qf {

inline constexpr int32_t kCmdStart = 1014;
inline constexpr int32_t kCmdQuit = 1015;

class Shell {
 public:
  virtual ~Shell() = default;

  // Runs the named modal window over the main window and answers its
  // result; only "GameInit" exists, any other name answers 0 at once.
  virtual int32_t RunModalWindow(std::string_view name) = 0;
  // Draws the shown board now; visible before the call returns.
  virtual void DrawBoard() = 0;
  // Draws one cell now, with the seat's disc (0: empty).
  virtual void DrawCell(int32_t seat, int32_t column, int32_t row) = 0;
  // Pauses the thread; whatever was set on the controls is on the screen
  // first, and nothing is handled meanwhile.
  virtual void Pause(int32_t milliseconds) = 0;
  // Takes pending window events, dropping left presses on the board area.
  virtual void PumpOneMessage() = 0;
  // A modal information box owned by the main window, with an OK button.
  virtual void ShowInfoMessage(std::string_view text,
                               std::string_view caption) = 0;
  // Main-window controls, by id.
  virtual void SetControlText(int32_t id, std::string_view text) = 0;
  virtual void ShowControl(int32_t id, bool visible) = 0;
  // Greys or enables the menu item "始める".
  virtual void SetStartEnabled(bool enabled) = 0;
};

}  // namespace qf

#endif  // QUADRIFLANK_GAME_SHELL_H_
