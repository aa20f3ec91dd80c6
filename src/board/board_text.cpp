#include "board/board_text.h"

namespace qf {
namespace {

std::string Printable(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 0x20 && u < 0x7f) return std::string("'") + c + "'";
  static constexpr char kHex[] = "0123456789abcdef";
  return std::string("byte 0x") + kHex[u >> 4] + kHex[u & 15];
}

}  // namespace

bool ParseBoardText(std::string_view text, Cells& cells, std::string& error) {
  if (text.size() != kCellCount) {
    error =
        "board text must be 64 characters, got " + std::to_string(text.size());
    return false;
  }
  Cells parsed{};
  for (int i = 0; i < kCellCount; ++i) {
    const char c = text[i];
    int32_t value;
    if (c == '.') {
      value = 0;
    } else if (c >= '1' && c <= '4') {
      value = c - '0';
    } else {
      error = "board text has " + Printable(c) + " at position " +
              std::to_string(i + 1) + " (column " + std::to_string(i % 8) +
              ", row " + std::to_string(i / 8) + "); expected '.' or 1-4";
      return false;
    }
    parsed[CellIndex(i % 8, i / 8)] = value;
  }
  cells = parsed;
  return true;
}

std::string BoardText(const Cells& cells) {
  std::string text(kCellCount, '.');
  for (int i = 0; i < kCellCount; ++i) {
    const int32_t value = cells[CellIndex(i % 8, i / 8)];
    text[i] = value == 0 ? '.' : static_cast<char>('0' + value);
  }
  return text;
}

}  // namespace qf
