// The whole program over one fresh state: the window, the shell and the game
// flow, wired together. The program makes one; tests make their own.
#ifndef QUADRIFLANK_UI_PROGRAM_H_
#define QUADRIFLANK_UI_PROGRAM_H_

#include "game/app_state.h"
#include "game/turn_controller.h"
#include "ui/main_window.h"
#include "ui/qt_shell.h"
#include "ui/resources.h"

namespace qf {

struct Program {
  explicit Program(DiscMarks disc_marks = DiscMarks::kNone);

  AppState state;
  UiResources ui;
  MainWindow window;
  QtShell shell;
  TurnController flow;
};

}  // namespace qf

#endif  // QUADRIFLANK_UI_PROGRAM_H_
