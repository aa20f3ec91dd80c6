// The game flow as a player sees it, through a recording fake of the shell
// in which pauses take no time: whole games, presses on the board, the
// computers' turns and passes, the result, and starts that do not happen.
#include "game/turn_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "ai/searcher.h"
#include "board/board_text.h"
#include "board/start_position.h"
#include "game/app_state.h"
#include "game/game_result.h"
#include "game/shell.h"

namespace qf {
namespace {

// The seat panels' columns of control ids, as the order window's teardown
// leaves them: seat N's control is the column's id + 3 * (N - 1).
constexpr int32_t kCounts = 1000, kGroups = 1001, kStatus = 1002;

class Rig : public Shell {
 public:
  AppState state;
  TurnController controller{state, *this};

  // The next order window leaves the names, `order` as PlayOrder and the
  // panel ids as the real one does, and answers `result`.
  std::array<int32_t, 4> order = {0, 1, 2, 3};
  int32_t result = 1;

  // The visible events in order: "order" (the order window), "start-" and
  // "start+" (the menu item), "sN+" and "sN-" (seat N's status line shown or
  // hidden), "draw", "pump" (a run of pumps), "S@CR" (cell C,R drawn with
  // seat S's disc, 0 for empty), "pN" (a pause of N ms), "box", and "mSCR"
  // for a computer's whole move as seen: its search pumping, cell C,R
  // blinking twice, 300 ms on and 300 ms off, then the board drawn.
  std::string log;
  std::map<int32_t, std::string> texts;
  std::set<int32_t> shown;
  std::vector<std::string> boxes;  // "caption: text"
  std::vector<Cells> drawn;

  void Start(const std::array<int32_t, 4>& new_order, int32_t new_result = 1) {
    order = new_order;
    result = new_result;
    controller.StartGame();
  }
  // Puts a position (its first rows, row 0 first, each padded with empty
  // cells to 8; missing rows are empty) on the board of a running game, as
  // shown, and clears the log; then the human presses the cell marked '*'.
  void Prepare(const std::vector<std::string>& rows) {
    std::string text;
    for (std::string r : rows) {
      text += r.append(8 - std::min(r.size(), size_t{8}), '.');
    }
    text.resize(64, '.');
    const size_t press = text.find('*');
    if (press != std::string::npos) text[press] = '.';
    Cells cells;
    std::string error;
    ASSERT_TRUE(ParseBoardText(text, cells, error)) << error;
    state.board.SetPosition(cells, 4, 0);  // early: the search's base depth
    state.shown_board = cells;
    log.clear();
    if (press != std::string::npos) ClickCell(press % 8, press / 8);
  }
  void Click(uint16_t x, uint16_t y) { controller.OnBoardClick(0, x, y); }
  void ClickCell(int32_t c, int32_t r) { Click(50 * c + 25, 50 * r + 25); }
  // Seat 1..4's texts in one column, joined by '|', each hidden one in
  // parentheses.
  std::string Texts(int32_t column) const {
    std::string joined;
    for (int32_t id = column; id < column + 12; id += 3) {
      const std::string text = texts.contains(id) ? texts.at(id) : "";
      joined += shown.contains(id) ? text : "(" + text + ")";
      if (id < column + 9) joined += '|';
    }
    return joined;
  }

  int32_t RunModalWindow(std::string_view name) override {
    if (name != "GameInit") return 0;
    Add("order");
    state.order.ParticipantNames = {"You", "COM1", "COM2", "COM3"};
    state.order.PlayOrder = order;
    state.order.panel_control_ids.WriteSeatPanelIds();
    return result;
  }
  void DrawBoard() override {
    Add("draw");
    drawn.push_back(state.shown_board);
    if (blinked_.empty()) return;
    const std::string cell = blinked_.substr(1);
    const std::string blink = blinked_.substr(0, 1) + "@" + cell + " p300 0@";
    const std::string move =
        "pump " + blink + cell + " p300 " + blink + cell + " p300 draw";
    if (log.ends_with(move)) {
      log.replace(log.size() - move.size(), move.size(), "m" + blinked_);
    }
  }
  void DrawCell(int32_t seat, int32_t column, int32_t row) override {
    // A computer's blink: its search has left the board as shown, and the
    // cell is one of its legal moves.
    EXPECT_EQ(state.board.cells(), state.shown_board);
    EXPECT_TRUE(seat == 0 || state.board.IsLegalMove(seat, column, row));
    const std::string cell = std::to_string(column) + std::to_string(row);
    if (seat != 0) blinked_ = std::to_string(seat) + cell;
    Add(std::to_string(seat), "@", cell);
  }
  void Pause(int32_t milliseconds) override {
    Add("p", std::to_string(milliseconds));
    PressEverything();
  }
  void PumpOneMessage() override {
    if (!log.ends_with("pump")) Add("pump");
  }
  void ShowInfoMessage(std::string_view text,
                       std::string_view caption) override {
    Add("box");
    boxes.push_back(std::string(caption) + ": " + std::string(text));
    PressEverything();
  }
  void SetControlText(int32_t id, std::string_view text) override {
    texts[id] = text;
  }
  void ShowControl(int32_t id, bool visible) override {
    if ((id - kStatus) % 3 == 0 && visible != shown.contains(id)) {
      Add("s", std::to_string((id - kStatus) / 3 + 1), visible ? "+" : "-");
    }
    if (visible) shown.insert(id);
    if (!visible) shown.erase(id);
  }
  void SetStartEnabled(bool enabled) override {
    Add(enabled ? "start+" : "start-");
  }

 private:
  template <typename... Parts>
  void Add(const Parts&... parts) {
    if (!log.empty()) log += ' ';
    ((log += parts), ...);
  }
  // Presses on all 64 cells and "始める" while a flow waits: each must be
  // ignored, so every expectation of these tests also says they change
  // nothing.
  void PressEverything() {
    for (int32_t cell = 0; cell < 64; ++cell) ClickCell(cell / 8, cell % 8);
    controller.StartGame();
  }

  std::string blinked_;  // the last cell blinked on, "SCR"
};

// A game of the human in seat 2, ended by the human's press.
void PlayShortGame(Rig& rig) {
  rig.Start({1, 0, 3, 2});
  rig.Prepare({"", "", "", "", "", "", "", "..*12"});
  ASSERT_EQ(rig.boxes, std::vector<std::string>{"結果: You Win!"});
}

// What the count labels must read on `board`, seats 1..4 joined by '|'.
std::string CountTexts(const Board& board) {
  std::string texts;
  for (int32_t seat = 1; seat <= 4; ++seat) {
    const int32_t discs = board.CountDiscs(seat);
    texts += discs == 0 ? "失格" : std::to_string(discs);
    if (seat < 4) texts += '|';
  }
  return texts;
}

// The start, then the human taking the first legal cell in scan order every
// turn to the end. With the human in seat 4 it is the program's second
// game.
TEST(WholeGameTest, PlaysToTheEndShowingWhatHappens) {
  const struct {
    std::array<int32_t, 4> order;
    int32_t human;
    std::string groups, status;
  } cases[] = {{{0, 3, 1, 2},
                1,
                "黒 - You|白 - COM3|赤 - COM1|黄 - COM2",
                "Your Turn|(Thinking...)|(Thinking...)|(Thinking...)"},
               {{2, 1, 3, 0},
                4,
                "黒 - COM2|白 - COM1|赤 - COM3|黄 - You",
                "(Thinking...)|(Thinking...)|(Thinking...)|Your Turn"}};
  for (const auto& c : cases) {
    Rig rig;
    if (c.human == 4) PlayShortGame(rig);
    rig.log.clear();
    rig.boxes.clear();
    const size_t first_drawing = rig.drawn.size();
    rig.Start(c.order);
    // The seats before the human's each think, blink, move and pause
    // 200 ms, choosing as the same search does on its own board.
    Board replay;
    SetUpNewGame(replay);
    std::string log = "order start- s1+ draw pump p500";
    for (int32_t seat = 1; seat < c.human; ++seat) {
      int32_t column = -1, row = -1;
      Searcher().ChooseMove(replay, seat, kSearchDepth, &column, &row);
      ASSERT_EQ(replay.PlaceMove(seat, column, row), 1);
      const std::string s = std::to_string(seat);
      log += (seat > 1 ? " s" + s + "+" : "") + " m" + s +
             std::to_string(column) + std::to_string(row) + " p200 s" + s + "-";
    }
    EXPECT_EQ(rig.log, log + (c.human == 4 ? " s4+" : ""));
    EXPECT_EQ(rig.state.board, replay);
    EXPECT_EQ(rig.Texts(kGroups), c.groups);
    const Board& board = rig.state.board;
    for (int presses = 0; !board.IsGameOver(); ++presses) {
      ASSERT_LT(presses, 61);
      ASSERT_EQ(rig.Texts(kCounts), CountTexts(board));
      ASSERT_EQ(rig.Texts(kStatus), c.status);
      EXPECT_EQ(rig.state.shown_board, board.cells());
      int32_t cell = 0;
      while (cell < 64 && !board.IsLegalMove(c.human, cell / 8, cell % 8))
        ++cell;
      ASSERT_LT(cell, 64) << "the human's turn came without a move";
      rig.ClickCell(cell / 8, cell % 8);
    }
    EXPECT_EQ(rig.Texts(kCounts), CountTexts(board));
    const std::string status = rig.Texts(kStatus);
    EXPECT_EQ(std::count(status.begin(), status.end(), '('), 4) << status;
    // One drawing of the start and one after each move; the disc total is
    // 8 + the moves placed.
    EXPECT_EQ(rig.drawn.size() - first_drawing, board.MoveCount() + 1u);
    const Cells& cells = board.cells();
    EXPECT_EQ(64 - std::count(cells.begin(), cells.end(), 0),
              8 + board.MoveCount());
    EXPECT_EQ(rig.state.shown_board, board.cells());
    // Exactly one result, the last box, then "始める" enabled.
    EXPECT_EQ(std::count_if(rig.boxes.begin(), rig.boxes.end(),
                            [](auto& box) { return box.starts_with("結果"); }),
              1);
    EXPECT_TRUE(rig.boxes.back().starts_with("結果: "));
    EXPECT_TRUE(rig.log.ends_with("box start+"));
  }
}

TEST(GameClickTest, OnlyAPressOnALegalCellIsPlayed) {
  // From the start seat 1 can take (0,5), (1,5), (2,5) and (3,5); on
  // `corner`, (7,7).
  const std::vector<std::string> corner = {"",      "", "", "....3",
                                           "....4", "", "", ".....12"};
  const struct {
    const char* name;
    int32_t x, y;
    int32_t column, row;  // of the disc placed; -1: the press is ignored
    std::vector<std::string> rows;  // empty: the start position
  } cases[] = {
      {"on the seat panels", 450, 100, -1, -1, {}},
      {"x = 400 is column 8, not 0", 400, 260, -1, -1, {}},
      {"x = 400 is column 8, not 7", 400, 399, -1, -1, corner},
      {"left of the board", -10, 260, -1, -1, {}},
      {"occupied cell", 75, 175, -1, -1, {}},
      {"cell that flanks nothing", 225, 225, -1, -1, {}},
      {"first pixel of column 4", 200, 260, -1, -1, {}},
      {"last pixel of column 3", 199, 260, 3, 5, {}},
      {"first pixel of column 0", 0, 260, 0, 5, {}},
      {"x is the low word, y the high", 75, 275, 1, 5, {}},
      {"(399, 399) is cell (7,7)", 399, 399, 7, 7, corner},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.Start({0, 3, 1, 2});
    if (!c.rows.empty()) rig.Prepare(c.rows);
    rig.log.clear();
    Board expected = rig.state.board;
    const size_t drawings = rig.drawn.size();
    rig.Click(c.x, c.y);
    if (c.column >= 0) {
      ASSERT_EQ(expected.PlaceMove(1, c.column, c.row), 1);
    }
    EXPECT_EQ(rig.log.substr(0, 13), c.column < 0 ? "" : "draw s1- p500");
    EXPECT_EQ(c.column < 0 ? rig.state.board.cells() : rig.drawn.at(drawings),
              expected.cells());
  }
}

// Prepared positions, the human in seat 1 pressing the cell marked '*'.
TEST(GameFlowTest, WhatFollowsTheHumansPress) {
  const std::string pass = "は石を置ける場所が無いためパスとなります。";
  auto expect = [](const std::array<int32_t, 4>& order,
                   const std::vector<std::string>& rows, const std::string& log,
                   const std::string& box) {
    SCOPED_TRACE(log);
    Rig rig;
    rig.Start(order);
    rig.Prepare(rows);
    EXPECT_EQ(rig.log, log);
    EXPECT_EQ(rig.boxes, std::vector<std::string>{box});
    EXPECT_EQ(rig.Texts(kCounts), CountTexts(rig.state.board));
  };
  // The human's move ends the game.
  expect({0, 1, 2, 3}, {"12*"}, "draw s1- p500 box start+", "結果: You Win!");
  // Seat 2's move ends it: seats 3 and 4 keep a disc but are not visited.
  expect({0, 3, 1, 2}, {"12*", "", "", "....3", "", "....4", "", "21"},
         "draw s1- p500 s2+ m227 s2- box start+", "結果: You COM3 Win!");
  // Seat 2 has a disc but no move: it passes with a message. The press
  // takes seat 3's last disc: it passes silently.
  expect({0, 2, 3, 1}, {"13*", "", "", ".......2", "", "41", "", "14"},
         "draw s1- p500 s2+ box s2- s4+ m425 s4- s1+", "リバーシ: COM2" + pass);
  // Seat 2's first move leaves the human without a move; its second, which
  // only the first makes possible, gives the human one again.
  expect({0, 1, 2, 3}, {"12*", "", "21.1", ".....1"},
         "draw s1- p500 s2+ m222 s2- s1+ box s1- s2+ m242 s2- s1+",
         "リバーシ: あなた" + pass);
  // Seat 2 takes all the human's discs; the computers play on alone, and
  // the human's status line never shows again.
  Rig rig;
  rig.Start({0, 1, 2, 3});
  rig.Prepare({"213*", "", "", "", "..2", "42"});
  EXPECT_TRUE(
      rig.log.starts_with("draw s1- p500 s2+ m240 s2- s4+ m425 s4- s2+"));
  EXPECT_TRUE(rig.log.ends_with(" box start+")) << rig.log;
  EXPECT_EQ(rig.log.find("s1+"), std::string::npos);
  EXPECT_EQ(rig.boxes, std::vector<std::string>{"結果: COM3 Win!"});
}

// The texts the flows above show with caption "結果".
TEST(GameResultTest, NamesTheParticipantsWithTheMostDiscs) {
  const struct {
    std::array<int32_t, 4> order;   // participant of seat 1..4
    std::array<int32_t, 4> counts;  // discs of seat 1..4
    std::string text;
  } cases[] = {
      {{2, 0, 3, 1}, {16, 16, 16, 16}, "Draw Game!"},
      {{3, 0, 1, 2}, {20, 4, 20, 20}, "COM1 COM2 COM3 Win!"},
      {{3, 2, 1, 0}, {4, 20, 20, 20}, "You COM1 COM2 Win!"},
      {{3, 0, 1, 2}, {24, 24, 8, 8}, "You COM3 Win!"},  // not "COM3 You"
      {{1, 0, 3, 2}, {32, 0, 32, 0}, "COM1 COM3 Win!"},
      {{1, 2, 0, 3}, {10, 30, 14, 10}, "COM2 Win!"},
  };
  for (const auto& c : cases) {
    Board board;
    for (int32_t seat = 1, cell = 0; seat <= 4; ++seat) {
      for (int32_t n = 0; n < c.counts[seat - 1]; ++n, ++cell) {
        board.SetCell(seat, cell / 8, cell % 8);
      }
    }
    EXPECT_EQ(
        ResultText(WinnerSet(board, c.order), {"You", "COM1", "COM2", "COM3"}),
        c.text);
  }
}

// What a player sees, and what the next press acts on.
auto Snapshot(Rig& rig) {
  return std::tuple(rig.state.board, rig.state.shown_board,
                    rig.state.current_seat, rig.texts, rig.shown, rig.boxes);
}

// A closed order window, or one that hands over no permutation of the
// participants, starts nothing; while a game runs, "始める" does not even
// open it.
TEST(GameStartTest, NoStartLeavesEverythingAsItWas) {
  enum Before { kNoGame, kFinishedGame, kRunningGame };
  const struct {
    const char* name;
    Before before;
    int32_t result;
    std::array<int32_t, 4> order;
  } cases[] = {
      {"closed before any game", kNoGame, 0, {2, 0, 1, 3}},
      {"closed after a game", kFinishedGame, 0, {2, 0, 1, 3}},
      {"order never drawn", kFinishedGame, 1, {0, 0, 0, 0}},
      {"while the human is to move", kRunningGame, 1, {1, 0, 2, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    if (c.before == kFinishedGame) PlayShortGame(rig);
    if (c.before == kRunningGame) rig.Start({0, 1, 2, 3});
    const auto before = Snapshot(rig);
    rig.log.clear();
    rig.Start(c.order, c.result);
    EXPECT_EQ(rig.log, c.before == kRunningGame ? "" : "order");
    EXPECT_TRUE(Snapshot(rig) == before);
    rig.ClickCell(3, 5);  // legal from the start: no game may have begun
    EXPECT_TRUE(c.before == kRunningGame || Snapshot(rig) == before);
  }
}

}  // namespace
}  // namespace qf
