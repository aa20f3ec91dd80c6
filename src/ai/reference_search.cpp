#include "ai/reference_search.h"

#include <bit>

#include "ai/bitboard.h"
#include "ai/evaluation.h"

namespace qf {

int32_t ReferenceSearch::SearchNode(int32_t seat, bool maximising,
                                    int32_t depth, bool previous_moved,
                                    int32_t alpha, int32_t beta) {
  hook_();
  if (depth == 0) return Evaluate(board_, seat, searching_seat_);
  if (maximising) {
    alpha = -kInfinity;
  } else {
    beta = kInfinity;
  }
  const int32_t next_seat = seat % seat_count_ + 1;
  int32_t best = 0;  // cell (0, 0)
  bool has_move = false;

  // The legal cells, found for the whole node at once: every child undoes
  // its move before the next cell is tested, so each cell is tested on the
  // node's own position and the answers are those of IsLegalMove.
  const Cells& cells = board_.cells();
  const uint64_t occupied = bits::OccupiedSet(cells);
  uint64_t legal =
      bits::LegalMoves(bits::SeatSet(cells, seat) & occupied, occupied);
  for (; legal != 0; legal &= legal - 1) {
    const int index = std::countr_zero(legal);  // ascending = scan order
    const int32_t column = index / kBoardSize;
    const int32_t row = index % kBoardSize;
    has_move = true;
    MoveRecord record;
    Board::InitMoveRecord(record, column, row);
    board_.TurnFlankedDiscs(seat, record);
    board_.SetCell(seat, column, row);
    const int32_t score =
        SearchNode(next_seat, !maximising, depth - 1, true, alpha, beta);
    board_.UndoMove(record);
    if (maximising) {
      if (score >= alpha) {
        alpha = score;
        best = ReadingIndex(column, row);
      }
      if (alpha > beta) return alpha;
    } else {
      if (score <= beta) {
        beta = score;
        best = ReadingIndex(column, row);
      }
      if (alpha > beta) return beta;
    }
  }
  if (has_move) {
    if (depth == root_depth_) return best;
    return maximising ? alpha : beta;
  }
  // A pass costs a ply; a second pass in a row ends the line here.
  if (previous_moved) {
    return SearchNode(next_seat, !maximising, depth - 1, false, alpha, beta);
  }
  return Evaluate(board_, seat, searching_seat_);
}

}  // namespace qf
