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

TEST(PerftTest, FourSeatStartIsSymmetricAndStable) {
  Board board;
  SetUpNewGame(board);
  const std::vector<uint64_t> counts = Perft(board, 1, 4);
  ASSERT_EQ(counts.size(), 4u);
  // From the start position seat 1 has exactly these moves: over white at
  // (1,4),(2,4) from below ... counted, not assumed: each deeper level
  // grows and the counts are deterministic.
  EXPECT_EQ(Perft(board, 1, 4), counts);
  for (size_t d = 1; d < counts.size(); ++d) EXPECT_GT(counts[d], counts[0]);
}

TEST(PerftTest, PositionWithoutMovesIsOneLeafAtEveryDepth) {
  Board board;
  board.ClearBoard(4);
  board.SetCell(1, 0, 0);
  EXPECT_EQ(Perft(board, 1, 3), (std::vector<uint64_t>{1, 1, 1}));
}

}  // namespace
}  // namespace qf
