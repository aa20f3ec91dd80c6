// The game object: it owns the game's position, order and players and plays
// them, from the start command through the computers' turns, the human's
// presses, passes and the result. It reaches the window only through Shell,
// so it runs and is tested without a window.
#ifndef QUADRIFLANK_GAME_TURN_CONTROLLER_H_
#define QUADRIFLANK_GAME_TURN_CONTROLLER_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ai/searcher.h"
#include "board/board.h"
#include "game/flow_task.h"
#include "game/shell.h"
#include "order/order_state.h"

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

class TurnController {
 public:
  explicit TurnController(Shell& shell);
  TurnController(const TurnController&) = delete;
  TurnController& operator=(const TurnController&) = delete;

  // The command "始める": draws the order and plays a new game. While the
  // order window is open or a game is on, it does nothing.
  void StartGame();
  // A press on a board cell. The rule for presses, in one place:
  //  - while the game waits for the human's move, a press on a legal cell
  //    is that move, and any other press is ignored;
  //  - while the game is busy with the computers' turns (a pause, a blink,
  //    a box), a press waits, in order with any others;
  //  - a computer's search drops every press that waits from before it;
  //  - when the human's turn comes, the waiting presses count in order:
  //    the first on a legal cell is the move;
  //  - with no game on, a press does nothing.
  // A search runs as one step that no input interrupts, so no press ever
  // arrives during one.
  void OnBoardPress(Coord cell);
  // Every participant's colour and disc count, and whose turn it is.
  std::string Standings() const;

 private:
  friend class TurnControllerPeer;  // tests set up positions through it

  // The whole game, from the drawn order to the result.
  FlowTask PlayGame();
  // The seats before the human's, from the start position.
  FlowTask PlayOpeningRun();
  // The seats after the human's until the human can move again or the
  // game is over.
  FlowTask PlayCycles();
  // Search, blink and place one computer move, then show it.
  FlowTask PlayComputerMove(int32_t seat);
  // The human's move: a waiting press on a legal cell, or the next one.
  Wait<Coord> HumanMove();
  Wait<> Pause(int32_t milliseconds);
  Wait<> ShowMessage(std::string_view text, std::string_view caption);
  // Shows the winners of the game that is over.
  FlowTask ShowGameResult();
  // Places the move and shows the new board; tells a computer's move.
  void PlaceAndShow(int32_t seat, int32_t column, int32_t row);

  Shell& shell_;
  Board board_;
  Searcher searcher_;
  // Who plays which seat in the game that runs or ran last.
  OrderState order_;
  int32_t human_seat_ = 0;
  // The seat whose turn it is; 0 once the game is over.
  int32_t seat_to_move_ = 0;
  FlowTask game_;
  // Set while the game waits for the human's move.
  std::optional<Reply<Coord>> human_move_;
  std::vector<Coord> waiting_presses_;
};

}  // namespace qf

#endif  // QUADRIFLANK_GAME_TURN_CONTROLLER_H_
