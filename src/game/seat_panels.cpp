#include "game/seat_panels.h"

#include <array>
#include <string>

namespace qf {

std::string_view SeatLabel(int32_t seat) {
  static constexpr std::array<std::string_view, 4> kLabels = {"黒 - ", "白 - ",
                                                              "赤 - ", "黄 - "};
  if (seat < 1 || seat > 4) return {};
  return kLabels[seat - 1];
}

void SeatPanels::SetUp() {
  for (int32_t seat = 1; seat <= 4; ++seat) {
    const int32_t participant = order_.PlayOrder[seat - 1];
    std::string title(SeatLabel(seat));
    title += order_.ParticipantNames[participant];
    shell_.SetControlText(Id(seat, kGroupBox), title);
  }
  for (int32_t seat = 1; seat <= 4; ++seat) {
    shell_.ShowControl(Id(seat, kGroupBox), true);
  }
  ShowStatusLine(1, true);
  for (int32_t seat = 1; seat <= 4; ++seat) {
    const bool human = order_.PlayOrder[seat - 1] == kHumanParticipant;
    shell_.SetControlText(Id(seat, kCountLabel), "2");
    shell_.SetControlText(Id(seat, kStatusLine),
                          human ? kYourTurnText : kThinkingText);
    shell_.ShowControl(Id(seat, kCountLabel), true);
  }
}

void SeatPanels::RefreshSeatCounts(const Board& board) {
  for (int32_t seat = 1; seat <= 4; ++seat) {
    const int32_t count = board.CountDiscs(seat);
    shell_.SetControlText(
        Id(seat, kCountLabel),
        count != 0 ? std::to_string(count) : std::string(kDisqualifiedText));
  }
}

void SeatPanels::ShowStatusLine(int32_t seat, bool visible) {
  shell_.ShowControl(Id(seat, kStatusLine), visible);
}

}  // namespace qf
