// The eight discs every game starts from, in the order they are laid.
#ifndef QUADRIFLANK_BOARD_START_POSITION_H_
#define QUADRIFLANK_BOARD_START_POSITION_H_

#include <array>

#include "board/board.h"

namespace qf {

struct StartDisc {
  int32_t seat;
  int32_t column;
  int32_t row;
};

inline constexpr std::array<StartDisc, 8> kStartDiscs = {{{1, 1, 3},
                                                          {1, 2, 3},
                                                          {2, 1, 4},
                                                          {2, 2, 4},
                                                          {3, 5, 3},
                                                          {3, 6, 3},
                                                          {4, 5, 4},
                                                          {4, 6, 4}}};

// ClearBoard(4) and the start discs, as a new game begins.
inline void SetUpNewGame(Board& board) {
  board.ClearBoard(4);
  for (const StartDisc& disc : kStartDiscs) {
    board.SetCell(disc.seat, disc.column, disc.row);
  }
}

}  // namespace qf

#endif  // QUADRIFLANK_BOARD_START_POSITION_H_
