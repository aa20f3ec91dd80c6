#include "ui/input_gate.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

namespace qf {

InputGate::InputGate() {
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
  QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
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

bool InputGate::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat() && IsPressKey(key->key())) return true;
  }
  if (!pausing_) return false;
  // A shortcut is matched before its key reaches any window, so the shortcut
  // itself waits; the check for an override goes on, so that the match
  // comes out as it would after the pause.
  const bool input =
      (event->isInputEvent() && event->type() != QEvent::ShortcutOverride) ||
      event->type() == QEvent::Shortcut;
  if (!input) return false;
  held_.emplace_back(watched, event->clone());
  return true;
}

}  // namespace qf
