#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <random>
#include <string>

#include "ai/evaluation.h"
#include "ai/reference_search.h"
#include "ai/searcher.h"
#include "board/board_text.h"
#include "test_positions.h"

namespace qf {
namespace {

using testing_support::MinimaxChoice;
using testing_support::RandomGamePosition;
using testing_support::RandomScatter;

struct Counter {
  uint64_t nodes = 0;
  static void Count(void* context) { ++static_cast<Counter*>(context)->nodes; }
  NodeHook Hook() { return {&Counter::Count, this}; }
};

// The chosen cell as column + 8 * row, or -1.
int32_t Choose(Searcher& searcher, Board& board, int32_t seat, int32_t depth) {
  int32_t column = 0;
  int32_t row = 0;
  searcher.ChooseMove(board, seat, depth, &column, &row);
  if (column < 0) {
    EXPECT_EQ(row, -1);
    return -1;
  }
  return column + 8 * row;
}

Board FromText(const std::string& text, int32_t move_count) {
  Cells cells;
  std::string error;
  EXPECT_TRUE(ParseBoardText(text, cells, error)) << error;
  Board board;
  board.SetPosition(cells, 4, move_count);
  return board;
}

constexpr Engine kEngines[] = {Engine::kReference, Engine::kFast};

const char* Name(Engine engine) {
  return engine == Engine::kFast ? "fast" : "reference";
}

TEST(SearchTest, EqualValuesGoToTheLastCellInScanOrder) {
  // Seat 1 can take (5,3) or (3,5), each turning one red disc; seat 2 has
  // no discs, so at depth 1 both leaves score the same.
  Board board = FromText(
      "........"
      "........"
      "........"
      "...13..."
      "...3...."
      "........"
      "........"
      "........",
      10);
  for (Engine engine : kEngines) {
    Searcher searcher({}, engine);
    EXPECT_EQ(Choose(searcher, board, 1, 1), 5 + 8 * 3) << Name(engine);
  }
  EXPECT_EQ(MinimaxChoice(board, 1, 1), 5 + 8 * 3);
}

TEST(SearchTest, AnEarlierCellWinsOnlyWhenStrictlyBetter) {
  // As above, but the later move (5,3) turns a white disc of weight -3 to
  // black, which lowers white's leaf score 2W - 20: the earlier (3,5) wins.
  Board board = FromText(
      "........"
      "........"
      "........"
      "...123.."
      "...3...."
      "........"
      "........"
      "........",
      10);
  for (Engine engine : kEngines) {
    Searcher searcher({}, engine);
    EXPECT_EQ(Choose(searcher, board, 1, 1), MinimaxChoice(board, 1, 1))
        << Name(engine);
  }
}

struct DepthCase {
  int32_t move_count;
  int32_t depth;
  int32_t root_depth;
};

TEST(SearchTest, RootDepthDoublesFromMoveCount48) {
  const DepthCase cases[] = {{0, 6, 6},  {47, 6, 6}, {48, 6, 12}, {55, 6, 12},
                             {47, 3, 3}, {48, 1, 2}, {10, 0, 1},  {10, -4, 1},
                             {48, 0, 2}, {20, 9, 9}};
  for (Engine engine : kEngines) {
    for (const DepthCase& c : cases) {
      Board board = FromText(
          "........"
          "........"
          "........"
          "...13..."
          "...3...."
          "........"
          "........"
          "........",
          c.move_count);
      Searcher searcher({}, engine);
      Choose(searcher, board, 1, c.depth);
      EXPECT_EQ(searcher.RootDepth(), c.root_depth)
          << Name(engine) << " moves " << c.move_count << " depth " << c.depth;
      EXPECT_EQ(searcher.SearchingSeat(), 1);
    }
  }
}

TEST(SearchTest, SeatWithoutMovesAnswersNothingAndKeepsTheState) {
  Board board = FromText(
      "........"
      "........"
      "........"
      "...13..."
      "...3...."
      "........"
      "........"
      "........",
      10);
  for (Engine engine : kEngines) {
    Counter counter;
    Searcher searcher(counter.Hook(), engine);
    Choose(searcher, board, 1, 4);
    const uint64_t nodes = counter.nodes;
    for (int32_t seat : {2, 4, 0, 5}) {
      EXPECT_EQ(Choose(searcher, board, seat, 6), -1) << seat;
      EXPECT_EQ(searcher.SearchingSeat(), 1);
      EXPECT_EQ(searcher.RootDepth(), 4);
    }
    EXPECT_EQ(counter.nodes, nodes) << "no search for a seat without moves";
  }
}

TEST(SearchTest, OneLegalMoveStillSearchesTheWholeTree) {
  // Seat 1 has only (5,3); at depth 1 the reference enters the root and the
  // one leaf.
  Board board = FromText(
      "........"
      "........"
      "........"
      "...13..."
      "........"
      "........"
      "........"
      "........",
      10);
  for (Engine engine : kEngines) {
    Counter counter;
    Searcher searcher(counter.Hook(), engine);
    EXPECT_EQ(Choose(searcher, board, 1, 1), 5 + 8 * 3);
    EXPECT_EQ(counter.nodes, 2u) << Name(engine);
  }
}

TEST(SearchTest, TwoPassesInARowScoreTheSecondPasser) {
  // Seats 2 and 3 cannot move; seat 4 could, on (0,2), but the line ends at
  // seat 3 with plies to spare.
  Board board = FromText(
      "4......."
      "1......."
      "........"
      "........"
      "....3..."
      "........"
      "........"
      "........",
      20);
  const Board before = board;
  Counter counter;
  ReferenceSearch search(board, counter.Hook(), 1, 6, 4);
  const int32_t score =
      search.SearchNode(2, kFalse, 5, kTrue, -kInfinity, kInfinity);
  EXPECT_EQ(score, Evaluate(board, 3, 1));
  EXPECT_EQ(counter.nodes, 2u);  // seat 2's pass node and seat 3's
  // One pass only: seat 3 passes after a move and seat 4 moves on, taking
  // black's last disc, so the line ends on black's empty-handed score
  // 20 + 3 * 0 rather than on yellow's.
  counter.nodes = 0;
  const int32_t after_one_pass =
      search.SearchNode(3, kTrue, 2, kTrue, -kInfinity, kInfinity);
  EXPECT_GT(counter.nodes, 2u);
  EXPECT_EQ(after_one_pass, 20);
  EXPECT_EQ(board, before);
}

// Whole games' worth of random positions, both kinds, searched by both
// engines and by the unpruned model where it is cheap enough.
TEST(SearchTest, BothEnginesMatchPlainMinimax) {
  std::mt19937 random(2024);
  Searcher reference({}, Engine::kReference);
  Searcher fast({}, Engine::kFast);
  int checked = 0;
  for (int i = 0; i < 240; ++i) {
    Board board;
    int32_t seat = 0;
    int32_t depth = static_cast<int32_t>(1 + random() % 3);
    if (i % 3 == 0) {
      board = RandomScatter(random, static_cast<int>(6 + random() % 20),
                            static_cast<int32_t>(random() % 61));
      seat = static_cast<int32_t>(1 + random() % 4);
    } else {
      board = RandomGamePosition(random, static_cast<int32_t>(random() % 58),
                                 &seat);
    }
    if (seat == 0 || !board.HasLegalMove(seat)) continue;
    if (board.MoveCount() >= 48) depth = std::min(depth, 2);
    const int32_t expected = MinimaxChoice(board, seat, depth);
    ASSERT_EQ(Choose(reference, board, seat, depth), expected)
        << i << " " << BoardText(board.cells()) << " seat " << seat << " moves "
        << board.MoveCount() << " depth " << depth;
    ASSERT_EQ(Choose(fast, board, seat, depth), expected)
        << i << " " << BoardText(board.cells()) << " seat " << seat << " moves "
        << board.MoveCount() << " depth " << depth;
    ++checked;
  }
  EXPECT_GT(checked, 150);
}

struct DiffKind {
  const char* name;
  int count;
  uint32_t seed;
  // Draws a board, the seat to search for (0: none) and a depth.
  void (*make)(std::mt19937& random, Board& board, int32_t& seat,
               int32_t& depth);
};

void MiddleGame(std::mt19937& random, Board& board, int32_t& seat,
                int32_t& depth) {
  board =
      RandomGamePosition(random, static_cast<int32_t>(random() % 48), &seat);
  depth = static_cast<int32_t>(1 + random() % 6);
}

void DeeperMiddleGame(std::mt19937& random, Board& board, int32_t& seat,
                      int32_t& depth) {
  board =
      RandomGamePosition(random, static_cast<int32_t>(random() % 48), &seat);
  depth = static_cast<int32_t>(7 + random() % 2);
}

void Endgame(std::mt19937& random, Board& board, int32_t& seat,
             int32_t& depth) {
  board = RandomGamePosition(random, static_cast<int32_t>(48 + random() % 10),
                             &seat);
  depth = 6;  // 12 plies
}

void Scattered(std::mt19937& random, Board& board, int32_t& seat,
               int32_t& depth) {
  // Sparse boards pass and double-pass often and leave seats without
  // discs; late move counts there keep the doubled depth small.
  const int32_t move_count = static_cast<int32_t>(random() % 61);
  board =
      RandomScatter(random, static_cast<int>(4 + random() % 40), move_count);
  seat = static_cast<int32_t>(1 + random() % 4);
  depth = static_cast<int32_t>(1 + random() % (move_count >= 48 ? 3 : 5));
}

void CrowdedEnd(std::mt19937& random, Board& board, int32_t& seat,
                int32_t& depth) {
  board = RandomScatter(random, 160, static_cast<int32_t>(48 + random() % 13));
  seat = static_cast<int32_t>(1 + random() % 4);
  depth = static_cast<int32_t>(1 + random() % 6);
}

void FewerSeats(std::mt19937& random, Board& board, int32_t& seat,
                int32_t& depth) {
  board =
      RandomGamePosition(random, static_cast<int32_t>(random() % 40), &seat);
  // Two or three seats take turns; the others' discs stay where they are.
  const int32_t seat_count = static_cast<int32_t>(2 + random() % 2);
  const Cells cells = board.cells();  // SetPosition clears before copying
  board.SetPosition(cells, seat_count, board.MoveCount());
  seat = static_cast<int32_t>(1 + random() % seat_count);
  depth = static_cast<int32_t>(1 + random() % 5);
}

// QF_DIFF_SCALE multiplies the number of positions for deeper runs.
int Scale() {
  const char* text = std::getenv("QF_DIFF_SCALE");
  const int scale = text != nullptr ? std::atoi(text) : 1;
  return scale > 0 ? scale : 1;
}

void PrintTo(const DiffKind& kind, std::ostream* os) { *os << kind.name; }

class DifferentialTest : public testing::TestWithParam<DiffKind> {};

TEST_P(DifferentialTest, FastEngineChoosesExactlyAsTheReference) {
  const DiffKind& kind = GetParam();
  std::mt19937 random(kind.seed);
  Searcher reference({}, Engine::kReference);
  // One fast searcher for all: nothing may carry over between searches.
  Counter fast_nodes;
  Searcher fast(fast_nodes.Hook(), Engine::kFast);
  int searched = 0;
  for (int i = 0; i < kind.count * Scale(); ++i) {
    Board board;
    int32_t seat = 0;
    int32_t depth = 1;
    kind.make(random, board, seat, depth);
    if (seat == 0) continue;
    const Board before = board;
    const int32_t expected = Choose(reference, board, seat, depth);
    ASSERT_EQ(board, before);
    const uint64_t nodes_before = fast_nodes.nodes;
    const int32_t got = Choose(fast, board, seat, depth);
    ASSERT_EQ(board, before) << i;
    ASSERT_EQ(got, expected)
        << i << ": " << BoardText(board.cells()) << " seat " << seat
        << " moves " << board.MoveCount() << " seats " << board.SeatCount()
        << " depth " << depth;
    ASSERT_EQ(fast.RootDepth(), reference.RootDepth());
    ASSERT_EQ(fast.SearchingSeat(), reference.SearchingSeat());
    if (expected >= 0) {
      ASSERT_GT(fast_nodes.nodes, nodes_before);
      ++searched;
    }
  }
  EXPECT_GT(searched, kind.count / 2);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, DifferentialTest,
    testing::Values(DiffKind{"MiddleGame", 4000, 101, MiddleGame},
                    DiffKind{"DeeperMiddleGame", 40, 106, DeeperMiddleGame},
                    DiffKind{"Endgame12Plies", 1500, 102, Endgame},
                    DiffKind{"Scattered", 8000, 103, Scattered},
                    DiffKind{"CrowdedEnd", 3000, 104, CrowdedEnd},
                    DiffKind{"TwoOrThreeSeats", 2000, 105, FewerSeats}),
    [](const testing::TestParamInfo<DiffKind>& info) {
      return std::string(info.param.name);
    });

}  // namespace
}  // namespace qf
