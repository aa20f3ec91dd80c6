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
  Board board;               // the position, also the search's scratch board
  Cells shown_board{};       // ShownBoard: the only thing the view draws
  int32_t current_seat = 0;  // CurrentSeat: the human's seat
  RandomSource random;       // RandomState starts at 1
  OrderState order;
  Searcher searcher;
};

}  // namespace qf

#endif  // QUADRIFLANK_GAME_APP_STATE_H_
