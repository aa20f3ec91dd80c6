#include "ui/program.h"

#include "ui/board_view.h"

namespace qf {

Program::Program(DiscMarks disc_marks)
    : ui(MakeUiResources(disc_marks)),
      window(ui, state.shown_board),
      shell(window, state),
      flow(state, shell) {
  window.SetStartHandler([this] { flow.StartGame(); });
  window.SetPressHandler(
      [this](const BoardPress& press) { flow.OnBoardPress(press); });
  BoardView& board = window.board_view();
  // A cell is legal while the game waits for the human's press.
  board.SetMoveTest([this](int32_t column, int32_t row) {
    return !window.input_gate().StepRunning() && flow.IsHumanMove(column, row);
  });
  board.SetStandingsHandler(
      [this] { window.announcer().Say(flow.Standings()); });
}

}  // namespace qf
