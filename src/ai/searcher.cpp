#include "ai/searcher.h"

#include <algorithm>

#include "ai/reference_search.h"

namespace qf {

void Searcher::ChooseMove(Board& board, int32_t seat, int32_t depth,
                          int32_t* column, int32_t* row) {
  *column = -1;
  *row = -1;
  if (!board.HasLegalMove(seat)) return;
  depth = std::clamp(depth, int32_t{1}, kMaxSearchDepth);
  const int32_t root_depth =
      board.MoveCount() < kDoubleDepthMoveCount ? depth : 2 * depth;
  int32_t seat_count = board.SeatCount();
  if (seat_count < 1 || seat_count > kMaxSeats) seat_count = kMaxSeats;

  int32_t cell;
  if (engine_ == Engine::kFast &&
      FastSearch::Supports(board, seat, seat_count)) {
    cell = fast_.Run(board, seat, root_depth, seat_count, hook_);
  } else {
    ReferenceSearch search(board, hook_, seat, root_depth, seat_count);
    cell =
        search.SearchNode(seat, true, root_depth, true, -kInfinity, kInfinity);
  }
  if (cell >= 0 && cell < kCellCount) {
    *column = ReadingCoord(cell).column;
    *row = ReadingCoord(cell).row;
  }
}

}  // namespace qf
