// The random source and the order roulette, run without a window.
#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "order/roulette.h"

namespace qf {
namespace {

TEST(RandomSourceTest, FractionsFromStateOneAndHalfwayStates) {
  RandomSource random;  // each fraction takes two steps
  for (double expected : {0.70042, 0.56824, 0.29604, 0.41620}) {
    EXPECT_EQ(random.RandomFraction(), expected);
  }
  // The new state / 65536 goes to the nearest integer, halves to even, and
  // wraps at 32768. The multiplier's inverse modulo 2^32 undoes one step.
  const std::pair<uint32_t, int32_t> cases[] = {
      {0xFFFF7FFFu, 32767}, {0xFFFF8000u, 0}, {0x8000u, 0},
      {0x18000u, 2},        {0x8001u, 1},     {0x17FFFu, 1}};
  for (const auto& [new_state, expected] : cases) {
    random.SetRandomSeed((new_state - 12345u) * 0xEEB9EB65u);
    EXPECT_EQ(random.NextRandom(), expected) << std::hex << new_state;
  }
}

// The roulette's window as a log of what it is told.
class RouletteTest : public testing::Test, public OrderWindow {
 protected:
  void StartSpinning(int32_t ms) override { log_ << "spin" << ms << ' '; }
  void ShowName(int32_t position, std::string_view name) override {
    log_ << position << '=' << name << ' ';
  }
  void OrderFixed() override { log_ << "fixed "; }
  void End(bool start) override { log_ << "end" << start << ' '; }

  std::ostringstream log_;
  uint32_t clock_ = 1;
  OrderState state_;
  RandomSource random_{[this] { return clock_; }};
  Roulette roulette_{state_, random_, *this};
};

TEST_F(RouletteTest, SpinsUntilTwoPressesAndAReopenedWindowSpinsAnew) {
  roulette_.StartRoulette();
  for (int tick = 0; tick < 3; ++tick) roulette_.DrawOrder();
  for (int press = 0; press < 2; ++press) roulette_.OrderButtonPressed();
  // From state 1 the ticks draw 2 1 3 0, 0 2 1 3 and 0 3 1 2.
  EXPECT_EQ(log_.str(),
            "spin10 0=COM2 1=COM1 2=COM3 3=You 0=You 1=COM2 2=COM1 3=COM3 "
            "0=You 1=COM3 2=COM1 3=COM2 fixed end1 ");

  // Reopened: seeded from the clock; a press before the first tick plays
  // the order the labels show until then, You, COM1, COM2, COM3.
  clock_ = 777;
  log_.str("");
  roulette_.StartRoulette();
  for (int press = 0; press < 2; ++press) roulette_.OrderButtonPressed();
  EXPECT_EQ(log_.str(), "spin10 fixed end1 ");
  RandomSource from_clock;
  from_clock.SetRandomSeed(777);
  EXPECT_EQ(random_.RandomFraction(), from_clock.RandomFraction());
  EXPECT_EQ(state_.PlayOrder, (std::array<int32_t, 4>{0, 1, 2, 3}));
  for (int tick = 0; tick < 2000; ++tick) {  // every draw a permutation
    roulette_.DrawOrder();
    const auto& o = state_.PlayOrder;
    ASSERT_EQ(1 << o[0] | 1 << o[1] | 1 << o[2] | 1 << o[3], 15) << tick;
  }
}

}  // namespace
}  // namespace qf
