#include <array>
#include <iostream>
#include <string_view>

#include "tools/cli_args.h"

namespace qf::cli {
namespace {

constexpr std::string_view kUsage =
    R"(usage: quadriflank-cli COMMAND [ARGS]

Commands:
  perft DEPTH [--seats 2|4]
      Positions reached after exactly d placed discs, d = 1..DEPTH (1..12).
  move BOARD SEAT MOVECOUNT [--depth N] [--engine fast|reference]
      The computer player's choice: prints COLUMN ROW NODES.
  moves [--depth N] [--engine fast|reference]
      The same for every line "BOARD SEAT MOVECOUNT" on standard input.
  selfplay [--opening-moves K --seed S] [--engine fast|reference]
      One whole game of four computer players.
  roulette SEED TICKS
      The playing order after each of TICKS roulette ticks from SEED.
  bench [--depth N]
      Both engines over the fixed benchmark positions.
  soak [--games N] [--seed S] [--depth D]
      N self-play games from seeded random openings, every move checked
      against the rules' invariants and the reference engine.

BOARD is 64 characters in reading order (row 0 first, each row from column
0): '.' for an empty cell, '1'..'4' for a disc of that seat.
Options: --help prints this text.
)";

struct Entry {
  std::string_view name;
  Command run;
};

constexpr std::array<Entry, 7> kCommands = {{
    {"perft", RunPerft},
    {"move", RunMove},
    {"moves", RunMoves},
    {"selfplay", RunSelfplay},
    {"roulette", RunRoulette},
    {"bench", RunBench},
    {"soak", RunSoak},
}};

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in,
           std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << "quadriflank-cli: missing command\n" << kUsage;
    return 2;
  }
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      out << kUsage;
      return 0;
    }
  }
  for (const Entry& entry : kCommands) {
    if (entry.name != args[0]) continue;
    try {
      return entry.run({args.begin() + 1, args.end()}, in, out, err);
    } catch (const UsageError& e) {
      err << "quadriflank-cli " << entry.name << ": " << e.what() << "\n"
          << kUsage;
      return 2;
    }
  }
  err << "quadriflank-cli: unknown command '" << args[0] << "'\n" << kUsage;
  return 2;
}

}  // namespace qf::cli
