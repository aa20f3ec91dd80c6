// The game flow as a player sees it, through a recording fake of the shell
// that ends every wait at once: whole games, presses on the board and when
// they count, the computers' turns and passes, the result, and starts that
// do not happen.
#include "game/turn_controller.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/shell.h"
#include "game/spoken.h"

namespace qf {

class TurnControllerPeer {
 public:
  static Board& board(TurnController& controller) { return controller.board_; }
};

namespace {

class Rig : public Shell {
 public:
  TurnController controller{*this};
  Board& board = TurnControllerPeer::board(controller);
  // The order the next order window hands over, and whether it does.
  std::array<int32_t, 4> order = {0, 1, 2, 3};
  bool start = true;
  // Runs during every pause, with the pauses counted from 1.
  std::function<void(int pause)> during_pause;
  int pauses = 0;
  // The events in order: "order" (the order window), "start-" and "start+"
  // (the menu item), "sN+" and "sN-" (seat N's status line shown or
  // hidden), "draw", "SCR" (cell C,R drawn with seat S's disc, 0 for
  // empty), "pN" (a pause of N ms), "[caption: text]" (a message box),
  // "=SCR" (computer seat S moved to C,R), "xS" (seat S lost its last
  // disc), "you" (the human may move), and "mSCR" for a computer's whole
  // move as seen: cell C,R blinking twice, 300 ms on and 300 ms off, then
  // the board drawn and the move told.
  std::string log;
  // Seat 1..4's panel: title, count, status text, each followed by '|';
  // and whether the status line is shown.
  std::array<std::string, 4> titles, counts, statuses;
  std::array<bool, 4> status_shown{};
  std::vector<Cells> drawn;
  // The cell blinking last with a disc.
  Coord blinking{};

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
    board.SetPosition(cells, 4, 0);  // early: the search's base depth
    drawn = {cells};
    log.clear();
    return star;
  }
  void Click(int32_t cell) { controller.OnBoardPress(ReadingCoord(cell)); }
  void OpenOrderWindow(Reply<std::optional<OrderState>> reply) override {
    Add("order");
    if (!start) return reply(std::nullopt);
    reply(OrderState{order, {"You", "COM1", "COM2", "COM3"}, true});
  }
  void Pause(int32_t ms, Reply<> reply) override {
    Add("p" + std::to_string(ms));
    if (during_pause) during_pause(++pauses);
    reply();
  }
  void ShowMessage(std::string_view text, std::string_view caption,
                   Reply<> reply) override {
    Add("[" + std::string(caption) + ": " + std::string(text) + "]");
    reply();
  }
  void EnableStartCommand(bool on) override { Add(on ? "start+" : "start-"); }
  void SetUpSeatPanels(const std::array<SeatPanelTexts, 4>& panels) override {
    for (int seat = 0; seat < 4; ++seat) {
      titles[seat] = panels[seat].title;
      statuses[seat] = panels[seat].status;
      counts[seat] = std::to_string(panels[seat].count);
    }
  }
  void ShowDiscCount(int32_t seat, int32_t count) override {
    counts[seat - 1] = std::to_string(count);
  }
  void ShowStatusLine(int32_t seat, bool visible) override {
    if (visible != status_shown[seat - 1])
      Add("s" + std::to_string(seat) + (visible ? "+" : "-"));
    status_shown[seat - 1] = visible;
  }
  void DrawBoard(const Cells& cells) override {
    EXPECT_EQ(cells, board.cells());
    drawn.push_back(cells);
    Add("draw");
  }
  void DrawCell(int32_t seat, int32_t column, int32_t row) override {
    // A computer's blink: its search has left the board as drawn last.
    EXPECT_EQ(board.cells(), drawn.back());
    if (seat != 0) blinking = {column, row};
    Add(std::to_string(seat * 100 + column * 10 + row + 1000).substr(1));
  }
  void ComputerMoved(int32_t seat, int32_t column, int32_t row,
                     std::string_view told) override {
    EXPECT_TRUE(told.ends_with(" " + CellLabel(column, row))) << told;
    const std::string cell = std::to_string(seat * 100 + column * 10 + row);
    const std::string blink = cell + " p300 0" + cell.substr(1) + " p300 ";
    if (log.ends_with(blink + blink + "draw"))
      log.replace(log.size() - 40, 40, "m" + cell);
    else
      Add("=" + cell);
  }
  void SeatDisqualified(int32_t seat, std::string_view told) override {
    EXPECT_TRUE(told.ends_with(" disqualified")) << told;
    Add("x" + std::to_string(seat));
  }
  void HumanToMove(const std::vector<Coord>& legal) override {
    EXPECT_FALSE(legal.empty());
    Add("you");
  }

  void Add(const std::string& event) {
    log += (log.empty() ? "" : " ") + event;
  }
};

// The program's second game. Before any game a press does nothing. The
// first game ends with the press of the human in seat 2; then a closed order
// window starts nothing. Then the human in seat 4, after the opening moves
// of seats 1 to 3, takes the first legal cell in reading order every turn to
// the end, and "始める", pressed each turn, does nothing.
TEST(GameTest, ASecondGamePlayedToTheEnd) {
  Rig rig;
  rig.Click(3 + 8 * 5);
  rig.order = {1, 0, 3, 2};
  rig.controller.StartGame();
  EXPECT_EQ(SeatingText({rig.order, {"You", "COM1", "COM2", "COM3"}}),
            "You: white, seat 2. COM1: black, seat 1. COM3: red, seat 3. "
            "COM2: yellow, seat 4");
  EXPECT_EQ(rig.controller.Standings(),
            "You, white, 1 disc. COM1, black, 4 discs. COM3, red, 2 discs. "
            "COM2, yellow, 2 discs. Your turn");
  rig.Click(rig.Prepare("///////..*12"));
  rig.start = false;
  rig.controller.StartGame();
  rig.Click(3 + 8 * 5);  // legal from the start
  rig.start = true;
  rig.order = {2, 1, 3, 0};
  rig.controller.StartGame();
  EXPECT_EQ(rig.log,
            "draw x1 s2- p500 [結果: You Win!] start+ order order "
            "start- s1+ draw p500 m135 p200 s1- s2+ m234 p200 s2- s3+ "
            "m375 p200 s3- s4+ you");
  std::string panels;
  for (int seat = 0; seat < 4; ++seat) {
    panels += rig.titles[seat] + " " + rig.counts[seat] + " " +
              rig.statuses[seat] +
              (rig.status_shown[seat] ? "|" : " (hidden)|");
  }
  EXPECT_EQ(panels,
            "黒 - COM2 3 Thinking... (hidden)|白 - COM1 3 Thinking... (hidden)|"
            "赤 - COM3 4 Thinking... (hidden)|黄 - You 1 Your Turn|");
  const Board& board = rig.board;
  for (int presses = 0; !board.IsGameOver() && presses < 61; ++presses) {
    rig.controller.StartGame();
    int32_t cell = 0;
    while (cell < 63 && !board.IsLegalMove(4, cell % 8, cell / 8)) ++cell;
    rig.Click(cell);
    if (!board.IsGameOver()) {
      EXPECT_TRUE(rig.controller.Standings().ends_with(". Your turn"));
    }
  }
  // The prepared position and the press in it, then the second game's start
  // and each of its moves, drawn once.
  EXPECT_EQ(rig.drawn.size(), 3u + board.MoveCount());
  EXPECT_TRUE(rig.log.ends_with(" p500 [結果: You Win!] start+")) << rig.log;
  // "始める" was grey from the second game's start to its result.
  EXPECT_EQ(rig.log.find(" start+ "), rig.log.rfind(" start+ ")) << rig.log;
  EXPECT_TRUE(rig.controller.Standings().ends_with(". Game over"));
}

// The human in seat 1 presses on a prepared position; the cell marked '*' is
// the one that press must play, if any. Then what the player sees: the
// events, the board drawn first and the counts.
void ExpectPress(const std::array<int32_t, 4>& order, std::string_view rows,
                 Coord press, const std::string& log) {
  SCOPED_TRACE(log);
  Rig rig;
  rig.order = order;
  rig.controller.StartGame();
  const int star = rig.Prepare(rows);
  Board expected = rig.board;
  const bool played = expected.PlaceMove(1, star % 8, star / 8);
  rig.controller.OnBoardPress(press);
  EXPECT_EQ(rig.log, log);
  EXPECT_EQ(played ? rig.drawn.at(1) : rig.board.cells(), expected.cells());
  for (int32_t seat = 1; seat <= 4 && played; ++seat) {
    EXPECT_EQ(rig.counts[seat - 1], std::to_string(rig.board.CountDiscs(seat)));
  }
}

Coord On(int32_t column, int32_t row) { return {column, row}; }

// Presses on a taken cell and on one that flanks nothing, and one that
// plays; then what follows the human's move.
TEST(GameTest, WhatFollowsTheHumansMove) {
  for (const Coord press : {On(1, 3), On(0, 0)}) {
    ExpectPress({0, 3, 1, 2}, "///.11..33/.22..44///.....12", press, "");
  }
  ExpectPress({0, 3, 1, 2}, "///.11..33/.22..44/...*", On(3, 5),
              "draw s1- p500 s2+ m234 s2- s3+ m375 s3- s4+ m474 s4- s1+ "
              "you");
  const std::string pass = "は石を置ける場所が無いためパスとなります。]";
  // The human's move ends the game: one winner, all four tied, and two
  // winners named in participant order, not seat order.
  ExpectPress({0, 1, 2, 3}, "12*", On(2, 0),
              "draw x2 s1- p500 [結果: You Win!] start+");
  ExpectPress({0, 1, 2, 3}, "12*//222/////333..444", On(2, 0),
              "draw s1- p500 [結果: Draw Game!] start+");
  ExpectPress({0, 3, 1, 2}, "12*//2222/////3333..44", On(2, 0),
              "draw s1- p500 [結果: COM1 COM3 Win!] start+");
  // Seat 2's move ends it: seats 3 and 4 keep a disc but are not visited.
  ExpectPress({0, 3, 1, 2}, "12*///....3//....4//21", On(2, 0),
              "draw s1- p500 s2+ m227 s2- [結果: You COM3 Win!] start+");
  // Seat 2 has a disc but no move: it passes with a message. The press
  // takes seat 3's last disc: it passes silently.
  ExpectPress({0, 2, 3, 1}, "13*///.......2//41//14", On(2, 0),
              "draw x3 s1- p500 s2+ [リバーシ: COM2" + pass +
                  " s2- s4+ m425 s4- s1+ you");
  // Seat 2's first move leaves the human without a move; its second, which
  // only the first makes possible, gives the human one again.
  ExpectPress({0, 1, 2, 3}, "12*//21.1/.....1", On(2, 0),
              "draw s1- p500 s2+ m222 s2- s1+ [リバーシ: あなた" + pass +
                  " s1- s2+ m242 s2- s1+ you");
  // The press takes seat 3's last disc, seat 2 takes all the human's
  // discs; the computers play on alone, and the human's status line never
  // shows again.
  ExpectPress({0, 1, 2, 3}, "213*/////.42.2", On(3, 0),
              "draw x3 s1- p500 s2+ m240 x1 s2- s4+ m435 s4- s2+ m205 x4 "
              "s2- "
              "[結果: COM1 Win!] start+");
}

// A press made while the computers play: a taken cell, then the cell the
// human can take first (learnt from the same game unpressed), pressed in
// the Nth pause. It counts when the human's turn comes, unless a search
// starts after it. With the human in seat 4, pause 1 is the set-up's, 2..5
// are seat 1's blinks, 6 the pause after its move, 11 seat 2's last, 15
// seat 3's last blink and 16 the pause after seat 3's move.
TEST(GameTest, PressesMadeWhileTheComputersPlay) {
  const std::tuple<std::array<int32_t, 4>, int, bool> rows[] = {
      {{1, 2, 3, 0}, 15, true},
      {{1, 2, 3, 0}, 16, true},
      {{1, 2, 3, 0}, 1, false},
      {{1, 2, 3, 0}, 11, false},
      {{0, 1, 2, 3}, 1, true}};
  for (const auto& [order, pressed_in, counts] : rows) {
    SCOPED_TRACE(pressed_in);
    Rig unpressed;
    unpressed.order = order;
    unpressed.controller.StartGame();
    const int32_t human = order[0] == 0 ? 1 : 4;
    const Coord first = LegalCells(unpressed.board, human).front();
    Rig rig;
    rig.order = order;
    rig.during_pause = [&](int pause) {
      if (pause != pressed_in) return;
      rig.controller.OnBoardPress({1, 3});
      rig.controller.OnBoardPress(first);
    };
    rig.controller.StartGame();
    EXPECT_EQ(rig.log.find(" you draw ") != std::string::npos, counts)
        << rig.log;
    EXPECT_EQ(rig.board.Cell(first.column, first.row) == human, counts);
  }
}

}  // namespace
}  // namespace qf
