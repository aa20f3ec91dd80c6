// Placeholder until the game flow lands.
#include "game/turn_controller.h"

namespace qf {

TurnController::TurnController(AppState& state, Shell& shell)
    : state_(state), shell_(shell) {}

void TurnController::StartGame() { shell_.RunModalWindow("GameInit"); }

void TurnController::OnBoardClick(uint32_t, uint16_t, uint16_t) {}

void TurnController::ShowGameResult() {}

}  // namespace qf
