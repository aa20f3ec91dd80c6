// A Shell that records every call in order and keeps what a player would
// see: control texts and visibility, the menu state, the drawn boards and
// the message boxes. Pauses take no time.
#ifndef QUADRIFLANK_TESTS_GAME_RECORDING_SHELL_H_
#define QUADRIFLANK_TESTS_GAME_RECORDING_SHELL_H_

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "board/board_text.h"
#include "game/app_state.h"
#include "game/shell.h"
#include "game/turn_controller.h"

namespace qf::flow_test {

// Control ids of the seat panels, seat 1..4.
constexpr int32_t CountId(int32_t seat) { return 1000 + 3 * (seat - 1); }
constexpr int32_t GroupId(int32_t seat) { return 1001 + 3 * (seat - 1); }
constexpr int32_t StatusId(int32_t seat) { return 1002 + 3 * (seat - 1); }

struct InfoMessage {
  std::string caption;
  std::string text;
  std::vector<int32_t> status_lines_shown;  // while the box was open
};

class RecordingShell : public Shell {
 public:
  explicit RecordingShell(AppState& state) : state_(state) {}

  // What the next order window does. Like the real one it starts the
  // roulette (names set, label ids borrowed), leaves `order` as PlayOrder,
  // writes the panel ids in its teardown and answers `result`.
  int32_t dialog_result = 1;
  std::array<int32_t, 4> dialog_order = {0, 1, 2, 3};

  // When set, every search must leave the board as last shown, and every
  // blinked cell must be a legal move of the blinking seat.
  bool check_board = false;
  std::function<void()> on_pause;
  std::function<void()> on_message;

  std::vector<std::string> log;
  std::map<int32_t, std::string> texts;
  std::map<int32_t, bool> visible;
  bool start_enabled = true;
  std::vector<Cells> drawn_boards;
  std::vector<InfoMessage> messages;
  int32_t search_pumps = 0;

  bool Visible(int32_t id) const {
    auto it = visible.find(id);
    return it != visible.end() && it->second;
  }

  int32_t RunModalWindow(std::string_view name) override {
    log.push_back("modal " + std::string(name));
    if (name != "GameInit") return 0;
    OrderState& order = state_.order;
    for (int p = 0; p < 4; ++p) {
      order.ParticipantNames[p] = kDefaultParticipantNames[p];
    }
    for (int position = 0; position < 4; ++position) {
      order.panel_control_ids.At(position, kCountLabel) = 1008 + position;
    }
    order.PlayOrder = dialog_order;
    order.panel_control_ids.WriteSeatPanelIds();
    return dialog_result;
  }
  void DrawBoard() override {
    log.push_back("draw");
    drawn_boards.push_back(state_.shown_board);
  }
  void DrawCell(int32_t seat, int32_t column, int32_t row) override {
    // Pumps right before a blink come from the search; they are counted
    // apart so that the logs do not depend on how long a search runs.
    while (seat != 0 && !log.empty() && log.back() == "pump") {
      log.pop_back();
      ++search_pumps;
    }
    log.push_back("cell " + std::to_string(seat) + " " +
                  std::to_string(column) + " " + std::to_string(row));
    if (check_board) {
      EXPECT_EQ(BoardText(state_.board.cells()), BoardText(state_.shown_board))
          << "the board differs from the shown one during a computer turn";
      if (seat != 0) {
        EXPECT_TRUE(state_.board.IsLegalMove(seat, column, row))
            << "seat " << seat << " blinks " << column << "," << row;
      }
    }
  }
  void Pause(int32_t milliseconds) override {
    log.push_back("pause " + std::to_string(milliseconds));
    if (on_pause) on_pause();
  }
  void PumpOneMessage() override { log.push_back("pump"); }
  void ShowInfoMessage(std::string_view text,
                       std::string_view caption) override {
    log.push_back("info " + std::string(caption) + ": " + std::string(text));
    InfoMessage message{std::string(caption), std::string(text), {}};
    for (int32_t seat = 1; seat <= 4; ++seat) {
      if (Visible(StatusId(seat))) message.status_lines_shown.push_back(seat);
    }
    messages.push_back(message);
    if (on_message) on_message();
  }
  void SetControlText(int32_t id, std::string_view text) override {
    log.push_back("text " + std::to_string(id) + " " + std::string(text));
    texts[id] = text;
  }
  void ShowControl(int32_t id, bool shown) override {
    log.push_back((shown ? "show " : "hide ") + std::to_string(id));
    visible[id] = shown;
  }
  void SetStartEnabled(bool enabled) override {
    log.push_back(enabled ? "start on" : "start off");
    start_enabled = enabled;
  }

 private:
  AppState& state_;
};

using Log = std::vector<std::string>;

// The calls of one blink-twice of a computer's chosen cell.
inline Log BlinkLog(int32_t seat, int32_t column, int32_t row) {
  const std::string at =
      " " + std::to_string(column) + " " + std::to_string(row);
  const std::string on = "cell " + std::to_string(seat) + at;
  const std::string off = "cell 0" + at;
  return {on, "pause 300", off, "pause 300", on, "pause 300", off, "pause 300"};
}

// The four count labels as RefreshSeatCounts writes them.
inline Log CountsLog(const std::array<std::string, 4>& counts) {
  Log log;
  for (int32_t seat = 1; seat <= 4; ++seat) {
    log.push_back("text " + std::to_string(CountId(seat)) + " " +
                  counts[seat - 1]);
  }
  return log;
}

// A log written as one string, entries separated by '|'.
inline Log Lines(std::string_view joined) {
  Log log;
  for (size_t start = 0; start <= joined.size();) {
    const size_t end = std::min(joined.find('|', start), joined.size());
    log.emplace_back(joined.substr(start, end - start));
    start = end + 1;
  }
  return log;
}

inline Log Concat(std::initializer_list<Log> parts) {
  Log all;
  for (const Log& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// One program's game state with its controller and recording shell.
struct Rig {
  // Starts a game whose order window hands over `order`.
  void Start(const std::array<int32_t, 4>& order) {
    shell.dialog_result = 1;
    shell.dialog_order = order;
    controller.StartGame();
  }

  // Puts a prepared position (eight rows, row 0 first) on the board of a
  // running game, as shown, and clears the log and the drawings. A low move
  // count keeps the search at its early-game depth.
  void Prepare(const std::vector<std::string>& rows, int32_t move_count = 0) {
    std::string text;
    for (const std::string& r : rows) text += r;
    Cells cells;
    std::string error;
    ASSERT_TRUE(ParseBoardText(text, cells, error)) << error;
    state.board.SetPosition(cells, 4, move_count);
    state.shown_board = cells;
    shell.log.clear();
    shell.drawn_boards.clear();
  }

  void Click(int32_t x, int32_t y) {
    controller.OnBoardClick(0, static_cast<uint16_t>(x),
                            static_cast<uint16_t>(y));
  }
  void ClickCell(int32_t column, int32_t row) {
    Click(50 * column + 25, 50 * row + 25);
  }

  AppState state;
  RecordingShell shell{state};
  TurnController controller{state, shell};
};

class GameFlowTest : public ::testing::Test, public Rig {};

}  // namespace qf::flow_test

#endif  // QUADRIFLANK_TESTS_GAME_RECORDING_SHELL_H_
