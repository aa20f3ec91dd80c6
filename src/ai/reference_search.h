// The reference search: plain fixed-depth alpha-beta over the four seats in
// turn, with bounds from the parent only and moves in scan order. Its choice
// defines what every engine must answer.
#ifndef QUADRIFLANK_AI_REFERENCE_SEARCH_H_
#define QUADRIFLANK_AI_REFERENCE_SEARCH_H_

#include <cstdint>

#include "ai/search_types.h"
#include "board/board.h"

namespace qf {

class ReferenceSearch {
 public:
  // `seat_count` gives the next-seat rule (s mod seat_count + 1).
  ReferenceSearch(Board& board, NodeHook hook, int32_t searching_seat,
                  int32_t root_depth, int32_t seat_count)
      : board_(board),
        hook_(hook),
        searching_seat_(searching_seat),
        root_depth_(root_depth),
        seat_count_(seat_count) {}

  // At the root (depth == root depth) answers the chosen cell as
  // its ReadingIndex, elsewhere the node's score. `previous_moved` tells
  // whether the ply before this node placed a disc (rather than passed).
  int32_t SearchNode(int32_t seat, bool maximising, int32_t depth,
                     bool previous_moved, int32_t alpha, int32_t beta);

 private:
  Board& board_;
  NodeHook hook_;
  int32_t searching_seat_;
  int32_t root_depth_;
  int32_t seat_count_;
};

}  // namespace qf

#endif  // QUADRIFLANK_AI_REFERENCE_SEARCH_H_
