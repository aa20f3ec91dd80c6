// Who won a finished game, and the text that says so.
#ifndef QUADRIFLANK_GAME_GAME_RESULT_H_
#define QUADRIFLANK_GAME_GAME_RESULT_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "board/board.h"

namespace qf {

inline constexpr std::string_view kResultCaption = "結果";
inline constexpr uint8_t kAllParticipants = 0x0F;

// The participants (bit p for participant p) whose seats hold the most
// discs; PlayOrder[seat - 1] names the participant of each seat.
uint8_t WinnerSet(const Board& board, const std::array<int32_t, 4>& play_order);

// "Draw Game!" when all four tie; otherwise the winners' names in
// participant order, joined by single spaces, then " Win!".
std::string ResultText(uint8_t winners,
                       const std::array<std::string, 4>& participant_names);

}  // namespace qf

#endif  // QUADRIFLANK_GAME_GAME_RESULT_H_
