// The board rules against a slow model on random positions, the board text
// form, and perft.
#include "board/board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "board/board_text.h"
#include "board/perft.h"
#include "board/start_position.h"

namespace qf {
namespace {

// The obvious way: walk each line from cell i (column i / 8, row i % 8) in
// the order right, down, left, up, down-right, up-left, up-right, down-left,
// and collect what turns as column + 8 * row, nearest first.
std::vector<int32_t> ModelFlips(const Cells& cells, int seat, int i) {
  constexpr int kSteps[8][2] = {{1, 0}, {0, 1},   {-1, 0}, {0, -1},
                                {1, 1}, {-1, -1}, {1, -1}, {-1, 1}};
  std::vector<int32_t> flips;
  if (cells[i] != 0) return flips;
  for (const auto& [dc, dr] : kSteps) {
    std::vector<int32_t> run;
    for (int c = i / 8 + dc, r = i % 8 + dr;
         c >= 0 && c < 8 && r >= 0 && r < 8 && cells[CellIndex(c, r)];
         c += dc, r += dr) {
      if (cells[CellIndex(c, r)] == seat) {
        flips.insert(flips.end(), run.begin(), run.end());
        break;
      }
      run.push_back(c + 8 * r);
    }
  }
  return flips;
}

// Every cell of every seat: legality, PlaceMove with its move count and
// GameOn, the discs turned and their record, the undo, HasLegalMove and
// LegalCells.
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
      std::vector<int> legal;  // as column * 8 + row: in scan order
      for (int i = 0; i < 64; ++i) {
        std::vector<int32_t> flips = ModelFlips(cells, seat, i);
        if (!flips.empty()) legal.push_back(i);
        ASSERT_EQ(board.IsLegalMove(seat, i / 8, i % 8), !flips.empty());
        if (flips.empty()) continue;
        Cells expected = cells;
        for (int32_t p : flips) expected[CellIndex(p % 8, p / 8)] = seat;
        expected[i] = seat;
        Board placed = board;
        ASSERT_TRUE(placed.PlaceMove(seat, i / 8, i % 8));
        ASSERT_EQ(placed.cells(), expected);
        ASSERT_EQ(placed.MoveCount(), 11);
        ASSERT_EQ(placed.GameOn(),
                  placed.HasLegalMove(1) || placed.HasLegalMove(2) ||
                      placed.HasLegalMove(3) || placed.HasLegalMove(4));
        MoveRecord record;
        Board::InitMoveRecord(record, i / 8, i % 8);
        board.TurnFlankedDiscs(seat, record);
        flips.push_back(-1);  // the end mark
        ASSERT_TRUE(std::equal(flips.begin(), flips.end(), record.turned));
        board.UndoMove(record);  // each disc back to its own former seat
        ASSERT_EQ(board.cells(), cells);
      }
      EXPECT_EQ(board.HasLegalMove(seat), !legal.empty());
      std::vector<int> listed;
      for (Coord c : LegalCells(board, seat))
        listed.push_back(c.column * 8 + c.row);
      EXPECT_EQ(listed, legal);
    }
  }
}

TEST(BoardTextTest, ReadsInReadingOrderAndRejectsMalformedText) {
  const std::string text = std::string(11, '.') + "2" + std::string(52, '.');
  Cells cells{};
  std::string error;
  ASSERT_TRUE(ParseBoardText(text, cells, error)) << error;
  EXPECT_EQ(cells[CellIndex(3, 1)], 2);  // row 1, column 3
  const std::pair<std::string, std::string> cases[] = {
      {"", "64 characters, got 0"},
      {std::string(65, '.'), "got 65"},
      {std::string(62, '.') + "é", "got 63"},  // 64 bytes
      {std::string(63, '.') + "5",
       "64 '5' is not a cell: expected '.' or 1-4 for column 7, row 7"},
      {"0" + std::string(63, '.'), "character 1 '0' is not"},
      {std::string(10, '.') + "\n" + std::string(53, '.'), " 11 '\\x0a' is"},
      {std::string(10, '.') + "é" + std::string(53, '.'), " 11 'é' is not"},
      {std::string(10, '.') + "\xe9" + std::string(53, '.'), " 11 '\\xe9' is"}};
  for (const auto& [bad, reason] : cases) {
    EXPECT_FALSE(ParseBoardText(bad, cells, error));
    EXPECT_NE(error.find(reason), std::string::npos) << error;
    EXPECT_EQ(BoardText(cells), text);
  }
}

// Whole UTF-8 characters stay; control characters (C0, DEL, C1), bytes of
// no well-formed character and invisible or reordering characters are
// escaped, and escaping is idempotent.
TEST(BoardTextTest, EscapeTextEscapesControlsInvisiblesAndBytesNotUtf8) {
  const std::pair<std::string, std::string> cases[] = {
      {"a 'b' \\ \xc2\xa0é日本😀", "a 'b' \\ \xc2\xa0é日本😀"},
      {"\x1b[2J\n\t\x7f\xc2\x9b", "\\x1b[2J\\x0a\\x09\\x7f\\xc2\\x9b"},
      // Invisible and reordering characters, between neighbours that show.
      {"\u200a\u200b\u200f\u2010 \u2027\u2028\u202e\u202f \u2065\u2066"
       "\u2069\u206a \u061b\u061c\ufeff",
       "\u200a\\u200b\\u200f\u2010 \u2027\\u2028\\u202e\u202f \u2065\\u2066"
       "\\u2069\u206a \u061b\\u061c\\ufeff"},
      // A stray byte and a continuation, an overlong '/', a surrogate, a
      // code point above U+10FFFF and a character cut short.
      {"\xff\x80\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80\xe6\x97",
       "\\xff\\x80\\xc0\\xaf\\xed\\xa0\\x80\\xf4\\x90\\x80\\x80\\xe6\\x97"}};
  for (const auto& [text, escaped] : cases) {
    EXPECT_EQ(EscapeText(text), escaped);
    EXPECT_EQ(EscapeText(escaped), escaped);
  }
}

// The counts from the two- and four-seat starts guard the move generation
// and the turn order. Below, seat 4's one move ends the game: seats 2 and 3
// are passed over, then the position is one leaf at every depth, and
// PlaceMove refuses even a cell that flanks.
TEST(BoardTest, PerftAndTheEndOfAGame) {
  Board board;
  SetUpTwoSeatStart(board);
  EXPECT_EQ(Perft(board, 1, 8),
            (std::vector<uint64_t>{4, 12, 56, 244, 1396, 8200, 55092, 390216}));
  SetUpNewGame(board);
  EXPECT_EQ(Perft(board, 1, 6),
            (std::vector<uint64_t>{4, 14, 56, 196, 928, 3743}));
  // Seat 4 on (0,0), seat 1 on (1,0).
  board.SetPosition(Cells{4, 0, 0, 0, 0, 0, 0, 0, 1}, 4, 0);
  EXPECT_EQ(Perft(board, 2, 3), (std::vector<uint64_t>{1, 1, 1}));
  EXPECT_FALSE(board.PlaceMove(4, 8, 0) || board.PlaceMove(4, -1, 0));
  EXPECT_TRUE(board.PlaceMove(4, 2, 0));
  EXPECT_TRUE(board.IsGameOver());
  board.SetCell(1, 3, 0);
  EXPECT_FALSE(board.PlaceMove(4, 4, 0));
}

}  // namespace
}  // namespace qf
