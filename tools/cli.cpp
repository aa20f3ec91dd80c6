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
      The computer player's choice for SEAT (1..4) with MOVECOUNT (0..60)
      placed moves and four seats: prints COLUMN ROW NODES, NODES the search
      nodes entered, root included; "-1 -1 0" when SEAT cannot move.
      --depth 1..12 (default 6; doubled from MOVECOUNT 48 on); --engine
      fast (default) or reference choose the same cell.
  moves [--depth N] [--engine fast|reference]
      The same for every line "BOARD SEAT MOVECOUNT" on standard input, one
      answer line each; a bad line answers "error" with the reason on
      standard error, and the exit status is then 1.
  selfplay [--opening-moves K --seed S] [--engine fast|reference]
      One whole game of four computer players at depth 6: "SEAT COLUMN ROW"
      or "SEAT pass" per turn, then "COUNTS c1 c2 c3 c4" and "BOARD text".
      The first K (0..60) placed moves are drawn from std::mt19937 seeded
      with S (0..4294967295): its next output modulo the number of legal
      cells, counted column by column, row by row within a column.
  roulette SEED TICKS
      The playing order after each of TICKS roulette ticks from SEED.
  bench [--depth N]
      Both engines over 240 fixed positions from seeded random games (depth
      default 6): nodes, best-of-rounds time and nodes per second of each,
      the speed ratio, and "signature NODES", the reference's node total.
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
