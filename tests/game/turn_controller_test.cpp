#include "game/turn_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "ai/searcher.h"
#include "board/board_text.h"
#include "board/start_position.h"
#include "recording_shell.h"

namespace qf::flow_test {
namespace {

const std::string kStartText =
    "........"
    "........"
    "........"
    ".11..33."
    ".22..44."
    "........"
    "........"
    "........";

TEST_F(GameFlowTest, StartWithTheHumanInSeatOneMakesNoComputerMove) {
  Start({0, 3, 1, 2});
  const Log expected = Lines(
      "modal GameInit|start off|text 1001 黒 - You|text 1004 白 - COM3|"
      "text 1007 赤 - COM1|text 1010 黄 - COM2|"
      "show 1001|show 1004|show 1007|show 1010|show 1002|"
      "text 1000 2|text 1002 Your Turn|show 1000|"
      "text 1003 2|text 1005 Thinking...|show 1003|"
      "text 1006 2|text 1008 Thinking...|show 1006|"
      "text 1009 2|text 1011 Thinking...|show 1009|"
      "draw|pump|pause 500|show 1002");
  EXPECT_EQ(shell.log, expected);
  EXPECT_EQ(state.current_seat, 1);
  EXPECT_EQ(BoardText(state.shown_board), kStartText);
  EXPECT_EQ(BoardText(state.board.cells()), kStartText);
  EXPECT_EQ(state.board.MoveCount(), 0);
  EXPECT_FALSE(shell.start_enabled);
}

struct OpeningCase {
  const char* name;
  std::array<int32_t, 4> order;
  int32_t human_seat;
  std::string human_group_text;
};

void PrintTo(const OpeningCase& c, std::ostream* os) { *os << c.name; }

class OpeningRunTest : public ::testing::TestWithParam<OpeningCase>,
                       public Rig {};

// The seats before the human's each think, blink twice, move, are drawn and
// pause 200 ms; the moves are the ones the same search picks on a replay.
TEST_P(OpeningRunTest, ComputerSeatsBeforeTheHumanMoveInSeatOrder) {
  const OpeningCase& c = GetParam();
  Start(c.order);

  Board replay;
  SetUpNewGame(replay);
  Searcher searcher;
  Log expected = {"draw", "pump", "pause 500"};
  std::vector<Cells> expected_drawn = {replay.cells()};
  for (int32_t seat = 1; seat < c.human_seat; ++seat) {
    int32_t column = -1;
    int32_t row = -1;
    searcher.ChooseMove(replay, seat, kSearchDepth, &column, &row);
    ASSERT_EQ(replay.PlaceMove(seat, column, row), 1);
    expected_drawn.push_back(replay.cells());
    std::array<std::string, 4> counts;
    for (int32_t s = 1; s <= 4; ++s) {
      counts[s - 1] = std::to_string(replay.CountDiscs(s));
    }
    expected =
        Concat({expected,
                {"show " + std::to_string(StatusId(seat))},
                BlinkLog(seat, column, row),
                {"draw", "pause 200", "hide " + std::to_string(StatusId(seat))},
                CountsLog(counts)});
  }
  expected.push_back("show " + std::to_string(StatusId(c.human_seat)));

  const auto first_draw = std::find(shell.log.begin(), shell.log.end(), "draw");
  EXPECT_EQ(Log(first_draw, shell.log.end()), expected);
  EXPECT_EQ(shell.drawn_boards, expected_drawn);
  EXPECT_EQ(state.board, replay);
  EXPECT_EQ(state.current_seat, c.human_seat);
  EXPECT_EQ(shell.texts[GroupId(c.human_seat)], c.human_group_text);
  for (int32_t seat = 1; seat <= 4; ++seat) {
    EXPECT_EQ(shell.texts[StatusId(seat)],
              seat == c.human_seat ? "Your Turn" : "Thinking...");
    EXPECT_EQ(shell.Visible(StatusId(seat)), seat == c.human_seat);
  }
}

INSTANTIATE_TEST_SUITE_P(
    HumanSeats, OpeningRunTest,
    ::testing::Values(OpeningCase{"HumanInSeat2", {1, 0, 2, 3}, 2, "白 - You"},
                      OpeningCase{"HumanInSeat3", {2, 3, 0, 1}, 3, "赤 - You"},
                      OpeningCase{"HumanInSeat4", {2, 1, 3, 0}, 4, "黄 - You"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ClickCase {
  const char* name;
  int32_t x;
  int32_t y;
  int32_t column;  // of the placed disc; -1: the press is ignored
  int32_t row;
  std::vector<std::string> rows;  // empty: the start position
};

void PrintTo(const ClickCase& c, std::ostream* os) { *os << c.name; }

class ClickTest : public ::testing::TestWithParam<ClickCase>, public Rig {};

// On the start position seat 1 can take (0,5), (1,5), (2,5) and (3,5).
TEST_P(ClickTest, OnlyAPressOnALegalCellIsPlaced) {
  const ClickCase& c = GetParam();
  Start({0, 3, 1, 2});
  if (!c.rows.empty()) Prepare(c.rows);
  shell.log.clear();
  shell.drawn_boards.clear();
  const Board before = state.board;

  Click(c.x, c.y);

  if (c.column < 0) {
    EXPECT_TRUE(shell.log.empty());
    EXPECT_EQ(state.board, before);
    EXPECT_TRUE(shell.Visible(StatusId(1)));
    return;
  }
  EXPECT_EQ(state.board.Cell(c.column, c.row), 1);
  ASSERT_GE(shell.log.size(), 7u);
  EXPECT_EQ(shell.log[0], "draw");
  EXPECT_EQ(shell.log[1].rfind("text 1000 ", 0), 0u);
  EXPECT_EQ(shell.log[5], "hide 1002");
  EXPECT_EQ(shell.log[6], "pause 500");
  EXPECT_EQ(shell.drawn_boards[0][CellIndex(c.column, c.row)], 1);
}

INSTANTIATE_TEST_SUITE_P(
    Presses, ClickTest,
    ::testing::Values(
        ClickCase{"OnTheSeatPanels", 450, 100, -1, -1, {}},
        // A wrapped or clamped column would reach the legal (0,5) or (3,5).
        ClickCase{"XOf400IsColumn8", 400, 260, -1, -1, {}},
        ClickCase{"LeftOfTheBoard", 0xFFF6, 260, -1, -1, {}},
        ClickCase{"OccupiedCell", 75, 175, -1, -1, {}},
        ClickCase{"CellThatClosesNoRun", 225, 225, -1, -1, {}},
        ClickCase{"CellFarFromAnyDisc", 0, 0, -1, -1, {}},
        ClickCase{"LastPixelOfColumn3", 199, 260, 3, 5, {}},
        ClickCase{"FirstPixelOfColumn4", 200, 260, -1, -1, {}},
        ClickCase{"XIsTheLowWordYTheHigh", 75, 275, 1, 5, {}},
        ClickCase{"LastPixelIsCell77",
                  399,
                  399,
                  7,
                  7,
                  {"........", "........", "........", "....3...", "....4...",
                   "........", "........", ".....12."}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GameFlowTest, HumanMoveEndingTheGameShowsTheResultAtOnce) {
  Start({0, 1, 2, 3});
  Prepare({"12......", "........", "........", "........", "........",
           "........", "........", "........"});
  ClickCell(2, 0);
  const Log expected =
      Concat({{"draw"},
              CountsLog({"3", "失格", "失格", "失格"}),
              {"hide 1002", "pause 500", "hide 1002", "hide 1005", "hide 1008",
               "hide 1011", "info 結果: You Win!", "start on"}});
  EXPECT_EQ(shell.log, expected);
  EXPECT_TRUE(state.board.IsGameOver());
}

TEST_F(GameFlowTest, ComputerMoveEndingTheGameSkipsTheLaterSeats) {
  Start({0, 3, 1, 2});
  // Seat 2's one move closes the game; seats 3 and 4 keep a disc each.
  Prepare({"12......", "........", "........", "....3...", "........",
           "....4...", "........", "21......"});
  ClickCell(2, 0);
  const Log expected =
      Concat({{"draw"},
              CountsLog({"4", "1", "1", "1"}),
              {"hide 1002", "pause 500", "show 1005"},
              BlinkLog(2, 2, 7),
              {"draw"},
              CountsLog({"3", "3", "1", "1"}),
              {"hide 1005", "hide 1002", "hide 1005", "hide 1008", "hide 1011",
               "info 結果: You COM3 Win!", "start on"}});
  EXPECT_EQ(shell.log, expected);
}

TEST_F(GameFlowTest, ComputerSeatsPassWithAMessageOrSilentlyWithoutDiscs) {
  Start({0, 2, 3, 1});
  // The press takes seat 3's last disc; seat 2 keeps an isolated disc;
  // seat 4 has one move; the human keeps a move at (2,7).
  Prepare({"13......", "........", "........", ".......2", "........",
           "41......", "........", "14......"});
  ClickCell(2, 0);
  const Log expected =
      Concat({{"draw"},
              CountsLog({"5", "1", "失格", "2"}),
              {"hide 1002", "pause 500", "show 1005",
               "info リバーシ: COM2は石を置ける場所が無いためパスとなります。",
               "hide 1005", "hide 1008", "show 1011"},
              BlinkLog(4, 2, 5),
              {"draw"},
              CountsLog({"4", "1", "失格", "4"}),
              {"hide 1011", "show 1002"}});
  EXPECT_EQ(shell.log, expected);
  ASSERT_EQ(shell.messages.size(), 1u);
  EXPECT_EQ(shell.messages[0].status_lines_shown, std::vector<int32_t>{2});
}

TEST_F(GameFlowTest, HumanWithDiscsButNoMovePassesAndTheCycleRepeats) {
  Start({0, 1, 2, 3});
  // Seat 2's first move leaves the human without a move; its second,
  // which only the first makes possible, gives the human (3,1).
  Prepare({"12......", "........", "21.1....", ".....1..", "........",
           "........", "........", "........"});
  ClickCell(2, 0);
  const Log expected = Concat(
      {{"draw"},
       CountsLog({"6", "1", "失格", "失格"}),
       {"hide 1002", "pause 500", "show 1005"},
       BlinkLog(2, 2, 2),
       {"draw"},
       CountsLog({"5", "3", "失格", "失格"}),
       {"hide 1005", "hide 1008", "hide 1011", "show 1002",
        "info リバーシ: あなたは石を置ける場所が無いためパスとなります。",
        "hide 1002", "show 1005"},
       BlinkLog(2, 4, 2),
       {"draw"},
       CountsLog({"4", "5", "失格", "失格"}),
       {"hide 1005", "hide 1008", "hide 1011", "show 1002"}});
  EXPECT_EQ(shell.log, expected);
  ASSERT_EQ(shell.messages.size(), 1u);
  EXPECT_EQ(shell.messages[0].status_lines_shown, std::vector<int32_t>{1});
}

TEST_F(GameFlowTest, HumanWithoutDiscsLetsTheComputersPlayToTheEnd) {
  Start({0, 1, 2, 3});
  // Seat 2 takes all the human's discs at once; seat 4 keeps the game going.
  Prepare({"213.....", "........", "........", "........", "..2.....",
           "42......", "........", "........"});
  ClickCell(3, 0);
  const Log first_cycle = Concat({{"draw"},
                                  CountsLog({"3", "3", "失格", "1"}),
                                  {"hide 1002", "pause 500", "show 1005"},
                                  BlinkLog(2, 4, 0),
                                  {"draw"},
                                  CountsLog({"失格", "7", "失格", "1"}),
                                  {"hide 1005", "hide 1008", "show 1011"},
                                  BlinkLog(4, 2, 5),
                                  {"draw"},
                                  CountsLog({"失格", "6", "失格", "3"}),
                                  {"hide 1011", "hide 1002"}});
  ASSERT_GT(shell.log.size(), first_cycle.size());
  EXPECT_EQ(Log(shell.log.begin(), shell.log.begin() + first_cycle.size()),
            first_cycle);
  // Then the computers go on without a press until the result.
  EXPECT_EQ(shell.log[first_cycle.size()], "show 1005");
  EXPECT_TRUE(state.board.IsGameOver());
  EXPECT_EQ(std::count(shell.log.begin(), shell.log.end(), "show 1002"), 0);
  ASSERT_FALSE(shell.messages.empty());
  for (size_t i = 0; i + 1 < shell.messages.size(); ++i) {
    EXPECT_EQ(shell.messages[i].caption, "リバーシ");
    EXPECT_EQ(shell.messages[i].text.rfind("COM", 0), 0u);
  }
  EXPECT_EQ(shell.messages.back().caption, "結果");
  EXPECT_EQ(shell.log.back(), "start on");
}

// Placed moves keep GameOn right; a board set directly may not. A cycle in
// which no seat can move must still end, with the result.
TEST_F(GameFlowTest, CycleWithoutAnyMoveEndsTheGame) {
  Start({0, 1, 2, 3});
  Prepare({"12......", "........", "........", "........", "........",
           "........", "........", "........"});
  Cells stale{};
  stale[CellIndex(0, 0)] = 1;
  stale[CellIndex(7, 7)] = 2;
  shell.on_pause = [this, &stale] {
    shell.on_pause = nullptr;
    state.board.SetPosition(stale, 4, 0);
  };
  shell.on_message = [this] {
    if (shell.messages.size() > 10) throw std::runtime_error("endless");
  };
  ASSERT_NO_THROW(ClickCell(2, 0));
  ASSERT_EQ(shell.messages.size(), 3u);
  EXPECT_EQ(shell.messages[0].text,
            "COM1は石を置ける場所が無いためパスとなります。");
  EXPECT_EQ(shell.messages[1].text,
            "あなたは石を置ける場所が無いためパスとなります。");
  EXPECT_EQ(shell.messages[2].text, "You COM1 Win!");
  EXPECT_TRUE(shell.start_enabled);
}

// What a player sees and what the next press would act on.
struct Snapshot {
  Board board;
  Cells shown;
  int32_t current_seat;
  std::map<int32_t, std::string> texts;
  std::map<int32_t, bool> visible;
  bool start_enabled;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const Rig& rig) {
  return {rig.state.board, rig.state.shown_board, rig.state.current_seat,
          rig.shell.texts, rig.shell.visible,     rig.shell.start_enabled};
}

void PlayShortGame(Rig& rig) {
  rig.Start({1, 0, 3, 2});
  rig.Prepare({"........", "........", "........", "........", "........",
               "........", "........", "...12..."});
  rig.ClickCell(2, 7);
  ASSERT_TRUE(rig.state.board.IsGameOver());
}

enum class Before { kNoGame, kFinishedGame, kRunningGame };

struct NoStartCase {
  const char* name;
  Before before;
  int32_t dialog_result;
  std::array<int32_t, 4> dialog_order;
};

void PrintTo(const NoStartCase& c, std::ostream* os) { *os << c.name; }

class NoStartTest : public ::testing::TestWithParam<NoStartCase>, public Rig {};

// A closed order window, or one that hands over an order without exactly one
// human and three computers, starts nothing: the last game stays on display.
// While a game runs, "始める" does not even open the window.
TEST_P(NoStartTest, LeavesEverythingAsItWas) {
  const NoStartCase& c = GetParam();
  if (c.before == Before::kFinishedGame) PlayShortGame(*this);
  if (c.before == Before::kRunningGame) Start({0, 1, 2, 3});
  const Snapshot before = Take(*this);
  shell.log.clear();
  shell.dialog_result = c.dialog_result;
  shell.dialog_order = c.dialog_order;

  controller.StartGame();

  EXPECT_EQ(shell.log,
            c.before == Before::kRunningGame ? Log{} : Log{"modal GameInit"});
  EXPECT_TRUE(Take(*this) == before);
  if (c.before != Before::kRunningGame) {
    ClickCell(3, 5);  // legal on the start position: no game may have begun
    EXPECT_TRUE(Take(*this) == before);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Orders, NoStartTest,
    ::testing::Values(
        NoStartCase{"ClosedBeforeAnyGame", Before::kNoGame, 0, {2, 0, 1, 3}},
        NoStartCase{"ClosedAfterAGame", Before::kFinishedGame, 0, {2, 0, 1, 3}},
        NoStartCase{"OrderNeverDrawn", Before::kFinishedGame, 1, {0, 0, 0, 0}},
        NoStartCase{"ParticipantOutOfRange", Before::kNoGame, 1, {0, 1, 2, 4}},
        NoStartCase{
            "WhileTheHumanIsToMove", Before::kRunningGame, 1, {1, 0, 2, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GameFlowTest, SecondGameFollowsTheNewOrderFromFreshPanels) {
  PlayShortGame(*this);
  EXPECT_EQ(shell.texts[CountId(1)], "失格");
  shell.log.clear();
  shell.drawn_boards.clear();
  Start({1, 2, 0, 3});
  const Log set_up = Lines(
      "modal GameInit|start off|text 1001 黒 - COM1|text 1004 白 - COM2|"
      "text 1007 赤 - You|text 1010 黄 - COM3|"
      "show 1001|show 1004|show 1007|show 1010|show 1002|"
      "text 1000 2|text 1002 Thinking...|show 1000|"
      "text 1003 2|text 1005 Thinking...|show 1003|"
      "text 1006 2|text 1008 Your Turn|show 1006|"
      "text 1009 2|text 1011 Thinking...|show 1009|"
      "draw|pump|pause 500");
  ASSERT_GT(shell.log.size(), set_up.size());
  EXPECT_EQ(Log(shell.log.begin(), shell.log.begin() + set_up.size()), set_up);
  EXPECT_EQ(BoardText(shell.drawn_boards[0]), kStartText);
  EXPECT_EQ(state.board.MoveCount(), 2);
  EXPECT_EQ(state.current_seat, 3);
  for (int32_t seat = 1; seat <= 4; ++seat) {
    EXPECT_EQ(shell.Visible(StatusId(seat)), seat == 3);
    EXPECT_EQ(shell.texts[CountId(seat)],
              std::to_string(state.board.CountDiscs(seat)));
  }
  EXPECT_FALSE(shell.start_enabled);
  EXPECT_EQ(shell.messages.size(), 1u);  // only the first game's result
}

// Presses and "始める" that arrive while a flow runs (from a pump, a pause
// or a message box) must change nothing: the run matches an undisturbed one.
TEST(ReentryTest, PressesAndStartsDuringAFlowAreIgnored) {
  struct Scenario {
    const char* name;
    std::function<void(Rig&)> run;
  };
  const std::vector<std::string> pass_rows = {
      "13......", "........", "........", ".......2",
      "........", "41......", "........", "14......"};
  const Scenario scenarios[] = {
      {"second game's opening run",
       [&](Rig& rig) {
         rig.Start({0, 1, 2, 3});
         rig.Prepare({"12......", "........", "........", "........",
                      "........", "........", "........", "........"});
         rig.ClickCell(2, 0);
         rig.Start({2, 1, 3, 0});
       }},
      {"computer turns after a press",
       [&](Rig& rig) {
         rig.Start({0, 2, 3, 1});
         rig.Prepare(pass_rows);
         rig.ClickCell(2, 0);
       }},
  };
  for (const Scenario& scenario : scenarios) {
    SCOPED_TRACE(scenario.name);
    Rig calm;
    scenario.run(calm);
    Rig busy;
    busy.shell.on_pause = [&busy] {
      for (int32_t column = 0; column < 8; ++column) {
        for (int32_t row = 0; row < 8; ++row) busy.ClickCell(column, row);
      }
      busy.controller.StartGame();
    };
    busy.shell.on_message = busy.shell.on_pause;
    scenario.run(busy);
    EXPECT_EQ(busy.shell.log, calm.shell.log);
    EXPECT_EQ(busy.state.board, calm.state.board);
  }
}

}  // namespace
}  // namespace qf::flow_test
