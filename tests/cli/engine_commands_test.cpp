// The engine commands of quadriflank-cli: answers, usage errors, the moves
// command's bad lines, selfplay's record and the bench signature.
#include <gtest/gtest.h>

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
  std::string out;
  std::string err;
};

Result Cli(const std::vector<std::string>& args,
           const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = RunCli(args, in, out, err);
  return {status, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

// `text` with its first character replaced.
std::string WithFirst(std::string text, char first) {
  text[0] = first;
  return text;
}

std::string StartText() {
  Board board;
  SetUpNewGame(board);
  return BoardText(board.cells());
}

TEST(MoveCommandTest, AnswersCellAndNodes) {
  const std::string start = StartText();
  // The reference's node counts are part of its definition; the fast
  // engine's change with its tuning, so only the cell is pinned for it.
  struct Case {
    std::vector<std::string> args;
    std::string cell;
    std::string reference_nodes;
  } cases[] = {
      {{"move", start, "1", "0"}, "3 5", "2883"},
      {{"move", start, "3", "4", "--depth", "3"}, "7 5", "75"},
      {{"move", start, "2", "48", "--depth", "2"}, "", ""},
      // Seat 1 alone on the board has nothing to flank.
      {{"move", WithFirst(std::string(64, '.'), '1'), "1", "5"}, "-1 -1", "0"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> reference_args = c.args;
    reference_args.insert(reference_args.end(), {"--engine", "reference"});
    const Result fast = Cli(c.args);
    const Result reference = Cli(reference_args);
    ASSERT_EQ(fast.status, 0) << fast.err;
    ASSERT_EQ(reference.status, 0) << reference.err;
    std::istringstream fast_fields(fast.out);
    std::istringstream reference_fields(reference.out);
    std::string fast_column, fast_row, reference_column, reference_row;
    uint64_t fast_nodes = 0;
    uint64_t reference_nodes = 0;
    fast_fields >> fast_column >> fast_row >> fast_nodes;
    reference_fields >> reference_column >> reference_row >> reference_nodes;
    EXPECT_EQ(fast_column + " " + fast_row,
              reference_column + " " + reference_row);
    if (!c.cell.empty()) {
      EXPECT_EQ(reference.out, c.cell + " " + c.reference_nodes + "\n");
    }
    if (c.cell == "-1 -1") {
      EXPECT_EQ(fast.out, "-1 -1 0\n");
    } else {
      EXPECT_GT(fast_nodes, 0u);
      EXPECT_LE(fast_nodes, reference_nodes);
    }
  }
}

TEST(MoveCommandTest, UsageErrorsExitTwoWithAReason) {
  const std::string start = StartText();
  struct Case {
    std::vector<std::string> args;
    std::string reason;
  } cases[] = {
      {{"move"}, "missing argument"},
      {{"move", start, "1"}, "missing argument"},
      {{"move", start, "1", "0", "extra"}, "unexpected argument 'extra'"},
      {{"move", start, "0", "0"}, "SEAT must be"},
      {{"move", start, "5", "0"}, "SEAT must be"},
      {{"move", start, "x", "0"}, "SEAT must be"},
      {{"move", start, "1", "61"}, "MOVECOUNT must be"},
      {{"move", start, "1", "-1"}, "MOVECOUNT must be"},
      {{"move", start.substr(1), "1", "0"}, "64 characters"},
      {{"move", WithFirst(start, 'x'), "1", "0"}, "'x' at position 1"},
      {{"move", start, "1", "0", "--depth", "0"}, "--depth out of range"},
      {{"move", start, "1", "0", "--depth", "13"}, "--depth out of range"},
      {{"move", start, "1", "0", "--depth", "six"}, "--depth must be"},
      {{"move", start, "1", "0", "--engine", "slow"}, "--engine must be"},
      {{"move", start, "1", "0", "--seed", "1"}, "unknown option"},
      {{"moves", "extra"}, "unexpected argument"},
      {{"selfplay", "--seed", "3"}, "go together"},
      {{"selfplay", "--opening-moves", "3"}, "go together"},
      {{"selfplay", "--opening-moves", "61", "--seed", "1"},
       "--opening-moves out of range"},
      {{"selfplay", "--opening-moves", "1", "--seed", "4294967296"},
       "--seed out of range"},
      {{"bench", "--depth", "0"}, "--depth out of range"},
      {{"bench", "--engine", "fast"}, "unknown option"},
  };
  for (const Case& c : cases) {
    const Result r = Cli(c.args);
    EXPECT_EQ(r.status, 2) << c.reason;
    EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("usage:"), std::string::npos);
    EXPECT_EQ(r.out, "");
  }
}

TEST(MovesCommandTest, AnswersEveryLineAndMarksTheBadOnes) {
  const std::string start = StartText();
  const std::string input = start + " 1 0\n" +    // 1: fine
                            start + " 9 0\n" +    // 2: bad seat
                            "\n" +                // 3: empty
                            start + " 3 4\r\n" +  // 4: fine, CRLF
                            start + " 1 0 7\n" +  // 5: extra field
                            "abc 1 0\n" +         // 6: bad board
                            start + " 1 60";      // 7: fine, no newline
  const Result r = Cli({"moves", "--depth", "3"}, input);
  EXPECT_EQ(r.status, 1);
  const std::vector<std::string> out = Lines(r.out);
  ASSERT_EQ(out.size(), 7u);
  EXPECT_EQ(out[0] + "\n", Cli({"move", start, "1", "0", "--depth", "3"}).out);
  EXPECT_EQ(out[1], "error");
  EXPECT_EQ(out[2], "error");
  EXPECT_EQ(out[3].substr(0, 4), "7 5 ");
  EXPECT_EQ(out[4], "error");
  EXPECT_EQ(out[5], "error");
  EXPECT_NE(out[6], "error");
  const std::vector<std::string> err = Lines(r.err);
  ASSERT_EQ(err.size(), 4u);
  EXPECT_NE(err[0].find("line 2: SEAT must be"), std::string::npos) << err[0];
  EXPECT_NE(err[1].find("line 3: expected BOARD SEAT MOVECOUNT"),
            std::string::npos)
      << err[1];
  EXPECT_NE(err[2].find("line 5: unexpected field '7'"), std::string::npos)
      << err[2];
  EXPECT_NE(err[3].find("line 6: board text must be 64"), std::string::npos)
      << err[3];
}

TEST(MovesCommandTest, GoodInputExitsZeroAndEnginesAgree) {
  const std::string start = StartText();
  const std::string input = start + " 1 0\n" + start + " 2 0\n" + start +
                            " 3 48\n" + start + " 4 49\n";
  const Result fast = Cli({"moves", "--depth", "2"}, input);
  const Result reference =
      Cli({"moves", "--depth", "2", "--engine", "reference"}, input);
  EXPECT_EQ(fast.status, 0);
  EXPECT_EQ(reference.status, 0);
  EXPECT_EQ(fast.err, "");
  const std::vector<std::string> a = Lines(fast.out);
  const std::vector<std::string> b = Lines(reference.out);
  ASSERT_EQ(a.size(), 4u);
  ASSERT_EQ(b.size(), 4u);
  for (size_t i = 0; i < a.size(); ++i) {
    // Same cell; the node counts differ.
    EXPECT_EQ(a[i].substr(0, 4), b[i].substr(0, 4)) << i;
  }
  EXPECT_EQ(Cli({"moves"}, "").status, 0);
}

// Replays a selfplay record on a board of its own: every move legal, every
// pass a seat without a move, turns in seat order, and the final lines
// matching the board reached.
void CheckRecord(const std::string& record, int opening_moves) {
  const std::vector<std::string> lines = Lines(record);
  ASSERT_GE(lines.size(), 3u);
  Board board;
  SetUpNewGame(board);
  int32_t seat = 1;
  for (size_t i = 0; i + 2 < lines.size(); ++i, seat = seat % 4 + 1) {
    std::istringstream fields(lines[i]);
    int32_t line_seat = 0;
    std::string what;
    fields >> line_seat >> what;
    ASSERT_EQ(line_seat, seat) << lines[i];
    if (what == "pass") {
      ASSERT_EQ(board.HasLegalMove(seat), 0) << lines[i];
      continue;
    }
    const int32_t column = std::stoi(what);
    int32_t row = -1;
    fields >> row;
    ASSERT_EQ(board.PlaceMove(seat, column, row), 1) << lines[i];
  }
  EXPECT_EQ(board.IsGameOver(), 1);
  EXPECT_GE(board.MoveCount(), opening_moves);
  std::ostringstream counts;
  counts << "COUNTS";
  for (int32_t s = 1; s <= 4; ++s) counts << ' ' << board.CountDiscs(s);
  EXPECT_EQ(lines[lines.size() - 2], counts.str());
  EXPECT_EQ(lines.back(), "BOARD " + BoardText(board.cells()));
}

TEST(SelfplayCommandTest, PlaysAWholeLegalGame) {
  const Result plain = Cli({"selfplay"});
  ASSERT_EQ(plain.status, 0) << plain.err;
  CheckRecord(plain.out, 0);
  EXPECT_EQ(Cli({"selfplay"}).out, plain.out);

  const Result seeded =
      Cli({"selfplay", "--opening-moves", "12", "--seed", "5"});
  ASSERT_EQ(seeded.status, 0) << seeded.err;
  CheckRecord(seeded.out, 12);
  EXPECT_NE(seeded.out, plain.out);
  EXPECT_EQ(Cli({"selfplay", "--opening-moves", "12", "--seed", "5"}).out,
            seeded.out);
  EXPECT_NE(Cli({"selfplay", "--opening-moves", "12", "--seed", "6"}).out,
            seeded.out);
  // Random to the end: no search at all.
  const Result random_game =
      Cli({"selfplay", "--opening-moves", "60", "--seed", "1"});
  CheckRecord(random_game.out, 0);
}

TEST(SelfplayCommandTest, EnginesPlayTheSameGame) {
  // A late start keeps the reference's share small.
  const std::vector<std::string> args = {"selfplay", "--opening-moves", "40",
                                         "--seed", "9"};
  std::vector<std::string> reference_args = args;
  reference_args.insert(reference_args.end(), {"--engine", "reference"});
  EXPECT_EQ(Cli(args).out, Cli(reference_args).out);
}

TEST(BenchCommandTest, SignatureIsPinned) {
  // The reference's node total over the bench positions at depth 3 (6
  // plies from MoveCount 48): it changes only when the search or the
  // positions change.
  const Result r = Cli({"bench", "--depth", "3"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 6u) << r.out;
  EXPECT_EQ(lines[0], "positions 240 depth 3");
  EXPECT_EQ(lines[1].rfind("reference nodes 85057 time ", 0), 0u) << lines[1];
  EXPECT_EQ(lines[2].rfind("fast nodes ", 0), 0u) << lines[2];
  EXPECT_EQ(lines[3].rfind("speed ratio ", 0), 0u) << lines[3];
  EXPECT_EQ(lines[4], "mismatches 0");
  EXPECT_EQ(lines[5], "signature 85057");
}

}  // namespace
}  // namespace qf::cli
