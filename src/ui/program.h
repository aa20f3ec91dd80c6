// The whole program over fresh state: the source of chance, the window, the
// shell and the game, wired together. The program makes one; tests make
// their own.
#ifndef QUADRIFLANK_UI_PROGRAM_H_
#define QUADRIFLANK_UI_PROGRAM_H_

#include "game/turn_controller.h"
#include "order/random_source.h"
#include "ui/main_window.h"
#include "ui/qt_shell.h"
#include "ui/resources.h"

namespace qf {

struct Program {
  explicit Program(DiscMarks disc_marks = DiscMarks::kNone);

  RandomSource random;
  UiResources ui;
  MainWindow window;
  QtShell shell;
  TurnController game;
};

}  // namespace qf

#endif  // QUADRIFLANK_UI_PROGRAM_H_
