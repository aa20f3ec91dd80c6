// Whole games through the controller, and the opening runs it relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "board/start_position.h"
#include "game/turn_controller.h"
#include "recording_shell.h"

namespace qf::flow_test {
namespace {

int32_t TotalDiscs(const Cells& cells) {
  return static_cast<int32_t>(
      std::count_if(cells.begin(), cells.end(), [](int32_t v) { return v; }));
}

void ExpectCountLabelsMatch(Rig& rig) {
  for (int32_t seat = 1; seat <= 4; ++seat) {
    const int32_t count = rig.state.board.CountDiscs(seat);
    EXPECT_EQ(rig.shell.texts[CountId(seat)],
              count == 0 ? "失格" : std::to_string(count))
        << "seat " << seat;
  }
}

// Every move of every seat before the human's, in every combination: the
// human can always move when the opening run reaches it, so StartGame needs
// no pass or end-of-game handling.
void ExpectHumanCanMoveAfterOpenings(Board& board, int32_t seat,
                                     int32_t human_seat, int& openings) {
  if (seat == human_seat) {
    ++openings;
    EXPECT_FALSE(board.IsGameOver());
    EXPECT_TRUE(board.HasLegalMove(human_seat)) << BoardText(board.cells());
    return;
  }
  if (!board.HasLegalMove(seat)) {
    ExpectHumanCanMoveAfterOpenings(board, seat + 1, human_seat, openings);
    return;
  }
  for (int32_t column = 0; column < 8; ++column) {
    for (int32_t row = 0; row < 8; ++row) {
      if (!board.IsLegalMove(seat, column, row)) continue;
      Board next = board;
      next.PlaceMove(seat, column, row);
      ExpectHumanCanMoveAfterOpenings(next, seat + 1, human_seat, openings);
    }
  }
}

TEST(OpeningRunTest, HumanAlwaysHasAMoveWhenItsTurnFirstComes) {
  for (int32_t human_seat = 2; human_seat <= 4; ++human_seat) {
    Board board;
    SetUpNewGame(board);
    int openings = 0;
    ExpectHumanCanMoveAfterOpenings(board, 1, human_seat, openings);
    EXPECT_GT(openings, 1);
  }
}

// The pumping hook goes with the controller, so that a search after it is
// gone never reaches a shell that is gone too (ASan would report it).
TEST(SearchHookTest, LeavesWithTheController) {
  AppState state;
  {
    RecordingShell shell(state);
    TurnController controller(state, shell);
  }
  SetUpNewGame(state.board);
  int32_t column = -1;
  int32_t row = -1;
  state.searcher.ChooseMove(state.board, 1, kSearchDepth, &column, &row);
  EXPECT_TRUE(state.board.IsLegalMove(1, column, row));
}

struct WholeGameCase {
  const char* name;
  std::array<int32_t, 4> order;
};

void PrintTo(const WholeGameCase& c, std::ostream* os) { *os << c.name; }

class WholeGameTest : public ::testing::TestWithParam<WholeGameCase>,
                      public Rig {};

// The human takes the first legal cell in scan order every turn.
TEST_P(WholeGameTest, PlaysToTheEndKeepingThePanelsTrue) {
  shell.check_board = true;
  Start(GetParam().order);
  const int32_t human = state.current_seat;
  ASSERT_EQ(GetParam().order[human - 1], 0);
  ExpectCountLabelsMatch(*this);

  for (int presses = 0; !state.board.IsGameOver(); ++presses) {
    ASSERT_LT(presses, 61);
    for (int32_t seat = 1; seat <= 4; ++seat) {
      EXPECT_EQ(shell.Visible(StatusId(seat)), seat == human);
    }
    EXPECT_TRUE(shell.messages.empty() ||
                shell.messages.back().caption == "リバーシ");
    int32_t column = -1;
    int32_t row = -1;
    for (int32_t c = 0; c < 8 && column < 0; ++c) {
      for (int32_t r = 0; r < 8 && column < 0; ++r) {
        if (state.board.IsLegalMove(human, c, r)) {
          column = c;
          row = r;
        }
      }
    }
    ASSERT_GE(column, 0) << "control came back without a move for the human";
    ClickCell(column, row);
    ExpectCountLabelsMatch(*this);
  }

  // Each drawing after the first shows one more disc than the one before.
  ASSERT_FALSE(shell.drawn_boards.empty());
  for (size_t i = 0; i < shell.drawn_boards.size(); ++i) {
    EXPECT_EQ(TotalDiscs(shell.drawn_boards[i]), 8 + static_cast<int32_t>(i));
  }
  EXPECT_EQ(TotalDiscs(state.board.cells()), 8 + state.board.MoveCount());
  EXPECT_EQ(state.board.MoveCount() + 1,
            static_cast<int32_t>(shell.drawn_boards.size()));
  EXPECT_EQ(BoardText(state.shown_board), BoardText(state.board.cells()));
  for (int32_t seat = 1; seat <= 4; ++seat) {
    EXPECT_FALSE(state.board.HasLegalMove(seat));
    EXPECT_FALSE(shell.Visible(StatusId(seat)));
  }

  int results = 0;
  for (const InfoMessage& message : shell.messages) {
    if (message.caption == "結果") {
      ++results;
      continue;
    }
    EXPECT_EQ(message.caption, "リバーシ");
    const bool human_pass =
        message.text == "あなたは石を置ける場所が無いためパスとなります。";
    const bool computer_pass =
        message.text.size() > 4 && message.text.rfind("COM", 0) == 0 &&
        message.text.substr(4) == "は石を置ける場所が無いためパスとなります。";
    EXPECT_TRUE(human_pass || computer_pass) << message.text;
  }
  // Each computer search pumps the window on entry to every node it visits.
  const auto blinks = std::count_if(
      shell.log.begin(), shell.log.end(), [](const std::string& entry) {
        return entry.rfind("cell ", 0) == 0 && entry.rfind("cell 0", 0) != 0;
      });
  EXPECT_GT(blinks, 0);
  EXPECT_GE(shell.search_pumps, blinks / 2);
  EXPECT_EQ(results, 1);
  EXPECT_EQ(shell.messages.back().caption, "結果");
  EXPECT_EQ(shell.log.back(), "start on");
  EXPECT_TRUE(shell.start_enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, WholeGameTest,
    ::testing::Values(WholeGameCase{"HumanInSeat1", {0, 2, 3, 1}},
                      WholeGameCase{"HumanInSeat4", {3, 1, 2, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qf::flow_test
