#include <ostream>

#include "order/roulette.h"
#include "tools/cli_args.h"

namespace qf::cli {
namespace {

// A window that only counts on the roulette's ticks.
class NoWindow : public OrderWindow {
 public:
  void StartSpinning(int32_t) override {}
  void ShowName(int32_t, std::string_view) override {}
  void OrderFixed() override {}
  void End(bool) override {}
};

}  // namespace

int RunRoulette(const RouletteArgs& args, std::ostream& out) {
  const uint32_t seed = args.seed;
  OrderState state;
  RandomSource random([seed] { return seed; });
  NoWindow window;
  Roulette roulette(state, random, window);
  roulette.StartRoulette();  // seeds from the fixed "clock": SEED
  for (int64_t t = 0; t < args.ticks; ++t) {
    roulette.DrawOrder();
    const auto& order = state.PlayOrder;
    out << order[0] << ' ' << order[1] << ' ' << order[2] << ' ' << order[3]
        << '\n';
  }
  return 0;
}

}  // namespace qf::cli
