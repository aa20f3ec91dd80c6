#include "order/random_source.h"

#include <chrono>

namespace qf {

uint32_t MonotonicTickCount() {
  const auto since_start = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since_start)
          .count());
}

int32_t RandomSource::NextRandom() {
  state_ = state_ * 1103515245u + 12345u;
  // state / 65536 taken to the nearest integer, halves to even, in integers.
  const uint32_t hi = state_ >> 16;
  const uint32_t lo = state_ & 0xffffu;
  uint32_t n = hi;
  if (lo > 0x8000u || (lo == 0x8000u && (hi & 1u) != 0)) n = hi + 1;
  return static_cast<int32_t>(n & 0x7fffu);
}

double RandomSource::RandomFraction() {
  const int32_t a = NextRandom();
  const int32_t b = NextRandom();
  const int32_t m = (a * b) % 100000;
  return m / 100000.0;
}

}  // namespace qf
