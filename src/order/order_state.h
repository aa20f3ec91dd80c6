// Who plays which seat in the game the order window drew last.
#ifndef QUADRIFLANK_ORDER_ORDER_STATE_H_
#define QUADRIFLANK_ORDER_ORDER_STATE_H_

#include <array>
#include <cstdint>
#include <string>

namespace qf {

// Participant numbers: 0 the human, 1..3 the computer players.
inline constexpr int32_t kHumanParticipant = 0;
inline constexpr std::array<const char*, 4> kDefaultParticipantNames = {
    "You", "COM1", "COM2", "COM3"};

struct OrderState {
  // PlayOrder[seat - 1] is the participant playing that seat.
  std::array<int32_t, 4> PlayOrder{};
  // Display names by participant number; empty until the first draw.
  std::array<std::string, 4> ParticipantNames;
  // Set by the first press on the order window's button: the order is fixed.
  bool OrderStopped = false;
};

}  // namespace qf

#endif  // QUADRIFLANK_ORDER_ORDER_STATE_H_
