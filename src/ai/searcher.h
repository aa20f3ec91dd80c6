// The computer player's move choice: one entry point over two engines that
// always agree on the chosen cell.
#ifndef QUADRIFLANK_AI_SEARCHER_H_
#define QUADRIFLANK_AI_SEARCHER_H_

#include <cstdint>

#include "ai/fast_search.h"
#include "ai/search_types.h"
#include "board/board.h"

namespace qf {

// Depth the game passes for every computer move.
inline constexpr int32_t kSearchDepth = 6;

// ChooseMove takes depths below 1 as 1 and above this as this: a depth of 0
// would make the root a leaf and leave no move to answer, and the bound
// keeps the doubled root depth and the recursion small.
inline constexpr int32_t kMaxSearchDepth = 60;

enum class Engine {
  kFast,       // the default: same cells, far fewer nodes
  kReference,  // plain fixed-depth alpha-beta, the definition of the choice
};

class Searcher {
 public:
  explicit Searcher(NodeHook hook = {}, Engine engine = Engine::kFast)
      : hook_(hook), engine_(engine) {}

  // Chooses a move for `seat` on `board` (SeatCount and MoveCount as set
  // there; a SeatCount outside 1..4 is taken as 4). Outputs -1, -1 when the
  // seat has no legal move, and searches nothing then. The root depth is
  // `depth`, doubled from MoveCount 48 on. The board is left exactly as it
  // was found. Both engines choose the same cell; the hook runs on entry to
  // every node visited.
  void ChooseMove(Board& board, int32_t seat, int32_t depth, int32_t* column,
                  int32_t* row);

 private:
  NodeHook hook_;
  Engine engine_;
  FastSearch fast_;  // scratch memory kept between searches
};

}  // namespace qf

#endif  // QUADRIFLANK_AI_SEARCHER_H_
