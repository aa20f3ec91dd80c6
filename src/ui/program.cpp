#include "ui/program.h"

namespace qf {

Program::Program(DiscMarks disc_marks)
    : ui(MakeUiResources(disc_marks)),
      window(ui),
      shell(window, random),
      game(shell) {
  QObject::connect(&window, &MainWindow::startRequested, &window,
                   [this] { game.StartGame(); });
  QObject::connect(&window, &MainWindow::cellPressed, &window,
                   [this](Coord cell) { game.OnBoardPress(cell); });
  QObject::connect(&window, &MainWindow::standingsAsked, &window,
                   [this] { window.announcer().Say(game.Standings()); });
  QObject::connect(&window, &MainWindow::quitRequested, &window, QuitProcess);
}

}  // namespace qf
