#include "board/perft.h"

namespace qf {
namespace {

int32_t NextSeat(int32_t seat, int32_t seat_count) {
  return seat % seat_count + 1;
}

void Walk(Board& board, int32_t seat, int placed, int depth,
          std::vector<uint64_t>& counts) {
  if (placed > 0) ++counts[placed - 1];
  if (placed == depth) return;
  const int32_t seat_count = board.SeatCount();
  int32_t mover = seat;
  for (int tries = 0; tries < seat_count && !board.HasLegalMove(mover);
       ++tries) {
    mover = NextSeat(mover, seat_count);
  }
  if (!board.HasLegalMove(mover)) {
    for (int d = placed + 1; d <= depth; ++d) ++counts[d - 1];
    return;
  }
  for (int32_t column = 0; column < kBoardSize; ++column) {
    for (int32_t row = 0; row < kBoardSize; ++row) {
      if (!board.IsLegalMove(mover, column, row)) continue;
      MoveRecord record;
      Board::InitMoveRecord(record, column, row);
      board.TurnFlankedDiscs(mover, record);
      board.SetCell(mover, column, row);
      Walk(board, NextSeat(mover, seat_count), placed + 1, depth, counts);
      board.UndoMove(record);
    }
  }
}

}  // namespace

void SetUpTwoSeatStart(Board& board) {
  board.ClearBoard(2);
  board.SetCell(2, 3, 3);
  board.SetCell(2, 4, 4);
  board.SetCell(1, 3, 4);
  board.SetCell(1, 4, 3);
}

std::vector<uint64_t> Perft(Board& board, int32_t first_seat, int depth) {
  std::vector<uint64_t> counts(depth > 0 ? depth : 0, 0);
  if (depth > 0) Walk(board, first_seat, 0, depth, counts);
  return counts;
}

}  // namespace qf
