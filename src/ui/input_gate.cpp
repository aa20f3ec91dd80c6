#include "ui/input_gate.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

namespace qf {

InputGate::InputGate(QWidget& client_area) : client_area_(client_area) {
  QCoreApplication::instance()->installEventFilter(this);
}

InputGate::~InputGate() {
  QCoreApplication::instance()->removeEventFilter(this);
}

bool InputGate::IsPressKey(int key) {
  return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

void InputGate::RunStep(const std::function<void()>& step) {
  if (step_running_) return;
  step_running_ = true;
  step();
  step_running_ = false;
}

void InputGate::TakePendingEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void InputGate::Pause(int milliseconds) {
  pausing_ = true;
  QEventLoop loop;
  QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop,
                     &QEventLoop::quit);
  loop.exec();
  pausing_ = false;
  ReleaseHeldInput();
}

void InputGate::ReleaseHeldInput() {
  for (auto& [receiver, event] : held_) {
    if (receiver) QCoreApplication::postEvent(receiver, event.release());
  }
  held_.clear();
}

bool InputGate::IsPressOnClientArea(QObject* watched, QEvent* event) const {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
        return false;
      }
      break;
    case QEvent::KeyPress:
      if (!IsPressKey(static_cast<QKeyEvent*>(event)->key())) return false;
      break;
    default:
      return false;
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  return widget != nullptr &&
         (widget == &client_area_ || client_area_.isAncestorOf(widget));
}

bool InputGate::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat() && IsPressKey(key->key())) return true;
  }
  if (pausing_) {
    // A shortcut is matched before its key reaches any window, so the
    // shortcut itself waits; the check for an override goes on, so that
    // the match comes out as it would after the pause.
    const bool input = (event->isInputEvent() &&
                        event->type() != QEvent::ShortcutOverride) ||
                       event->type() == QEvent::Shortcut;
    if (input) {
      held_.emplace_back(watched, event->clone());
      return true;
    }
    return false;
  }
  return step_running_ && IsPressOnClientArea(watched, event);
}

}  // namespace qf
