// The short texts a player who listens is told: the seating, the computers'
// moves, and the standings on demand.
#ifndef QUADRIFLANK_GAME_SPOKEN_H_
#define QUADRIFLANK_GAME_SPOKEN_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "board/board.h"
#include "order/order_state.h"

namespace qf {

inline constexpr std::string_view kYourTurnSpoken = "Your turn";

// "black", "white", "red", "yellow" for seats 1..4; "empty" otherwise.
std::string_view ContentName(int32_t seat);
// The cell's column letter and row number from the top left: "e6".
std::string CellLabel(int32_t column, int32_t row);
// The name of the participant playing `seat`.
const std::string& SeatName(const OrderState& order, int32_t seat);

// "You: red, seat 3. COM1: black, seat 1. ..." - the human first, then the
// others in seat order.
std::string SeatingText(const OrderState& order);
// "COM2 e6".
std::string MoveText(const OrderState& order, int32_t seat, int32_t column,
                     int32_t row);
// "COM3 disqualified".
std::string DisqualifiedText(const OrderState& order, int32_t seat);
// Each participant, human first, with colour and disc count or
// "disqualified", then whose turn it is (`seat_to_move`, 0 for nobody:
// "Game over").
std::string StandingsText(const Board& board, const OrderState& order,
                          int32_t seat_to_move);

}  // namespace qf

#endif  // QUADRIFLANK_GAME_SPOKEN_H_
