// Move-path enumeration, the standard check of a move generator.
#ifndef QUADRIFLANK_BOARD_PERFT_H_
#define QUADRIFLANK_BOARD_PERFT_H_

#include <cstdint>
#include <vector>

#include "board/board.h"

namespace qf {

// The two-seat standard opening: seat 2 on (3,3) and (4,4), seat 1 on (3,4)
// and (4,3), seat 1 to move.
void SetUpTwoSeatStart(Board& board);

// counts[d - 1] is the number of positions reached after exactly d placed
// discs, d = 1..depth. Seats move in order from `first_seat`; a seat without
// a move passes without using a ply; a position where no seat can move is
// one leaf at every greater depth. `board` is left as it was.
std::vector<uint64_t> Perft(Board& board, int32_t first_seat, int depth);

}  // namespace qf

#endif  // QUADRIFLANK_BOARD_PERFT_H_
