#include "game/game_result.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_shell.h"

namespace qf::flow_test {
namespace {

struct ResultCase {
  const char* name;
  std::array<int32_t, 4> order;   // participant of seat 1..4
  std::array<int32_t, 4> counts;  // discs of seat 1..4 on a full board
  std::vector<std::string> rows;  // instead of `counts`, when given
  std::string text;
};

void PrintTo(const ResultCase& c, std::ostream* os) { *os << c.name; }

class ResultTest : public ::testing::TestWithParam<ResultCase>, public Rig {};

TEST_P(ResultTest, NamesTheParticipantsWithTheMostDiscs) {
  const ResultCase& c = GetParam();
  Start(c.order);
  std::vector<std::string> rows = c.rows;
  if (rows.empty()) {
    std::string all;
    for (int32_t seat = 1; seat <= 4; ++seat) {
      all += std::string(c.counts[seat - 1], static_cast<char>('0' + seat));
    }
    ASSERT_EQ(all.size(), 64u);
    for (int r = 0; r < 8; ++r) rows.push_back(all.substr(8 * r, 8));
  }
  Prepare(rows);
  state.board.UpdateGameOn();
  ASSERT_TRUE(state.board.IsGameOver());

  controller.ShowGameResult();

  const Log expected = {"hide 1002",
                        "hide 1005",
                        "hide 1008",
                        "hide 1011",
                        "info 結果: " + c.text,
                        "start on"};
  EXPECT_EQ(shell.log, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Ties, ResultTest,
    ::testing::Values(
        ResultCase{
            "AllFourTie", {2, 0, 3, 1}, {16, 16, 16, 16}, {}, "Draw Game!"},
        ResultCase{"ThreeComputersTie",
                   {3, 0, 1, 2},
                   {20, 4, 20, 20},
                   {},
                   "COM1 COM2 COM3 Win!"},
        ResultCase{"ThreeTieWithTheHuman",
                   {3, 2, 1, 0},
                   {20, 20, 4, 20},
                   {},
                   "You COM2 COM3 Win!"},
        // Seat order would give "COM3 You".
        ResultCase{"TwoTieInParticipantOrder",
                   {3, 0, 1, 2},
                   {24, 24, 8, 8},
                   {},
                   "You COM3 Win!"},
        ResultCase{"TwoTieWhileTwoHaveNoDiscs",
                   {1, 0, 3, 2},
                   {32, 0, 32, 0},
                   {},
                   "COM1 COM3 Win!"},
        ResultCase{
            "OneWinner", {1, 2, 0, 3}, {10, 30, 14, 10}, {}, "COM2 Win!"},
        // No seat can move although most cells are empty.
        ResultCase{"EmptyCellsCountForNobody",
                   {2, 3, 0, 1},
                   {},
                   {"11.22...", "........", "3......4", "........", "........",
                    "........", "........", "........"},
                   "COM2 COM3 Win!"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GameFlowTest, NoResultBeforeTheGameIsOver) {
  controller.ShowGameResult();  // before any game
  EXPECT_TRUE(shell.log.empty());
  Start({0, 1, 2, 3});
  shell.log.clear();
  controller.ShowGameResult();
  EXPECT_TRUE(shell.log.empty());
  EXPECT_FALSE(shell.start_enabled);
}

}  // namespace
}  // namespace qf::flow_test
