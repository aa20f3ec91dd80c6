#include "ai/evaluation.h"

#include <bit>

#include "ai/bitboard.h"

namespace qf {

int32_t PositionTerm(const Board& board, int32_t seat) {
  // Own cells -w, all others +w, and the weights sum to 20.
  return 20 - 2 * WeightSum(bits::SeatSet(board.cells(), seat));
}

int32_t CountLegalMoves(const Board& board, int32_t seat) {
  const Cells& cells = board.cells();
  const uint64_t occupied = bits::OccupiedSet(cells);
  // Seat 0 names empty cells, which never close a run.
  const uint64_t own = bits::SeatSet(cells, seat) & occupied;
  return std::popcount(bits::LegalMoves(own, occupied));
}

int32_t MobilityTerm(const Board& board, int32_t seat, int32_t searching_seat) {
  if (seat != searching_seat) return 0;
  return 3 * CountLegalMoves(board, seat);
}

int32_t DiscTerm(const Board& board, int32_t seat) {
  return 64 - 2 * board.CountDiscs(seat);
}

int32_t Evaluate(const Board& board, int32_t seat, int32_t searching_seat) {
  const int32_t base = board.MoveCount() < kDiscPhaseMoveCount
                           ? PositionTerm(board, seat) +
                                 MobilityTerm(board, seat, searching_seat)
                           : DiscTerm(board, seat);
  return seat == searching_seat ? base : -base;
}

}  // namespace qf
