#include "ai/evaluation.h"

#include <gtest/gtest.h>

#include "test_positions.h"

namespace qf {
namespace {

TEST(EvaluationTest, WeightTableIsThePrintedOneAndSumsToTwenty) {
  int32_t sum = 0;
  for (int32_t c = 0; c < 8; ++c) {
    for (int32_t r = 0; r < 8; ++r) {
      sum += kWeightTable[CellIndex(c, r)];
      EXPECT_EQ(kWeightTable[CellIndex(c, r)],
                testing_support::PrintedWeight(c, r))
          << c << "," << r;
    }
  }
  EXPECT_EQ(sum, 20);
}

// Other seats' discs count in the position term as empty cells do.
const Board kCorners = testing_support::Discs(
    {{1, 0, 0}, {1, 7, 0}, {1, 0, 7}, {1, 7, 7}, {2, 0, 1}, {3, 5, 5}}, 10);
const Board kXAndEdge = testing_support::Discs(
    {{1, 1, 1}, {1, 6, 1}, {1, 1, 6}, {1, 6, 6}, {1, 2, 0}, {1, 3, 1}}, 10);
// Seat 1 on (0,0) and (2,2) (weights 45 + 2) with two moves, (4,0) and
// (4,4); seat 2 on (1,0) and (3,0) (-11 - 1) with none; seats 3 and 4 one
// disc each.
const Cells kMixed =
    testing_support::Discs(
        {{1, 0, 0}, {1, 2, 2}, {2, 1, 0}, {2, 3, 0}, {3, 2, 0}, {4, 3, 3}}, 0)
        .cells();

TEST(EvaluationTest, PositionTermAndLeafTable) {
  EXPECT_EQ(PositionTerm(testing_support::Discs({}, 0), 1), 20);
  EXPECT_EQ(PositionTerm(kCorners, 1), 20 - 2 * 180);
  EXPECT_EQ(PositionTerm(kXAndEdge, 1), 20 - 2 * (-64 + 4 - 3));
  const struct {
    int32_t move_count, seat, searching_seat, expected;
  } cases[] = {
      {48, 1, 1, 20 - 2 * 47 + 3 * 2},  // own position and mobility
      {48, 1, 2, -(20 - 2 * 47)},       // another's: position only, negated
      {48, 2, 1, -(20 - 2 * -12)},     {49, 1, 1, 64 - 2 * 2},  // discs alone
      {49, 2, 1, -(64 - 2 * 2)},       {49, 4, 1, -(64 - 2 * 1)},
      {49, 3, 3, 64 - 2 * 1},
  };
  for (const auto& c : cases) {
    Board board;
    board.SetPosition(kMixed, 4, c.move_count);
    EXPECT_EQ(Evaluate(board, c.seat, c.searching_seat), c.expected)
        << c.move_count << " seat " << c.seat << " for " << c.searching_seat;
  }
}

}  // namespace
}  // namespace qf
