// The game flow: starting a game, the computer seats' turns, the human's
// press, passes and the result. It reaches the window only through Shell,
// so it runs and is tested without a window.
#ifndef QUADRIFLANK_GAME_TURN_CONTROLLER_H_
#define QUADRIFLANK_GAME_TURN_CONTROLLER_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "board/board.h"
#include "game/app_state.h"
#include "game/shell.h"

namespace qf {

inline constexpr std::string_view kPassCaption = "リバーシ";
inline constexpr std::string_view kComputerPassSuffix =
    "は石を置ける場所が無いためパスとなります。";
inline constexpr std::string_view kHumanPassText =
    "あなたは石を置ける場所が無いためパスとなります。";

inline constexpr int32_t kBlinkCount = 2;
inline constexpr int32_t kSetUpPauseMs = 500;
inline constexpr int32_t kHumanMovePauseMs = 500;
inline constexpr int32_t kBlinkPhaseMs = 300;
inline constexpr int32_t kOpeningMovePauseMs = 200;

// A press on the main window's client area: the board cell under it, if
// any, and whether the left button made it (a key on the board presses as
// the left button does).
struct BoardPress {
  std::optional<Coord> cell;
  bool left_button = true;
};

class TurnController {
 public:
  // Installs the search hook on state.searcher that pumps through `shell`.
  TurnController(AppState& state, Shell& shell);
  // Takes the hook away again, so the searcher never calls into a shell
  // that may be gone.
  ~TurnController();
  TurnController(const TurnController&) = delete;
  TurnController& operator=(const TurnController&) = delete;

  // The command "始める". The shell keeps it from arriving while the flow
  // runs; while a game is on it does nothing.
  void StartGame();
  // A press on the client area. The shell keeps presses from arriving while
  // the flow runs; the human's move is a left press on a legal cell while
  // the game is on.
  void OnBoardPress(const BoardPress& press);
  // Shows the winners once the game is over; does nothing before.
  void ShowGameResult();

  // Whether (column, row) is a legal cell for the human in the game that
  // runs; the shell adds whether the flow is waiting for the press.
  bool IsHumanMove(int32_t column, int32_t row) const;
  // Every participant's colour and disc count, and whose turn it is.
  std::string Standings() const;

 private:
  // Runs the seats after the human's until the human can move again or the
  // game is over.
  void PlayCycles();
  // Search, blink and place one computer move, then show it.
  void PlayComputerMove(int32_t seat);
  void BlinkCell(int32_t seat, int32_t column, int32_t row);
  // Places the move, shows the new board and tells the shell what happened.
  void PlaceAndShow(int32_t seat, int32_t column, int32_t row);
  void ShowPassMessage(std::string_view text);

  AppState& state_;
  Shell& shell_;
  // The running game's order, kept apart from the order window's draws.
  OrderState game_order_;
  bool game_started_ = false;
  // The seat whose turn it is; 0 once the game is over.
  int32_t seat_to_move_ = 0;
};

}  // namespace qf

#endif  // QUADRIFLANK_GAME_TURN_CONTROLLER_H_
