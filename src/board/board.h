// The game position and the rules of four-seat Reversi.
#ifndef QUADRIFLANK_BOARD_BOARD_H_
#define QUADRIFLANK_BOARD_BOARD_H_

#include <array>
#include <cstdint>
#include <vector>

namespace qf {

inline constexpr int kBoardSize = 8;
inline constexpr int kCellCount = 64;
inline constexpr int kMaxSeats = 4;

// 64 cells, cell (column, row) at element column * 8 + row; 0 is empty and
// 1..4 a disc of that seat. Every scan runs the column outer, the row inner.
using Cells = std::array<int32_t, kCellCount>;

constexpr int CellIndex(int column, int row) { return column * 8 + row; }

struct Coord {
  int32_t column;
  int32_t row;
  friend bool operator==(const Coord&, const Coord&) = default;
};

// A cell as one number in reading order, row by row: column + 8 * row. The
// search answers its cell so, a MoveRecord notes turned discs so, and the
// board's accessible cells are its children in this order; the Board's own
// elements run column by column (CellIndex).
constexpr int32_t ReadingIndex(int32_t column, int32_t row) {
  return column + 8 * row;
}
constexpr Coord ReadingCoord(int32_t index) { return {index % 8, index / 8}; }

// One direction step, in the fixed order every operation walks them:
// right, down, left, up, down-right, up-left, up-right, down-left.
struct Direction {
  int32_t column_step;
  int32_t row_step;
};
inline constexpr std::array<Direction, 8> kDirections = {
    {{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {1, 1}, {-1, -1}, {1, -1}, {-1, 1}}};

// The note of one placed disc, so that a trial move can be taken back.
// Turned cells are noted by ReadingIndex and ended by -1.
struct MoveRecord {
  static constexpr int kCapacity = 30;
  int32_t column;
  int32_t row;
  int32_t count;
  int32_t turned[kCapacity];
  int32_t previous[kCapacity];
};
static_assert(sizeof(MoveRecord) == 63 * sizeof(int32_t));

class Board {
 public:
  Board() = default;

  void ClearBoard(int32_t seat_count);
  // Writes without any test; the caller keeps column and row in 0..7.
  void SetCell(int32_t seat, int32_t column, int32_t row) {
    cells_[CellIndex(column, row)] = seat;
  }
  int32_t Cell(int32_t column, int32_t row) const {
    return cells_[CellIndex(column, row)];
  }

  // Whether `seat` may place a disc on (column, row): an empty cell on the
  // board from which some direction closes a run of other seats' discs.
  bool IsLegalMove(int32_t seat, int32_t column, int32_t row) const;
  // Whether the run from (column, row) in one direction is closed by a disc
  // of `seat`.
  bool FlanksInDirection(int32_t seat, int32_t column, int32_t row,
                         int32_t column_step, int32_t row_step) const;
  bool HasLegalMove(int32_t seat) const;
  // Places the disc and turns what it closes off, then updates GameOn.
  // Answers false, placing nothing, when the game is over or the move is
  // not legal.
  bool PlaceMove(int32_t seat, int32_t column, int32_t row);

  static void InitMoveRecord(MoveRecord& record, int32_t column, int32_t row);
  void TurnFlankedDiscs(int32_t seat, MoveRecord& record);
  void TurnRun(int32_t seat, MoveRecord& record, int32_t column_step,
               int32_t row_step);
  void UndoMove(const MoveRecord& record);

  int32_t CountDiscs(int32_t seat) const;
  // GameOn becomes false once no seat has a legal move.
  void UpdateGameOn();
  bool IsGameOver() const { return !game_on_; }

  int32_t SeatCount() const { return seat_count_; }
  int32_t MoveCount() const { return move_count_; }
  bool GameOn() const { return game_on_; }
  const Cells& cells() const { return cells_; }

  // Sets up an arbitrary position, as the tools and tests need: the cells,
  // a seat count and a move count, with the game running.
  void SetPosition(const Cells& cells, int32_t seat_count, int32_t move_count);

  friend bool operator==(const Board&, const Board&) = default;

 private:
  Cells cells_{};
  int32_t seat_count_ = 0;
  int32_t move_count_ = 0;
  bool game_on_ = false;
};

// The seat's legal cells in scan order (column outer, row inner).
std::vector<Coord> LegalCells(const Board& board, int32_t seat);

}  // namespace qf

#endif  // QUADRIFLANK_BOARD_BOARD_H_
