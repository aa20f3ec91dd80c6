// The program's one source of chance: a 32-bit linear congruential
// generator, reseeded from a millisecond clock at every draw of the order.
#ifndef QUADRIFLANK_ORDER_RANDOM_SOURCE_H_
#define QUADRIFLANK_ORDER_RANDOM_SOURCE_H_

#include <cstdint>
#include <functional>

namespace qf {

// Milliseconds of a monotonic clock, truncated to 32 bits (wraps after
// about 49.7 days; any value is a valid seed).
uint32_t MonotonicTickCount();

class RandomSource {
 public:
  using TickSource = std::function<uint32_t()>;

  explicit RandomSource(TickSource ticks = MonotonicTickCount)
      : ticks_(std::move(ticks)) {}

  void SetRandomSeed(uint32_t seed) { state_ = seed; }
  void SeedRandomFromClock() { SetRandomSeed(ticks_()); }

  // 0..32767; one generator step.
  int32_t NextRandom();
  // One of 0.00000 .. 0.99999; two generator steps.
  double RandomFraction();

 private:
  uint32_t state_ = 1;
  TickSource ticks_;
};

}  // namespace qf

#endif  // QUADRIFLANK_ORDER_RANDOM_SOURCE_H_
