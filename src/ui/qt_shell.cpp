#include "ui/qt_shell.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QThread>

#include "ui/board_view.h"
#include "ui/controls.h"
#include "ui/order_dialog.h"

namespace qf {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

// Swallows left presses (and double clicks) aimed at the client area, and
// the keys that press a board cell, while the game flow pumps, so that no
// press re-enters it; everything else, menus, painting and the cursor keys
// included, goes on as usual.
class QtShell::PressDropper : public QObject {
 public:
  explicit PressDropper(QWidget& client_area) : client_area_(client_area) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
          return false;
        }
        break;
      case QEvent::KeyPress:
        if (!BoardView::IsPressKey(static_cast<QKeyEvent*>(event)->key())) {
          return false;
        }
        break;
      default:
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget != nullptr &&
           (widget == &client_area_ || client_area_.isAncestorOf(widget));
  }

 private:
  QWidget& client_area_;
};

QtShell::QtShell(MainWindow& window, AppState& state)
    : window_(window),
      state_(state),
      pause_(
          [](int32_t ms) { QThread::msleep(static_cast<unsigned long>(ms)); }),
      press_dropper_(new PressDropper(window.client_area())) {
  since_pump_.start();
  // The human may move while no game flow runs and the game is on; then
  // the cells where the human's seat closes a run are legal.
  window.board_view().SetMoveTest(
      [&window, &state](int32_t column, int32_t row) {
        return !window.InGameFlow() && !state.board.IsGameOver() &&
               state.board.IsLegalMove(state.current_seat, column, row) != 0;
      });
}

QtShell::~QtShell() {
  window_.board_view().SetMoveTest(nullptr);
  delete press_dropper_;
}

int32_t QtShell::RunModalWindow(std::string_view name) {
  CheckClockOnNextPump();
  const int32_t result = qf::RunModalWindow(
      window_, name, state_.order, state_.random, window_.ui().dialog_font);
  GiveBoardTheKeyboard();
  return result;
}

void QtShell::GiveBoardTheKeyboard() {
  window_.activateWindow();
  window_.board_view().setFocus();
}

void QtShell::DrawBoard() {
  CheckClockOnNextPump();
  window_.board_view().DrawBoardNow();
}

void QtShell::DrawCell(int32_t seat, int32_t column, int32_t row) {
  CheckClockOnNextPump();
  window_.board_view().DrawCellNow(seat, column, row);
}

void QtShell::Pause(int32_t milliseconds) {
  CheckClockOnNextPump();
  // Counts and status lines changed just before the pause must be on the
  // screen during it, like the board: paint what is pending, take no input.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
  pause_(milliseconds);
}

void QtShell::PumpOneMessage() {
  if (--calls_until_clock_check_ > 0) return;
  calls_until_clock_check_ = kCallsPerClockCheck;
  if (since_pump_.elapsed() < kPumpIntervalMs) return;
  PumpNow();
}

void QtShell::PumpNow() {
  // A pump inside a pump (an event handler that ends up here again) must not
  // take the filter away from the outer one.
  if (pump_depth_++ == 0) {
    QCoreApplication::instance()->installEventFilter(press_dropper_);
  }
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  if (--pump_depth_ == 0) {
    QCoreApplication::instance()->removeEventFilter(press_dropper_);
  }
  since_pump_.restart();
}

void QtShell::ShowInfoMessage(std::string_view text, std::string_view caption) {
  CheckClockOnNextPump();
  QMessageBox box(QMessageBox::Information, FromUtf8(caption), FromUtf8(text),
                  QMessageBox::Ok, &window_);
  box.setTextFormat(Qt::PlainText);
  box.exec();
  GiveBoardTheKeyboard();
}

void QtShell::SetControlText(int32_t id, std::string_view text) {
  if (QWidget* control = window_.Control(id)) {
    SetWidgetText(*control, FromUtf8(text));
  }
}

void QtShell::ShowControl(int32_t id, bool visible) {
  if (QWidget* control = window_.Control(id)) control->setVisible(visible);
}

void QtShell::SetStartEnabled(bool enabled) {
  if (QAction* start = FindMenuCommand(window_.game_menu(), kCmdStart)) {
    start->setEnabled(enabled);
  }
}

}  // namespace qf
