// Bitboard helpers for the search: one 64-bit set per seat, bit i for the
// Board's element i (column * 8 + row), so ascending bit order is the
// Board's scan order (column outer, row inner).
//
// The discs of a run may belong to any mixture of other seats, so for the
// mover every occupied cell that is not its own acts as an opponent disc and
// the two-player shift-based move generation and flip computation apply.
#ifndef QUADRIFLANK_AI_BITBOARD_H_
#define QUADRIFLANK_AI_BITBOARD_H_

#include <array>
#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "board/board.h"

namespace qf::bits {

// Bits whose row is 1..6. A run that changes row can only hold discs there,
// which also stops the shifts by +-1, +-7 and +-9 from wrapping.
inline constexpr uint64_t kInnerRows = 0x7E7E7E7E7E7E7E7EULL;

constexpr uint64_t Bit(int index) { return uint64_t{1} << index; }

// Moves the set one step in a direction given as a bit delta
// (8 * column step + row step).
template <int kDelta>
constexpr uint64_t Shift(uint64_t set) {
  if constexpr (kDelta > 0) {
    return set << kDelta;
  } else {
    return set >> -kDelta;
  }
}

// Runs of `others` that start next to an own disc and head in direction
// kDelta, stepped one cell past their end: the cells a run could close on.
// Runs hold at most six discs; the second half steps two cells at a time.
template <int kDelta>
constexpr uint64_t MovesInDirection(uint64_t own, uint64_t others) {
  // Row-changing directions keep the run off the first and last rows.
  const uint64_t run_cells = (kDelta % 8 == 0) ? others : (others & kInnerRows);
  uint64_t run = Shift<kDelta>(own) & run_cells;
  run |= Shift<kDelta>(run) & run_cells;
  const uint64_t pairs = run_cells & Shift<kDelta>(run_cells);
  run |= Shift<2 * kDelta>(run) & pairs;
  run |= Shift<2 * kDelta>(run) & pairs;
  return Shift<kDelta>(run);
}

// Every empty cell on which the owner of `own` (within `occupied`) may
// place a disc.
constexpr uint64_t LegalMoves(uint64_t own, uint64_t occupied) {
  const uint64_t others = occupied & ~own;
  const uint64_t moves =
      MovesInDirection<8>(own, others) | MovesInDirection<-8>(own, others) |
      MovesInDirection<1>(own, others) | MovesInDirection<-1>(own, others) |
      MovesInDirection<9>(own, others) | MovesInDirection<-9>(own, others) |
      MovesInDirection<7>(own, others) | MovesInDirection<-7>(own, others);
  return moves & ~occupied;
}

// The cells of `run_cells` reached from `seeds` by one or more steps in
// direction kDelta through `run_cells` alone; runs hold at most six cells.
template <int kDelta>
constexpr uint64_t Reach(uint64_t seeds, uint64_t run_cells) {
  uint64_t run = Shift<kDelta>(seeds) & run_cells;
  run |= Shift<kDelta>(run) & run_cells;
  const uint64_t pairs = run_cells & Shift<kDelta>(run_cells);
  run |= Shift<2 * kDelta>(run) & pairs;
  run |= Shift<2 * kDelta>(run) & pairs;
  return run;
}

// What one seat's next move can do to the discs of `target`, another
// seat's: enough to score every move of a node above the leaves without
// making the moves that leave `target` alone.
struct TargetMoves {
  uint64_t legal = 0;      // the legal moves
  uint64_t turning = 0;    // the legal moves that turn a disc of target
  uint64_t flippable = 0;  // the discs of target some legal move turns
};

template <int kDelta>
constexpr void AddTargetMoves(uint64_t own, uint64_t others, uint64_t empty,
                              uint64_t target, TargetMoves& sets) {
  const uint64_t run_cells = (kDelta % 8 == 0) ? others : (others & kInnerRows);
  // Run cells with an own disc behind them (seen stepping kDelta) and
  // those with an empty cell ahead: a disc in both turns.
  const uint64_t from_own = Reach<kDelta>(own, run_cells);
  const uint64_t to_empty = Reach<-kDelta>(empty, run_cells);
  sets.legal |= Shift<kDelta>(from_own) & empty;
  const uint64_t hit = from_own & target;
  sets.flippable |= hit & to_empty;
  sets.turning |= Shift<kDelta>(hit | Reach<kDelta>(hit, run_cells)) & empty;
}

constexpr TargetMoves FindTargetMoves(uint64_t own, uint64_t occupied,
                                      uint64_t target) {
  const uint64_t others = occupied & ~own;
  const uint64_t empty = ~occupied;
  TargetMoves sets;
  AddTargetMoves<8>(own, others, empty, target, sets);
  AddTargetMoves<-8>(own, others, empty, target, sets);
  AddTargetMoves<1>(own, others, empty, target, sets);
  AddTargetMoves<-1>(own, others, empty, target, sets);
  AddTargetMoves<9>(own, others, empty, target, sets);
  AddTargetMoves<-9>(own, others, empty, target, sets);
  AddTargetMoves<7>(own, others, empty, target, sets);
  AddTargetMoves<-7>(own, others, empty, target, sets);
  return sets;
}

// For every cell, the cells on each of its eight rays out to the edge:
// first the four that climb in bit order (down, right, down-right,
// up-right), then the four that fall.
using RayTable = std::array<std::array<uint64_t, 8>, kCellCount>;

constexpr RayTable BuildRays() {
  constexpr int kSteps[8][2] = {{0, 1},  {1, 0},  {1, 1},   {1, -1},
                                {0, -1}, {-1, 0}, {-1, -1}, {-1, 1}};
  RayTable rays{};
  for (int index = 0; index < kCellCount; ++index) {
    for (int d = 0; d < 8; ++d) {
      int column = index / kBoardSize + kSteps[d][0];
      int row = index % kBoardSize + kSteps[d][1];
      uint64_t ray = 0;
      while (column >= 0 && column < kBoardSize && row >= 0 &&
             row < kBoardSize) {
        ray |= Bit(CellIndex(column, row));
        column += kSteps[d][0];
        row += kSteps[d][1];
      }
      rays[index][d] = ray;
    }
  }
  return rays;
}

inline constexpr RayTable kRays = BuildRays();

// The discs that turn when the owner of `own` places a disc on `index`.
// Along each ray the first cell that is not another seat's disc ends the
// run; the run turns when that cell is an own disc (the outflank).
constexpr uint64_t Flips(int index, uint64_t own, uint64_t occupied) {
  const uint64_t not_others = ~(occupied & ~own);
  const std::array<uint64_t, 8>& rays = kRays[index];
  uint64_t flips = 0;
  for (int d = 0; d < 4; ++d) {
    const uint64_t ends = not_others & rays[d];
    const uint64_t outflank = ends & (0 - ends) & own;  // nearest: lowest bit
    // The ray's cells below the outflank, or none without one.
    flips |= (outflank - (outflank != 0)) & rays[d];
  }
  for (int d = 4; d < 8; ++d) {
    const uint64_t ends = not_others & rays[d];
    // Nearest: the highest bit. The | 1 spares a test for an empty set;
    // the bit it then names is off the ray or another seat's disc, so it
    // is no outflank.
    const uint64_t end = uint64_t{1} << (63 ^ std::countl_zero(ends | 1));
    const uint64_t outflank = end & own & rays[d];
    // The ray's cells above the outflank: 0 - 2x is every bit above x.
    flips |= (0 - (outflank << 1)) & rays[d];
  }
  return flips;
}

// The cells of `cells` equal to `value`: 0 gives the empty cells.
inline uint64_t CellsEqual(const Cells& cells, int32_t value) {
#if defined(__SSE2__)
  // Sixteen cells per step: four compares packed down to one byte mask.
  const __m128i wanted = _mm_set1_epi32(value);
  uint64_t set = 0;
  for (int i = 0; i < kCellCount; i += 16) {
    const auto* p = reinterpret_cast<const __m128i*>(cells.data() + i);
    const __m128i a = _mm_cmpeq_epi32(_mm_loadu_si128(p), wanted);
    const __m128i b = _mm_cmpeq_epi32(_mm_loadu_si128(p + 1), wanted);
    const __m128i c = _mm_cmpeq_epi32(_mm_loadu_si128(p + 2), wanted);
    const __m128i d = _mm_cmpeq_epi32(_mm_loadu_si128(p + 3), wanted);
    const __m128i bytes =
        _mm_packs_epi16(_mm_packs_epi32(a, b), _mm_packs_epi32(c, d));
    set |=
        static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(bytes)))
        << i;
  }
  return set;
#else
  uint64_t set = 0;
  for (int i = 0; i < kCellCount; ++i) {
    set |= static_cast<uint64_t>(cells[i] == value) << i;
  }
  return set;
#endif
}

inline uint64_t SeatSet(const Cells& cells, int32_t seat) {
  return CellsEqual(cells, seat);
}
inline uint64_t OccupiedSet(const Cells& cells) {
  return ~CellsEqual(cells, 0);
}

}  // namespace qf::bits

#endif  // QUADRIFLANK_AI_BITBOARD_H_
