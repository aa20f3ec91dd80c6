#include "board/board.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "board/board_text.h"
#include "board/start_position.h"

namespace qf {
namespace {

// A board from eight 8-character rows, row 0 first ('.' empty, '1'..'4').
Board FromRows(const std::vector<std::string>& rows, int32_t seat_count = 4) {
  std::string text;
  for (const std::string& r : rows) text += r;
  Cells cells;
  std::string error;
  EXPECT_TRUE(ParseBoardText(text, cells, error)) << error;
  Board board;
  board.SetPosition(cells, seat_count, 0);
  return board;
}

std::vector<int32_t> Turned(const MoveRecord& record) {
  std::vector<int32_t> turned;
  for (int k = 0; k < MoveRecord::kCapacity && record.turned[k] != -1; ++k) {
    turned.push_back(record.turned[k]);
  }
  return turned;
}

struct RunCase {
  const char* name;
  std::vector<std::string> rows;
  int32_t seat, column, row;
  bool legal;
  std::string after;  // board text after the move ("" when illegal)
};

void PrintTo(const RunCase& c, std::ostream* os) { *os << c.name; }

class RunTest : public testing::TestWithParam<RunCase> {};

TEST_P(RunTest, TurnsExactlyTheFlankedRuns) {
  const RunCase& c = GetParam();
  Board board = FromRows(c.rows);
  const Board before = board;
  EXPECT_EQ(board.IsLegalMove(c.seat, c.column, c.row), c.legal ? 1 : 0);
  EXPECT_EQ(board.PlaceMove(c.seat, c.column, c.row), c.legal ? 1 : 0);
  if (!c.legal) {
    EXPECT_EQ(board.cells(), before.cells());
    EXPECT_EQ(board.MoveCount(), 0);
    return;
  }
  EXPECT_EQ(BoardText(board.cells()), c.after);
  EXPECT_EQ(board.MoveCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, RunTest,
    testing::Values(RunCase{"MixedColoursTurn",
                            {"........", ".2341...", "........", "........",
                             "........", "........", "........", "........"},
                            1,
                            0,
                            1,
                            true,
                            "........"
                            "11111..."
                            "........"
                            "........"
                            "........"
                            "........"
                            "........"
                            "........"},
                    RunCase{"RunToEdgeTurnsNothing",
                            {"........", ".2342222", "........", "........",
                             "........", "........", "........", "........"},
                            1,
                            0,
                            1,
                            false,
                            ""},
                    RunCase{"RunToEmptyCellTurnsNothing",
                            {"........", ".234.1..", "........", "........",
                             "........", "........", "........", "........"},
                            1,
                            0,
                            1,
                            false,
                            ""},
                    RunCase{"OwnNeighbourTurnsNothing",
                            {"........", ".12.....", "........", "........",
                             "........", "........", "........", "........"},
                            1,
                            0,
                            1,
                            false,
                            ""},
                    RunCase{"OccupiedCell",
                            {"........", "32......", "........", "........",
                             "........", "........", "........", "........"},
                            1,
                            0,
                            1,
                            false,
                            ""},
                    RunCase{"DiagonalUpLeftAndDown",
                            {"1.......", ".4......", "..3.....", "........",
                             "...2....", "...1....", "........", "........"},
                            1,
                            3,
                            3,
                            true,
                            "1......."
                            ".1......"
                            "..1....."
                            "...1...."
                            "...1...."
                            "...1...."
                            "........"
                            "........"}),
    [](const testing::TestParamInfo<RunCase>& info) {
      return std::string(info.param.name);
    });

TEST(BoardTest, SeveralDirectionsAreNotedInTheFixedOrder) {
  // Seat 1 plays (3,3) and flanks right, down, left, up, down-right,
  // up-left, up-right and down-left at once.
  Board board = FromRows({"1..1..1.", ".2.3.4..", "..234...", "124.421.",
                          "..432...", ".2.3.4..", "1..1..1.", "........"});
  const Board before = board;
  MoveRecord record;
  Board::InitMoveRecord(record, 3, 3);
  board.TurnFlankedDiscs(1, record);
  board.SetCell(1, 3, 3);
  // right (4,3),(5,3); down (3,4),(3,5); left (2,3),(1,3); up (3,2),(3,1);
  // down-right (4,4),(5,5); up-left (2,2),(1,1); up-right (4,2),(5,1);
  // down-left (2,4),(1,5). Packed as column + 8 * row.
  const std::vector<int32_t> expected = {
      4 + 24, 5 + 24, 3 + 32, 3 + 40, 2 + 24, 1 + 24, 3 + 16, 3 + 8,
      4 + 32, 5 + 40, 2 + 16, 1 + 8,  4 + 16, 5 + 8,  2 + 32, 1 + 40};
  EXPECT_EQ(Turned(record), expected);
  EXPECT_EQ(record.count, 16);
  EXPECT_EQ(record.turned[16], -1);
  EXPECT_EQ(board.CountDiscs(1), 8 + 1 + 16);
  for (int k = 0; k < record.count; ++k) {
    const int32_t p = record.turned[k];
    EXPECT_EQ(record.previous[k], before.Cell(p % 8, p / 8)) << k;
  }
  board.UndoMove(record);
  EXPECT_EQ(board.cells(), before.cells());
}

TEST(BoardTest, PlaceMoveRefusesBeforeAnyGameAndAfterTheEnd) {
  Board fresh;
  EXPECT_EQ(fresh.IsGameOver(), 1);
  EXPECT_EQ(fresh.PlaceMove(1, 0, 0), 0);

  Board board;
  SetUpNewGame(board);
  EXPECT_EQ(board.GameOn(), -1);
  EXPECT_EQ(board.PlaceMove(1, 7, 7), 0);
  EXPECT_EQ(board.PlaceMove(1, 8, 3), 0);
  EXPECT_EQ(board.PlaceMove(1, 1, 3), 0);  // occupied
  EXPECT_EQ(board.MoveCount(), 0);
  EXPECT_EQ(board.PlaceMove(1, 1, 5), 1);  // over white (1,4)
  EXPECT_EQ(board.MoveCount(), 1);
}

TEST(BoardTest, GameOnClearsInsideTheMoveThatEndsTheGame) {
  // Seat 1 takes the last disc of seat 2; no seat can move afterwards.
  Board board = FromRows({".21.....", "........", "........", "........",
                          "........", "........", "........", "........"});
  ASSERT_EQ(board.GameOn(), -1);
  EXPECT_EQ(board.PlaceMove(1, 0, 0), 1);
  EXPECT_EQ(board.CountDiscs(2), 0);
  EXPECT_EQ(board.GameOn(), 0);
  EXPECT_EQ(board.IsGameOver(), 1);
  EXPECT_EQ(board.PlaceMove(1, 3, 0), 0);
  board.ClearBoard(4);
  EXPECT_EQ(board.GameOn(), -1);
  EXPECT_EQ(board.MoveCount(), 0);
}

TEST(BoardTest, SetPositionMayTakeTheBoardsOwnCells) {
  Board board = FromRows({"12......", "........", "........", "........",
                          "........", "........", "........", "34......"});
  const Cells cells = board.cells();
  board.SetPosition(board.cells(), 4, 7);
  EXPECT_EQ(board.cells(), cells);
  EXPECT_EQ(board.MoveCount(), 7);
  EXPECT_EQ(board.GameOn(), -1);
}

TEST(BoardTest, SeatWithoutDiscsNeverMovesAndIsPassedOver) {
  // Seat 2 has no disc; seat 3 can still move, so the game goes on.
  Board board = FromRows({"13......", "........", "........", "........",
                          "........", "........", "........", "........"});
  EXPECT_EQ(board.HasLegalMove(2), 0);
  EXPECT_EQ(board.HasLegalMove(4), 0);
  EXPECT_EQ(board.HasLegalMove(1), 1);
  board.UpdateGameOn();
  EXPECT_EQ(board.GameOn(), -1);
}

// An obviously correct model: walk each line and collect what would turn.
std::vector<int> ModelFlips(const Cells& cells, int seat, int column, int row) {
  std::vector<int> flips;
  if (cells[CellIndex(column, row)] != 0) return flips;
  for (const Direction& d : kDirections) {
    std::vector<int> run;
    int c = column + d.column_step;
    int r = row + d.row_step;
    while (c >= 0 && c < 8 && r >= 0 && r < 8) {
      const int v = cells[CellIndex(c, r)];
      if (v == 0) break;
      if (v == seat) {
        flips.insert(flips.end(), run.begin(), run.end());
        break;
      }
      run.push_back(CellIndex(c, r));
      c += d.column_step;
      r += d.row_step;
    }
  }
  return flips;
}

TEST(BoardTest, AgreesWithAModelOnRandomPositions) {
  std::mt19937 rng(20261206);
  for (int position = 0; position < 3000; ++position) {
    Cells cells{};
    const int fill = static_cast<int>(rng() % 100);
    for (int32_t& v : cells) {
      v = static_cast<int>(rng() % 100) < fill ? 1 + rng() % 4 : 0;
    }
    Board board;
    board.SetPosition(cells, 4, 10);
    for (int seat = 1; seat <= 4; ++seat) {
      bool any = false;
      for (int column = 0; column < 8; ++column) {
        for (int row = 0; row < 8; ++row) {
          const std::vector<int> flips = ModelFlips(cells, seat, column, row);
          const bool legal = !flips.empty();
          any = any || legal;
          ASSERT_EQ(board.IsLegalMove(seat, column, row), legal ? 1 : 0);
          if (!legal) continue;
          MoveRecord record;
          Board::InitMoveRecord(record, column, row);
          board.TurnFlankedDiscs(seat, record);
          board.SetCell(seat, column, row);
          Cells expected = cells;
          for (int i : flips) expected[i] = seat;
          expected[CellIndex(column, row)] = seat;
          ASSERT_EQ(board.cells(), expected);
          ASSERT_EQ(record.count, static_cast<int>(flips.size()));
          board.UndoMove(record);
          ASSERT_EQ(board.cells(), cells);
        }
      }
      EXPECT_EQ(board.HasLegalMove(seat), any ? 1 : 0);
    }
    EXPECT_EQ(board.MoveCount(), 10);
    EXPECT_EQ(board.GameOn(), -1);
  }
}

}  // namespace
}  // namespace qf
