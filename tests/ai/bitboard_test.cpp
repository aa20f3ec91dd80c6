#include "ai/bitboard.h"

#include <gtest/gtest.h>

#include <random>

#include "test_positions.h"

namespace qf {
namespace {

using testing_support::RandomGamePosition;
using testing_support::RandomScatter;

// Move generation, flips and the sets of moves that turn another seat's
// discs against the board's rules on random positions of both kinds.
TEST(BitboardTest, AgreesWithTheBoardRules) {
  std::mt19937 random(3);
  for (int i = 0; i < 600; ++i) {
    int32_t ignored = 0;
    const Board board =
        i % 2 == 0 ? RandomScatter(random, static_cast<int>(random() % 70), 0)
                   : RandomGamePosition(
                         random, static_cast<int32_t>(random() % 60), &ignored);
    const uint64_t occupied = bits::OccupiedSet(board.cells());
    for (int32_t seat = 1; seat <= 4; ++seat) {
      const uint64_t own = bits::SeatSet(board.cells(), seat);
      const uint64_t legal = bits::LegalMoves(own, occupied);
      const uint64_t target =
          bits::SeatSet(board.cells(), seat % 4 + 1);  // the next seat
      const bits::TargetMoves sets =
          bits::FindTargetMoves(own, occupied, target);
      ASSERT_EQ(sets.legal, legal) << i << " seat " << seat;
      uint64_t flippable = 0;
      for (int index = 0; index < 64; ++index) {
        const int32_t column = index / 8;
        const int32_t row = index % 8;
        const bool is_legal = board.IsLegalMove(seat, column, row) != 0;
        ASSERT_EQ((legal >> index) & 1, is_legal ? 1u : 0u)
            << i << " seat " << seat << " cell " << column << "," << row;
        if (!is_legal) {
          ASSERT_EQ((sets.turning >> index) & 1, 0u);
          continue;
        }
        Board after = board;
        MoveRecord record;
        Board::InitMoveRecord(record, column, row);
        after.TurnFlankedDiscs(seat, record);
        uint64_t expected = 0;
        for (int k = 0; k < record.count; ++k) {
          const int32_t p = record.turned[k];
          expected |= bits::Bit(CellIndex(p % 8, p / 8));
        }
        const uint64_t flips = bits::Flips(index, own, occupied);
        ASSERT_EQ(flips, expected)
            << i << " seat " << seat << " cell " << column << "," << row;
        ASSERT_EQ((sets.turning >> index) & 1, (flips & target) != 0 ? 1u : 0u)
            << i << " seat " << seat << " cell " << column << "," << row;
        flippable |= flips & target;
      }
      ASSERT_EQ(sets.flippable, flippable) << i << " seat " << seat;
    }
  }
}

}  // namespace
}  // namespace qf
