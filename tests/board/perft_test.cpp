#include "board/perft.h"

#include <gtest/gtest.h>

#include "board/start_position.h"

namespace qf {
namespace {

TEST(PerftTest, TwoSeatCountsMatchThePublishedFigures) {
  Board board;
  SetUpTwoSeatStart(board);
  const Board before = board;
  const std::vector<uint64_t> expected = {4,    12,   56,    244,
                                          1396, 8200, 55092, 390216};
  EXPECT_EQ(Perft(board, 1, 8), expected);
  EXPECT_EQ(board, before);
}

// Seat 1 opens with four moves: below each white disc and diagonally past
// them onto (0,5) and (3,5). Deeper counts guard the four-seat turn order.
TEST(PerftTest, FourSeatCountsFromTheGameStart) {
  Board board;
  SetUpNewGame(board);
  EXPECT_EQ(Perft(board, 1, 6),
            (std::vector<uint64_t>{4, 14, 56, 196, 928, 3743}));
}

TEST(PerftTest, PositionWithoutMovesIsOneLeafAtEveryDepth) {
  Board board;
  board.ClearBoard(4);
  board.SetCell(1, 0, 0);
  EXPECT_EQ(Perft(board, 1, 3), (std::vector<uint64_t>{1, 1, 1}));
}

}  // namespace
}  // namespace qf
