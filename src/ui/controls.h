// Child controls found by their numeric ids, as the game flow knows them.
#ifndef QUADRIFLANK_UI_CONTROLS_H_
#define QUADRIFLANK_UI_CONTROLS_H_

#include <QString>
#include <QWidget>
#include <cstdint>

namespace qf {

void SetControlId(QWidget& control, int32_t id);
// The descendant of `window` that carries `id`, or null.
QWidget* FindControl(const QWidget& window, int32_t id);
// The text a player reads on a label, a button or a group box's frame.
void SetWidgetText(QWidget& control, const QString& text);
QString WidgetText(const QWidget& control);

}  // namespace qf

#endif  // QUADRIFLANK_UI_CONTROLS_H_
