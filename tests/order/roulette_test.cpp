#include "order/roulette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "tools/cli_args.h"

namespace qf {
namespace {

using Order = std::array<int32_t, 4>;

// Records what the roulette asks of its window.
class FakeWindow : public OrderDialogPort {
 public:
  void StartTimer(int32_t id, int32_t period) override {
    log.push_back("start " + std::to_string(id) + " " + std::to_string(period));
    timer_running = true;
  }
  void StopTimer(int32_t id) override {
    log.push_back("stop " + std::to_string(id));
    timer_running = false;
  }
  void SetItemText(int32_t id, std::string_view text) override {
    texts[id] = std::string(text);
  }
  void EndModalWindow(int32_t code) override { results.push_back(code); }

  std::vector<std::string> log;
  std::map<int32_t, std::string> texts;
  std::vector<int32_t> results;
  bool timer_running = false;
};

class RouletteTest : public testing::Test {
 protected:
  RouletteTest()
      : random_([this] { return clock_; }),
        roulette_(state_, random_, window_) {}

  bool IsPermutation(const Order& order) {
    Order sorted = order;
    std::sort(sorted.begin(), sorted.end());
    return sorted == Order{0, 1, 2, 3};
  }
  std::vector<std::string> Labels() {
    std::vector<std::string> labels;
    for (int32_t id : kNameLabelIds) labels.push_back(window_.texts[id]);
    return labels;
  }

  uint32_t clock_ = 1;
  OrderState state_;
  RandomSource random_;
  FakeWindow window_;
  Roulette roulette_;
};

TEST_F(RouletteTest, StartSeedsFromTheClockAndResetsTheState) {
  state_.OrderStopped = 1;
  clock_ = 777;
  roulette_.StartRoulette();
  EXPECT_EQ(window_.log, std::vector<std::string>{"start 2000 10"});
  EXPECT_EQ(random_.RandomState(), 777u);
  EXPECT_EQ(state_.OrderStopped, 0);
  EXPECT_EQ(state_.ParticipantNames,
            (std::array<std::string, 4>{"You", "COM1", "COM2", "COM3"}));
  for (int position = 0; position < 4; ++position) {
    EXPECT_EQ(state_.panel_control_ids.At(position, kCountLabel),
              kNameLabelIds[position]);
  }
}

TEST_F(RouletteTest, FirstTicksFromStateOne) {
  roulette_.StartRoulette();
  const Order expected[] = {{2, 1, 3, 0}, {0, 2, 1, 3}, {0, 3, 1, 2}};
  // The first tick uses nine fractions (five redraws).
  roulette_.DrawOrder();
  EXPECT_EQ(state_.PlayOrder, expected[0]);
  RandomSource replay;
  for (int i = 0; i < 9; ++i) replay.RandomFraction();
  EXPECT_EQ(random_.RandomState(), replay.RandomState());
  EXPECT_EQ(Labels(),
            (std::vector<std::string>{"COM2", "COM1", "COM3", "You"}));
  for (int tick = 1; tick < 3; ++tick) {
    roulette_.DrawOrder();
    EXPECT_EQ(state_.PlayOrder, expected[tick]) << tick;
  }
}

TEST_F(RouletteTest, EveryTickIsAPermutationShownOnTheLabels) {
  clock_ = 987654321;
  roulette_.StartRoulette();
  for (int tick = 0; tick < 2000; ++tick) {
    roulette_.DrawOrder();
    ASSERT_TRUE(IsPermutation(state_.PlayOrder));
    const std::vector<std::string> labels = Labels();
    for (int i = 0; i < 4; ++i) {
      ASSERT_EQ(labels[i], state_.ParticipantNames[state_.PlayOrder[i]]);
    }
  }
}

TEST_F(RouletteTest, FirstPressStopsSecondPressStarts) {
  roulette_.StartRoulette();
  roulette_.DrawOrder();
  const Order shown = state_.PlayOrder;
  roulette_.OrderButtonPressed();
  EXPECT_EQ(state_.OrderStopped, 1);
  EXPECT_FALSE(window_.timer_running);
  EXPECT_EQ(window_.texts[kOrderButtonId], "対局開始");
  EXPECT_TRUE(window_.results.empty());
  roulette_.OrderButtonPressed();
  EXPECT_EQ(window_.results, std::vector<int32_t>{1});
  EXPECT_EQ(state_.PlayOrder, shown);
}

// A press before the first tick must still leave a permutation: the one the
// labels show at that moment, You, COM1, COM2, COM3.
TEST_F(RouletteTest, PressBeforeAnyTickFixesTheOrderShown) {
  state_.PlayOrder = {0, 0, 0, 0};  // as before the first game
  roulette_.StartRoulette();
  roulette_.OrderButtonPressed();
  roulette_.OrderButtonPressed();
  EXPECT_EQ(window_.results, std::vector<int32_t>{1});
  EXPECT_EQ(state_.PlayOrder, (Order{0, 1, 2, 3}));
}

TEST_F(RouletteTest, ReopeningReseedsAndStartsSpinningAgain) {
  roulette_.StartRoulette();
  roulette_.DrawOrder();
  roulette_.OrderButtonPressed();
  clock_ = 42;
  roulette_.StartRoulette();
  EXPECT_EQ(state_.OrderStopped, 0);
  EXPECT_EQ(random_.RandomState(), 42u);
  EXPECT_TRUE(window_.timer_running);
}

TEST(PanelControlIdsTest, TeardownWritesTheSeatPanelIds) {
  PanelControlIds ids;
  ids.WriteSeatPanelIds();
  const std::array<int32_t, 12> expected = {1000, 1003, 1006, 1009, 1002, 1005,
                                            1008, 1011, 1001, 1004, 1007, 1010};
  EXPECT_EQ(ids.ids(), expected);
}

TEST(RouletteCliTest, PrintsTheOrderAfterEachTick) {
  std::istringstream in;
  std::ostringstream out, err;
  EXPECT_EQ(cli::RunCli({"roulette", "1", "3"}, in, out, err), 0);
  EXPECT_EQ(out.str(), "2 1 3 0\n0 2 1 3\n0 3 1 2\n");
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"roulette", "4294967296", "1"},
        {"roulette", "-1", "1"},
        {"roulette", "1"},
        {"roulette", "1", "x"}}) {
    std::ostringstream bad_out, bad_err;
    EXPECT_EQ(cli::RunCli(bad, in, bad_out, bad_err), 2) << bad[1];
    EXPECT_TRUE(bad_out.str().empty());
    EXPECT_NE(bad_err.str().find("usage:"), std::string::npos);
  }
}

}  // namespace
}  // namespace qf
