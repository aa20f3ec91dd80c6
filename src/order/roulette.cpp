#include "order/roulette.h"

namespace qf {

void Roulette::StartRoulette() {
  window_.StartSpinning(kRouletteTimerPeriodMs);
  random_.SeedRandomFromClock();
  state_.OrderStopped = false;
  for (int p = 0; p < 4; ++p) {
    state_.ParticipantNames[p] = kDefaultParticipantNames[p];
  }
  // Until the first tick the labels read You, COM1, COM2, COM3; a press that
  // comes before it fixes that order, so what is shown is what is played.
  for (int seat = 0; seat < 4; ++seat) state_.PlayOrder[seat] = seat;
}

void Roulette::ShowName(int32_t position) {
  window_.ShowName(position,
                   state_.ParticipantNames[state_.PlayOrder[position]]);
}

void Roulette::DrawOrder() {
  auto& order = state_.PlayOrder;
  order[0] = DrawIndex();
  ShowName(0);
  for (int i = 1; i < 4; ++i) {
    order[i] = DrawIndex();
    for (int j = 0; j < i; ++j) {
      if (order[j] == order[i]) {
        order[i] = DrawIndex();
        j = -1;  // compare from the first entry again
      }
    }
    ShowName(i);
  }
}

void Roulette::OrderButtonPressed() {
  if (!state_.OrderStopped) {
    state_.OrderStopped = true;
    window_.OrderFixed();
  } else {
    window_.End(true);
  }
}

}  // namespace qf
