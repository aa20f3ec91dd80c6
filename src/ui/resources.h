// The user-interface resources made once at start-up and kept until the
// process ends: the two fonts, the face colour, the game menu and how the
// discs are drawn.
#ifndef QUADRIFLANK_UI_RESOURCES_H_
#define QUADRIFLANK_UI_RESOURCES_H_

#include <QAction>
#include <QColor>
#include <QFont>
#include <QIcon>
#include <QMenu>
#include <memory>

#include "ui/board_painter.h"

namespace qf {

inline constexpr const char* kGameMenuTitle = "ゲーム(&G)";
inline constexpr const char* kStartCommandText = "始める";
inline constexpr const char* kQuitCommandText = "終了(&X)";

struct UiResources {
  QFont panel_font;
  QFont dialog_font;
  QColor face_color;
  // Created before the window that shows it; the window only attaches it.
  std::unique_ptr<QMenu> game_menu;
  QAction* start_command = nullptr;  // "始める", in game_menu
  QAction* quit_command = nullptr;   // "終了(&X)", in game_menu
  // Chosen on the command line; the board and the order window draw their
  // discs so.
  DiscMarks disc_marks = DiscMarks::kNone;
};

// The face every text uses: "ＭＳ Ｐゴシック" where it is installed, else the
// proportional Japanese gothic that Debian ships, 12 pixels high.
QFont MakeUiFont();
// In start-up order: panel font, dialog font, face colour, menu.
UiResources MakeUiResources(DiscMarks disc_marks);
// The program's icon from the embedded resources.
QIcon ProgramIcon();

}  // namespace qf

#endif  // QUADRIFLANK_UI_RESOURCES_H_
