// All game state of the program, owned in one place so that tests can make
// fresh instances; the program holds exactly one.
#ifndef QUADRIFLANK_GAME_APP_STATE_H_
#define QUADRIFLANK_GAME_APP_STATE_H_

#include <cstdint>

#include "ai/searcher.h"
#include "board/board.h"
#include "order/order_state.h"
#include "order/random_source.h"

namespace qf {

struct AppState {
  // The game's position; the search also tries moves on it while it thinks.
  Board board;
  // The position after the last placed move: all the board view draws.
  Cells shown_board{};
  // The human's seat in the game that runs or ran last.
  int32_t current_seat = 0;
  // The order roulette's source of chance.
  RandomSource random;
  // Who plays which seat, as the order window drew it last.
  OrderState order;
  // The computer players' move choice.
  Searcher searcher;
};

}  // namespace qf

#endif  // QUADRIFLANK_GAME_APP_STATE_H_
