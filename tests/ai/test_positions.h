// Random positions and a plain, unpruned minimax for the search tests. The
// model scores leaves from the leaf table of the evaluation with its own
// weight table and the board's own rules, so it shares no code with the
// engines.
#ifndef QUADRIFLANK_TESTS_AI_TEST_POSITIONS_H_
#define QUADRIFLANK_TESTS_AI_TEST_POSITIONS_H_

#include <cstdint>
#include <random>

#include "board/board.h"

namespace qf::testing_support {

// A position reached by random play from the start: `moves` placed discs
// (fewer if the game ends first), the seat to move in `seat` (one that can
// move, or 0 when the game is over).
Board RandomGamePosition(std::mt19937& random, int32_t moves, int32_t* seat);

// Cells filled at random with `filled` discs of random seats: positions
// where passes, double passes and seats without discs are common.
Board RandomScatter(std::mt19937& random, int filled, int32_t move_count);

// The cell the reference must choose, found by full minimax without
// pruning: column + 8 * row, or -1 when the seat has no move.
int32_t MinimaxChoice(const Board& board, int32_t seat, int32_t depth);

// The model's leaf score for `seat` to move, searched for
// `searching_seat`.
int32_t ModelLeafScore(const Board& board, int32_t seat,
                       int32_t searching_seat);

}  // namespace qf::testing_support

#endif  // QUADRIFLANK_TESTS_AI_TEST_POSITIONS_H_
