// The random source and the order roulette, run without a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "order/roulette.h"

namespace qf {
namespace {

TEST(RandomSourceTest, SequencesFromStateOne) {
  RandomSource random;
  EXPECT_EQ(random.NextRandom(), 16838);
  EXPECT_EQ(random.RandomState(), 1103527590u);
  std::vector<int32_t> next;
  for (int i = 0; i < 7; ++i) next.push_back(random.NextRandom());
  EXPECT_EQ(next, (std::vector<int32_t>{5759, 10114, 17516, 31052, 5627, 23011,
                                        7420}));
  random.SetRandomSeed(1);
  for (double expected : {0.70042, 0.56824, 0.29604, 0.41620}) {
    EXPECT_EQ(random.RandomFraction(), expected);
  }
}

// The new state / 65536 goes to the nearest integer, halves to even, and
// wraps at 32768.
TEST(RandomSourceTest, HalfwayStatesRoundToEven) {
  const std::pair<uint32_t, int32_t> cases[] = {
      {0xFFFF7FFFu, 32767}, {0xFFFF8000u, 0}, {0x8000u, 0},
      {0x18000u, 2},        {0x8001u, 1},     {0x17FFFu, 1}};
  for (const auto& [new_state, expected] : cases) {
    // The multiplier's inverse modulo 2^32 undoes one step.
    constexpr uint32_t kInverse = 0xEEB9EB65u;
    static_assert(1103515245u * kInverse == 1u);
    RandomSource random;
    random.SetRandomSeed((new_state - 12345u) * kInverse);
    EXPECT_EQ(random.NextRandom(), expected) << std::hex << new_state;
    EXPECT_EQ(random.RandomState(), new_state);
  }
}

using Order = std::array<int32_t, 4>;

// Keeps what the roulette's window would show.
class FakeWindow : public OrderDialogPort {
 public:
  void StartTimer(int32_t id, int32_t period) override {
    timer = id == kRouletteTimerId && period == 10;
  }
  void StopTimer(int32_t id) override {
    if (id == kRouletteTimerId) timer = false;
  }
  void SetItemText(int32_t id, std::string_view text) override {
    texts[id] = text;
  }
  void EndModalWindow(int32_t code) override { results.push_back(code); }

  bool timer = false;
  std::map<int32_t, std::string> texts;
  std::vector<int32_t> results;
};

class RouletteTest : public testing::Test {
 protected:
  std::vector<std::string> Labels() {
    std::vector<std::string> labels;
    for (int32_t id : kNameLabelIds) labels.push_back(window_.texts[id]);
    return labels;
  }

  uint32_t clock_ = 1;
  OrderState state_;
  RandomSource random_{[this] { return clock_; }};
  FakeWindow window_;
  Roulette roulette_{state_, random_, window_};
};

TEST_F(RouletteTest, TicksFromStateOneAreShownAndAlwaysPermutations) {
  roulette_.StartRoulette();
  const Order first[] = {{2, 1, 3, 0}, {0, 2, 1, 3}, {0, 3, 1, 2}};
  for (int tick = 0; tick < 2000; ++tick) {
    roulette_.DrawOrder();
    if (tick < 3) {
      EXPECT_EQ(state_.PlayOrder, first[tick]) << tick;
    }
    ASSERT_TRUE(std::is_permutation(state_.PlayOrder.begin(),
                                    state_.PlayOrder.end(), first[0].begin()));
    for (int i = 0; i < 4; ++i) {
      ASSERT_EQ(Labels()[i], state_.ParticipantNames[state_.PlayOrder[i]]);
    }
  }
}

TEST_F(RouletteTest, PressesStopThenStartAndAReopenedWindowSpinsAnew) {
  roulette_.StartRoulette();
  roulette_.DrawOrder();
  EXPECT_EQ(Labels(),
            (std::vector<std::string>{"COM2", "COM1", "COM3", "You"}));
  roulette_.OrderButtonPressed();
  EXPECT_FALSE(window_.timer);
  EXPECT_EQ(window_.texts[kOrderButtonId], "対局開始");
  EXPECT_TRUE(window_.results.empty());
  roulette_.OrderButtonPressed();
  EXPECT_EQ(window_.results, std::vector<int32_t>{1});
  EXPECT_EQ(state_.PlayOrder, (Order{2, 1, 3, 0}));

  // Reopened: seeded from the clock, spinning, the name labels borrowing the
  // count-label column; a press before the first tick plays the order the
  // labels show until then, You, COM1, COM2, COM3.
  clock_ = 777;
  roulette_.StartRoulette();
  EXPECT_TRUE(window_.timer);
  EXPECT_EQ(random_.RandomState(), 777u);
  EXPECT_EQ(state_.OrderStopped, 0);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(state_.panel_control_ids.At(i, kCountLabel), kNameLabelIds[i]);
  }
  roulette_.OrderButtonPressed();
  roulette_.OrderButtonPressed();
  EXPECT_EQ(window_.results, (std::vector<int32_t>{1, 1}));
  EXPECT_EQ(state_.PlayOrder, (Order{0, 1, 2, 3}));
  EXPECT_EQ(state_.ParticipantNames,
            (std::array<std::string, 4>{"You", "COM1", "COM2", "COM3"}));
}

TEST(PanelControlIdsTest, TeardownWritesTheSeatPanelIds) {
  PanelControlIds ids;
  ids.WriteSeatPanelIds();
  EXPECT_EQ(ids.ids(),
            (std::array<int32_t, 12>{1000, 1003, 1006, 1009, 1002, 1005, 1008,
                                     1011, 1001, 1004, 1007, 1010}));
}

}  // namespace
}  // namespace qf
