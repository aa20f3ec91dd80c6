#include "board/board.h"

namespace qf {
namespace {

constexpr bool OnBoard(int32_t column, int32_t row) {
  return column >= 0 && column < kBoardSize && row >= 0 && row < kBoardSize;
}

}  // namespace

void Board::ClearBoard(int32_t seat_count) {
  cells_.fill(0);
  seat_count_ = seat_count;
  game_on_ = true;
  move_count_ = 0;
}

void Board::SetPosition(const Cells& cells, int32_t seat_count,
                        int32_t move_count) {
  const Cells copy = cells;  // `cells` may be this board's own
  ClearBoard(seat_count);
  cells_ = copy;
  move_count_ = move_count;
}

bool Board::FlanksInDirection(int32_t seat, int32_t column, int32_t row,
                              int32_t column_step, int32_t row_step) const {
  column += column_step;
  row += row_step;
  if (!OnBoard(column, row)) return false;
  int32_t value = Cell(column, row);
  if (value == seat || value == 0) return false;
  for (;;) {
    column += column_step;
    row += row_step;
    if (!OnBoard(column, row)) return false;
    value = Cell(column, row);
    if (value == 0) return false;
    if (value == seat) return true;
  }
}

bool Board::IsLegalMove(int32_t seat, int32_t column, int32_t row) const {
  if (!OnBoard(column, row)) return false;
  if (Cell(column, row) != 0) return false;
  for (const Direction& d : kDirections) {
    if (FlanksInDirection(seat, column, row, d.column_step, d.row_step)) {
      return true;
    }
  }
  return false;
}

bool Board::HasLegalMove(int32_t seat) const {
  for (int32_t column = 0; column < kBoardSize; ++column) {
    for (int32_t row = 0; row < kBoardSize; ++row) {
      if (IsLegalMove(seat, column, row)) return true;
    }
  }
  return false;
}

bool Board::PlaceMove(int32_t seat, int32_t column, int32_t row) {
  if (!game_on_) return false;
  bool placed = false;
  if (IsLegalMove(seat, column, row)) {
    MoveRecord record;
    InitMoveRecord(record, column, row);
    TurnFlankedDiscs(seat, record);
    SetCell(seat, column, row);
    ++move_count_;
    placed = true;
  }
  UpdateGameOn();
  return placed;
}

void Board::InitMoveRecord(MoveRecord& record, int32_t column, int32_t row) {
  record.column = column;
  record.row = row;
  record.count = 0;
  for (int32_t& turned : record.turned) turned = -1;
}

void Board::TurnFlankedDiscs(int32_t seat, MoveRecord& record) {
  for (const Direction& d : kDirections) {
    if (FlanksInDirection(seat, record.column, record.row, d.column_step,
                          d.row_step)) {
      TurnRun(seat, record, d.column_step, d.row_step);
    }
  }
}

void Board::TurnRun(int32_t seat, MoveRecord& record, int32_t column_step,
                    int32_t row_step) {
  int32_t column = record.column;
  int32_t row = record.row;
  int32_t n = record.count;
  while (Cell(column + column_step, row + row_step) != seat) {
    column += column_step;
    row += row_step;
    record.turned[n] = ReadingIndex(column, row);
    record.previous[n] = Cell(column, row);
    SetCell(seat, column, row);
    ++n;
  }
  record.count = n;
  // A move turns at most 19 discs, so the end mark always fits.
  record.turned[n] = -1;
}

void Board::UndoMove(const MoveRecord& record) {
  for (int k = 0; k < MoveRecord::kCapacity && record.turned[k] != -1; ++k) {
    const Coord turned = ReadingCoord(record.turned[k]);
    SetCell(record.previous[k], turned.column, turned.row);
  }
  SetCell(0, record.column, record.row);
}

int32_t Board::CountDiscs(int32_t seat) const {
  int32_t count = 0;
  for (int32_t value : cells_) count += value == seat ? 1 : 0;
  return count;
}

void Board::UpdateGameOn() {
  for (int32_t seat = 1; seat <= seat_count_; ++seat) {
    if (HasLegalMove(seat)) return;
  }
  game_on_ = false;
}

std::vector<Coord> LegalCells(const Board& board, int32_t seat) {
  std::vector<Coord> cells;
  for (int32_t column = 0; column < kBoardSize; ++column) {
    for (int32_t row = 0; row < kBoardSize; ++row) {
      if (board.IsLegalMove(seat, column, row)) cells.push_back({column, row});
    }
  }
  return cells;
}

}  // namespace qf
