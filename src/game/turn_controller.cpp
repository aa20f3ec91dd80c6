#include "game/turn_controller.h"

#include <array>
#include <string>

#include "board/start_position.h"
#include "game/game_result.h"
#include "game/seat_panels.h"
#include "game/spoken.h"

namespace qf {
namespace {

bool IsPermutationOfParticipants(const std::array<int32_t, 4>& order) {
  std::array<bool, 4> seen{};
  for (int32_t participant : order) {
    if (participant < 0 || participant > 3 || seen[participant]) return false;
    seen[participant] = true;
  }
  return true;
}

}  // namespace

TurnController::TurnController(AppState& state, Shell& shell)
    : state_(state), shell_(shell) {
  state_.searcher.set_hook(NodeHook{
      [](void* context) { static_cast<Shell*>(context)->Pump(); }, &shell_});
}

TurnController::~TurnController() { state_.searcher.set_hook(NodeHook{}); }

void TurnController::StartGame() {
  if (game_started_ && !state_.board.IsGameOver()) return;
  if (!shell_.RunOrderWindow()) return;
  // The flow relies on exactly one human seat and on every entry naming a
  // participant; an order window that ends before any draw could hand over
  // something else, and then no game is started, as after a close.
  if (!IsPermutationOfParticipants(state_.order.PlayOrder)) return;
  game_order_ = state_.order;

  shell_.EnableStartCommand(false);
  shell_.SetUpSeatPanels(SeatPanelsFor(game_order_));
  shell_.ShowStatusLine(1, true);
  SetUpNewGame(state_.board);
  game_started_ = true;
  state_.shown_board = state_.board.cells();
  shell_.DrawBoard();
  shell_.Pump();
  shell_.Pause(kSetUpPauseMs);

  // The opening run needs no end-of-game test and no pass for the human:
  // no three moves from the start position can take away every seat's
  // moves or the human's.
  for (int32_t seat = 1; seat <= 4; ++seat) {
    seat_to_move_ = seat;
    if (game_order_.PlayOrder[seat - 1] == kHumanParticipant) {
      shell_.ShowStatusLine(seat, true);
      state_.current_seat = seat;
      shell_.HumanToMove();
      break;
    }
    if (state_.board.HasLegalMove(seat)) {
      shell_.ShowStatusLine(seat, true);
      PlayComputerMove(seat);
      shell_.Pause(kOpeningMovePauseMs);
    }
    shell_.ShowStatusLine(seat, false);
    RefreshSeatCounts(state_.board, shell_);
  }
}

bool TurnController::IsHumanMove(int32_t column, int32_t row) const {
  return game_started_ && !state_.board.IsGameOver() &&
         state_.board.IsLegalMove(state_.current_seat, column, row);
}

void TurnController::OnBoardPress(const BoardPress& press) {
  if (!press.left_button || !press.cell) return;
  const auto [column, row] = *press.cell;
  if (!IsHumanMove(column, row)) return;
  const int32_t seat = state_.current_seat;
  PlaceAndShow(seat, column, row);
  RefreshSeatCounts(state_.board, shell_);
  shell_.ShowStatusLine(seat, false);
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
      seat_to_move_ = seat;
      if (board.HasLegalMove(seat)) {
        shell_.ShowStatusLine(seat, true);
        PlayComputerMove(seat);
        RefreshSeatCounts(board, shell_);
        shell_.ShowStatusLine(seat, false);
        ShowGameResult();
        if (board.IsGameOver()) return;
        moved = true;
      } else if (board.CountDiscs(seat) != 0) {
        shell_.ShowStatusLine(seat, true);
        ShowPassMessage(SeatName(game_order_, seat) +
                        std::string(kComputerPassSuffix));
        shell_.ShowStatusLine(seat, false);
      } else {
        shell_.ShowStatusLine(seat, false);
      }
    }
    seat_to_move_ = human;
    if (board.HasLegalMove(human)) {
      shell_.ShowStatusLine(human, true);
      shell_.HumanToMove();
      return;
    }
    if (board.CountDiscs(human) != 0) {
      shell_.ShowStatusLine(human, true);
      ShowPassMessage(kHumanPassText);
      shell_.ShowStatusLine(human, false);
    } else {
      shell_.ShowStatusLine(human, false);
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
    const Coord first = LegalCells(state_.board, seat).front();
    column = first.column;
    row = first.row;
  }
  BlinkCell(seat, column, row);
  PlaceAndShow(seat, column, row);
}

void TurnController::BlinkCell(int32_t seat, int32_t column, int32_t row) {
  for (int32_t blink = 0; blink < kBlinkCount; ++blink) {
    shell_.DrawCell(seat, column, row);
    shell_.Pause(kBlinkPhaseMs);
    shell_.DrawCell(0, column, row);
    shell_.Pause(kBlinkPhaseMs);
  }
}

void TurnController::PlaceAndShow(int32_t seat, int32_t column, int32_t row) {
  Board& board = state_.board;
  std::array<int32_t, 4> before{};
  for (int32_t s = 1; s <= 4; ++s) before[s - 1] = board.CountDiscs(s);
  board.PlaceMove(seat, column, row);
  state_.shown_board = board.cells();
  shell_.DrawBoard();
  shell_.SeatMoved(seat, column, row,
                   board.CountDiscs(seat) - 1 - before[seat - 1]);
  for (int32_t s = 1; s <= 4; ++s) {
    if (before[s - 1] != 0 && board.CountDiscs(s) == 0) {
      shell_.SeatDisqualified(s);
    }
  }
  if (board.IsGameOver()) seat_to_move_ = 0;
}

void TurnController::ShowPassMessage(std::string_view text) {
  shell_.ShowMessage(text, kPassCaption);
}

void TurnController::ShowGameResult() {
  // Before the first game there are no names or order to report on.
  if (!game_started_ || !state_.board.IsGameOver()) return;
  seat_to_move_ = 0;
  for (int32_t seat = 1; seat <= 4; ++seat) {
    shell_.ShowStatusLine(seat, false);
  }
  const std::string text =
      ResultText(WinnerSet(state_.board, game_order_.PlayOrder),
                 game_order_.ParticipantNames);
  shell_.ShowMessage(text, kResultCaption);
  shell_.EnableStartCommand(true);
}

std::string TurnController::Standings() const {
  if (!game_started_) return "No game yet";
  return StandingsText(state_.board, game_order_, seat_to_move_);
}

}  // namespace qf
