// The selfplay command: one whole game of four computer players.
#include <ostream>
#include <random>

#include "board/board_text.h"
#include "board/start_position.h"
#include "tools/cli_args.h"
#include "tools/engine_common.h"

namespace qf::cli {

int RunSelfplay(const SelfplayArgs& args, std::ostream& out,
                std::ostream& err) {
  std::mt19937 random(args.seed);
  Searcher searcher({}, args.engine);
  Board board;
  SetUpNewGame(board);
  const auto choose = [&](Board& now, int32_t seat) {
    if (now.MoveCount() < args.opening_moves) {
      return RandomMove(now, seat, random);
    }
    Coord cell{-1, -1};
    searcher.ChooseMove(now, seat, kSearchDepth, &cell.column, &cell.row);
    return cell;
  };
  const auto print = [&out](const Board&, int32_t seat,
                            std::optional<Coord> cell) {
    if (cell) {
      out << seat << ' ' << cell->column << ' ' << cell->row << '\n';
    } else {
      out << seat << " pass\n";
    }
  };
  if (!PlayGame(board, choose, print)) {
    err << "quadriflank-cli selfplay: the board refused the chosen cell\n";
    return 1;
  }
  out << "COUNTS";
  for (int32_t seat = 1; seat <= 4; ++seat) {
    out << ' ' << board.CountDiscs(seat);
  }
  out << "\nBOARD " << BoardText(board.cells()) << '\n';
  return 0;
}

}  // namespace qf::cli
