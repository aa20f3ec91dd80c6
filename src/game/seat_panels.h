// The four panels beside the board: a frame naming the seat's colour and
// participant, a disc count and a status line.
#ifndef QUADRIFLANK_GAME_SEAT_PANELS_H_
#define QUADRIFLANK_GAME_SEAT_PANELS_H_

#include <array>
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
// The panels of a game played in `order` from `board`: "黒 - COM2" and the
// like, "Your Turn" for the human's seat, "Thinking..." for the others, and
// each seat's count.
std::array<SeatPanelTexts, 4> SeatPanelsFor(const OrderState& order,
                                            const Board& board);
// Shows every seat's disc count from the board.
void RefreshSeatCounts(const Board& board, Shell& shell);

}  // namespace qf

#endif  // QUADRIFLANK_GAME_SEAT_PANELS_H_
