#include "game/game_result.h"

namespace qf {

uint8_t WinnerSet(const Board& board,
                  const std::array<int32_t, 4>& play_order) {
  int32_t best = 0;
  for (int32_t seat = 1; seat <= 4; ++seat) {
    if (board.CountDiscs(seat) > best) best = board.CountDiscs(seat);
  }
  uint8_t winners = 0;
  for (int32_t seat = 1; seat <= 4; ++seat) {
    const int32_t participant = play_order[seat - 1];
    // An entry outside 0..3 cannot reach here (a game never starts with
    // one), but it must not shift out of the set either.
    if (participant < 0 || participant > 3) continue;
    if (board.CountDiscs(seat) == best) {
      winners |= static_cast<uint8_t>(1u << participant);
    }
  }
  return winners;
}

std::string ResultText(uint8_t winners,
                       const std::array<std::string, 4>& participant_names) {
  if (winners == kAllParticipants) return "Draw Game!";
  std::string text;
  bool first = true;
  for (int participant = 0; participant < 4; ++participant) {
    if ((winners & (1u << participant)) == 0) continue;
    if (!first) text += ' ';
    text += participant_names[participant];
    first = false;
  }
  text += " Win!";
  return text;
}

}  // namespace qf
