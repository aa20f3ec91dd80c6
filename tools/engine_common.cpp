#include "tools/engine_common.h"

#include <algorithm>
#include <charconv>

#include "board/board_text.h"
#include "board/start_position.h"

namespace qf::cli {
namespace {

// The field `name` as a whole number in [min, max] written in plain decimal
// digits; otherwise false with a one-line reason in `error`.
bool ParseField(const std::string& name, std::string_view text, int32_t min,
                int32_t max, int32_t& value, std::string& error) {
  const std::string got = ", got '" + std::string(text) + "'";
  if (!IsPlainDecimal(text)) {
    error = name + " must be plain decimal digits" + got;
    return false;
  }
  const auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc() && value >= min && value <= max) return true;
  error = name + " must be a whole number " + std::to_string(min) + ".." +
          std::to_string(max) + got;
  return false;
}

}  // namespace

bool IsPlainDecimal(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return c >= '0' && c <= '9';
  });
}

bool ParsePositionQuery(std::string_view board_text, std::string_view seat,
                        std::string_view move_count, PositionQuery& query,
                        std::string& error) {
  Cells cells;
  int32_t moves = 0;
  if (!ParseBoardText(board_text, cells, error) ||
      !ParseField("SEAT", seat, 1, kMaxSeats, query.seat, error) ||
      !ParseField("MOVECOUNT", move_count, 0, 60, moves, error)) {
    return false;
  }
  int32_t discs = 0;
  for (int32_t cell : cells) discs += cell != 0 ? 1 : 0;
  if (moves != discs - 8) {
    error = "MOVECOUNT " + std::to_string(moves) +
            " is not the board's discs minus 8: " + std::to_string(discs) +
            " discs make MOVECOUNT " + std::to_string(discs - 8);
    return false;
  }
  query.board.SetPosition(cells, kMaxSeats, moves);
  return true;
}

std::string AnswerQuery(PositionQuery& query, const SearchOptions& options) {
  NodeCounter counter;
  Searcher searcher(counter.Hook(), options.engine);
  int32_t column = -1;
  int32_t row = -1;
  searcher.ChooseMove(query.board, query.seat, options.depth, &column, &row);
  return std::to_string(column) + ' ' + std::to_string(row) + ' ' +
         std::to_string(counter.nodes);
}

Coord RandomMove(const Board& board, int32_t seat, std::mt19937& random) {
  const std::vector<Coord> cells = LegalCells(board, seat);
  if (cells.empty()) return {-1, -1};
  return cells[random() % cells.size()];
}

bool PlayGame(Board& board, const MoveChooser& choose,
              const TurnObserver& on_turn) {
  for (int32_t seat = 1; !board.IsGameOver();
       seat = seat % board.SeatCount() + 1) {
    std::optional<Coord> cell;
    if (board.HasLegalMove(seat)) {
      cell = choose(board, seat);
      if (!board.PlaceMove(seat, cell->column, cell->row)) return false;
    }
    if (on_turn) on_turn(board, seat, cell);
  }
  return true;
}

std::vector<PositionQuery> BenchPositions() {
  std::vector<PositionQuery> positions;
  std::mt19937 random(kBenchSeed);
  const auto full = [&positions] {
    return static_cast<int>(positions.size()) >= kBenchPositions;
  };
  for (int32_t game = 0; !full(); ++game) {
    Board board;
    SetUpNewGame(board);
    // RandomMove always answers a legal cell here, which the board takes.
    static_cast<void>(PlayGame(board, [&](Board& now, int32_t seat) {
      const int32_t moves = now.MoveCount();
      if (moves >= 1 && moves % 4 == game % 4 && !full()) {
        positions.push_back({now, seat});
      }
      return RandomMove(now, seat, random);
    }));
  }
  return positions;
}

}  // namespace qf::cli
