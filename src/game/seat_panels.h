// The four panels beside the board: a group box naming the seat's colour and
// participant, a disc count and a status line. Every control is found
// through PanelControlIds, which the order window's teardown fills.
#ifndef QUADRIFLANK_GAME_SEAT_PANELS_H_
#define QUADRIFLANK_GAME_SEAT_PANELS_H_

#include <cstdint>
#include <string_view>

#include "board/board.h"
#include "game/shell.h"
#include "order/order_state.h"

namespace qf {

inline constexpr std::string_view kYourTurnText = "Your Turn";
inline constexpr std::string_view kThinkingText = "Thinking...";
// Shown instead of a count once a seat has lost every disc.
inline constexpr std::string_view kDisqualifiedText = "失格";

// The colour label put before the participant's name, seat 1..4.
std::string_view SeatLabel(int32_t seat);

class SeatPanels {
 public:
  SeatPanels(const OrderState& order, Shell& shell)
      : order_(order), shell_(shell) {}

  // At a game's start, from PlayOrder and ParticipantNames: names, counts of
  // "2", status texts, and seat 1's status line shown.
  void SetUp();
  // Rewrites the four count labels from the board.
  void RefreshSeatCounts(const Board& board);
  void ShowStatusLine(int32_t seat, bool visible);

 private:
  int32_t Id(int32_t seat, PanelKind kind) const {
    return order_.panel_control_ids.At(seat - 1, kind);
  }

  const OrderState& order_;
  Shell& shell_;
};

}  // namespace qf

#endif  // QUADRIFLANK_GAME_SEAT_PANELS_H_
