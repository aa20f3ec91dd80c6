// quadriflank-cli through RunCli: usage errors, the engine commands, the
// moves command's bad lines, selfplay, roulette and the bench signature.
#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "board/board.h"
#include "board/board_text.h"
#include "board/start_position.h"
#include "tools/cli_args.h"

namespace qf::cli {
namespace {

struct Result {
  int status;
  std::string out, err;
};

Result Cli(const std::vector<std::string>& args, const std::string& in = "") {
  std::istringstream input(in);
  std::ostringstream out, err;
  const int status = RunCli(args, input, out, err);
  return {status, out.str(), err.str()};
}

// The game's start position in the board text form.
constexpr char kStart[] =
    ".........................11..33..22..44.........................";

TEST(CliTest, UsageErrorsExitTwoWithTheReasonAndTheUsage) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{}, "missing command"},
      {{"frob"}, "unknown command 'frob'"},
      {{"perft", "3", "--seats", "3"}, "--seats must be 2 or 4"},
      {{"move", kStart, "1"}, "missing argument"},
      {{"move", kStart, "1", "0", "extra"}, "unexpected argument 'extra'"},
      {{"move", kStart, "5", "0"}, "SEAT must be"},
      {{"move", kStart + 1, "1", "0"}, "64 characters"},
      {{"move", kStart, "1", "0", "--depth", "six"}, "--depth must be"},
      {{"move", kStart, "1", "0", "--engine", "slow"}, "--engine must be"},
      {{"move", kStart, "1", "0", "--seed", "1"}, "unknown option '--seed'"},
      {{"selfplay", "--seed", "3"}, "go together"},
      {{"roulette", "4294967296", "1"}, "SEED out of range"},
      {{"bench", "--depth", "0"}, "--depth out of range"}};
  for (const auto& [args, reason] : cases) {
    const Result r = Cli(args);
    EXPECT_EQ(r.status, 2) << reason;
    EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("usage:"), std::string::npos) << reason;
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(Cli({"move", "--help"}).out.rfind("usage:", 0), 0u);
}

TEST(CliTest, AnswersOfPerftMoveRouletteAndBench) {
  EXPECT_EQ(Cli({"perft", "3", "--seats", "2"}).out, "1 4\n2 12\n3 56\n");
  // The reference's node counts belong to its definition.
  EXPECT_EQ(Cli({"move", kStart, "1", "0", "--engine", "reference"}).out,
            "3 5 2883\n");
  EXPECT_EQ(Cli({"move", "1" + std::string(63, '.'), "1", "5"}).out,
            "-1 -1 0\n");
  EXPECT_EQ(Cli({"roulette", "1", "3"}).out, "2 1 3 0\n0 2 1 3\n0 3 1 2\n");
  // The reference's node total over the bench positions at depth 3 (6
  // plies from MoveCount 48) changes only with the search or the positions.
  const Result bench = Cli({"bench", "--depth", "3"});
  EXPECT_NE(bench.out.find("\nmismatches 0\nsignature 85057\n"),
            std::string::npos)
      << bench.out << bench.err;
}

TEST(CliTest, MovesAnswersEveryLineAndNamesTheBadOnes) {
  const std::string s = kStart;
  const Result r = Cli({"moves", "--depth", "3", "--engine", "reference"},
                       s + " 1 0\n" + s + " 9 0\n\n" + s + " 3 4\r\n" + s +
                           " 1 0 7\nabc 1 0\n" + s + " 1 60");
  EXPECT_EQ(r.status, 1);
  // The reference's answers; MOVECOUNT 60 doubles the depth.
  EXPECT_EQ(r.out, "3 5 75\nerror\nerror\n7 5 75\nerror\nerror\n3 5 4816\n");
  const std::string tool = "quadriflank-cli moves: line ";
  EXPECT_EQ(r.err, tool + "2: SEAT must be a whole number 1..4, got '9'\n" +
                       tool + "3: expected BOARD SEAT MOVECOUNT\n" + tool +
                       "5: unexpected field '7' after MOVECOUNT\n" + tool +
                       "6: board text must be 64 characters, got 3\n");
  EXPECT_EQ(Cli({"moves"}, s + " 2 0\n").status, 0);
}

// Replays a selfplay record: turns in seat order, every move legal, every
// pass a seat without a move, and the final lines true to the board.
void CheckRecord(const std::string& record) {
  std::istringstream stream(record);
  Board board;
  SetUpNewGame(board);
  std::string line;
  for (int32_t seat = 1; std::getline(stream, line) && line[0] != 'C';
       seat = seat % 4 + 1) {
    std::istringstream fields(line);
    int32_t line_seat = 0, column = -1, row = -1;
    fields >> line_seat >> column >> row;
    ASSERT_EQ(line_seat, seat) << line;
    ASSERT_EQ(board.PlaceMove(seat, column, row), fields ? 1 : 0) << line;
    ASSERT_TRUE(fields || !board.HasLegalMove(seat)) << line;
  }
  EXPECT_EQ(board.IsGameOver(), 1);
  std::string counts = "COUNTS";
  for (int32_t s = 1; s <= 4; ++s) {
    counts += ' ' + std::to_string(board.CountDiscs(s));
  }
  EXPECT_EQ(
      line + "\n" + std::string(std::istreambuf_iterator<char>(stream), {}),
      counts + "\nBOARD " + BoardText(board.cells()) + "\n");
}

TEST(CliTest, SelfplayPlaysWholeLegalGamesDeterministically) {
  const std::vector<std::string> seeded = {"selfplay", "--opening-moves", "12",
                                           "--seed", "5"};
  for (const auto& args : {std::vector<std::string>{"selfplay"}, seeded}) {
    const std::string record = Cli(args).out;
    CheckRecord(record);
    EXPECT_EQ(Cli(args).out, record);
  }
  // The openings follow the documented draws from std::mt19937 seeded so.
  EXPECT_EQ(Cli(seeded).out.rfind("1 3 5\n2 1 2\n3 7 5\n", 0), 0u);
  // Random to the end, with passes in turn.
  CheckRecord(Cli({"selfplay", "--opening-moves", "60", "--seed", "23"}).out);
}

}  // namespace
}  // namespace qf::cli
