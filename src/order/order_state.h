// Who plays which seat, and the table through which the seat panels'
// controls are found.
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

enum PanelKind : int32_t {
  kCountLabel = 0,
  kStatusLine = 1,
  kGroupBox = 2,
};

// Twelve control ids as 4 seats x 3 kinds, the seat varying fastest.
class PanelControlIds {
 public:
  // seat_index 0..3 (seat 1..4), kind a PanelKind.
  int32_t& At(int seat_index, int kind) { return ids_[seat_index + 4 * kind]; }
  int32_t At(int seat_index, int kind) const {
    return ids_[seat_index + 4 * kind];
  }
  // The seat panels' own ids, as the order window's teardown leaves them.
  void WriteSeatPanelIds();
  const std::array<int32_t, 12>& ids() const { return ids_; }

 private:
  std::array<int32_t, 12> ids_{};
};

struct OrderState {
  // PlayOrder[seat - 1] is the participant playing that seat.
  std::array<int32_t, 4> PlayOrder{};
  std::array<std::string, 4> ParticipantNames;
  int32_t OrderStopped = 0;
  PanelControlIds panel_control_ids;
};

}  // namespace qf

#endif  // QUADRIFLANK_ORDER_ORDER_STATE_H_
