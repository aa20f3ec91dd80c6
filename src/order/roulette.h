// The roulette that draws the playing order before every game. It reaches
// its window only through OrderWindow, so it runs without one.
#ifndef QUADRIFLANK_ORDER_ROULETTE_H_
#define QUADRIFLANK_ORDER_ROULETTE_H_

#include <cstdint>
#include <string_view>

#include "order/order_state.h"
#include "order/random_source.h"

namespace qf {

// The names spin to a new draw this often.
inline constexpr int32_t kRouletteTimerPeriodMs = 10;

// What the roulette needs of the window it spins in.
class OrderWindow {
 public:
  virtual ~OrderWindow() = default;
  // From now on, Roulette::DrawOrder runs every `period_ms`.
  virtual void StartSpinning(int32_t period_ms) = 0;
  // Shows `name` under the disc of position 0..3 (seat 1..4).
  virtual void ShowName(int32_t position, std::string_view name) = 0;
  // The spinning stops on the order shown; the button now starts the match.
  virtual void OrderFixed() = 0;
  // Closes the window; true starts the match with the order drawn.
  virtual void End(bool start_match) = 0;
};

class Roulette {
 public:
  Roulette(OrderState& state, RandomSource& random, OrderWindow& window)
      : state_(state), random_(random), window_(window) {}

  void StartRoulette();
  void DrawOrder();
  // The window's one button: the first press fixes the order, the second
  // starts the match.
  void OrderButtonPressed();

 private:
  int32_t DrawIndex() {
    return static_cast<int32_t>(4.0 * random_.RandomFraction());
  }
  void ShowName(int32_t position);

  OrderState& state_;
  RandomSource& random_;
  OrderWindow& window_;
};

}  // namespace qf

#endif  // QUADRIFLANK_ORDER_ROULETTE_H_
