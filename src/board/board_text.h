// The text form of a board: 64 characters in reading order (row 0 first,
// each row from column 0), '.' for an empty cell and '1'..'4' for a disc.
#ifndef QUADRIFLANK_BOARD_BOARD_TEXT_H_
#define QUADRIFLANK_BOARD_BOARD_TEXT_H_

#include <string>
#include <string_view>

#include "board/board.h"

namespace qf {

// Parses `text` into `cells`. On failure returns false, leaves `cells` as it
// was and puts a one-line reason into `error`, which counts characters: a
// well-formed UTF-8 character, or else a byte of none, is one.
bool ParseBoardText(std::string_view text, Cells& cells, std::string& error);

std::string BoardText(const Cells& cells);

// `text` fit to quote in a one-line message for a terminal: every control
// character (C0, DEL and C1) and every byte that is not part of a
// well-formed UTF-8 character becomes \xHH per byte, and every character
// that is invisible or reorders text (U+061C, U+200B..U+200F,
// U+2028..U+202E, U+2066..U+2069, U+FEFF) becomes \uHHHH; everything else
// stays. The result holds none of them, so escaping it again changes
// nothing.
std::string EscapeText(std::string_view text);

}  // namespace qf

#endif  // QUADRIFLANK_BOARD_BOARD_TEXT_H_
