// The commands of quadriflank-cli with their typed arguments. The command
// line itself is declared and parsed in cli.cpp.
#ifndef QUADRIFLANK_TOOLS_CLI_ARGS_H_
#define QUADRIFLANK_TOOLS_CLI_ARGS_H_

#include <cstdint>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ai/searcher.h"

namespace qf::cli {

// A usage error found once the arguments are parsed (exit status 2).
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct SearchOptions {
  int32_t depth = kSearchDepth;
  Engine engine = Engine::kFast;
};

struct PerftArgs {
  int32_t depth = 1;
  int32_t seats = 4;
};

// BOARD SEAT MOVECOUNT as given; they are checked like a line of `moves`.
struct MoveArgs {
  std::string board, seat, move_count;
  SearchOptions search;
};

struct SelfplayArgs {
  int32_t opening_moves = 0;
  uint32_t seed = 0;
  Engine engine = Engine::kFast;
};

struct RouletteArgs {
  uint32_t seed = 0;
  int64_t ticks = 0;
};

struct SoakArgs {
  int64_t games = 10;
  uint32_t seed = 1;
  int32_t depth = kSearchDepth;
};

// Each command returns its exit status.
int RunPerft(const PerftArgs& args, std::ostream& out);
int RunMove(const MoveArgs& args, std::ostream& out);
int RunMoves(const SearchOptions& options, std::istream& in, std::ostream& out,
             std::ostream& err);
int RunSelfplay(const SelfplayArgs& args, std::ostream& out, std::ostream& err);
int RunRoulette(const RouletteArgs& args, std::ostream& out);
int RunBench(int32_t depth, std::ostream& out, std::ostream& err);
int RunSoak(const SoakArgs& args, std::ostream& out, std::ostream& err);

// Writes "WHERE: MESSAGE" as one line, with what MESSAGE quotes from the
// input escaped (EscapeText).
void PrintError(std::ostream& err, std::string_view where,
                std::string_view message);

// The whole tool, for main() and for tests: returns the exit status, 2 for
// any usage error.
int RunCli(const std::vector<std::string>& args, std::istream& in,
           std::ostream& out, std::ostream& err);

}  // namespace qf::cli

#endif  // QUADRIFLANK_TOOLS_CLI_ARGS_H_
