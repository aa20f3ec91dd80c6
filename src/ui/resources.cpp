#include "ui/resources.h"

#include <QApplication>
#include <QPalette>
#include <QStringList>

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

UiResources MakeUiResources(DiscMarks disc_marks) {
  UiResources ui;
  ui.panel_font = MakeUiFont();
  ui.dialog_font = MakeUiFont();
  ui.face_color = QApplication::palette().color(QPalette::Button);
  ui.game_menu = std::make_unique<QMenu>(QString::fromUtf8(kGameMenuTitle));
  ui.start_command =
      ui.game_menu->addAction(QString::fromUtf8(kStartCommandText));
  ui.game_menu->addSeparator();
  ui.quit_command =
      ui.game_menu->addAction(QString::fromUtf8(kQuitCommandText));
  ui.disc_marks = disc_marks;
  return ui;
}

QIcon ProgramIcon() {
  return QIcon(QStringLiteral(":/qf/icons/quadriflank.png"));
}

}  // namespace qf
