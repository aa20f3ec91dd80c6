#include "game/spoken.h"

#include <array>

namespace qf {
namespace {

// The human's seat first, then the others in seat order.
std::array<int32_t, 4> SeatsHumanFirst(const OrderState& order) {
  std::array<int32_t, 4> seats{};
  int n = 0;
  for (int32_t seat = 1; seat <= 4; ++seat) {
    if (order.PlayOrder[seat - 1] == kHumanParticipant) seats[n++] = seat;
  }
  for (int32_t seat = 1; seat <= 4; ++seat) {
    if (order.PlayOrder[seat - 1] != kHumanParticipant) seats[n++] = seat;
  }
  return seats;
}

}  // namespace

std::string_view ContentName(int32_t seat) {
  static constexpr std::array<std::string_view, 5> kNames = {
      "empty", "black", "white", "red", "yellow"};
  return kNames[seat >= 1 && seat <= 4 ? seat : 0];
}

std::string CellLabel(int32_t column, int32_t row) {
  return {static_cast<char>('a' + column), static_cast<char>('1' + row)};
}

const std::string& SeatName(const OrderState& order, int32_t seat) {
  return order.ParticipantNames[order.PlayOrder[seat - 1] & 3];
}

std::string SeatingText(const OrderState& order) {
  std::string text;
  for (int32_t seat : SeatsHumanFirst(order)) {
    if (!text.empty()) text += ". ";
    text += SeatName(order, seat) + ": " + std::string(ContentName(seat)) +
            ", seat " + std::to_string(seat);
  }
  return text;
}

std::string MoveText(const OrderState& order, int32_t seat, int32_t column,
                     int32_t row) {
  return SeatName(order, seat) + " " + CellLabel(column, row);
}

std::string DisqualifiedText(const OrderState& order, int32_t seat) {
  return SeatName(order, seat) + " disqualified";
}

std::string StandingsText(const Board& board, const OrderState& order,
                          int32_t seat_to_move) {
  std::string text;
  for (int32_t seat : SeatsHumanFirst(order)) {
    const int32_t count = board.CountDiscs(seat);
    text += SeatName(order, seat) + ", " + std::string(ContentName(seat)) +
            ", " +
            (count == 0   ? std::string("disqualified")
             : count == 1 ? std::string("1 disc")
                          : std::to_string(count) + " discs") +
            ". ";
  }
  if (seat_to_move == 0) return text + "Game over";
  if (order.PlayOrder[seat_to_move - 1] == kHumanParticipant) {
    return text + std::string(kYourTurnSpoken);
  }
  return text + SeatName(order, seat_to_move) + " to move";
}

}  // namespace qf
