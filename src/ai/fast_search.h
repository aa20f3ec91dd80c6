// The fast engine: the same choice as the reference search, found with
// bitboards, full alpha-beta with bounds from every ancestor (principal
// variation search), move ordering, a transposition table that lives for
// one search and, near the leaves, cut-offs on bounds that the scored
// seat's discs alone give; one ply above the leaves, only the moves that
// turn the scored seat's discs are scored one by one.
#ifndef QUADRIFLANK_AI_FAST_SEARCH_H_
#define QUADRIFLANK_AI_FAST_SEARCH_H_

#include <array>
#include <cstdint>
#include <vector>

#include "ai/bitboard.h"
#include "ai/search_types.h"
#include "board/board.h"

namespace qf {

class FastSearch {
 public:
  // Whether Run can take this position: cells 0..4, seat and seat count
  // 1..4. Anything else goes to the reference search.
  static bool Supports(const Board& board, int32_t seat, int32_t seat_count);

  // The chosen cell by ReadingIndex, exactly the reference's choice for
  // the same arguments. `seat` must have a legal move. Reads the board and
  // never writes it.
  int32_t Run(const Board& board, int32_t seat, int32_t root_depth,
              int32_t seat_count, NodeHook hook);

 private:
  // The key is the discs of all seats, the seat to move and the remaining
  // depth; within one search the depth also fixes maximising, and only
  // nodes with a move are stored, whose value does not depend on whether
  // the previous ply was a pass.
  struct Entry {
    std::array<uint64_t, kMaxSeats> discs;
    uint32_t stamp;  // the search that wrote it; others are empty
    int16_t value;
    uint8_t depth;
    uint8_t seat;
    uint8_t bound;
    uint8_t best;
  };

  // Scores are negamax: a node where the reference minimises holds minus
  // the reference's score, so that every node maximises.
  int32_t Search(int32_t seat, int32_t depth, bool previous_moved,
                 int32_t alpha, int32_t beta);
  // A node one ply above the leaves, with its legal moves.
  int32_t SearchLeafParent(int32_t seat, uint64_t moves, int32_t beta);
  // The same where the leaf score depends on the next seat's discs alone,
  // with the moves sorted by what they do to those discs.
  int32_t SearchTargetLeafParent(int32_t seat, const bits::TargetMoves& sets,
                                 int32_t alpha, int32_t beta);
  // The reference's leaf score (Evaluate) for `seat` to move holding
  // `discs`; `occupied` is read only for the searching seat's mobility.
  int32_t LeafScore(int32_t seat, uint64_t discs, uint64_t occupied) const;
  // +1 where the reference maximises, -1 where it minimises.
  int32_t Sign(int32_t depth) const {
    return ((depth ^ root_depth_) & 1) == 0 ? 1 : -1;
  }
  uint64_t Occupied() const {
    return discs_[0] | discs_[1] | discs_[2] | discs_[3];
  }
  void MakeMove(int32_t seat, int index, uint64_t flips);
  // Bounds of the leaf score of `leaf_seat` once any of its discs but the
  // corners may have turned and it has made no move; false when there is
  // no cheap bound.
  bool LeafBounds(int32_t leaf_seat, int32_t* low, int32_t* high) const;
  // Bounds of the negamax value of a node at `depth` with `seat` to move
  // and a legal move, for depth below the seat count; false when there is
  // no cheap bound.
  bool SubtreeBounds(int32_t seat, int32_t depth, int32_t* low,
                     int32_t* high) const;
  // The root's moves, most promising first, with the discs each turns.
  int OrderRootMoves(int32_t seat, uint64_t moves, uint8_t* order,
                     uint64_t* flip_sets) const;
  Entry& Slot(int32_t seat, int32_t depth);

  std::array<uint64_t, kMaxSeats> discs_{};  // by seat - 1
  std::array<int32_t, kMaxSeats + 1> next_seat_{};
  NodeHook hook_;
  int32_t searching_seat_ = 0;
  int32_t root_depth_ = 0;
  bool disc_phase_ = false;
  uint32_t stamp_ = 0;
  int32_t seat_count_ = 0;
  // The last move that cut off one ply above the leaves: sibling positions
  // differ by one move, so it often cuts again.
  int killer_ = kCellCount;
  // Cut-off counts by seat and cell, for ordering.
  std::array<std::array<uint32_t, kCellCount>, kMaxSeats + 1> history_{};
  std::vector<Entry> table_;
};

}  // namespace qf

#endif  // QUADRIFLANK_AI_FAST_SEARCH_H_
