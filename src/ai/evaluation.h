// The computer player's position evaluation: a score for the end of a
// search line, larger is better for the searching side.
#ifndef QUADRIFLANK_AI_EVALUATION_H_
#define QUADRIFLANK_AI_EVALUATION_H_

#include <array>
#include <cstdint>

#include "board/board.h"

namespace qf {

// From this many placed moves on, leaves are scored by discs alone.
inline constexpr int32_t kDiscPhaseMoveCount = 49;

// Cell weights addressed like the Board (element column * 8 + row).
using WeightTable = std::array<int32_t, kCellCount>;

// One corner's weights, folded column across and folded row down.
inline constexpr int32_t kQuarterWeights[4][4] = {
    {45, -11, 4, -1}, {-11, -16, -1, -3}, {4, -1, 2, -1}, {-1, -3, -1, 0}};

// Mirrors the quarter table into all four corners: coordinate k folds to k
// below 4 and to 7 - k from 4 on.
constexpr WeightTable BuildWeightTable() {
  WeightTable table{};
  for (int column = 0; column < kBoardSize; ++column) {
    for (int row = 0; row < kBoardSize; ++row) {
      const int folded_column = column < 4 ? column : 7 - column;
      const int folded_row = row < 4 ? row : 7 - row;
      table[CellIndex(column, row)] =
          kQuarterWeights[folded_column][folded_row];
    }
  }
  return table;
}

// Built once, at compile time, and never changed.
inline constexpr WeightTable kWeightTable = BuildWeightTable();

// Weight sums of one column's eight cells (one byte of a bitboard, bit i
// for the Board's element i), for every set of them; columns c and 7 - c
// weigh the same.
using ColumnWeightTable = std::array<std::array<int16_t, 256>, 4>;

constexpr ColumnWeightTable BuildColumnWeights() {
  ColumnWeightTable table{};
  for (int column = 0; column < 4; ++column) {
    for (int set = 0; set < 256; ++set) {
      int sum = 0;
      for (int row = 0; row < kBoardSize; ++row) {
        if ((set >> row) & 1) sum += kWeightTable[CellIndex(column, row)];
      }
      table[column][set] = static_cast<int16_t>(sum);
    }
  }
  return table;
}

inline constexpr ColumnWeightTable kColumnWeights = BuildColumnWeights();

// The sum of the weights under the cells of a bitboard.
inline int32_t WeightSum(uint64_t set) {
  return kColumnWeights[0][set & 0xFF] + kColumnWeights[1][(set >> 8) & 0xFF] +
         kColumnWeights[2][(set >> 16) & 0xFF] +
         kColumnWeights[3][(set >> 24) & 0xFF] +
         kColumnWeights[3][(set >> 32) & 0xFF] +
         kColumnWeights[2][(set >> 40) & 0xFF] +
         kColumnWeights[1][(set >> 48) & 0xFF] +
         kColumnWeights[0][(set >> 56) & 0xFF];
}

// Own discs count minus their weight, every other cell plus its weight:
// 20 - 2 * (weights under the seat's discs).
int32_t PositionTerm(const Board& board, int32_t seat);

// 3 * the seat's legal moves for the searching seat, 0 for any other.
int32_t MobilityTerm(const Board& board, int32_t seat, int32_t searching_seat);

// Own discs -1 each, every other cell +1: 64 - 2 * CountDiscs(seat).
int32_t DiscTerm(const Board& board, int32_t seat);

// The score of a leaf where `seat` is to move, for a search made for
// `searching_seat`, in the phase selected by the board's MoveCount. The
// base score is negated when the seat to move is not the searching seat.
int32_t Evaluate(const Board& board, int32_t seat, int32_t searching_seat);

// The number of cells on which IsLegalMove(seat, ...) holds, found with
// bitboards; it answers exactly as the cell-by-cell test.
int32_t CountLegalMoves(const Board& board, int32_t seat);

}  // namespace qf

#endif  // QUADRIFLANK_AI_EVALUATION_H_
