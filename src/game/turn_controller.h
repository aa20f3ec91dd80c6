// The game flow: starting a game, the computer seats' turns, the human's
// press, passes and the result. It reaches the window system only through
// Shell, so it runs and is tested without a window.
#ifndef QUADRIFLANK_GAME_TURN_CONTROLLER_H_
#define QUADRIFLANK_GAME_TURN_CONTROLLER_H_

#include <cstdint>

#include "game/app_state.h"
#include "game/shell.h"

namespace qf {

class TurnController {
 public:
  // Installs the search hook on state.searcher that pumps through `shell`.
  TurnController(AppState& state, Shell& shell);

  // The menu command "始める".
  void StartGame();
  // A left button press in the main window's client area: x and y are the
  // low and high 16 bits of the press position, as the window system gives
  // them.
  void OnBoardClick(uint32_t wparam, uint16_t x, uint16_t y);
  // Shows the winners once the game is over; does nothing before.
  void ShowGameResult();

 private:
  AppState& state_;
  Shell& shell_;
};

}  // namespace qf

#endif  // QUADRIFLANK_GAME_TURN_CONTROLLER_H_
