// The board rules on named positions and against a slow model, the board
// text form, and perft.
#include "board/board.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "board/board_text.h"
#include "board/perft.h"
#include "board/start_position.h"

namespace qf {
namespace {

// A four-seat board from its first rows, row 0 first, each row padded with
// empty cells; missing rows are empty.
Board FromRows(std::vector<std::string> rows) {
  rows.resize(8);
  std::string text;
  for (std::string& r : rows) text += r.append(8 - r.size(), '.');
  Cells cells;
  std::string error;
  EXPECT_TRUE(ParseBoardText(text, cells, error)) << error;
  Board board;
  board.SetPosition(cells, 4, 0);
  return board;
}

TEST(BoardTest, TurnsExactlyTheFlankedRuns) {
  // Seat 1 plays (column, row); `after` is empty when that is illegal.
  const struct {
    const char* name;
    std::vector<std::string> rows;
    int32_t column, row;
    std::vector<std::string> after;
  } cases[] = {
      {"mixed colours", {"", ".2341"}, 0, 1, {"", "11111"}},
      {"run to the edge", {"", ".2342222"}, 0, 1, {}},
      {"run to an empty cell", {"", ".234.1"}, 0, 1, {}},
      {"own neighbour", {"", ".12"}, 0, 1, {}},
      {"occupied cell", {"", "321"}, 0, 1, {}},
      {"up-left and down",
       {"1", ".4", "..3", "", "...2", "...1"},
       3,
       3,
       {"1", ".1", "..1", "...1", "...1", "...1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Board board = FromRows(c.rows);
    const bool legal = !c.after.empty();
    const Board expected = legal ? FromRows(c.after) : board;
    EXPECT_EQ(board.IsLegalMove(1, c.column, c.row), legal ? 1 : 0);
    EXPECT_EQ(board.PlaceMove(1, c.column, c.row), legal ? 1 : 0);
    EXPECT_EQ(board.cells(), expected.cells());
    EXPECT_EQ(board.MoveCount(), legal ? 1 : 0);
  }
}

TEST(BoardTest, RecordListsTheDirectionsInOrderAndUndoRestoresEachSeat) {
  // Seat 1 at (3,3) flanks in all eight directions over seats 2, 3 and 4.
  Board board = FromRows(
      {"1..1..1", ".2.3.4", "..234", "124.421", "..432", ".2.3.4", "1..1..1"});
  const Board before = board;
  MoveRecord record;
  Board::InitMoveRecord(record, 3, 3);
  board.TurnFlankedDiscs(1, record);
  board.SetCell(1, 3, 3);
  // Right, down, left, up, down-right, up-left, up-right, down-left, each
  // turned cell packed as column + 8 * row, then the end mark.
  const std::vector<int32_t> turned = {28, 29, 35, 43, 26, 25, 19, 11, 36,
                                       45, 18, 9,  20, 13, 34, 41, -1};
  EXPECT_EQ(std::vector<int32_t>(record.turned, record.turned + 17), turned);
  EXPECT_EQ(record.count, 16);
  board.UndoMove(record);  // each disc back to its own former seat
  EXPECT_EQ(board, before);
}

TEST(BoardTest, PlaceMoveRefusesOutsideAGameAndOnIllegalCells) {
  Board board;  // before any game, even on a cell that flanks
  board.SetCell(2, 1, 0);
  board.SetCell(1, 2, 0);
  EXPECT_EQ(board.PlaceMove(1, 0, 0), 0);
  SetUpNewGame(board);
  EXPECT_EQ(board.PlaceMove(1, 7, 7), 0);  // flanks nothing
  EXPECT_EQ(board.PlaceMove(1, 8, 3), 0);  // off the board
  EXPECT_EQ(board.PlaceMove(1, 1, 3), 0);  // occupied
  EXPECT_EQ(board.MoveCount(), 0);

  // Seats 2 and 3 have no discs and only seat 4 can move: the game goes on
  // until that move, which clears GameOn itself.
  board = FromRows({"41"});
  EXPECT_EQ(board.HasLegalMove(2), 0);
  board.UpdateGameOn();
  EXPECT_EQ(board.GameOn(), -1);
  EXPECT_EQ(board.PlaceMove(4, 2, 0), 1);
  EXPECT_EQ(board.GameOn(), 0);
  board.SetCell(1, 3, 0);  // (4,0) flanks again, but the game is over
  EXPECT_EQ(board.PlaceMove(4, 4, 0), 0);
  EXPECT_EQ(board.MoveCount(), 1);
  board.ClearBoard(4);
  EXPECT_EQ(board.GameOn(), -1);
}

// The obvious way: walk each line from the cell and collect what turns.
std::vector<int> ModelFlips(const Cells& cells, int seat, int column, int row) {
  std::vector<int> flips;
  if (cells[CellIndex(column, row)] != 0) return flips;
  for (const Direction& d : kDirections) {
    std::vector<int> run;
    for (int c = column + d.column_step, r = row + d.row_step;
         c >= 0 && c < 8 && r >= 0 && r < 8 && cells[CellIndex(c, r)] != 0;
         c += d.column_step, r += d.row_step) {
      if (cells[CellIndex(c, r)] == seat) {
        flips.insert(flips.end(), run.begin(), run.end());
        break;
      }
      run.push_back(CellIndex(c, r));
    }
  }
  return flips;
}

TEST(BoardTest, AgreesWithTheModelOnRandomPositions) {
  std::mt19937 rng(20261206);
  for (int position = 0; position < 3000; ++position) {
    Cells cells{};
    const uint32_t fill = rng() % 100;
    for (int32_t& v : cells) v = rng() % 100 < fill ? 1 + rng() % 4 : 0;
    Board board;
    board.SetPosition(cells, 4, 0);
    board.SetPosition(board.cells(), 4, 10);  // its own cells may be passed
    for (int seat = 1; seat <= 4; ++seat) {
      bool any = false;
      for (int column = 0; column < 8; ++column) {
        for (int row = 0; row < 8; ++row) {
          const std::vector<int> flips = ModelFlips(cells, seat, column, row);
          any = any || !flips.empty();
          ASSERT_EQ(board.IsLegalMove(seat, column, row),
                    flips.empty() ? 0 : 1);
          if (flips.empty()) continue;
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
  }
}

TEST(BoardTextTest, ReadsInReadingOrderAndRejectsMalformedText) {
  std::string text(64, '.');
  text[1 * 8 + 3] = '2';  // row 1, column 3
  text[63] = '4';
  Cells cells{};
  std::string error;
  ASSERT_TRUE(ParseBoardText(text, cells, error)) << error;
  EXPECT_EQ(cells[CellIndex(3, 1)], 2);
  EXPECT_EQ(cells[CellIndex(7, 7)], 4);
  EXPECT_EQ(BoardText(cells), text);
  const Cells before = cells;
  const std::pair<std::string, std::string> cases[] = {
      {"", "64 characters, got 0"},
      {std::string(65, '.'), "got 65"},
      {std::string(63, '.') + "5", "'5' at position 64"},
      {"0" + std::string(63, '.'), "'0' at position 1"},
      {std::string(10, '.') + "\n" + std::string(53, '.'), "byte 0x0a"},
      {std::string(10, '.') + "\xe9" + std::string(53, '.'), "byte 0xe9"}};
  for (const auto& [bad, reason] : cases) {
    EXPECT_FALSE(ParseBoardText(bad, cells, error));
    EXPECT_NE(error.find(reason), std::string::npos) << error;
    EXPECT_EQ(cells, before);
  }
}

TEST(PerftTest, CountsFromTheTwoAndFourSeatStarts) {
  Board board;
  SetUpTwoSeatStart(board);
  const Board before = board;
  EXPECT_EQ(Perft(board, 1, 8),
            (std::vector<uint64_t>{4, 12, 56, 244, 1396, 8200, 55092, 390216}));
  EXPECT_EQ(board, before);
  // Four seats from the game's start guard the turn order.
  SetUpNewGame(board);
  EXPECT_EQ(Perft(board, 1, 6),
            (std::vector<uint64_t>{4, 14, 56, 196, 928, 3743}));
  // A position where no seat can move is one leaf at every depth.
  board = FromRows({"1"});
  EXPECT_EQ(Perft(board, 1, 3), (std::vector<uint64_t>{1, 1, 1}));
}

}  // namespace
}  // namespace qf
