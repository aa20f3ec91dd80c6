#include <ostream>

#include "board/perft.h"
#include "board/start_position.h"
#include "tools/cli_args.h"

namespace qf::cli {

int RunPerft(const PerftArgs& args, std::ostream& out) {
  const int depth = args.depth;
  Board board;
  if (args.seats == 2) {
    SetUpTwoSeatStart(board);
  } else {
    SetUpNewGame(board);
  }
  const std::vector<uint64_t> counts = Perft(board, 1, depth);
  for (int d = 1; d <= depth; ++d) out << d << ' ' << counts[d - 1] << '\n';
  return 0;
}

}  // namespace qf::cli
