// The text form of a board: 64 characters in reading order (row 0 first,
// each row from column 0), '.' for an empty cell and '1'..'4' for a disc.
#ifndef QUADRIFLANK_BOARD_BOARD_TEXT_H_
#define QUADRIFLANK_BOARD_BOARD_TEXT_H_

#include <string>
#include <string_view>

#include "board/board.h"

namespace qf {

// Parses `text` into `cells`. On failure returns false, leaves `cells` as it
// was and puts a one-line reason into `error`.
bool ParseBoardText(std::string_view text, Cells& cells, std::string& error);

std::string BoardText(const Cells& cells);

// `text` fit to quote in a one-line message for a terminal: every control
// character (C0, DEL and C1) and every byte that is not part of a
// well-formed UTF-8 character becomes \xHH; everything else stays. The
// result holds no such byte, so escaping it again changes nothing.
std::string EscapeText(std::string_view text);

}  // namespace qf

#endif  // QUADRIFLANK_BOARD_BOARD_TEXT_H_
