#include "order/roulette.h"

namespace qf {

void PanelControlIds::WriteSeatPanelIds() {
  for (int s = 0; s < 4; ++s) {
    At(s, kCountLabel) = 1000 + 3 * s;
    At(s, kGroupBox) = 1001 + 3 * s;
    At(s, kStatusLine) = 1002 + 3 * s;
  }
}

void Roulette::StartRoulette() {
  port_.StartTimer(kRouletteTimerId, kRouletteTimerPeriodMs);
  random_.SeedRandomFromClock();
  state_.OrderStopped = 0;
  for (int p = 0; p < 4; ++p) {
    state_.ParticipantNames[p] = kDefaultParticipantNames[p];
  }
  // The name labels share storage with the count-label column of the panel
  // table while the window is open.
  for (int position = 0; position < 4; ++position) {
    state_.panel_control_ids.At(position, kCountLabel) =
        kNameLabelIds[position];
  }
  // Until the first tick the labels read You, COM1, COM2, COM3; a press that
  // comes before it fixes that order, so what is shown is what is played.
  for (int seat = 0; seat < 4; ++seat) state_.PlayOrder[seat] = seat;
}

void Roulette::ShowName(int position) {
  port_.SetItemText(state_.panel_control_ids.At(position, kCountLabel),
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
  if (state_.OrderStopped == 0) {
    state_.OrderStopped = 1;
    port_.StopTimer(kRouletteTimerId);
    port_.SetItemText(kOrderButtonId, kStartMatchCaption);
  } else {
    port_.EndModalWindow(1);
  }
}

}  // namespace qf
