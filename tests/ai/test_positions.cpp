#include "test_positions.h"

#include <algorithm>

#include "board/start_position.h"

namespace qf::testing_support {
namespace {

// The weights as printed, rows 0..7 down, columns 0..7 across.
constexpr int32_t kPrintedWeights[8][8] = {
    {45, -11, 4, -1, -1, 4, -11, 45},     {-11, -16, -1, -3, -3, -1, -16, -11},
    {4, -1, 2, -1, -1, 2, -1, 4},         {-1, -3, -1, 0, 0, -1, -3, -1},
    {-1, -3, -1, 0, 0, -1, -3, -1},       {4, -1, 2, -1, -1, 2, -1, 4},
    {-11, -16, -1, -3, -3, -1, -16, -11}, {45, -11, 4, -1, -1, 4, -11, 45}};

int32_t OwnWeights(const Board& board, int32_t seat) {
  int32_t sum = 0;
  for (int32_t c = 0; c < 8; ++c) {
    for (int32_t r = 0; r < 8; ++r) {
      if (board.Cell(c, r) == seat) sum += kPrintedWeights[r][c];
    }
  }
  return sum;
}

int32_t LegalCount(const Board& board, int32_t seat) {
  int32_t count = 0;
  for (int32_t c = 0; c < 8; ++c) {
    for (int32_t r = 0; r < 8; ++r) count += board.IsLegalMove(seat, c, r);
  }
  return count;
}

Board Played(const Board& board, int32_t seat, int32_t column, int32_t row) {
  Board next = board;
  MoveRecord record;
  Board::InitMoveRecord(record, column, row);
  next.TurnFlankedDiscs(seat, record);
  next.SetCell(seat, column, row);
  return next;
}

struct Model {
  int32_t searching_seat;

  int32_t Value(const Board& board, int32_t seat, bool maximising,
                int32_t depth, bool previous_moved) const {
    if (depth == 0) return ModelLeafScore(board, seat, searching_seat);
    const int32_t next = seat % board.SeatCount() + 1;
    bool any = false;
    int32_t best = maximising ? -100000 : 100000;
    for (int32_t c = 0; c < 8; ++c) {
      for (int32_t r = 0; r < 8; ++r) {
        if (!board.IsLegalMove(seat, c, r)) continue;
        any = true;
        const int32_t v = Value(Played(board, seat, c, r), next, !maximising,
                                depth - 1, true);
        best = maximising ? std::max(best, v) : std::min(best, v);
      }
    }
    if (any) return best;
    if (!previous_moved) return ModelLeafScore(board, seat, searching_seat);
    return Value(board, next, !maximising, depth - 1, false);
  }
};

}  // namespace

int32_t ModelLeafScore(const Board& board, int32_t seat,
                       int32_t searching_seat) {
  const bool own = seat == searching_seat;
  if (board.MoveCount() <= 48) {
    return own ? 20 - 2 * OwnWeights(board, seat) + 3 * LegalCount(board, seat)
               : 2 * OwnWeights(board, seat) - 20;
  }
  return own ? 64 - 2 * board.CountDiscs(seat)
             : 2 * board.CountDiscs(seat) - 64;
}

int32_t MinimaxChoice(const Board& board, int32_t seat, int32_t depth) {
  const int32_t root_depth = board.MoveCount() >= 48 ? 2 * depth : depth;
  const Model model{seat};
  const int32_t next = seat % board.SeatCount() + 1;
  int32_t best_cell = -1;
  int32_t best = 0;
  for (int32_t c = 0; c < 8; ++c) {
    for (int32_t r = 0; r < 8; ++r) {
      if (!board.IsLegalMove(seat, c, r)) continue;
      const int32_t v = model.Value(Played(board, seat, c, r), next, false,
                                    root_depth - 1, true);
      if (best_cell < 0 || v >= best) {
        best = v;
        best_cell = c + 8 * r;
      }
    }
  }
  return best_cell;
}

Board RandomGamePosition(std::mt19937& random, int32_t moves, int32_t* seat) {
  Board board;
  SetUpNewGame(board);
  int32_t turn = 1;
  for (int passes = 0; passes < 4; turn = turn % 4 + 1) {
    if (!board.HasLegalMove(turn)) {
      ++passes;
      continue;
    }
    passes = 0;
    if (board.MoveCount() >= moves) break;
    int32_t cells[64];
    int n = 0;
    for (int32_t c = 0; c < 8; ++c) {
      for (int32_t r = 0; r < 8; ++r) {
        if (board.IsLegalMove(turn, c, r)) cells[n++] = c + 8 * r;
      }
    }
    const int32_t pick = cells[random() % n];
    board.PlaceMove(turn, pick % 8, pick / 8);
  }
  *seat = board.HasLegalMove(turn) ? turn : 0;
  return board;
}

Board RandomScatter(std::mt19937& random, int filled, int32_t move_count) {
  Cells cells{};
  for (int k = 0; k < filled; ++k) {
    cells[random() % 64] = static_cast<int32_t>(1 + random() % 4);
  }
  Board board;
  board.SetPosition(cells, 4, move_count);
  return board;
}

}  // namespace qf::testing_support
