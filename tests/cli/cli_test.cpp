// quadriflank-cli through RunCli: exit statuses, usage errors and the input
// they quote, the lines of `moves`, --version, the bench signature and a
// whole selfplay game. The README's examples pin the other answers
// (readme_examples.py).
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tools/cli_args.h"

namespace qf::cli {
namespace {

struct Case {
  int status;
  std::vector<std::string> args;
  std::string expect;  // appears in stdout followed by stderr
  std::string in = "";
};

TEST(CliTest, ExitStatusesAndWhatEachCommandPrints) {
  // The start position, and one with 56 discs where seat 3 can move.
  const auto s = std::string(25, '.') + "11..33..22..44" + std::string(25, '.');
  const std::string late =
      ".33334222.32432223.42232211.24232114.24224444.22244422.22222222.";
  const Case cases[] = {
      {2, {}, "quadriflank-cli: missing command\n"},
      {2, {"fr\x07\xc3\xa9\xff"}, "command 'fr\\x07\xc3\xa9\\xff'\n"},
      {2, {"--versio"}, "quadriflank-cli: unknown option '--versio'\n"},
      {2, {"perft", "--frob=1"}, "perft: unknown option '--frob'\n"},
      {2, {"perft", "3", "--seats", "3"}, "perft: --seats: 3 not"},
      {0, {"perft", "--", "1"}, "1 4\n"},  // "--" ends the options
      {2, {"perft", "3\u202e"}, "plain decimal digits, got '3\\u202e'\n"},
      {2, {"move", s, "1", "48"}, "48 is not the board's discs minus 8: 8 d"},
      {2, {"move", late, "3", "47"}, "47 is not the board's discs minus 8: 56"},
      {2, {"move", s, "1", "-0"}, "MOVECOUNT must be plain decimal digits"},
      {2, {"move", s, "\u200b1", "0"}, "digits, got '\\u200b1'\n"},
      // Board text counts characters: 64 here, in 65 bytes.
      {2, {"move", s.substr(1) + "é", "1", "0"}, "character 64 'é' is not a"},
      {2, {"move", s.substr(1) + "\xe9", "1", "0"}, "64 '\\xe9' is not a"},
      {2, {"move", s, "1", "0", "--depth", "13"}, "--depth: Value 13"},
      {2, {"move", s, "1", "0", "--engine", "slow"}, "got 'slow'"},
      {2, {"moves", "--seed", "1"}, "unknown option '--seed'"},
      {2, {"selfplay", "--seed", "3"}, "--seed requires"},
      {2, {"roulette", "4294967296", "1"}, "SEED: Value 4294967296"},
      {2, {"roulette", " 1", "1"}, "SEED: must be plain decimal digits"},
      {0, {"roulette", "1", "010"}, "2 3 1 0\n1 2 3 0\n"},  // not octal
      {2, {"soak", "--games", "0x3"}, "--games: must be plain decimal digits"},
      {2, {"soak", "--depth", "9", "x"}, "--depth: Value 9"},
      {0, {"--version"}, "quadriflank-cli " QF_VERSION "\n"},
      {0, {"move", "--help"}, "Usage: quadriflank-cli move [OPTIONS] BOARD"},
      // Bad lines answer "error"; the last line's MOVECOUNT doubles the depth.
      {1,
       {"moves", "--depth", "2", "--engine", "reference"},
       "3 5 19\nerror\n7 5 19\nerror\nerror\nerror\n6 6 139\nquadriflank-cli "
       "moves: line 2: expected BOARD SEAT MOVECOUNT\n",
       s + " 1 0\n\n" + s + " 3 0\r\n" + s + " 1 0 7\nabc 1 0\n" + s +
           " 1 48\n" + late + " 3 48"},
      {0, {"moves"}, "3 2 189\n", s + " 2 0\n"},  // depth 6, fast
      {1, {"moves"}, "line 1: unexpected field '\\x1b' after", s + " 1 0 \x1b"},
      // The reference's node total over the bench positions at depth 3.
      {0, {"bench", "--depth", "3"}, "\nmismatches 0\nsignature 85057\n"},
      // Random to the end; seat 4, wiped out, passes in every round.
      {0,
       {"selfplay", "--opening-moves", "60", "--seed", "23"},
       "3 4 3\n4 pass\n1 4 1\nCOUNTS 37 14 13 0\n"}};
  for (const auto& [status, args, expect, input] : cases) {
    std::istringstream in(input);
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(args, in, out, err), status) << expect << err.str();
    const std::string o = out.str(), e = err.str();
    EXPECT_NE((o + e).find(expect), std::string::npos) << o << e;
    // Success writes nothing on stderr; a usage error one line and no more.
    EXPECT_EQ(status == 0, e.empty()) << e;
    EXPECT_TRUE(status != 2 || o + e.substr(0, e.find('\n') + 1) == e) << e;
  }
}

}  // namespace
}  // namespace qf::cli
