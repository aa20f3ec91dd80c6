// The game flow: starting a game, the computer seats' turns, the human's
// press, passes and the result. It reaches the window system only through
// Shell, so it runs and is tested without a window.
#ifndef QUADRIFLANK_GAME_TURN_CONTROLLER_H_
#define QUADRIFLANK_GAME_TURN_CONTROLLER_H_

#include <cstdint>
#include <string_view>

#include "game/app_state.h"
#include "game/seat_panels.h"
#include "game/shell.h"

namespace qf {

inline constexpr std::string_view kPassCaption = "リバーシ";
inline constexpr std::string_view kComputerPassSuffix =
    "は石を置ける場所が無いためパスとなります。";
inline constexpr std::string_view kHumanPassText =
    "あなたは石を置ける場所が無いためパスとなります。";

inline constexpr int32_t kCellPixels = 50;
inline constexpr int32_t kBlinkCount = 2;
inline constexpr int32_t kSetUpPauseMs = 500;
inline constexpr int32_t kHumanMovePauseMs = 500;
inline constexpr int32_t kBlinkPhaseMs = 300;
inline constexpr int32_t kOpeningMovePauseMs = 200;

class TurnController {
 public:
  // Installs the search hook on state.searcher that pumps through `shell`.
  TurnController(AppState& state, Shell& shell);
  // Takes the hook away again, so the searcher never calls into a shell
  // that may be gone.
  ~TurnController();
  TurnController(const TurnController&) = delete;
  TurnController& operator=(const TurnController&) = delete;

  // The menu command "始める".
  void StartGame();
  // A left button press in the main window's client area: x and y are the
  // low and high 16 bits of the press position, as the window system gives
  // them.
  void OnBoardClick(uint32_t wparam, uint16_t x, uint16_t y);
  // Shows the winners once the game is over; does nothing before.
  void ShowGameResult();

 private:
  // Runs the seats after the human's until the human can move again or the
  // game is over.
  void PlayCycles();
  // Search, blink and place one computer move, then show it.
  void PlayComputerMove(int32_t seat);
  void BlinkCell(int32_t seat, int32_t column, int32_t row);
  void CopyAndDrawBoard();
  void ShowPassMessage(std::string_view text);

  AppState& state_;
  Shell& shell_;
  SeatPanels panels_;
  // Set while StartGame or OnBoardClick runs, so that an event dispatched
  // from a pump or a modal box cannot start a second flow inside the first.
  bool busy_ = false;
  bool game_started_ = false;
};

}  // namespace qf

#endif  // QUADRIFLANK_GAME_TURN_CONTROLLER_H_
