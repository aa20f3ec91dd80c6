#include "order/random_source.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace qf {
namespace {

TEST(RandomSourceTest, SequenceFromStateOne) {
  RandomSource random;
  ASSERT_EQ(random.RandomState(), 1u);
  const std::vector<int32_t> expected = {16838, 5759, 10114, 17516,
                                         31052, 5627, 23011, 7420};
  std::vector<int32_t> got;
  for (size_t i = 0; i < expected.size(); ++i) {
    got.push_back(random.NextRandom());
    if (i == 0) {
      EXPECT_EQ(random.RandomState(), 1103527590u);
    }
  }
  EXPECT_EQ(got, expected);
}

TEST(RandomSourceTest, FractionsFromStateOne) {
  RandomSource random;
  for (double expected : {0.70042, 0.56824, 0.29604, 0.41620}) {
    EXPECT_EQ(random.RandomFraction(), expected);
  }
}

// The quotient new_state / 65536 goes to the nearest integer, halves to
// even, and the result wraps at 32768.
TEST(RandomSourceTest, HalfwayStatesRoundToEven) {
  struct Case {
    uint32_t new_state;
    int32_t expected;
  };
  const Case cases[] = {
      {0xFFFF7FFFu, 32767},
      {0xFFFF8000u, 0},
      {0x8000u, 0},
      {0x18000u, 2},
      {0x8001u, 1},
      {0x17FFFu, 1},
      {0x0u, 0},
      {0x7FFF8000u, 32768 % 32768},
  };
  for (const Case& c : cases) {
    // Find the state whose successor is new_state: the multiplier's
    // inverse modulo 2^32 undoes one step.
    constexpr uint32_t kInverse = 0xEEB9EB65u;
    static_assert(1103515245u * kInverse == 1u);
    RandomSource random;
    random.SetRandomSeed((c.new_state - 12345u) * kInverse);
    EXPECT_EQ(random.NextRandom(), c.expected) << std::hex << c.new_state;
    EXPECT_EQ(random.RandomState(), c.new_state);
  }
}

TEST(RandomSourceTest, ClockSeedComesFromTheTickSource) {
  uint32_t ticks = 4294967295u;
  RandomSource random([&ticks] { return ticks; });
  random.SeedRandomFromClock();
  EXPECT_EQ(random.RandomState(), 4294967295u);
  ticks = 0;
  random.SeedRandomFromClock();
  EXPECT_EQ(random.RandomState(), 0u);
}

TEST(RandomSourceTest, FractionsStayInRangeOverALongRun) {
  RandomSource random([] { return 12345u; });
  random.SeedRandomFromClock();
  for (int i = 0; i < 200000; ++i) {
    const double x = random.RandomFraction();
    ASSERT_GE(x, 0.0);
    ASSERT_LT(x, 1.0);
    ASSERT_EQ(std::lround(x * 100000.0) / 100000.0, x);
  }
}

}  // namespace
}  // namespace qf
