// Pieces shared by the engine commands: one position line, a node-counting
// hook, the random move and the game loop behind selfplay, soak and bench.
#ifndef QUADRIFLANK_TOOLS_ENGINE_COMMON_H_
#define QUADRIFLANK_TOOLS_ENGINE_COMMON_H_

#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "ai/searcher.h"
#include "board/board.h"
#include "tools/cli_args.h"

namespace qf::cli {

// A position to search: the board (SeatCount 4, MoveCount set) and the seat.
struct PositionQuery {
  Board board;
  int32_t seat = 0;
};

// Whether `text` is a number as the tool takes them: one or more plain
// decimal digits, with no sign, space, point or base prefix.
bool IsPlainDecimal(std::string_view text);

// Parses BOARD, SEAT and MOVECOUNT; MOVECOUNT must be the number of discs on
// the board minus 8, as in every game. On failure returns false with a
// one-line reason in `error`.
bool ParsePositionQuery(std::string_view board_text, std::string_view seat,
                        std::string_view move_count, PositionQuery& query,
                        std::string& error);

// Counts the search nodes entered.
struct NodeCounter {
  uint64_t nodes = 0;
  static void Count(void* context) {
    ++static_cast<NodeCounter*>(context)->nodes;
  }
  NodeHook Hook() { return NodeHook{&NodeCounter::Count, this}; }
};

// One search as the move command prints it: "COLUMN ROW NODES".
std::string AnswerQuery(PositionQuery& query, const SearchOptions& options);

// A uniformly drawn legal move of `seat`: the generator's next output modulo
// the number of legal cells, counted in scan order (LegalCells). A seat
// without a legal move gets (-1, -1) and draws nothing.
Coord RandomMove(const Board& board, int32_t seat, std::mt19937& random);

// Chooses the cell of a seat that has a legal move.
using MoveChooser = std::function<Coord(Board& board, int32_t seat)>;
// Sees each turn once it is played: the cell placed, or none for a pass.
using TurnObserver = std::function<void(const Board& board, int32_t seat,
                                        std::optional<Coord> cell)>;

// Plays the game on `board` to its end: seats in turn from seat 1, a seat
// without a legal move passing, any other placing the cell that `choose`
// answers. Answers false, at once, if the board refuses a chosen cell.
[[nodiscard]] bool PlayGame(Board& board, const MoveChooser& choose,
                            const TurnObserver& on_turn = {});

// The fixed benchmark positions. They come from random games (PlayGame with
// RandomMove, std::mt19937 seeded with kBenchSeed). Game g contributes each
// position, from one placed move on, whose MoveCount is g modulo 4 and whose
// seat to move has a move, so every MoveCount of a game is searched about
// equally often.
inline constexpr uint32_t kBenchSeed = 20240601;
inline constexpr int kBenchPositions = 240;
std::vector<PositionQuery> BenchPositions();

}  // namespace qf::cli

#endif  // QUADRIFLANK_TOOLS_ENGINE_COMMON_H_
