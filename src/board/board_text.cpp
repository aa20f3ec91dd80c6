#include "board/board_text.h"

#include <utf8.h>

namespace qf {
namespace {

void AppendEscaped(std::string& out, std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    out.append("\\x").append(1, kHex[u >> 4]).append(1, kHex[u & 15]);
  }
}

}  // namespace

std::string EscapeText(std::string_view text) {
  std::string out;
  for (auto it = text.begin(); it != text.end();) {
    // Whole characters up to the first byte that begins none.
    const auto bad = utf8::find_invalid(it, text.end());
    while (it != bad) {
      const auto start = it;
      const uint32_t code = utf8::unchecked::next(it);
      const std::string_view character(start, it);
      if (code < 0x20 || (code >= 0x7f && code < 0xa0)) {
        AppendEscaped(out, character);
      } else {
        out.append(character);
      }
    }
    if (it != text.end()) {
      AppendEscaped(out, std::string_view(it, it + 1));
      ++it;
    }
  }
  return out;
}

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
      error = "board text has '" + EscapeText(text.substr(i, 1)) +
              "' at position " + std::to_string(i + 1) + " (column " +
              std::to_string(i % 8) + ", row " + std::to_string(i / 8) +
              "); expected '.' or 1-4";
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
