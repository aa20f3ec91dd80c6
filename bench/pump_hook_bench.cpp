// What keeping the window alive costs a search: the bench positions searched
// with the game's own pump hook (the turn controller's, pumping the Qt shell
// of a real main window) against a hook that does nothing.
//   pump_hook_bench [ROUNDS]   fastest of ROUNDS rounds per figure (default 5)
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ai/searcher.h"
#include "game/turn_controller.h"
#include "tools/engine_common.h"
#include "ui/program.h"

namespace {

using qf::cli::PositionQuery;

struct Pass {
  double seconds = 0;
  std::vector<int32_t> cells;
};

Pass Search(const std::vector<PositionQuery>& positions,
            qf::Searcher& searcher) {
  Pass pass;
  const auto start = std::chrono::steady_clock::now();
  for (const PositionQuery& query : positions) {
    qf::Board board = query.board;
    int32_t column = -1;
    int32_t row = -1;
    searcher.ChooseMove(board, query.seat, qf::kSearchDepth, &column, &row);
    pass.cells.push_back(column + 8 * row);
  }
  pass.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
          .count();
  return pass;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
  if (argc > 2 || rounds < 1) {
    std::fprintf(stderr, "usage: pump_hook_bench [ROUNDS >= 1]\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  int qt_argc = 1;
  char* qt_argv[] = {argv[0], nullptr};
  QApplication app(qt_argc, qt_argv);

  qf::Program program;  // its game flow installs the game's hook
  program.window.show();

  const std::vector<PositionQuery> positions = qf::cli::BenchPositions();
  std::printf("positions %zu depth %d rounds %d\n", positions.size(),
              qf::kSearchDepth, rounds);
  int status = 0;
  for (qf::Engine engine : {qf::Engine::kFast, qf::Engine::kReference}) {
    qf::Searcher& pumped = program.state.searcher;
    pumped.set_engine(engine);
    qf::Searcher plain({}, engine);
    double best_plain = 1e30;
    double best_pumped = 1e30;
    for (int round = 0; round < rounds; ++round) {
      const Pass a = Search(positions, plain);
      const Pass b = Search(positions, pumped);
      if (a.cells != b.cells) {
        std::fprintf(stderr, "pump_hook_bench: the hook changed a choice\n");
        status = 1;
      }
      best_plain = std::min(best_plain, a.seconds);
      best_pumped = std::min(best_pumped, b.seconds);
    }
    std::printf("%s no-op hook %.4f s pump hook %.4f s overhead %+.1f %%\n",
                engine == qf::Engine::kFast ? "fast" : "reference", best_plain,
                best_pumped, 100.0 * (best_pumped - best_plain) / best_plain);
  }
  return status;
}
