// The move and moves commands: the computer player's choice for given
// positions.
#include <istream>
#include <ostream>
#include <sstream>

#include "tools/cli_args.h"
#include "tools/engine_common.h"

namespace qf::cli {

int RunMove(const MoveArgs& args, std::ostream& out) {
  PositionQuery query;
  std::string error;
  if (!ParsePositionQuery(args.board, args.seat, args.move_count, query,
                          error)) {
    throw UsageError(error);
  }
  out << AnswerQuery(query, args.search) << '\n';
  return 0;
}

int RunMoves(const SearchOptions& options, std::istream& in, std::ostream& out,
             std::ostream& err) {
  int status = 0;
  std::string line;
  for (int64_t number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream fields(line);
    std::string board_text, seat, move_count, extra;
    std::string error;
    PositionQuery query;
    bool ok = false;
    if (!(fields >> board_text >> seat >> move_count)) {
      error = "expected BOARD SEAT MOVECOUNT";
    } else if (fields >> extra) {
      error = "unexpected field '" + extra + "' after MOVECOUNT";
    } else {
      ok = ParsePositionQuery(board_text, seat, move_count, query, error);
    }
    if (!ok) {
      PrintError(err, "quadriflank-cli moves: line " + std::to_string(number),
                 error);
      out << "error\n";
      status = 1;
      continue;
    }
    // Flushed per line so that a program driving the tool can wait for
    // each answer.
    out << AnswerQuery(query, options) << std::endl;
  }
  return status;
}

}  // namespace qf::cli
