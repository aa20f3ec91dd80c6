#include "ui/controls.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QVariant>

namespace qf {
namespace {

constexpr const char* kControlIdProperty = "qf_control_id";

}  // namespace

void SetControlId(QWidget& control, int32_t id) {
  control.setProperty(kControlIdProperty, id);
}

QWidget* FindControl(const QWidget& window, int32_t id) {
  for (QWidget* child : window.findChildren<QWidget*>()) {
    const QVariant value = child->property(kControlIdProperty);
    if (value.isValid() && value.toInt() == id) return child;
  }
  return nullptr;
}

void SetWidgetText(QWidget& control, const QString& text) {
  if (auto* label = qobject_cast<QLabel*>(&control)) {
    label->setText(text);
    // The status lines were laid out for a narrower face ("Thinking..." is
    // 58 px in IPAPGothic, the line 53 px): a left-aligned line grows to
    // the right so that its text is never clipped; position and height stay.
    const int needed = label->fontMetrics().horizontalAdvance(text);
    if ((label->alignment() & Qt::AlignLeft) && needed > label->width()) {
      label->resize(needed, label->height());
    }
  } else if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
    button->setText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(&control)) {
    group->setTitle(text);
  }
}

QString WidgetText(const QWidget& control) {
  if (auto* label = qobject_cast<const QLabel*>(&control)) return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(&control)) {
    return button->text();
  }
  if (auto* group = qobject_cast<const QGroupBox*>(&control)) {
    return group->title();
  }
  return {};
}

}  // namespace qf
