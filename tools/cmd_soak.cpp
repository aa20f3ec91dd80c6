// Self-play under checks: every move of every game is verified against the
// rules' invariants and against the reference engine.
#include <ostream>
#include <random>
#include <string>

#include "ai/searcher.h"
#include "board/board_text.h"
#include "board/start_position.h"
#include "tools/cli_args.h"

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
void ChooseChecked(Board& board, int32_t seat, int32_t depth, int32_t* column,
                   int32_t* row) {
  const Board before = board;
  Searcher fast({}, Engine::kFast);
  Searcher reference({}, Engine::kReference);
  int32_t ref_column = -1;
  int32_t ref_row = -1;
  fast.ChooseMove(board, seat, depth, column, row);
  Check(board == before, "the fast engine changed the board");
  reference.ChooseMove(board, seat, depth, &ref_column, &ref_row);
  Check(board == before, "the reference engine changed the board");
  Check(*column == ref_column && *row == ref_row,
        "engines disagree: fast " + std::to_string(*column) + "," +
            std::to_string(*row) + ", reference " + std::to_string(ref_column) +
            "," + std::to_string(ref_row));
  Check(*column >= 0 && board.IsLegalMove(seat, *column, *row),
        "the chosen cell is not a legal move");
}

// Plays one game; returns the number of moves checked.
int PlayOne(uint32_t game_seed, int32_t depth, std::ostream& out) {
  std::mt19937 rng(game_seed);
  const int opening_moves = static_cast<int>(rng() % 24);
  Board board;
  SetUpNewGame(board);
  int32_t seat = 1;
  int moves = 0;
  std::string history;
  try {
    while (!board.IsGameOver()) {
      if (board.HasLegalMove(seat)) {
        int32_t column = -1;
        int32_t row = -1;
        if (moves < opening_moves) {
          int legal = 0;
          for (int32_t c = 0; c < 8; ++c) {
            for (int32_t r = 0; r < 8; ++r) {
              if (board.IsLegalMove(seat, c, r) && rng() % ++legal == 0) {
                column = c;
                row = r;
              }
            }
          }
        } else {
          ChooseChecked(board, seat, depth, &column, &row);
        }
        history.append(1, ' ')
            .append(std::to_string(seat))
            .append(1, ':')
            .append(std::to_string(column))
            .append(1, ',')
            .append(std::to_string(row));
        Check(board.PlaceMove(seat, column, row), "PlaceMove refused");
        ++moves;
        Check(board.MoveCount() == moves, "MoveCount is off");
        Check(DiscTotal(board) == 8 + moves,
              "disc total is not 8 + moves placed");
      }
      seat = seat % 4 + 1;
    }
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
