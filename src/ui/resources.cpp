#include "ui/resources.h"

#include <QApplication>
#include <QPalette>
#include <QStringList>

#include "game/shell.h"

namespace qf {

QFont MakeUiFont() {
  QFont font;
  font.setFamilies(
      {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
  font.setPixelSize(12);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

UiResources MakeUiResources() {
  UiResources ui;
  ui.panel_font = MakeUiFont();
  ui.dialog_font = MakeUiFont();
  ui.face_color = QApplication::palette().color(QPalette::Button);
  ui.game_menu = std::make_unique<QMenu>(QString::fromUtf8(kGameMenuTitle));
  QAction* start =
      ui.game_menu->addAction(QString::fromUtf8(kStartCommandText));
  start->setData(kCmdStart);
  ui.game_menu->addSeparator();
  QAction* quit = ui.game_menu->addAction(QString::fromUtf8(kQuitCommandText));
  quit->setData(kCmdQuit);
  return ui;
}

QAction* FindMenuCommand(const QMenu& menu, int32_t id) {
  for (QAction* action : menu.actions()) {
    if (!action->isSeparator() && action->data().toInt() == id) return action;
  }
  return nullptr;
}

QIcon ProgramIcon() {
  return QIcon(QStringLiteral(":/qf/icons/quadriflank.png"));
}

}  // namespace qf
