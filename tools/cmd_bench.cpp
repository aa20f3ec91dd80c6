// The bench command: both engines over a fixed set of positions, with their
// node counts and times, and the reference's node total as a signature of
// the search's behaviour; then the slowest move choice of whole games.
#include <chrono>
#include <cstdio>
#include <ostream>
#include <random>
#include <utility>
#include <vector>

#include "board/start_position.h"
#include "tools/cli_args.h"
#include "tools/engine_common.h"

namespace qf::cli {
namespace {

struct EngineRun {
  uint64_t nodes = 0;
  double seconds = 0;
  std::vector<int32_t> cells;
};

// Each engine's pass is timed in up to kTimingRounds rounds, stopping once
// kTimingBudget seconds have gone; the fastest round counts, which keeps
// other load on the machine out of the figures as far as possible.
constexpr int kTimingRounds = 5;
constexpr double kTimingBudget = 2.0;

EngineRun RunEngine(std::vector<PositionQuery>& positions, Engine engine,
                    int32_t depth) {
  EngineRun run;
  double spent = 0;
  for (int round = 0; round < kTimingRounds && spent < kTimingBudget; ++round) {
    NodeCounter counter;
    Searcher searcher(counter.Hook(), engine);
    std::vector<int32_t> cells;
    const auto start = std::chrono::steady_clock::now();
    for (PositionQuery& query : positions) {
      int32_t column = -1;
      int32_t row = -1;
      searcher.ChooseMove(query.board, query.seat, depth, &column, &row);
      cells.push_back(ReadingIndex(column, row));
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
            .count();
    spent += seconds;
    if (round == 0 || seconds < run.seconds) run.seconds = seconds;
    run.nodes = counter.nodes;
    run.cells = std::move(cells);
  }
  return run;
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// The program searches on the window's own thread, so its slowest single
// move choice is how long the window may wait on a search. It is measured
// over whole games as the program plays them, the default engine at the
// game's depth for every seat; game g opens with g % 60 random moves, so
// that every phase of a game is searched from many positions.
constexpr int kSlowestGames = 200;

struct SlowestChoice {
  double seconds = 0;
  int game = 0;
  int32_t move_count = 0;
};

SlowestChoice FindSlowestChoice() {
  SlowestChoice slowest;
  std::mt19937 random(kBenchSeed);
  for (int game = 0; game < kSlowestGames; ++game) {
    Board board;
    SetUpNewGame(board);
    Searcher searcher;
    // The searcher's choices are always legal, which the board takes.
    static_cast<void>(PlayGame(board, [&](Board& now, int32_t seat) {
      if (now.MoveCount() < game % 60) return RandomMove(now, seat, random);
      Coord cell{-1, -1};
      const auto start = std::chrono::steady_clock::now();
      searcher.ChooseMove(now, seat, kSearchDepth, &cell.column, &cell.row);
      const double seconds = std::chrono::duration<double>(
                                 std::chrono::steady_clock::now() - start)
                                 .count();
      if (seconds > slowest.seconds) slowest = {seconds, game, now.MoveCount()};
      return cell;
    }));
  }
  return slowest;
}

void PrintRun(std::ostream& out, const char* name, const EngineRun& run) {
  const double rate = run.seconds > 0 ? run.nodes / run.seconds : 0;
  out << name << " nodes " << run.nodes << " time " << Fixed(run.seconds, 3)
      << " s nodes/s " << Fixed(rate, 0) << '\n';
}

}  // namespace

int RunBench(int32_t depth, std::ostream& out, std::ostream& err) {
  std::vector<PositionQuery> positions = BenchPositions();
  out << "positions " << positions.size() << " depth " << depth << '\n';
  const EngineRun reference = RunEngine(positions, Engine::kReference, depth);
  PrintRun(out, "reference", reference);
  const EngineRun fast = RunEngine(positions, Engine::kFast, depth);
  PrintRun(out, "fast", fast);
  out << "speed ratio "
      << Fixed(fast.seconds > 0 ? reference.seconds / fast.seconds : 0, 1)
      << '\n';
  int mismatches = 0;
  for (size_t i = 0; i < positions.size(); ++i) {
    mismatches += reference.cells[i] != fast.cells[i] ? 1 : 0;
  }
  out << "mismatches " << mismatches << '\n';
  out << "signature " << reference.nodes << '\n';
  const SlowestChoice slowest = FindSlowestChoice();
  out << "slowest move choice " << Fixed(slowest.seconds * 1000, 2) << " ms of "
      << kSlowestGames << " games (game " << slowest.game << ", move count "
      << slowest.move_count << ")\n";
  if (mismatches != 0) {
    err << "quadriflank-cli bench: the engines chose different cells on "
        << mismatches << " positions\n";
    return 1;
  }
  return 0;
}

}  // namespace qf::cli
