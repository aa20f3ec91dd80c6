// Boards for the ai tests and a plain, unpruned minimax model. The model
// scores leaves with its own weight table and the board's own rules, so it
// shares no code with the engines.
#ifndef QUADRIFLANK_TESTS_AI_TEST_POSITIONS_H_
#define QUADRIFLANK_TESTS_AI_TEST_POSITIONS_H_

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <random>

#include "board/board.h"
#include "board/start_position.h"

namespace qf::testing_support {

// Four seats, the given discs as {seat, column, row}, the rest empty.
inline Board Discs(std::initializer_list<std::array<int32_t, 3>> discs,
                   int32_t move_count) {
  Cells cells{};
  for (const auto& d : discs) cells[CellIndex(d[1], d[2])] = d[0];
  Board board;
  board.SetPosition(cells, 4, move_count);
  return board;
}

// Legal cells of `seat` in scan order as column + 8 * row; answers the count.
inline int LegalCells(const Board& board, int32_t seat, int32_t* cells) {
  int n = 0;
  for (int32_t i = 0; i < 64; ++i) {
    if (board.IsLegalMove(seat, i / 8, i % 8)) cells[n++] = i / 8 + 8 * (i % 8);
  }
  return n;
}

// The weights as printed: the upper left quarter, one row a line, mirrored.
inline int32_t PrintedWeight(int32_t column, int32_t row) {
  constexpr int32_t kQuarter[4][4] = {
      {45, -11, 4, -1}, {-11, -16, -1, -3}, {4, -1, 2, -1}, {-1, -3, -1, 0}};
  return kQuarter[std::min(row, 7 - row)][std::min(column, 7 - column)];
}

inline int32_t LeafScore(const Board& board, int32_t seat, int32_t searching) {
  int32_t weights = 0;
  int32_t cells[64];
  for (int32_t c = 0; c < 8; ++c) {
    for (int32_t r = 0; r < 8; ++r) {
      weights += board.Cell(c, r) == seat ? PrintedWeight(c, r) : 0;
    }
  }
  const int32_t mobility =
      seat == searching ? 3 * LegalCells(board, seat, cells) : 0;
  const int32_t base = board.MoveCount() <= 48
                           ? 20 - 2 * weights + mobility
                           : 64 - 2 * board.CountDiscs(seat);
  return seat == searching ? base : -base;
}

// Maximising and minimising nodes alternate whichever seat moves; `choice`
// gets the last cell in scan order of the best value.
inline int32_t Minimax(const Board& board, int32_t seat, int32_t searching,
                       bool maximising, int32_t depth, bool previous_moved,
                       int32_t* choice) {
  if (depth == 0) return LeafScore(board, seat, searching);
  const int32_t next = seat % board.SeatCount() + 1;
  int32_t cells[64];
  const int n = LegalCells(board, seat, cells);
  if (n == 0) {  // a pass, or the end of the line after a second one
    return previous_moved ? Minimax(board, next, searching, !maximising,
                                    depth - 1, false, nullptr)
                          : LeafScore(board, seat, searching);
  }
  int32_t best = maximising ? -100000 : 100000;
  for (int k = 0; k < n; ++k) {
    Board after = board;
    MoveRecord record;
    Board::InitMoveRecord(record, cells[k] % 8, cells[k] / 8);
    after.TurnFlankedDiscs(seat, record);
    after.SetCell(seat, cells[k] % 8, cells[k] / 8);
    const int32_t v =
        Minimax(after, next, searching, !maximising, depth - 1, true, nullptr);
    if (maximising ? v >= best : v <= best) {
      best = v;
      if (choice != nullptr) *choice = cells[k];
    }
  }
  return best;
}

// The cell minimax chooses for `seat` at the game's depth rule, or -1.
inline int32_t MinimaxChoice(const Board& board, int32_t seat, int32_t depth) {
  int32_t choice = -1;
  Minimax(board, seat, seat, true, board.MoveCount() >= 48 ? 2 * depth : depth,
          false, &choice);
  return choice;
}

// With `filled` > 0: that many random cells given to random seats, MoveCount
// `moves` and a random seat in `*seat`; passes, double passes and seats
// without discs are common there. Otherwise random play from the start until
// `moves` discs are placed (fewer if the game ends), `*seat` the seat to move
// (0 when the game is over).
inline Board RandomPosition(std::mt19937& random, int32_t moves, int filled,
                            int32_t* seat) {
  Board board;
  if (filled > 0) {
    Cells cells{};
    for (int k = 0; k < filled; ++k) {
      cells[random() % 64] = static_cast<int32_t>(1 + random() % 4);
    }
    board.SetPosition(cells, 4, moves);
    *seat = static_cast<int32_t>(1 + random() % 4);
    return board;
  }
  SetUpNewGame(board);
  int32_t turn = 1;
  int32_t cells[64];
  for (int passes = 0; passes < 4; turn = turn % 4 + 1) {
    const int n = LegalCells(board, turn, cells);
    passes = n == 0 ? passes + 1 : 0;
    if (n == 0) continue;
    if (board.MoveCount() >= moves) break;
    const int32_t pick = cells[random() % n];
    board.PlaceMove(turn, pick % 8, pick / 8);
  }
  *seat = board.HasLegalMove(turn) ? turn : 0;
  return board;
}

}  // namespace qf::testing_support

#endif  // QUADRIFLANK_TESTS_AI_TEST_POSITIONS_H_
