#include "game/turn_controller.h"

#include <array>
#include <string>

#include "board/start_position.h"
#include "game/game_result.h"
#include "game/seat_panels.h"
#include "game/spoken.h"

namespace qf {

TurnController::TurnController(Shell& shell) : shell_(shell) {}

void TurnController::StartGame() {
  if (game_.Running()) return;
  game_ = PlayGame();
  game_.Start();
}

void TurnController::OnBoardPress(Coord cell) {
  if (human_move_) {
    if (!board_.IsLegalMove(human_seat_, cell.column, cell.row)) return;
    const Reply<Coord> move = *std::exchange(human_move_, std::nullopt);
    move(cell);
  } else if (game_.Running()) {
    waiting_presses_.push_back(cell);
  }
}

std::string TurnController::Standings() const {
  if (human_seat_ == 0) return "No game yet";
  return StandingsText(board_, order_, seat_to_move_);
}

FlowTask TurnController::PlayGame() {
  const std::optional<OrderState> drawn =
      co_await Wait<std::optional<OrderState>>(
          [this](Reply<std::optional<OrderState>> reply) {
            shell_.OpenOrderWindow(std::move(reply));
          });
  if (!drawn) co_return;
  order_ = *drawn;
  for (int32_t seat = 1; seat <= 4; ++seat) {
    if (order_.PlayOrder[seat - 1] == kHumanParticipant) human_seat_ = seat;
  }
  waiting_presses_.clear();

  shell_.EnableStartCommand(false);
  SetUpNewGame(board_);
  shell_.SetUpSeatPanels(SeatPanelsFor(order_, board_));
  shell_.ShowStatusLine(1, true);
  seat_to_move_ = 1;
  shell_.DrawBoard(board_.cells());
  co_await Pause(kSetUpPauseMs);
  co_await PlayOpeningRun();

  while (!board_.IsGameOver()) {
    const Coord cell = co_await HumanMove();
    PlaceAndShow(human_seat_, cell.column, cell.row);
    RefreshSeatCounts(board_, shell_);
    shell_.ShowStatusLine(human_seat_, false);
    co_await Pause(kHumanMovePauseMs);
    co_await PlayCycles();
  }
  // Presses left over count in no later game.
  waiting_presses_.clear();
}

FlowTask TurnController::PlayOpeningRun() {
  // No end-of-game test and no pass for the human: no three moves from the
  // start position can take away every seat's moves or the human's.
  for (int32_t seat = 1; seat <= 4; ++seat) {
    seat_to_move_ = seat;
    if (seat == human_seat_) {
      shell_.ShowStatusLine(seat, true);
      shell_.HumanToMove(LegalCells(board_, seat));
      co_return;
    }
    if (board_.HasLegalMove(seat)) {
      shell_.ShowStatusLine(seat, true);
      co_await PlayComputerMove(seat);
      co_await Pause(kOpeningMovePauseMs);
    }
    shell_.ShowStatusLine(seat, false);
    RefreshSeatCounts(board_, shell_);
  }
}

FlowTask TurnController::PlayCycles() {
  const int32_t human = human_seat_;
  for (;;) {
    if (board_.IsGameOver()) {
      co_await ShowGameResult();
      co_return;
    }
    bool moved = false;
    for (int32_t k = 1; k <= 3; ++k) {
      const int32_t seat = (human + k - 1) % 4 + 1;
      seat_to_move_ = seat;
      if (board_.HasLegalMove(seat)) {
        shell_.ShowStatusLine(seat, true);
        co_await PlayComputerMove(seat);
        RefreshSeatCounts(board_, shell_);
        shell_.ShowStatusLine(seat, false);
        if (board_.IsGameOver()) {
          co_await ShowGameResult();
          co_return;
        }
        moved = true;
      } else if (board_.CountDiscs(seat) != 0) {
        shell_.ShowStatusLine(seat, true);
        co_await ShowMessage(
            SeatName(order_, seat) + std::string(kComputerPassSuffix),
            kPassCaption);
        shell_.ShowStatusLine(seat, false);
      } else {
        shell_.ShowStatusLine(seat, false);
      }
    }
    seat_to_move_ = human;
    if (board_.HasLegalMove(human)) {
      shell_.ShowStatusLine(human, true);
      shell_.HumanToMove(LegalCells(board_, human));
      co_return;
    }
    if (board_.CountDiscs(human) != 0) {
      shell_.ShowStatusLine(human, true);
      co_await ShowMessage(kHumanPassText, kPassCaption);
      shell_.ShowStatusLine(human, false);
    } else {
      shell_.ShowStatusLine(human, false);
    }
    // A whole cycle without a move means no seat can move. Placed moves
    // keep GameOn right, so this only matters for a position that was set
    // up directly; without it the cycle would never end.
    if (!moved) board_.UpdateGameOn();
  }
}

FlowTask TurnController::PlayComputerMove(int32_t seat) {
  // Presses made before the search are not meant for a later turn.
  waiting_presses_.clear();
  int32_t column = -1;
  int32_t row = -1;
  searcher_.ChooseMove(board_, seat, kSearchDepth, &column, &row);
  for (int32_t blink = 0; blink < kBlinkCount; ++blink) {
    shell_.DrawCell(seat, column, row);
    co_await Pause(kBlinkPhaseMs);
    shell_.DrawCell(0, column, row);
    co_await Pause(kBlinkPhaseMs);
  }
  PlaceAndShow(seat, column, row);
}

FlowTask TurnController::ShowGameResult() {
  seat_to_move_ = 0;
  for (int32_t seat = 1; seat <= 4; ++seat) {
    shell_.ShowStatusLine(seat, false);
  }
  co_await ShowMessage(
      ResultText(WinnerSet(board_, order_.PlayOrder), order_.ParticipantNames),
      kResultCaption);
  shell_.EnableStartCommand(true);
}

Wait<Coord> TurnController::HumanMove() {
  return Wait<Coord>([this](Reply<Coord> reply) {
    while (!waiting_presses_.empty()) {
      const Coord cell = waiting_presses_.front();
      waiting_presses_.erase(waiting_presses_.begin());
      if (board_.IsLegalMove(human_seat_, cell.column, cell.row)) {
        reply(cell);
        return;
      }
    }
    human_move_ = std::move(reply);
  });
}

Wait<> TurnController::Pause(int32_t milliseconds) {
  return Wait<>([this, milliseconds](Reply<> reply) {
    shell_.Pause(milliseconds, std::move(reply));
  });
}

Wait<> TurnController::ShowMessage(std::string_view text,
                                   std::string_view caption) {
  return Wait<>([this, text = std::string(text), caption](Reply<> reply) {
    shell_.ShowMessage(text, caption, std::move(reply));
  });
}

void TurnController::PlaceAndShow(int32_t seat, int32_t column, int32_t row) {
  std::array<int32_t, 4> before{};
  for (int32_t s = 1; s <= 4; ++s) before[s - 1] = board_.CountDiscs(s);
  board_.PlaceMove(seat, column, row);
  shell_.DrawBoard(board_.cells());
  // The human hears the cell under the cursor change instead.
  if (seat != human_seat_) {
    shell_.ComputerMoved(seat, column, row,
                         MoveText(order_, seat, column, row));
  }
  for (int32_t s = 1; s <= 4; ++s) {
    if (before[s - 1] != 0 && board_.CountDiscs(s) == 0) {
      shell_.SeatDisqualified(s, DisqualifiedText(order_, s));
    }
  }
  if (board_.IsGameOver()) seat_to_move_ = 0;
}

}  // namespace qf
