#include "board/board_text.h"

#include <utf8.h>

#include <cstdint>

namespace qf {
namespace {

// The code given for a byte that begins no well-formed UTF-8 character.
constexpr uint32_t kNotUtf8 = 0xffffffff;

// Calls visit(bytes, code) for each character of `text` in order, until it
// answers false: a well-formed UTF-8 character whole, or else one byte that
// begins none (code kNotUtf8), so every byte belongs to one character.
template <typename Visit>
void ForEachCharacter(std::string_view text, Visit visit) {
  for (auto it = text.begin(); it != text.end();) {
    const auto bad = utf8::find_invalid(it, text.end());
    while (it != bad) {
      const auto start = it;
      const uint32_t code = utf8::unchecked::next(it);
      if (!visit(std::string_view(start, it), code)) return;
    }
    if (it != text.end()) {
      if (!visit(std::string_view(it, it + 1), kNotUtf8)) return;
      ++it;
    }
  }
}

bool IsControl(uint32_t code) {
  return code < 0x20 || (code >= 0x7f && code < 0xa0);
}

// Characters that show nothing or reorder the text around them, so that a
// quoted input could look unlike what was typed: the Bidi_Control
// characters, the zero-width ones, the line and paragraph separators and the
// byte order mark.
bool IsInvisible(uint32_t code) {
  return code == 0x061c || (code >= 0x200b && code <= 0x200f) ||
         (code >= 0x2028 && code <= 0x202e) ||
         (code >= 0x2066 && code <= 0x2069) || code == 0xfeff;
}

constexpr char kHex[] = "0123456789abcdef";

void AppendEscapedBytes(std::string& out, std::string_view bytes) {
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    out.append("\\x").append(1, kHex[u >> 4]).append(1, kHex[u & 15]);
  }
}

// \uHHHH; every character escaped so lies below U+10000.
void AppendEscapedCode(std::string& out, uint32_t code) {
  out.append("\\u");
  for (int shift = 12; shift >= 0; shift -= 4) {
    out.append(1, kHex[(code >> shift) & 15]);
  }
}

}  // namespace

std::string EscapeText(std::string_view text) {
  std::string out;
  ForEachCharacter(text, [&out](std::string_view bytes, uint32_t code) {
    if (code == kNotUtf8 || IsControl(code)) {
      AppendEscapedBytes(out, bytes);
    } else if (IsInvisible(code)) {
      AppendEscapedCode(out, code);
    } else {
      out.append(bytes);
    }
    return true;
  });
  return out;
}

bool ParseBoardText(std::string_view text, Cells& cells, std::string& error) {
  // Lengths and positions count characters, as the user sees them.
  size_t count = 0;
  ForEachCharacter(text, [&count](std::string_view, uint32_t) {
    ++count;
    return true;
  });
  if (count != kCellCount) {
    error = "board text must be 64 characters, got " + std::to_string(count);
    return false;
  }
  Cells parsed{};
  int i = 0;
  std::string_view bad;
  ForEachCharacter(text, [&](std::string_view bytes, uint32_t code) {
    if (code != '.' && (code < '1' || code > '4')) {
      bad = bytes;
      return false;
    }
    parsed[CellIndex(i % 8, i / 8)] =
        code == '.' ? 0 : static_cast<int32_t>(code - '0');
    ++i;
    return true;
  });
  if (!bad.empty()) {
    error = "board text: character " + std::to_string(i + 1) + " '" +
            EscapeText(bad) + "' is not a cell: expected '.' or 1-4 for " +
            "column " + std::to_string(i % 8) + ", row " +
            std::to_string(i / 8);
    return false;
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
