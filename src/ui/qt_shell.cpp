#include "ui/qt_shell.h"

#include <QAction>
#include <QMessageBox>

#include "game/seat_panels.h"
#include "game/spoken.h"
#include "ui/board_view.h"
#include "ui/order_dialog.h"

namespace qf {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtShell::QtShell(MainWindow& window, AppState& state)
    : window_(window),
      state_(state),
      pause_([&window](int32_t ms) { window.input_gate().Pause(ms); }) {
  since_pump_.start();
}

bool QtShell::RunOrderWindow() {
  CheckClockOnNextPump();
  bool start = false;
  {
    OrderDialog dialog(
        window_, state_.order, state_.random, window_.ui().dialog_font,
        window_.ui().disc_marks,
        [this](std::string_view text) { window_.announcer().Say(text); });
    start = dialog.Run();
  }
  GiveBoardTheKeyboard();
  return start;
}

void QtShell::GiveBoardTheKeyboard() {
  window_.activateWindow();
  window_.board_view().setFocus();
}

void QtShell::EnableStartCommand(bool enabled) {
  window_.start_command().setEnabled(enabled);
}

void QtShell::SetUpSeatPanels(const std::array<SeatPanelTexts, 4>& panels) {
  for (int32_t seat = 1; seat <= 4; ++seat) {
    const SeatPanelWidgets& panel = window_.seat_panel(seat);
    panel.frame->setTitle(FromUtf8(panels[seat - 1].title));
    panel.frame->show();
    panel.count->setText(QStringLiteral("2"));
    panel.count->show();
    QLabel& status = *panel.status;
    status.setText(FromUtf8(panels[seat - 1].status));
    // A status line grows to the right to fit its text in the face the
    // program draws with; its position and height stay.
    const int needed = status.fontMetrics().horizontalAdvance(status.text());
    if (needed > status.width()) status.resize(needed, status.height());
  }
}

void QtShell::ShowDiscCount(int32_t seat, int32_t count) {
  window_.seat_panel(seat).count->setText(
      count != 0 ? QString::number(count) : FromUtf8(kDisqualifiedText));
}

void QtShell::ShowStatusLine(int32_t seat, bool visible) {
  window_.seat_panel(seat).status->setVisible(visible);
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
  pause_(milliseconds);
}

void QtShell::Pump() {
  if (--calls_until_clock_check_ > 0) return;
  calls_until_clock_check_ = kCallsPerClockCheck;
  if (since_pump_.elapsed() < kPumpIntervalMs) return;
  window_.input_gate().TakePendingEvents();
  since_pump_.restart();
}

void QtShell::ShowMessage(std::string_view text, std::string_view caption) {
  CheckClockOnNextPump();
  // What led to the box is told before the box speaks for itself.
  SayPendingNotice();
  QMessageBox box(QMessageBox::Information, FromUtf8(caption), FromUtf8(text),
                  QMessageBox::Ok, &window_);
  box.setTextFormat(Qt::PlainText);
  box.exec();
  GiveBoardTheKeyboard();
}

void QtShell::SeatMoved(int32_t seat, int32_t column, int32_t row, int32_t) {
  // The human hears the cell under the cursor change instead.
  if (state_.order.PlayOrder[seat - 1] == kHumanParticipant) return;
  if (pending_moves_ == kMovesPerNotice) SayPendingNotice();
  pending_notice_ << FromUtf8(MoveText(state_.order, seat, column, row));
  ++pending_moves_;
}

void QtShell::SeatDisqualified(int32_t seat) {
  pending_notice_ << FromUtf8(DisqualifiedText(state_.order, seat));
}

void QtShell::HumanToMove() {
  pending_notice_ << FromUtf8(kYourTurnSpoken);
  SayPendingNotice();
}

void QtShell::SayPendingNotice() {
  if (!pending_notice_.isEmpty()) {
    window_.announcer().Say(pending_notice_.join(QStringLiteral(". ")));
  }
  pending_notice_.clear();
  pending_moves_ = 0;
}

}  // namespace qf
