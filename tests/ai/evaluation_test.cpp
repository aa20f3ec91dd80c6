#include "ai/evaluation.h"

#include <gtest/gtest.h>

#include <random>

#include "test_positions.h"

namespace qf {
namespace {

TEST(WeightTableTest, MirrorsTheQuarterAndSumsToTwenty) {
  int32_t sum = 0;
  for (int32_t c = 0; c < 8; ++c) {
    for (int32_t r = 0; r < 8; ++r) {
      const int32_t w = kWeightTable[CellIndex(c, r)];
      sum += w;
      EXPECT_EQ(w, kWeightTable[CellIndex(7 - c, r)]) << c << "," << r;
      EXPECT_EQ(w, kWeightTable[CellIndex(c, 7 - r)]) << c << "," << r;
      EXPECT_EQ(w, kWeightTable[CellIndex(r, c)]) << c << "," << r;
    }
  }
  EXPECT_EQ(sum, 20);
  // Spot cells of the printed table: corner, X-cells, edges, centre.
  EXPECT_EQ(kWeightTable[CellIndex(7, 0)], 45);
  EXPECT_EQ(kWeightTable[CellIndex(6, 6)], -16);
  EXPECT_EQ(kWeightTable[CellIndex(1, 0)], -11);
  EXPECT_EQ(kWeightTable[CellIndex(5, 0)], 4);
  EXPECT_EQ(kWeightTable[CellIndex(3, 1)], -3);
  EXPECT_EQ(kWeightTable[CellIndex(4, 4)], 0);
}

struct PositionCase {
  const char* name;
  std::vector<std::pair<int32_t, int32_t>> own;  // cells of seat 1
  int32_t expected;
};

TEST(PositionTermTest, CornerCases) {
  const PositionCase cases[] = {
      {"EmptyBoard", {}, 20},
      {"FourCorners", {{0, 0}, {7, 0}, {0, 7}, {7, 7}}, 20 - 360},
      {"FourXCells", {{1, 1}, {6, 1}, {1, 6}, {6, 6}}, 20 + 128},
      {"Centre", {{3, 3}, {4, 4}}, 20},
  };
  for (const PositionCase& c : cases) {
    Board board;
    board.ClearBoard(4);
    for (auto [column, row] : c.own) board.SetCell(1, column, row);
    // Other seats' discs count as empty cells do.
    board.SetCell(2, 0, 1);
    board.SetCell(3, 5, 5);
    EXPECT_EQ(PositionTerm(board, 1), c.expected) << c.name;
  }
  Board empty;
  empty.ClearBoard(4);
  for (int32_t seat = 1; seat <= 4; ++seat) {
    EXPECT_EQ(PositionTerm(empty, seat), 20);
  }
}

TEST(EvaluateTest, SignsAndPhasesFollowTheLeafTable) {
  Board board;
  board.ClearBoard(4);
  board.SetCell(1, 0, 0);  // weight 45
  board.SetCell(1, 2, 2);  // weight 2
  board.SetCell(2, 1, 0);  // weight -11
  board.SetCell(2, 3, 0);  // weight -1
  board.SetCell(3, 2, 0);
  board.SetCell(4, 3, 3);  // weight 0
  const Cells cells = board.cells();
  const int32_t black_moves = CountLegalMoves(board, 1);
  ASSERT_GT(black_moves, 0);
  // At 48 moves: position and mobility for the searching seat, minus the
  // position term alone for any other; from 49 on discs alone.
  board.SetPosition(cells, 4, 48);
  EXPECT_EQ(Evaluate(board, 1, 1), 20 - 2 * 47 + 3 * black_moves);
  EXPECT_EQ(Evaluate(board, 2, 1), 2 * -12 - 20);
  EXPECT_EQ(Evaluate(board, 1, 2), -(20 - 2 * 47));
  EXPECT_EQ(MobilityTerm(board, 1, 2), 0);
  board.SetPosition(cells, 4, 49);
  EXPECT_EQ(Evaluate(board, 1, 1), 64 - 4);
  EXPECT_EQ(Evaluate(board, 2, 1), 4 - 64);
  EXPECT_EQ(Evaluate(board, 4, 1), 2 - 64);
  EXPECT_EQ(Evaluate(board, 3, 3), 64 - 2);
}

TEST(EvaluateTest, AgreesWithTheModelOnRandomPositions) {
  std::mt19937 random(7);
  for (int i = 0; i < 300; ++i) {
    int32_t seat = 0;
    Board board = testing_support::RandomGamePosition(
        random, static_cast<int32_t>(random() % 60), &seat);
    const Cells cells = board.cells();  // SetPosition clears before copying
    board.SetPosition(cells, 4, static_cast<int32_t>(40 + random() % 20));
    const int32_t searching = static_cast<int32_t>(1 + random() % 4);
    for (int32_t s = 1; s <= 4; ++s) {
      ASSERT_EQ(Evaluate(board, s, searching),
                testing_support::ModelLeafScore(board, s, searching))
          << i << " seat " << s;
    }
  }
}

TEST(CountLegalMovesTest, MatchesTheCellByCellTest) {
  std::mt19937 random(11);
  for (int i = 0; i < 400; ++i) {
    const Board board = testing_support::RandomScatter(
        random, static_cast<int>(random() % 64), 0);
    for (int32_t seat = 0; seat <= 5; ++seat) {
      int32_t count = 0;
      for (int32_t c = 0; c < 8; ++c) {
        for (int32_t r = 0; r < 8; ++r) count += board.IsLegalMove(seat, c, r);
      }
      ASSERT_EQ(CountLegalMoves(board, seat), count) << i << " seat " << seat;
    }
  }
}

}  // namespace
}  // namespace qf
