#include "board/board_text.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

TEST(BoardTextTest, ReadingOrderMapsToColumnAndRow) {
  std::string text(64, '.');
  text[1 * 8 + 3] = '2';  // row 1, column 3
  text[63] = '4';
  Cells cells;
  std::string error;
  ASSERT_TRUE(ParseBoardText(text, cells, error)) << error;
  EXPECT_EQ(cells[CellIndex(3, 1)], 2);
  EXPECT_EQ(cells[CellIndex(7, 7)], 4);
  EXPECT_EQ(BoardText(cells), text);
}

TEST(BoardTextTest, RejectsMalformedTextAndKeepsTheCells) {
  struct Case {
    std::string text;
    std::string message_part;
  };
  const Case cases[] = {
      {"", "64 characters, got 0"},
      {std::string(63, '.'), "got 63"},
      {std::string(65, '.'), "got 65"},
      {std::string(63, '.') + "5", "'5' at position 64"},
      {"0" + std::string(63, '.'), "'0' at position 1"},
      {std::string(10, '.') + "\n" + std::string(53, '.'), "byte 0x0a"},
      {std::string(10, '.') + "\xe9" + std::string(53, '.'), "byte 0xe9"},
  };
  for (const Case& c : cases) {
    Cells cells{};
    cells[5] = 3;
    const Cells before = cells;
    std::string error;
    EXPECT_FALSE(ParseBoardText(c.text, cells, error)) << c.text;
    EXPECT_NE(error.find(c.message_part), std::string::npos) << error;
    EXPECT_EQ(cells, before);
  }
}

}  // namespace
}  // namespace qf
