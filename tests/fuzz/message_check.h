// What every message must be, whatever it quotes from the input: well-formed
// UTF-8 with no control character (but newlines, where `lines`) and none that
// is invisible or reorders text, so a terminal shows the input as it is.
#ifndef QUADRIFLANK_TESTS_FUZZ_MESSAGE_CHECK_H_
#define QUADRIFLANK_TESTS_FUZZ_MESSAGE_CHECK_H_

#include <utf8.h>

#include <cstdint>
#include <string_view>

namespace qf::fuzz {

inline bool IsSafeMessage(std::string_view text, bool lines) {
  if (!utf8::is_valid(text.begin(), text.end())) return false;
  for (auto it = text.begin(); it != text.end();) {
    const uint32_t c = utf8::next(it, text.end());
    if ((c == '\n' && lines) || (c >= 0x20 && c < 0x7f)) continue;
    if (c < 0xa0 || c == 0x061c || (c >= 0x200b && c <= 0x200f) ||
        (c >= 0x2028 && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069) ||
        c == 0xfeff) {
      return false;
    }
  }
  return true;
}

}  // namespace qf::fuzz

#endif  // QUADRIFLANK_TESTS_FUZZ_MESSAGE_CHECK_H_
