// The selfplay command: one whole game of four computer players.
#include <ostream>
#include <random>

#include "board/board_text.h"
#include "board/start_position.h"
#include "tools/cli_args.h"
#include "tools/engine_common.h"

namespace qf::cli {

int RunSelfplay(const SelfplayArgs& args, std::ostream& out) {
  std::mt19937 random(args.seed);
  Searcher searcher({}, args.engine);
  Board board;
  SetUpNewGame(board);
  for (int32_t seat = 1; !board.IsGameOver(); seat = seat % 4 + 1) {
    if (!board.HasLegalMove(seat)) {
      out << seat << " pass\n";
      continue;
    }
    int32_t column = -1;
    int32_t row = -1;
    if (board.MoveCount() < args.opening_moves) {
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
