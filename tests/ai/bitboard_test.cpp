#include "ai/bitboard.h"

#include <gtest/gtest.h>

#include "test_positions.h"

namespace qf {
namespace {

// Move generation, flips and the moves that turn the next seat's discs
// against the board's rules on random positions of both kinds.
TEST(BitboardTest, AgreesWithTheBoardRules) {
  std::mt19937 random(3);
  for (int i = 0; i < 600; ++i) {
    int32_t ignored = 0;
    const Board board = testing_support::RandomPosition(
        random, static_cast<int32_t>(random() % 60),
        i % 2 == 0 ? static_cast<int>(1 + random() % 70) : 0, &ignored);
    const uint64_t occupied = bits::OccupiedSet(board.cells());
    for (int32_t seat = 1; seat <= 4; ++seat) {
      const uint64_t own = bits::SeatSet(board.cells(), seat);
      const uint64_t target = bits::SeatSet(board.cells(), seat % 4 + 1);
      uint64_t legal = 0, turning = 0, flippable = 0;
      for (int index = 0; index < 64; ++index) {
        MoveRecord record;
        Board::InitMoveRecord(record, index / 8, index % 8);
        if (!board.IsLegalMove(seat, index / 8, index % 8)) continue;
        Board(board).TurnFlankedDiscs(seat, record);
        uint64_t flips = 0;
        for (int k = 0; k < record.count; ++k) {
          const int32_t p = record.turned[k];
          flips |= bits::Bit(CellIndex(p % 8, p / 8));
        }
        ASSERT_EQ(bits::Flips(index, own, occupied), flips)
            << i << " " << index;
        legal |= bits::Bit(index);
        turning |= (flips & target) != 0 ? bits::Bit(index) : 0;
        flippable |= flips & target;
      }
      const bits::TargetMoves sets =
          bits::FindTargetMoves(own, occupied, target);
      ASSERT_EQ(bits::LegalMoves(own, occupied), legal) << i << " " << seat;
      ASSERT_EQ(sets.legal, legal) << i << " seat " << seat;
      ASSERT_EQ(sets.turning, turning) << i << " seat " << seat;
      ASSERT_EQ(sets.flippable, flippable) << i << " seat " << seat;
    }
  }
}

}  // namespace
}  // namespace qf
