// The roulette that draws the playing order before every game. It reaches
// its window only through OrderDialogPort, so it runs without one.
#ifndef QUADRIFLANK_ORDER_ROULETTE_H_
#define QUADRIFLANK_ORDER_ROULETTE_H_

#include <array>
#include <cstdint>
#include <string_view>

#include "order/order_state.h"
#include "order/random_source.h"

namespace qf {

inline constexpr int32_t kRouletteTimerId = 2000;
inline constexpr int32_t kRouletteTimerPeriodMs = 10;
inline constexpr int32_t kOrderButtonId = 1013;
// The labels under the four discs, positions 1..4.
inline constexpr std::array<int32_t, 4> kNameLabelIds = {1008, 1009, 1011,
                                                         1012};
inline constexpr const char* kStopCaption = "止める";
inline constexpr const char* kStartMatchCaption = "対局開始";

// What the roulette needs of the order window.
class OrderDialogPort {
 public:
  virtual ~OrderDialogPort() = default;
  virtual void StartTimer(int32_t id, int32_t period_ms) = 0;
  virtual void StopTimer(int32_t id) = 0;
  virtual void SetItemText(int32_t id, std::string_view text) = 0;
  // Ends the window; the caller of the window sees `code`.
  virtual void EndModalWindow(int32_t code) = 0;
};

class Roulette {
 public:
  Roulette(OrderState& state, RandomSource& random, OrderDialogPort& port)
      : state_(state), random_(random), port_(port) {}

  void StartRoulette();
  void DrawOrder();
  void OrderButtonPressed();

 private:
  int32_t DrawIndex() {
    return static_cast<int32_t>(4.0 * random_.RandomFraction());
  }
  void ShowName(int position);

  OrderState& state_;
  RandomSource& random_;
  OrderDialogPort& port_;
};

}  // namespace qf

#endif  // QUADRIFLANK_ORDER_ROULETTE_H_
