// Placeholder: the search lands with the computer player.
#include "ai/searcher.h"

namespace qf {

void Searcher::ChooseMove(Board& board, int32_t seat, int32_t, int32_t* column,
                          int32_t* row) {
  *column = -1;
  *row = -1;
  for (int32_t c = 0; c < kBoardSize; ++c) {
    for (int32_t r = 0; r < kBoardSize; ++r) {
      if (board.IsLegalMove(seat, c, r)) {
        *column = c;
        *row = r;
      }
    }
  }
}

}  // namespace qf
