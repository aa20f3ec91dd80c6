// Self-play under checks: every move of every game is verified against the
// rules' invariants and against the reference engine.
#include <ostream>
#include <random>
#include <string>

#include "ai/searcher.h"
#include "board/board_text.h"
#include "board/start_position.h"
#include "tools/cli_args.h"
#include "tools/engine_common.h"

namespace qf::cli {
namespace {

struct SoakFailure {
  std::string what;
};

int32_t DiscTotal(const Board& board) {
  int32_t total = 0;
  for (int32_t seat = 1; seat <= 4; ++seat) total += board.CountDiscs(seat);
  return total;
}

void Check(bool ok, const std::string& what) {
  if (!ok) throw SoakFailure{what};
}

// Chooses with both engines and checks they agree and leave the board alone.
Coord ChooseChecked(Board& board, int32_t seat, int32_t depth) {
  const Board before = board;
  Searcher fast({}, Engine::kFast);
  Searcher reference({}, Engine::kReference);
  Coord cell{-1, -1};
  Coord ref{-1, -1};
  fast.ChooseMove(board, seat, depth, &cell.column, &cell.row);
  Check(board == before, "the fast engine changed the board");
  reference.ChooseMove(board, seat, depth, &ref.column, &ref.row);
  Check(board == before, "the reference engine changed the board");
  Check(cell.column == ref.column && cell.row == ref.row,
        "engines disagree: fast " + std::to_string(cell.column) + "," +
            std::to_string(cell.row) + ", reference " +
            std::to_string(ref.column) + "," + std::to_string(ref.row));
  Check(cell.column >= 0 && board.IsLegalMove(seat, cell.column, cell.row),
        "the chosen cell is not a legal move");
  return cell;
}

// Plays one game; returns the number of moves checked.
int PlayOne(uint32_t game_seed, int32_t depth, std::ostream& out) {
  std::mt19937 rng(game_seed);
  const int opening_moves = static_cast<int>(rng() % 24);
  Board board;
  SetUpNewGame(board);
  int32_t seat = 1;  // the seat choosing or last played
  int moves = 0;
  std::string history;
  const auto choose = [&](Board& now, int32_t mover) {
    seat = mover;
    const Coord cell = moves < opening_moves ? RandomMove(now, mover, rng)
                                             : ChooseChecked(now, mover, depth);
    history.append(1, ' ')
        .append(std::to_string(mover))
        .append(1, ':')
        .append(std::to_string(cell.column))
        .append(1, ',')
        .append(std::to_string(cell.row));
    return cell;
  };
  const auto check = [&](const Board& now, int32_t mover,
                         std::optional<Coord> cell) {
    seat = mover;
    if (!cell) return;
    ++moves;
    Check(now.MoveCount() == moves, "MoveCount is off");
    Check(DiscTotal(now) == 8 + moves, "disc total is not 8 + moves placed");
  };
  try {
    Check(PlayGame(board, choose, check), "PlaceMove refused");
    for (int32_t s = 1; s <= 4; ++s) {
      Check(!board.HasLegalMove(s), "a seat can still move after the end");
    }
  } catch (const SoakFailure& failure) {
    out << "FAIL game seed " << game_seed << " after " << moves
        << " moves: " << failure.what << "\n  board "
        << BoardText(board.cells()) << "\n  seat " << seat << " move count "
        << board.MoveCount() << "\n  moves" << history << '\n';
    throw;
  }
  return moves;
}

}  // namespace

int RunSoak(const SoakArgs& args, std::ostream& out, std::ostream& err) {
  const int64_t games = args.games;
  const uint32_t seed = args.seed;
  const int32_t depth = args.depth;
  std::mt19937 seeds(seed);
  int64_t total_moves = 0;
  for (int64_t game = 0; game < games; ++game) {
    const uint32_t game_seed = seeds();
    try {
      total_moves += PlayOne(game_seed, depth, out);
    } catch (const SoakFailure&) {
      err << "soak: game " << game + 1 << " of " << games << " failed (--seed "
          << seed << ", game seed " << game_seed << ", --depth " << depth
          << ")\n";
      return 1;
    }
  }
  out << "soak: " << games << " games, " << total_moves
      << " moves checked, 0 failures (--seed " << seed << ", --depth " << depth
      << ")\n";
  return 0;
}

}  // namespace qf::cli
