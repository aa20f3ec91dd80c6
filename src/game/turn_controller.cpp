#include "game/turn_controller.h"

#include <algorithm>
#include <array>
#include <string>

#include "board/start_position.h"
#include "game/game_result.h"

namespace qf {
namespace {

// Marks the flow as running for one handler and clears the mark on every
// way out.
class BusyScope {
 public:
  explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyScope() { busy_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& busy_;
};

bool IsPermutationOfParticipants(const std::array<int32_t, 4>& order) {
  std::array<bool, 4> seen{};
  for (int32_t participant : order) {
    if (participant < 0 || participant > 3 || seen[participant]) return false;
    seen[participant] = true;
  }
  return true;
}

void FirstLegalCell(const Board& board, int32_t seat, int32_t* column,
                    int32_t* row) {
  for (int32_t c = 0; c < kBoardSize; ++c) {
    for (int32_t r = 0; r < kBoardSize; ++r) {
      if (board.IsLegalMove(seat, c, r)) {
        *column = c;
        *row = r;
        return;
      }
    }
  }
}

}  // namespace

TurnController::TurnController(AppState& state, Shell& shell)
    : state_(state), shell_(shell), panels_(state.order, shell) {
  state_.searcher.set_hook(NodeHook{
      [](void* context) { static_cast<Shell*>(context)->PumpOneMessage(); },
      &shell_});
}

TurnController::~TurnController() { state_.searcher.set_hook(NodeHook{}); }

void TurnController::StartGame() {
  // "始める" is grey while a game runs; this holds even if a shell lets the
  // command through, and keeps a dispatched command from nesting a game.
  if (busy_ || (game_started_ && !state_.board.IsGameOver())) return;
  BusyScope busy(busy_);

  if (shell_.RunModalWindow("GameInit") == 0) return;
  // The flow relies on exactly one human seat and on every entry naming a
  // participant; an order window that ends before any draw could hand over
  // something else, and then no game is started, as after a close.
  if (!IsPermutationOfParticipants(state_.order.PlayOrder)) return;

  shell_.SetStartEnabled(false);
  panels_.SetUp();
  SetUpNewGame(state_.board);
  game_started_ = true;
  CopyAndDrawBoard();
  shell_.PumpOneMessage();
  shell_.Pause(kSetUpPauseMs);

  // The opening run needs no end-of-game test and no pass for the human:
  // no three moves from the start position can take away every seat's
  // moves or the human's.
  for (int32_t seat = 1; seat <= 4; ++seat) {
    if (state_.order.PlayOrder[seat - 1] == kHumanParticipant) {
      panels_.ShowStatusLine(seat, true);
      state_.current_seat = seat;
      break;
    }
    if (state_.board.HasLegalMove(seat)) {
      panels_.ShowStatusLine(seat, true);
      PlayComputerMove(seat);
      shell_.Pause(kOpeningMovePauseMs);
    }
    panels_.ShowStatusLine(seat, false);
    panels_.RefreshSeatCounts(state_.board);
  }
}

void TurnController::OnBoardClick(uint32_t, uint16_t x, uint16_t y) {
  if (busy_ || !game_started_ || state_.board.IsGameOver()) return;
  const int32_t signed_x = static_cast<int16_t>(x);
  const int32_t signed_y = static_cast<int16_t>(y);
  // Truncating division would map -49..-1 to cell 0; a press left of or
  // above the board is outside it, like one right of or below it.
  if (signed_x < 0 || signed_y < 0) return;
  const int32_t column = signed_x / kCellPixels;
  const int32_t row = signed_y / kCellPixels;
  const int32_t seat = state_.current_seat;
  if (!state_.board.IsLegalMove(seat, column, row)) return;
  BusyScope busy(busy_);

  state_.board.PlaceMove(seat, column, row);
  CopyAndDrawBoard();
  panels_.RefreshSeatCounts(state_.board);
  panels_.ShowStatusLine(seat, false);
  shell_.Pause(kHumanMovePauseMs);
  PlayCycles();
}

void TurnController::PlayCycles() {
  Board& board = state_.board;
  const int32_t human = state_.current_seat;
  for (;;) {
    if (board.IsGameOver()) {
      ShowGameResult();
      return;
    }
    bool moved = false;
    for (int32_t k = 1; k <= 3; ++k) {
      const int32_t seat = (human + k - 1) % 4 + 1;
      if (board.HasLegalMove(seat)) {
        panels_.ShowStatusLine(seat, true);
        PlayComputerMove(seat);
        panels_.RefreshSeatCounts(board);
        panels_.ShowStatusLine(seat, false);
        ShowGameResult();
        if (board.IsGameOver()) return;
        moved = true;
      } else if (board.CountDiscs(seat) != 0) {
        panels_.ShowStatusLine(seat, true);
        const int32_t participant = state_.order.PlayOrder[seat - 1];
        ShowPassMessage(state_.order.ParticipantNames[participant] +
                        std::string(kComputerPassSuffix));
        panels_.ShowStatusLine(seat, false);
      } else {
        panels_.ShowStatusLine(seat, false);
      }
    }
    if (board.HasLegalMove(human)) {
      panels_.ShowStatusLine(human, true);
      return;
    }
    if (board.CountDiscs(human) != 0) {
      panels_.ShowStatusLine(human, true);
      ShowPassMessage(kHumanPassText);
      panels_.ShowStatusLine(human, false);
    } else {
      panels_.ShowStatusLine(human, false);
    }
    // A whole cycle without a move means no seat can move. Placed moves
    // keep GameOn right, so this only matters for a position that was set
    // up directly; without it the cycle would never end.
    if (!moved) board.UpdateGameOn();
  }
}

void TurnController::PlayComputerMove(int32_t seat) {
  int32_t column = -1;
  int32_t row = -1;
  state_.searcher.ChooseMove(state_.board, seat, kSearchDepth, &column, &row);
  // Only called for a seat that can move, so the search answers one of its
  // legal cells; should it ever not, the seat takes its first legal cell in
  // scan order rather than blink and place off the board.
  if (!state_.board.IsLegalMove(seat, column, row)) {
    FirstLegalCell(state_.board, seat, &column, &row);
  }
  BlinkCell(seat, column, row);
  state_.board.PlaceMove(seat, column, row);
  CopyAndDrawBoard();
}

void TurnController::BlinkCell(int32_t seat, int32_t column, int32_t row) {
  for (int32_t blink = 0; blink < kBlinkCount; ++blink) {
    shell_.DrawCell(seat, column, row);
    shell_.Pause(kBlinkPhaseMs);
    shell_.DrawCell(0, column, row);
    shell_.Pause(kBlinkPhaseMs);
  }
}

void TurnController::CopyAndDrawBoard() {
  state_.shown_board = state_.board.cells();
  shell_.DrawBoard();
}

void TurnController::ShowPassMessage(std::string_view text) {
  shell_.ShowInfoMessage(text, kPassCaption);
}

void TurnController::ShowGameResult() {
  // Before the first game there are no names or order to report on.
  if (!game_started_ || !state_.board.IsGameOver()) return;
  for (int32_t seat = 1; seat <= 4; ++seat) {
    panels_.ShowStatusLine(seat, false);
  }
  const std::string text =
      ResultText(WinnerSet(state_.board, state_.order.PlayOrder),
                 state_.order.ParticipantNames);
  shell_.ShowInfoMessage(text, kResultCaption);
  shell_.SetStartEnabled(true);
}

}  // namespace qf
