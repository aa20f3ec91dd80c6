#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "ai/evaluation.h"
#include "ai/reference_search.h"
#include "ai/searcher.h"
#include "board/board_text.h"
#include "test_positions.h"

namespace qf {
namespace {

using testing_support::Discs;
using testing_support::MinimaxChoice;

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
  return column < 0 ? -1 : column + 8 * row;
}

constexpr Engine kEngines[] = {Engine::kReference, Engine::kFast};

// Seat 1 can take (3,5) or (5,3), each turning one disc of seat 3; seats 2
// and 4 have no discs.
Board TwoMoves(int32_t move_count) {
  return Discs({{1, 3, 3}, {3, 4, 3}, {3, 3, 4}}, move_count);
}

TEST(SearchTest, EqualRootValuesGoToTheLastCellInScanOrder) {
  // The leaves tie: the later (5,3) wins. Then (6,3) turns seat 2's only
  // disc (weight 2) and (3,5) does not, leaving seat 2's leaf 2W - 20
  // higher: the earlier cell is strictly better.
  const Board boards[] = {
      TwoMoves(10), Discs({{1, 4, 1}, {2, 5, 2}, {1, 3, 3}, {3, 3, 4}}, 10)};
  const int32_t expected[] = {5 + 8 * 3, 3 + 8 * 5};
  for (int k = 0; k < 2; ++k) {
    Board board = boards[k];
    EXPECT_EQ(MinimaxChoice(board, 1, 1), expected[k]);
    for (Engine engine : kEngines) {
      Searcher searcher({}, engine);
      EXPECT_EQ(Choose(searcher, board, 1, 1), expected[k]) << k;
    }
  }
}

TEST(SearchTest, RootDepthDoublesFromMove48AndSeatsWithoutMovesKeepIt) {
  const struct {
    int32_t move_count, depth, root_depth;
  } cases[] = {{47, 6, 6}, {48, 6, 12}, {10, 0, 1}, {48, -3, 2}};
  for (Engine engine : kEngines) {
    for (const auto& c : cases) {
      Board board = TwoMoves(c.move_count);
      Counter counter;
      Searcher searcher(counter.Hook(), engine);
      Choose(searcher, board, 1, c.depth);
      const uint64_t nodes = counter.nodes;
      for (int32_t seat : {2, 4, 0, 5}) {  // no discs, then no seats
        EXPECT_EQ(Choose(searcher, board, seat, 6), -1) << seat;
        EXPECT_EQ(searcher.SearchingSeat(), 1);
        EXPECT_EQ(searcher.RootDepth(), c.root_depth)
            << c.move_count << " depth " << c.depth;
      }
      EXPECT_EQ(counter.nodes, nodes) << "no search for a seat without moves";
    }
  }
}

TEST(SearchTest, TwoPassesInARowScoreTheSecondPasser) {
  // Seats 2 and 3 cannot move; seat 4 could, on (0,2), taking seat 1's only
  // disc.
  Board board = Discs({{4, 0, 0}, {1, 0, 1}, {3, 4, 4}}, 20);
  const Board before = board;
  Counter counter;
  ReferenceSearch search(board, counter.Hook(), 1, 6, 4);
  EXPECT_EQ(search.SearchNode(2, kFalse, 5, kTrue, -kInfinity, kInfinity),
            Evaluate(board, 3, 1));
  EXPECT_EQ(counter.nodes, 2u);  // seat 2's pass node and seat 3's
  // After one pass only, seat 4 moves on and the line ends on seat 1's
  // empty-handed score 20 + 3 * 0.
  EXPECT_EQ(search.SearchNode(3, kTrue, 2, kTrue, -kInfinity, kInfinity), 20);
  EXPECT_EQ(board, before);
}

// QF_DIFF_SCALE multiplies the number of positions for deeper runs.
int Scale() {
  const char* text = std::getenv("QF_DIFF_SCALE");
  return std::max(text != nullptr ? std::atoi(text) : 1, 1);
}

// Random positions searched by both engines, and where it is cheap by the
// unpruned model too. Sparse boards pass and double-pass often and leave
// seats without discs; late move counts there keep the doubled depth small.
TEST(SearchTest, FastEngineChoosesExactlyAsTheReferenceAndTheModel) {
  const struct {
    const char* name;
    int count;
    int filled, filled_span;  // random cells; 0: random play from the start
    int32_t moves, moves_span, depth, depth_span;
    int32_t seats, seats_span;  // seat count
    bool model;
  } kinds[] = {
      {"SmallGame", 160, 0, 1, 0, 58, 1, 2, 4, 1, true},
      {"SmallSparse", 80, 6, 20, 0, 61, 1, 2, 4, 1, true},
      {"MiddleGame", 4000, 0, 1, 0, 48, 1, 6, 4, 1, false},
      {"DeeperMiddleGame", 40, 0, 1, 0, 48, 7, 2, 4, 1, false},
      {"Endgame12Plies", 1500, 0, 1, 48, 10, 6, 1, 4, 1, false},
      {"Sparse", 6000, 4, 40, 0, 48, 1, 5, 4, 1, false},
      {"SparseLate", 2000, 4, 40, 48, 13, 1, 3, 4, 1, false},
      {"CrowdedEnd", 3000, 160, 1, 48, 13, 1, 6, 4, 1, false},
      {"TwoOrThreeSeats", 2000, 0, 1, 0, 40, 1, 5, 3, 2, false},
  };
  std::mt19937 random(101);
  Searcher reference({}, Engine::kReference);
  // One fast searcher for all: nothing may carry over between searches.
  Counter fast_nodes;
  Searcher fast(fast_nodes.Hook(), Engine::kFast);
  for (const auto& k : kinds) {
    int searched = 0;
    for (int i = 0; i < k.count * Scale(); ++i) {
      int32_t seat = 0;
      const int filled = k.filled > 0 ? k.filled + random() % k.filled_span : 0;
      Board board = testing_support::RandomPosition(
          random, k.moves + static_cast<int32_t>(random() % k.moves_span),
          filled, &seat);
      const int32_t seats =
          k.seats - static_cast<int32_t>(random() % k.seats_span);
      if (seats != 4) {  // the other seats' discs stay where they are
        const Cells cells = board.cells();  // SetPosition clears first
        board.SetPosition(cells, seats, board.MoveCount());
        seat = static_cast<int32_t>(1 + random() % seats);
      }
      const int32_t depth =
          k.depth + static_cast<int32_t>(random() % k.depth_span);
      if (seat == 0) continue;
      const Board before = board;
      const int32_t expected = Choose(reference, board, seat, depth);
      ASSERT_EQ(board, before);  // cells, MoveCount and GameOn
      const uint64_t nodes_before = fast_nodes.nodes;
      const std::string what = ::testing::PrintToString(std::tuple(
          k.name, i, BoardText(board.cells()), seat, board.MoveCount(), depth));
      if (k.model) {
        ASSERT_EQ(MinimaxChoice(board, seat, depth), expected) << what;
      }
      ASSERT_EQ(Choose(fast, board, seat, depth), expected) << what;
      ASSERT_EQ(board, before) << what;
      ASSERT_EQ(fast.RootDepth(), reference.RootDepth()) << what;
      ASSERT_EQ(fast.SearchingSeat(), reference.SearchingSeat()) << what;
      searched += expected >= 0;
      ASSERT_EQ(fast_nodes.nodes > nodes_before, expected >= 0) << what;
    }
    EXPECT_GT(searched, k.count / 3) << k.name;
  }
}

}  // namespace
}  // namespace qf
