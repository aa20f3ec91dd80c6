// The selfplay command: one whole game of four computer players.
#include <ostream>
#include <random>

#include "board/board_text.h"
#include "board/start_position.h"
#include "tools/cli_args.h"
#include "tools/engine_common.h"

namespace qf::cli {

int RunSelfplay(const std::vector<std::string>& args, std::istream&,
                std::ostream& out, std::ostream&) {
  const ParsedArgs parsed =
      ParseArgs(args, {"--opening-moves", "--seed", "--engine"});
  ExpectPositionals(parsed, 0, "no arguments");
  const auto opening_text = parsed.Option("--opening-moves");
  const auto seed_text = parsed.Option("--seed");
  if (opening_text.has_value() != seed_text.has_value()) {
    throw UsageError("--opening-moves and --seed go together");
  }
  int64_t opening_moves = 0;
  uint32_t seed = 0;
  if (opening_text) {
    opening_moves = ParseInteger(*opening_text, "--opening-moves", 0, 60);
    seed = static_cast<uint32_t>(
        ParseInteger(*seed_text, "--seed", 0, 4294967295LL));
  }
  Engine engine = Engine::kFast;
  if (const auto text = parsed.Option("--engine")) engine = ParseEngine(*text);

  std::mt19937 random(seed);
  Searcher searcher({}, engine);
  Board board;
  SetUpNewGame(board);
  for (int32_t seat = 1; !board.IsGameOver(); seat = seat % 4 + 1) {
    if (!board.HasLegalMove(seat)) {
      out << seat << " pass\n";
      continue;
    }
    int32_t column = -1;
    int32_t row = -1;
    if (board.MoveCount() < opening_moves) {
      RandomMove(board, seat, random, &column, &row);
    } else {
      searcher.ChooseMove(board, seat, kSearchDepth, &column, &row);
    }
    board.PlaceMove(seat, column, row);
    out << seat << ' ' << column << ' ' << row << '\n';
  }
  out << "COUNTS";
  for (int32_t seat = 1; seat <= 4; ++seat)
    out << ' ' << board.CountDiscs(seat);
  out << "\nBOARD " << BoardText(board.cells()) << '\n';
  return 0;
}

}  // namespace qf::cli
