#include "ai/fast_search.h"

#include <algorithm>
#include <bit>
#include <cstddef>

#include "ai/bitboard.h"
#include "ai/evaluation.h"

namespace qf {
namespace {

// Weight sums of one column (as kColumnWeights) split by sign: the positive
// weights in the low half, the negative ones in the high half.
using SplitWeightTable = std::array<std::array<int32_t, 256>, 4>;

constexpr SplitWeightTable BuildSplitWeights() {
  SplitWeightTable table{};
  for (int column = 0; column < 4; ++column) {
    for (int set = 0; set < 256; ++set) {
      int positive = 0;
      int negative = 0;
      for (int row = 0; row < kBoardSize; ++row) {
        if (((set >> row) & 1) == 0) continue;
        const int32_t w = kWeightTable[CellIndex(column, row)];
        (w > 0 ? positive : negative) += w;
      }
      table[column][set] = positive + negative * 65536;
    }
  }
  return table;
}

constexpr SplitWeightTable kSplitWeights = BuildSplitWeights();

// Corners never turn: no run can pass through them.
constexpr uint64_t kCorners = 0x8100000000000081ULL;

constexpr uint64_t BuildPositiveCells() {
  uint64_t set = 0;
  for (int index = 0; index < kCellCount; ++index) {
    if (kWeightTable[index] > 0) set |= bits::Bit(index);
  }
  return set;
}

// The cells of positive weight.
constexpr uint64_t kPositiveCells = BuildPositiveCells();

// 4096 entries (192 KiB): a search stores a few thousand nodes at most in
// the middle game, and a table that stays in cache beats a larger one.
constexpr int kTableBits = 12;
// Nodes one ply above the leaves are cheaper to search again than to store.
constexpr int32_t kMinTableDepth = 2;
// From this depth on, moves are ordered by a flip-based score.
constexpr int32_t kMinLeafOrderDepth = 4;
// History counts above this tie as equals.
constexpr uint32_t kHistoryCap = 4095;
// Nodes this near the leaves first try a cut-off on bounds of their value
// from the discs alone; further up the bounds are too wide to pay.
constexpr int32_t kMaxBoundDepth = 3;

constexpr uint8_t kLowerBound = 1;
constexpr uint8_t kUpperBound = 2;
constexpr uint8_t kExact = kLowerBound | kUpperBound;
constexpr int kNoMove = kCellCount;

// Sorts the moves by falling key, keeping scan order among equal keys.
void SortByKey(int n, int32_t* keys, uint8_t* order, uint64_t* flip_sets) {
  for (int i = 1; i < n; ++i) {
    const int32_t key = keys[i];
    const uint8_t move = order[i];
    const uint64_t flips = flip_sets[i];
    int k = i;
    for (; k > 0 && keys[k - 1] < key; --k) {
      keys[k] = keys[k - 1];
      order[k] = order[k - 1];
      flip_sets[k] = flip_sets[k - 1];
    }
    keys[k] = key;
    order[k] = move;
    flip_sets[k] = flips;
  }
}

}  // namespace

bool FastSearch::LeafBounds(int32_t leaf_seat, int32_t* low,
                            int32_t* high) const {
  const uint64_t discs = discs_[leaf_seat - 1];
  const uint64_t loose = discs & ~kCorners;
  if (disc_phase_) {
    const int32_t most = std::popcount(discs);
    const int32_t least = std::popcount(discs & kCorners);
    if (leaf_seat == searching_seat_) {
      *low = 64 - 2 * most;
      *high = 64 - 2 * least;
    } else {
      *low = 2 * least - 64;
      *high = 2 * most - 64;
    }
    return true;
  }
  if (leaf_seat == searching_seat_) return false;  // mobility: no cheap bound
  int32_t packed = 0;
  for (int c = 0; c < kBoardSize; ++c) {
    packed += kSplitWeights[c < 4 ? c : 7 - c][(loose >> (8 * c)) & 0xFF];
  }
  const int32_t positive = static_cast<int16_t>(packed & 0xFFFF);
  const int32_t negative = (packed - positive) / 65536;
  const int32_t weights = WeightSum(discs);
  *low = 2 * (weights - positive) - 20;
  *high = 2 * (weights - negative) - 20;
  return true;
}

bool FastSearch::SubtreeBounds(int32_t seat, int32_t depth, int32_t* low,
                               int32_t* high) const {
  // With fewer plies left than seats, no seat that is scored below has
  // moved before it is scored, so its discs can only have shrunk. Lines end
  // at depth 0 on the seat `depth` places on, or on a double pass: the
  // seat k places on, 2 <= k < depth, once the one before it has passed
  // (this seat can move, so it cannot be the first of two passers).
  int32_t scored = seat;
  int32_t lo = kInfinity;
  int32_t hi = -kInfinity;
  for (int32_t k = 1; k <= depth; ++k) {
    scored = next_seat_[scored];
    if (k < 2 && k < depth) continue;
    int32_t l, h;
    if (!LeafBounds(scored, &l, &h)) return false;
    lo = std::min(lo, l);
    hi = std::max(hi, h);
  }
  if (Sign(depth) > 0) {
    *low = lo;
    *high = hi;
  } else {
    *low = -hi;
    *high = -lo;
  }
  return true;
}

bool FastSearch::Supports(const Board& board, int32_t seat,
                          int32_t seat_count) {
  if (seat < 1 || seat > kMaxSeats) return false;
  if (seat_count < 1 || seat_count > kMaxSeats) return false;
  for (int32_t value : board.cells()) {
    if (value < 0 || value > kMaxSeats) return false;
  }
  return true;
}

inline int32_t FastSearch::LeafScore(int32_t seat, uint64_t discs,
                                     uint64_t occupied) const {
  if (disc_phase_) {
    const int32_t count = std::popcount(discs);
    return seat == searching_seat_ ? 64 - 2 * count : 2 * count - 64;
  }
  const int32_t weights = WeightSum(discs);
  if (seat != searching_seat_) return 2 * weights - 20;
  return 20 - 2 * weights +
         3 * std::popcount(bits::LegalMoves(discs, occupied));
}

inline void FastSearch::MakeMove(int32_t seat, int index, uint64_t flips) {
  const uint64_t placed = flips | bits::Bit(index);
  for (int32_t s = 0; s < kMaxSeats; ++s) {
    discs_[s] = s == seat - 1 ? discs_[s] | placed : discs_[s] & ~flips;
  }
}

FastSearch::Entry& FastSearch::Slot(int32_t seat, int32_t depth) {
  uint64_t h = discs_[0] * 0x9E3779B97F4A7C15ULL;
  h ^= std::rotl(discs_[1] * 0xC2B2AE3D27D4EB4FULL, 17);
  h ^= std::rotl(discs_[2] * 0x165667B19E3779F9ULL, 31);
  h ^= std::rotl(discs_[3] * 0xD6E8FEB86659FD93ULL, 47);
  h ^= static_cast<uint64_t>(seat * 256 + depth) * 0xFF51AFD7ED558CCDULL;
  h ^= h >> 29;
  h *= 0xC4CEB9FE1A85EC53ULL;
  h ^= h >> 32;
  return table_[h >> (64 - kTableBits)];
}

int FastSearch::OrderRootMoves(int32_t seat, uint64_t moves, uint8_t* order,
                               uint64_t* flip_sets) const {
  // Each move is rated by the leaf score its position would get if the
  // line ran on without passes to the seat then to move.
  int32_t leaf_seat = seat;
  for (int32_t d = 0; d < root_depth_; ++d) leaf_seat = next_seat_[leaf_seat];
  const int32_t sign = leaf_seat == searching_seat_ ? -1 : 1;
  const uint64_t own = discs_[seat - 1];
  const uint64_t occupied = Occupied();
  int32_t keys[kCellCount];
  int n = 0;
  for (; moves != 0; moves &= moves - 1, ++n) {
    const int index = std::countr_zero(moves);
    const uint64_t flips = bits::Flips(index, own, occupied);
    const uint64_t leaf_discs = leaf_seat == seat
                                    ? own | flips | bits::Bit(index)
                                    : discs_[leaf_seat - 1] & ~flips;
    keys[n] = sign *
              (disc_phase_ ? std::popcount(leaf_discs) : WeightSum(leaf_discs));
    order[n] = static_cast<uint8_t>(index);
    flip_sets[n] = flips;
  }
  SortByKey(n, keys, order, flip_sets);
  return n;
}

int32_t FastSearch::SearchLeafParent(int32_t seat, uint64_t moves,
                                     int32_t beta) {
  // The children are leaves, scored straight from the flips without
  // making the moves.
  const int32_t next = next_seat_[seat];
  const int32_t child_sign = -Sign(0);
  const uint64_t own = discs_[seat - 1];
  const uint64_t occupied = Occupied();
  const uint64_t next_discs = discs_[next - 1];
  int32_t best = -kInfinity - 1;
  for (; moves != 0; moves &= moves - 1) {
    const int index = std::countr_zero(moves);
    hook_();
    const uint64_t flips = bits::Flips(index, own, occupied);
    const uint64_t placed = flips | bits::Bit(index);
    const uint64_t discs = next == seat ? own | placed : next_discs & ~flips;
    const int32_t value =
        child_sign * LeafScore(next, discs, occupied | placed);
    if (value > best) {
      best = value;
      if (value >= beta) {
        killer_ = index;
        return value;
      }
    }
  }
  return best;
}

int32_t FastSearch::SearchTargetLeafParent(int32_t seat,
                                           const bits::TargetMoves& sets,
                                           int32_t alpha, int32_t beta) {
  // The leaf score depends on the next seat's discs alone, so every move
  // that turns none of them scores `quiet`, the score of the position as
  // it is, and one leaf stands for all of them. A move that turns some
  // changes the score by twice their weight (or count), with the sign
  // `gain`: plus when losing them raises this node's score.
  const int32_t next = next_seat_[seat];
  const int32_t child_sign = -Sign(0);
  const uint64_t own = discs_[seat - 1];
  const uint64_t occupied = Occupied();
  const uint64_t next_discs = discs_[next - 1];
  const int32_t quiet = child_sign * LeafScore(next, next_discs, 0);
  const bool loss_raises_score = disc_phase_ && next == searching_seat_;
  const int32_t gain = loss_raises_score ? child_sign : -child_sign;
  // The most the turned discs can change the score: all the discs any
  // move turns, counting only those whose loss helps.
  const uint64_t flippable = sets.flippable;
  int32_t most;
  if (disc_phase_) {
    most = gain > 0 ? 2 * std::popcount(flippable) : 0;
  } else {
    const int32_t helpful =
        WeightSum(flippable & (gain > 0 ? kPositiveCells : ~kPositiveCells));
    most = 2 * gain * helpful;
  }
  const int32_t high = quiet + most;
  if (high <= alpha) return high;
  const uint64_t quiet_moves = sets.legal & ~sets.turning;
  int32_t best = -kInfinity - 1;
  if (quiet_moves != 0 && (gain < 0 || quiet >= beta)) {
    // Turning discs mostly costs here, or the quiet score already cuts off.
    hook_();
    best = quiet;
    if (best >= beta || best >= high) {
      killer_ = std::countr_zero(quiet_moves);
      return best;
    }
  }
  for (uint64_t moves = sets.turning; moves != 0; moves &= moves - 1) {
    const int index = std::countr_zero(moves);
    hook_();
    const uint64_t turned = bits::Flips(index, own, occupied) & next_discs;
    const int32_t value =
        quiet +
        2 * gain * (disc_phase_ ? std::popcount(turned) : WeightSum(turned));
    if (value > best) {
      best = value;
      if (value >= beta || value >= high) {
        killer_ = index;
        return value;
      }
    }
  }
  if (quiet_moves != 0 && quiet > best) {
    hook_();
    best = quiet;
  }
  return best;
}

int32_t FastSearch::Search(int32_t seat, int32_t depth, bool previous_moved,
                           int32_t alpha, int32_t beta) {
  hook_();
  if (depth == 0) {
    return Sign(0) * LeafScore(seat, discs_[seat - 1], Occupied());
  }
  const uint64_t own = discs_[seat - 1];
  const uint64_t occupied = Occupied();
  if (depth == 1 && killer_ != kNoMove &&
      (occupied & bits::Bit(killer_)) == 0) {
    // Try the killer before generating the moves: if it is legal and cuts
    // off, the rest need not be known.
    const uint64_t flips = bits::Flips(killer_, own, occupied);
    if (flips != 0) {
      hook_();
      const int32_t next = next_seat_[seat];
      const uint64_t placed = flips | bits::Bit(killer_);
      const uint64_t discs =
          next == seat ? own | placed : discs_[next - 1] & ~flips;
      const int32_t value =
          -Sign(0) * LeafScore(next, discs, occupied | placed);
      if (value >= beta) return value;
    }
  }
  const int32_t next = next_seat_[seat];
  // One ply above the leaves, when the leaf score depends on the next
  // seat's discs alone, the moves are sorted by what they do to them.
  const bool targeted =
      depth == 1 && next != seat && (disc_phase_ || next != searching_seat_);
  bits::TargetMoves sets;
  if (targeted) sets = bits::FindTargetMoves(own, occupied, discs_[next - 1]);
  const uint64_t moves =
      targeted ? sets.legal : bits::LegalMoves(own, occupied);
  if (moves == 0) {
    // A pass costs a ply; a second pass in a row ends the line here.
    if (!previous_moved) {
      return Sign(depth) * LeafScore(seat, own, occupied);
    }
    return -Search(next, depth - 1, false, -beta, -alpha);
  }
  if (targeted) return SearchTargetLeafParent(seat, sets, alpha, beta);
  if (depth <= kMaxBoundDepth && depth < seat_count_) {
    int32_t low, high;
    if (SubtreeBounds(seat, depth, &low, &high)) {
      if (high <= alpha) return high;
      if (low >= beta) return low;
    }
  }
  if (depth == 1) return SearchLeafParent(seat, moves, beta);

  Entry* entry = nullptr;
  int tt_move = kNoMove;
  if (depth >= kMinTableDepth) {
    entry = &Slot(seat, depth);
    if (entry->stamp == stamp_ && entry->seat == seat &&
        entry->depth == depth && entry->discs == discs_) {
      const int32_t value = entry->value;
      if (entry->bound == kExact ||
          (entry->bound == kLowerBound && value >= beta) ||
          (entry->bound == kUpperBound && value <= alpha)) {
        return value;
      }
      tt_move = entry->best;
    }
  }

  // The stored best move first. Far from the leaves, then by the leaf
  // score each move alone would give the seat scored at depth 0 if no one
  // passed, with the cut-off history breaking ties; nearer the leaves by
  // history alone, which costs no flips.
  uint8_t order[kCellCount];
  uint32_t keys[kCellCount];
  // A legal move always turns something, so 0 marks flips not yet found.
  uint64_t flip_sets[kCellCount];
  int n = 0;
  const bool by_leaf_score = depth >= kMinLeafOrderDepth;
  int32_t leaf_seat = seat;
  int32_t sign = 0;
  if (by_leaf_score) {
    for (int32_t d = 0; d < depth; ++d) leaf_seat = next_seat_[leaf_seat];
    sign = Sign(depth) * (leaf_seat == searching_seat_ ? -1 : 1);
  }
  for (uint64_t rest = moves; rest != 0; rest &= rest - 1, ++n) {
    const int index = std::countr_zero(rest);
    order[n] = static_cast<uint8_t>(index);
    const uint32_t history = std::min(history_[seat][index], kHistoryCap);
    flip_sets[n] = 0;
    if (index == tt_move) {
      keys[n] = UINT32_MAX;
    } else if (by_leaf_score) {
      const uint64_t flips = bits::Flips(index, own, occupied);
      flip_sets[n] = flips;
      const uint64_t leaf_discs = leaf_seat == seat
                                      ? own | flips | bits::Bit(index)
                                      : discs_[leaf_seat - 1] & ~flips;
      const int32_t score = sign * (disc_phase_ ? std::popcount(leaf_discs)
                                                : WeightSum(leaf_discs));
      // Scores lie within +-1000; shifted to stay positive.
      keys[n] =
          static_cast<uint32_t>(score + 1000) * (kHistoryCap + 1) + history;
    } else {
      keys[n] = history;
    }
  }

  const int32_t original_alpha = alpha;
  const std::array<uint64_t, kMaxSeats> saved = discs_;
  int32_t best = -kInfinity - 1;
  int best_move = kNoMove;
  for (int i = 0; i < n; ++i) {
    // Selection rather than a full sort: most nodes cut off after their
    // first move.
    int pick = i;
    for (int j = i + 1; j < n; ++j) {
      if (keys[j] > keys[pick]) pick = j;
    }
    const int index = order[pick];
    const uint64_t flips = flip_sets[pick] != 0
                               ? flip_sets[pick]
                               : bits::Flips(index, own, occupied);
    order[pick] = order[i];
    keys[pick] = keys[i];
    flip_sets[pick] = flip_sets[i];
    MakeMove(seat, index, flips);
    int32_t value;
    if (i == 0) {
      value = -Search(next, depth - 1, true, -beta, -alpha);
    } else {
      value = -Search(next, depth - 1, true, -alpha - 1, -alpha);
      if (value > alpha && value < beta) {
        value = -Search(next, depth - 1, true, -beta, -alpha);
      }
    }
    discs_ = saved;
    if (value > best) {
      best = value;
      best_move = index;
      if (value > alpha) {
        alpha = value;
        if (alpha >= beta) {
          history_[seat][index] += static_cast<uint32_t>(depth * depth);
          break;
        }
      }
    }
  }
  if (entry != nullptr) {
    entry->discs = discs_;
    entry->stamp = stamp_;
    entry->value = static_cast<int16_t>(best);
    entry->depth = static_cast<uint8_t>(depth);
    entry->seat = static_cast<uint8_t>(seat);
    entry->bound = best <= original_alpha ? kUpperBound
                   : best >= beta         ? kLowerBound
                                          : kExact;
    entry->best = static_cast<uint8_t>(best_move);
  }
  return best;
}

int32_t FastSearch::Run(const Board& board, int32_t seat, int32_t root_depth,
                        int32_t seat_count, NodeHook hook) {
  const Cells& cells = board.cells();
  for (int32_t s = 1; s <= kMaxSeats; ++s) {
    discs_[s - 1] = bits::SeatSet(cells, s);
    next_seat_[s] = s % seat_count + 1;
  }
  seat_count_ = seat_count;
  hook_ = hook;
  searching_seat_ = seat;
  root_depth_ = root_depth;
  disc_phase_ = board.MoveCount() >= kDiscPhaseMoveCount;
  killer_ = kNoMove;
  for (auto& counts : history_) counts.fill(0);
  if (table_.empty()) table_.resize(std::size_t{1} << kTableBits);
  if (++stamp_ == 0) {
    // Stamps have wrapped: clear so that no old entry can match.
    for (Entry& entry : table_) entry.stamp = 0;
    stamp_ = 1;
  }

  hook_();
  const uint64_t moves = bits::LegalMoves(discs_[seat - 1], Occupied());
  uint8_t order[kCellCount];
  uint64_t flip_sets[kCellCount];
  const int n = OrderRootMoves(seat, moves, order, flip_sets);
  const int32_t next = next_seat_[seat];
  const std::array<uint64_t, kMaxSeats> saved = discs_;
  // The reference answers the last move in scan order among those of
  // maximal value: a move later in scan order than the best so far takes
  // over on an equal value, an earlier one only on a greater value. Scores
  // are whole numbers, so a null window at the needed value tells which.
  // The best move's value is known exactly only when `exact`; otherwise
  // `best` is a lower bound, and an exact value is found only when a later
  // move also passes the test against that bound.
  int best_move = order[0];
  uint64_t best_flips = flip_sets[0];
  MakeMove(seat, best_move, best_flips);
  int32_t best = -Search(next, root_depth - 1, true, -kInfinity, kInfinity);
  bool exact = true;
  discs_ = saved;
  for (int i = 1; i < n; ++i) {
    const int index = order[i];
    MakeMove(seat, index, flip_sets[i]);
    int32_t needed = index > best_move ? best : best + 1;
    int32_t value = -Search(next, root_depth - 1, true, -needed, 1 - needed);
    if (value >= needed && !exact) {
      // Which of the two is better depends on the best move's exact value.
      discs_ = saved;
      MakeMove(seat, best_move, best_flips);
      best = -Search(next, root_depth - 1, true, -kInfinity, 1 - best);
      exact = true;
      discs_ = saved;
      MakeMove(seat, index, flip_sets[i]);
      needed = index > best_move ? best : best + 1;
      if (value < needed) {
        value = -Search(next, root_depth - 1, true, -needed, 1 - needed);
      }
    }
    if (value >= needed) {
      // Fail-soft: the value found is a lower bound of the move's value.
      best = value;
      best_move = index;
      best_flips = flip_sets[i];
      exact = false;
    }
    discs_ = saved;
  }
  return ReadingIndex(best_move / kBoardSize, best_move % kBoardSize);
}

}  // namespace qf
