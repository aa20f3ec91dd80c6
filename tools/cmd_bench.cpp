// The bench command: both engines over a fixed set of positions, with their
// node counts and times, and the reference's node total as a signature of
// the search's behaviour.
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
  if (mismatches != 0) {
    err << "quadriflank-cli bench: the engines chose different cells on "
        << mismatches << " positions\n";
    return 1;
  }
  return 0;
}

}  // namespace qf::cli
