#include <ostream>

#include "board/perft.h"
#include "board/start_position.h"
#include "tools/cli_args.h"

namespace qf::cli {

int RunPerft(const std::vector<std::string>& args, std::istream&,
             std::ostream& out, std::ostream&) {
  const ParsedArgs parsed = ParseArgs(args, {"--seats"});
  ExpectPositionals(parsed, 1, "DEPTH");
  const int depth =
      static_cast<int>(ParseInteger(parsed.positional[0], "DEPTH", 1, 12));
  int64_t seats = 4;
  if (const auto text = parsed.Option("--seats")) {
    seats = ParseInteger(*text, "--seats", 2, 4);
    if (seats == 3) throw UsageError("--seats must be 2 or 4");
  }
  Board board;
  if (seats == 2) {
    SetUpTwoSeatStart(board);
  } else {
    SetUpNewGame(board);
  }
  const std::vector<uint64_t> counts = Perft(board, 1, depth);
  for (int d = 1; d <= depth; ++d) out << d << ' ' << counts[d - 1] << '\n';
  return 0;
}

}  // namespace qf::cli
