// The game flow as a player sees it, through a recording fake of the shell
// in which pauses take no time: whole games, presses on the board, the
// computers' turns and passes, the result, and starts that do not happen.
#include "game/turn_controller.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "game/app_state.h"
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
  // What the next order window leaves as PlayOrder, and its answer.
  std::array<int32_t, 4> order = {0, 1, 2, 3};
  int32_t result = 1;
  // The visible events in order: "order" (the order window), "start-" and
  // "start+" (the menu item), "sN+" and "sN-" (seat N's status line shown or
  // hidden), "draw", "pump" (a run of pumps), "SCR" (cell C,R drawn with
  // seat S's disc, 0 for empty), "pN" (a pause of N ms), "[caption: text]"
  // (a message box), and "mSCR"
  // for a computer's whole move as seen: its search pumping, cell C,R
  // blinking twice, 300 ms on and 300 ms off, then the board drawn.
  std::string log;
  std::map<int32_t, std::string> texts;
  std::map<int32_t, bool> shown;
  std::vector<Cells> drawn;

  // Puts a position on the board of a running game, as shown, and clears
  // the log: rows from row 0 on, each ended by '/', '.' an empty cell;
  // missing cells are empty. Answers the cell marked '*' as column + 8 *
  // row, or -1.
  int Prepare(std::string_view rows) {
    Cells cells{};
    int column = 0, row = 0, star = -1;
    for (const char c : rows) {
      if (c == '/') ++row, column = -1;
      star = c == '*' ? column + 8 * row : star;
      if (c >= '1' && c <= '4') cells[CellIndex(column, row)] = c - '0';
      ++column;
    }
    state.board.SetPosition(cells, 4, 0);  // early: the search's base depth
    state.shown_board = cells;
    log.clear();
    return star;
  }
  void Click(int32_t cell) {
    controller.OnBoardClick(0, cell % 8 * 50 + 25, cell / 8 * 50 + 25);
  }
  // Seat 1..4's texts in one column, joined by '|', each hidden one in
  // parentheses.
  std::string Texts(int32_t column) {
    std::string joined;
    for (int32_t id = column; id < column + 12; id += 3) {
      joined += shown[id] ? texts[id] : "(" + texts[id] + ")";
      joined += id < column + 9 ? "|" : "";
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
    EXPECT_EQ(state.shown_board, state.board.cells());
    drawn.push_back(state.shown_board);
    if (Add("draw").size() < 45) return;
    const std::string cell = log.substr(log.size() - 40, 3);
    const std::string blink = cell + " p300 0" + cell.substr(1) + " p300 ";
    if (log.ends_with("pump " + blink + blink + "draw"))
      log.replace(log.size() - 45, 45, "m" + cell);
  }
  void DrawCell(int32_t seat, int32_t column, int32_t row) override {
    // A computer's blink: its search has left the board as shown.
    EXPECT_EQ(state.board.cells(), state.shown_board);
    Add(std::to_string(seat * 100 + column * 10 + row + 1000).substr(1));
  }
  void Pause(int32_t ms) override { Add("p" + std::to_string(ms)); }
  void PumpOneMessage() override { Add("pump"); }
  void ShowInfoMessage(std::string_view text,
                       std::string_view caption) override {
    Add("[" + std::string(caption) + ": " + std::string(text) + "]");
  }
  void SetControlText(int32_t id, std::string_view text) override {
    texts[id] = text;
  }
  void ShowControl(int32_t id, bool visible) override {
    if ((id - kStatus) % 3 == 0 && visible != shown[id])
      Add("s" + std::to_string((id - kStatus) / 3 + 1) + (visible ? "+" : "-"));
    shown[id] = visible;
  }
  void SetStartEnabled(bool on) override { Add(on ? "start+" : "start-"); }

  // Logs an event (a run of pumps as one), then presses on all 64 cells and
  // "始める": every event comes while a flow runs, so each press must be
  // ignored, and every expectation of these tests also says they change
  // nothing.
  const std::string& Add(const std::string& event) {
    if (event == "pump" && log.ends_with(event)) return log;
    log += (log.empty() ? "" : " ") + event;
    for (int32_t cell = 0; cell < 64; ++cell) Click(cell);
    controller.StartGame();
    return log;
  }
};

// The program's second game. The first ends with the press of the human in
// seat 2; then a closed order window, and one that hands over no permutation
// of the participants, start nothing. Then the human in seat 4, after the
// opening moves of seats 1 to 3, takes the first legal cell in reading order
// every turn to the end, and "始める", pressed each turn, does nothing.
TEST(GameTest, ASecondGamePlayedToTheEnd) {
  Rig rig;
  rig.order = {1, 0, 3, 2};
  rig.controller.StartGame();
  rig.Click(rig.Prepare("///////..*12"));
  rig.result = 0;
  rig.controller.StartGame();
  rig.order = {0, 0, 0, 0};
  rig.result = 1;
  rig.controller.StartGame();
  rig.Click(3 + 8 * 5);  // legal from the start
  rig.order = {2, 1, 3, 0};
  rig.controller.StartGame();
  EXPECT_EQ(rig.log,
            "draw s2- p500 [結果: You Win!] start+ order order order start- "
            "s1+ draw pump p500 m135 p200 s1- s2+ m234 p200 s2- s3+ m375 p200 "
            "s3- s4+");
  EXPECT_EQ(rig.Texts(kGroups), "黒 - COM2|白 - COM1|赤 - COM3|黄 - You");
  EXPECT_EQ(rig.Texts(kCounts) + " " + rig.Texts(kStatus),
            "3|3|4|1 (Thinking...)|(Thinking...)|(Thinking...)|Your Turn");
  const Board& board = rig.state.board;
  for (int presses = 0; !board.IsGameOver() && presses < 61; ++presses) {
    rig.controller.StartGame();
    int32_t cell = 0;
    while (cell < 63 && !board.IsLegalMove(4, cell % 8, cell / 8)) ++cell;
    rig.Click(cell);
  }
  // Each game's start and each move drawn once: three in the first game.
  EXPECT_EQ(rig.drawn.size(), 4u + board.MoveCount());
  EXPECT_TRUE(rig.log.ends_with(" p500 [結果: You Win!] start+")) << rig.log;
}

// The human in seat 1 presses at (x, y) on a prepared position; the cell
// marked '*' is the one that press must play, if any. Then what the player
// sees: the events, the board drawn first and the counts.
void ExpectPress(const std::array<int32_t, 4>& order, std::string_view rows,
                 uint16_t x, uint16_t y, const std::string& log) {
  SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y) + ": " + log);
  Rig rig;
  rig.order = order;
  rig.controller.StartGame();
  const int star = rig.Prepare(rows);
  Board expected = rig.state.board;
  const bool played = expected.PlaceMove(1, star % 8, star / 8);
  rig.controller.OnBoardClick(0, x, y);
  EXPECT_EQ(rig.log, log);
  EXPECT_EQ(played ? rig.drawn.at(1) : rig.state.board.cells(),
            expected.cells());
  for (int32_t seat = 1; seat <= 4 && played; ++seat) {
    const int32_t n = rig.state.board.CountDiscs(seat);
    EXPECT_EQ(rig.texts[kCounts + 3 * seat - 3],
              n ? std::to_string(n) : "失格");
  }
}

// From the start position seat 1 can take (0,5), (1,5), (2,5) and (3,5),
// and with two more discs (7,7).
TEST(GameTest, APressPlaysTheCellUnderIt) {
  // x = 400 is column 8, not 0 nor 7; x = -10 is left of the board; (1,3)
  // is taken.
  for (const auto& [x, y] : std::vector<std::pair<uint16_t, uint16_t>>{
           {400, 260}, {400, 399}, {65526, 260}, {75, 175}}) {
    ExpectPress({0, 3, 1, 2}, "///.11..33/.22..44///.....12", x, y, "");
  }
  // The last pixel of column 3, the first of column 0 (and x is the low
  // word, y the high), and the last of the board; each seat in turn.
  ExpectPress({0, 3, 1, 2}, "///.11..33/.22..44/...*", 199, 260,
              "draw s1- p500 s2+ m234 s2- s3+ m375 s3- s4+ m474 s4- s1+");
  ExpectPress({0, 3, 1, 2}, "///.11..33/.22..44/*", 0, 260,
              "draw s1- p500 s2+ m222 s2- s3+ m345 s3- s4+ m462 s4- s1+");
  ExpectPress({0, 3, 1, 2}, "///.11..33/.22..44///.....12*", 399, 399,
              "draw s1- p500 s2+ m232 s2- s3+ m375 s3- s4+ m474 s4- s1+");
}

TEST(GameTest, WhatFollowsTheHumansMove) {
  const std::string pass = "は石を置ける場所が無いためパスとなります。]";
  // The human's move ends the game: one winner, all four tied, and two
  // winners named in participant order, not seat order.
  ExpectPress({0, 1, 2, 3}, "12*", 125, 25,
              "draw s1- p500 [結果: You Win!] start+");
  ExpectPress({0, 1, 2, 3}, "12*//222/////333..444", 125, 25,
              "draw s1- p500 [結果: Draw Game!] start+");
  ExpectPress({0, 3, 1, 2}, "12*//2222/////3333..44", 125, 25,
              "draw s1- p500 [結果: COM1 COM3 Win!] start+");
  // Seat 2's move ends it: seats 3 and 4 keep a disc but are not visited.
  ExpectPress({0, 3, 1, 2}, "12*///....3//....4//21", 125, 25,
              "draw s1- p500 s2+ m227 s2- [結果: You COM3 Win!] start+");
  // Seat 2 has a disc but no move: it passes with a message. The press
  // takes seat 3's last disc: it passes silently.
  ExpectPress(
      {0, 2, 3, 1}, "13*///.......2//41//14", 125, 25,
      "draw s1- p500 s2+ [リバーシ: COM2" + pass + " s2- s4+ m425 s4- s1+");
  // Seat 2's first move leaves the human without a move; its second, which
  // only the first makes possible, gives the human one again.
  ExpectPress({0, 1, 2, 3}, "12*//21.1/.....1", 125, 25,
              "draw s1- p500 s2+ m222 s2- s1+ [リバーシ: あなた" + pass +
                  " s1- s2+ m242 s2- s1+");
  // Seat 2 takes all the human's discs; the computers play on alone, and
  // the human's status line never shows again.
  ExpectPress({0, 1, 2, 3}, "213*/////.42.2", 175, 25,
              "draw s1- p500 s2+ m240 s2- s4+ m435 s4- s2+ m205 s2- "
              "[結果: COM1 Win!] start+");
}

}  // namespace
}  // namespace qf
