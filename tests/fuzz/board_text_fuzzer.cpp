// Fuzz target: the board text parser and the rules on whatever it accepts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "board/board.h"
#include "board/board_text.h"
#include "tests/fuzz/message_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  qf::Cells cells{};
  std::string error;
  if (!qf::ParseBoardText(text, cells, error)) {
    if (error.empty()) std::abort();  // a refusal must say why
    if (!qf::fuzz::IsSafeMessage(error, false)) std::abort();  // in one line
    return 0;
  }
  if (qf::BoardText(cells) != text) std::abort();
  // Every legal move must turn something and undo exactly.
  qf::Board board;
  board.SetPosition(cells, 4, 0);
  for (int32_t seat = 1; seat <= 4; ++seat) {
    for (int32_t column = 0; column < 8; ++column) {
      for (int32_t row = 0; row < 8; ++row) {
        if (!board.IsLegalMove(seat, column, row)) continue;
        qf::MoveRecord record;
        qf::Board::InitMoveRecord(record, column, row);
        board.TurnFlankedDiscs(seat, record);
        board.SetCell(seat, column, row);
        if (record.count < 1 || record.count > 19) std::abort();
        board.UndoMove(record);
        if (board.cells() != cells) std::abort();
      }
    }
  }
  return 0;
}
