// The computer player: named search positions, and on random positions the
// leaf scores and both engines against each other and against a plain,
// unpruned minimax model that shares no code with them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "ai/bitboard.h"
#include "ai/evaluation.h"
#include "ai/reference_search.h"
#include "ai/searcher.h"
#include "board/board_text.h"
#include "board/start_position.h"

namespace qf {
namespace {

// Four seats, the given discs as {seat, column, row}, the rest empty.
Board Discs(std::initializer_list<std::array<int32_t, 3>> discs,
            int32_t move_count) {
  Board board;
  for (const auto& d : discs) board.SetCell(d[0], d[1], d[2]);
  board.SetPosition(board.cells(), 4, move_count);
  return board;
}

// The leaf score from the printed weights (the upper left quarter, mirrored)
// and the board's rules: before move 49, 20 - 2 * the weights under the
// seat's discs, plus 3 per legal move for the searching seat; from then on
// 64 - 2 * its discs; negated for any seat but the searching one.
int32_t ModelLeaf(const Board& board, int32_t seat, int32_t searching) {
  constexpr int32_t kQuarter[4][4] = {
      {45, -11, 4, -1}, {-11, -16, -1, -3}, {4, -1, 2, -1}, {-1, -3, -1, 0}};
  int32_t weights = 0, moves = 0;
  for (int32_t c = 0, r = 0; c < 8; r = (r + 1) % 8, c += r == 0) {
    const int32_t w = kQuarter[std::min(r, 7 - r)][std::min(c, 7 - c)];
    weights += board.Cell(c, r) == seat ? w : 0;
    moves += board.IsLegalMove(seat, c, r);
  }
  const int32_t base = board.MoveCount() <= 48
                           ? 20 - 2 * weights + (seat == searching) * 3 * moves
                           : 64 - 2 * board.CountDiscs(seat);
  return seat == searching ? base : -base;
}

// Unpruned minimax as negamax, `sign` +1 where the searching seat's side
// maximises; the move count stays as it is. A pass costs a ply; a second
// pass in a row ends the line. `choice` gets the last cell in scan order of
// the best value, as column + 8 * row.
int32_t Minimax(const Board& board, int32_t seat, int32_t searching,
                int32_t sign, int32_t depth, bool moved, int32_t* choice) {
  if (depth == 0) return sign * ModelLeaf(board, seat, searching);
  const int32_t next = seat % board.SeatCount() + 1;
  int32_t best = -100000;
  for (int32_t i = 0; i < 64; ++i) {
    Board after = board;
    if (!after.PlaceMove(seat, i / 8, i % 8)) continue;
    after.SetPosition(after.cells(), board.SeatCount(), board.MoveCount());
    const int32_t v =
        -Minimax(after, next, searching, -sign, depth - 1, true, nullptr);
    if (v >= best && choice != nullptr) *choice = i / 8 + 8 * (i % 8);
    best = std::max(best, v);
  }
  if (best > -100000) return best;
  if (!moved) return sign * ModelLeaf(board, seat, searching);
  return -Minimax(board, next, searching, -sign, depth - 1, false, nullptr);
}

// With `filled` > 0: that many random cells given to random seats, MoveCount
// `moves` and a random seat in `*seat`; passes, double passes and seats
// without discs are common there. Otherwise random play from the start until
// `moves` discs are placed (fewer if the game ends), `*seat` the next seat
// that can move (0 when the game is over).
Board RandomPosition(std::mt19937& rng, int moves, int filled, int32_t* seat) {
  Board board;
  if (filled > 0) {
    Cells cells{};
    for (int k = 0; k < filled; ++k) cells[rng() % 64] = 1 + rng() % 4;
    board.SetPosition(cells, 4, moves);
    *seat = static_cast<int32_t>(1 + rng() % 4);
    return board;
  }
  SetUpNewGame(board);
  for (*seat = 1; !board.IsGameOver(); *seat = *seat % 4 + 1) {
    if (!board.HasLegalMove(*seat)) continue;
    if (board.MoveCount() >= moves) return board;
    uint32_t p = rng();
    while (!board.PlaceMove(*seat, p % 8, p / 8 % 8)) p = rng();
  }
  *seat = 0;
  return board;
}

void CountNode(void* nodes) { ++*static_cast<int32_t*>(nodes); }

// The chosen cell as column + 8 * row, or -1.
int32_t Choose(Searcher& searcher, Board& board, int32_t seat, int32_t depth) {
  int32_t column = 0, row = 0;
  searcher.ChooseMove(board, seat, depth, &column, &row);
  return column < 0 ? -1 : column + 8 * row;
}

// In the first, seat 1 can take (3,5) or (5,3), each turning one disc of
// seat 3, and the leaves tie: the later (5,3) wins. In the second, (6,3)
// turns seat 2's only disc (weight 2) and (3,5) does not, leaving seat 2's
// leaf 2W - 20 higher: the earlier cell is strictly better.
TEST(SearchTest, EqualRootValuesGoToTheLastCellInScanOrder) {
  const std::pair<Board, int32_t> cases[] = {
      {Discs({{1, 3, 3}, {3, 4, 3}, {3, 3, 4}}, 10), 5 + 8 * 3},
      {Discs({{1, 4, 1}, {2, 5, 2}, {1, 3, 3}, {3, 3, 4}}, 10), 3 + 8 * 5}};
  for (auto [board, expected] : cases) {
    for (Searcher searcher : {Searcher({}, Engine::kReference), Searcher()}) {
      EXPECT_EQ(Choose(searcher, board, 1, 1), expected);
    }
  }
}

// Depths below 1 count as 1; from move 48 the root depth doubles. The
// reference visits every node, passes included, so the node counts show
// the root depth. A seat without a move gets no search.
TEST(SearchTest, RootDepthDoublesFromMove48AndSeatsWithoutMovesSearchNothing) {
  const struct {
    int32_t move_count, depth, nodes;
  } cases[] = {{47, 6, 33}, {48, 6, 1425}, {10, 0, 3}, {48, -3, 5}};
  for (const auto& c : cases) {
    // Seat 1 has two moves; seats 2 and 4 have no discs.
    Board board = Discs({{1, 3, 3}, {3, 4, 3}, {3, 3, 4}}, c.move_count);
    int32_t nodes = 0;
    Searcher searcher({&CountNode, &nodes}, Engine::kReference);
    Choose(searcher, board, 1, c.depth);
    for (int32_t seat : {2, 4, 0, 5}) {  // no discs, then no seats
      EXPECT_EQ(Choose(searcher, board, seat, 6), -1) << seat;
    }
    EXPECT_EQ(nodes, c.nodes) << c.move_count;  // none for seats 2, 4, 0, 5
  }
}

// Random positions: their leaf scores against the model's, and the discs of
// the next seat that the fast engine's bitboards say a move can turn;
// searched by both engines, and where it is cheap by the unpruned model too,
// which also checks the reference's value. Sparse boards pass and double-pass
// often and leave seats without discs; late move counts there keep the doubled
// depth small.
TEST(SearchTest, FastEngineChoosesExactlyAsTheReferenceAndTheModel) {
  const struct {
    // Random cells (0: random play from the start), move count, depth and
    // seat count, each the first value plus (minus, for the seat count) a
    // random part below the second.
    int count, fill[2], moves[2], depth[2], seats[2];
    bool model;
  } kinds[] = {
      {160, {0, 1}, {0, 58}, {1, 2}, {4, 1}, true},       // SmallGame
      {80, {6, 20}, {0, 61}, {1, 2}, {4, 1}, true},       // SmallSparse
      {4000, {0, 1}, {0, 48}, {1, 6}, {4, 1}, false},     // MiddleGame
      {40, {0, 1}, {0, 48}, {7, 2}, {4, 1}, false},       // DeeperMiddleGame
      {1500, {0, 1}, {48, 10}, {6, 1}, {4, 1}, false},    // Endgame12Plies
      {6000, {4, 40}, {0, 48}, {1, 5}, {4, 1}, false},    // Sparse
      {2000, {4, 40}, {48, 13}, {1, 3}, {4, 1}, false},   // SparseLate
      {3000, {160, 1}, {48, 13}, {1, 6}, {4, 1}, false},  // CrowdedEnd
      {2000, {0, 1}, {0, 40}, {1, 5}, {3, 2}, false},     // TwoOrThreeSeats
  };
  std::mt19937 random(101);
  Searcher reference({}, Engine::kReference);
  Searcher fast;  // one for all: nothing may carry over between searches
  for (const auto& k : kinds) {
    for (int i = 0; i < k.count; ++i) {
      int32_t seat = 0;
      const int filled = k.fill[0] + random() % k.fill[1];
      Board board = RandomPosition(random, k.moves[0] + random() % k.moves[1],
                                   filled, &seat);
      const int32_t seats = k.seats[0] - random() % k.seats[1];
      if (seats != 4) {  // the other seats' discs stay where they are
        board.SetPosition(board.cells(), seats, board.MoveCount());
        seat = static_cast<int32_t>(1 + random() % seats);
      }
      const int32_t depth = k.depth[0] + random() % k.depth[1];
      if (seat == 0) continue;
      const Board before = board;
      const std::string what = ::testing::PrintToString(
          std::tuple(&k - kinds, i, BoardText(board.cells()), seat,
                     board.MoveCount(), depth));
      // The leaf score at both phases, of every seat for every searching
      // seat.
      for (int32_t n = 0; n < 32 && i % 4 == 0; ++n) {
        Board leaf;
        leaf.SetPosition(board.cells(), 4, 48 + n / 16);
        ASSERT_EQ(Evaluate(leaf, n % 4 + 1, n / 4 % 4 + 1),
                  ModelLeaf(leaf, n % 4 + 1, n / 4 % 4 + 1))
            << what << n;
      }
      // The next seat's discs that some move turns, as the fast engine's
      // bound near the leaves takes them.
      const Cells& cells = board.cells();
      const uint64_t target = bits::SeatSet(cells, seat % 4 + 1);
      uint64_t flippable = 0;
      for (int32_t n = 0; n < 64; ++n) {
        if (!board.IsLegalMove(seat, n / 8, n % 8)) continue;
        Board after = board;
        after.PlaceMove(seat, n / 8, n % 8);
        flippable |= target & ~bits::SeatSet(after.cells(), seat % 4 + 1);
      }
      const bits::TargetMoves sets = bits::FindTargetMoves(
          bits::SeatSet(cells, seat), bits::OccupiedSet(cells), target);
      ASSERT_EQ(sets.flippable, flippable) << what;
      const int32_t expected = Choose(reference, board, seat, depth);
      if (k.model) {  // at the root's depth
        const int32_t d = board.MoveCount() >= 48 ? 2 * depth : depth;
        int32_t model = -1;
        ReferenceSearch search(board, {}, seat, -1, 4);
        ASSERT_EQ(search.SearchNode(seat, true, d, true, -9999, 9999),
                  Minimax(board, seat, seat, 1, d, true, &model))
            << what;
        ASSERT_EQ(model, expected) << what;
      }
      ASSERT_EQ(Choose(fast, board, seat, depth), expected) << what;
      ASSERT_EQ(board, before) << what;  // cells, MoveCount and GameOn
    }
  }
}

}  // namespace
}  // namespace qf
