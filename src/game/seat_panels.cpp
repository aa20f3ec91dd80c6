#include "game/seat_panels.h"

#include <string>

namespace qf {

std::string_view SeatLabel(int32_t seat) {
  static constexpr std::array<std::string_view, 4> kLabels = {"黒 - ", "白 - ",
                                                              "赤 - ", "黄 - "};
  if (seat < 1 || seat > 4) return {};
  return kLabels[seat - 1];
}

std::array<SeatPanelTexts, 4> SeatPanelsFor(const OrderState& order,
                                            const Board& board) {
  std::array<SeatPanelTexts, 4> panels;
  for (int32_t seat = 1; seat <= 4; ++seat) {
    const int32_t participant = order.PlayOrder[seat - 1];
    panels[seat - 1] = {
        std::string(SeatLabel(seat)) + order.ParticipantNames[participant],
        participant == kHumanParticipant ? kYourTurnText : kThinkingText,
        board.CountDiscs(seat)};
  }
  return panels;
}

void RefreshSeatCounts(const Board& board, Shell& shell) {
  for (int32_t seat = 1; seat <= 4; ++seat) {
    shell.ShowDiscCount(seat, board.CountDiscs(seat));
  }
}

}  // namespace qf
