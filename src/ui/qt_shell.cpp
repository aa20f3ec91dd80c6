#include "ui/qt_shell.h"

#include <QAction>
#include <QGridLayout>
#include <QMessageBox>
#include <QStyle>
#include <QTimer>

#include "game/seat_panels.h"
#include "game/spoken.h"
#include "ui/board_view.h"
#include "ui/order_dialog.h"

namespace qf {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A box sizes itself to its text alone, and the window manager cuts a
// title that does not fit beside its buttons. The box is made wide enough
// for the title in a larger, bold face beside a window manager's buttons
// and margins, which take about six title-bar heights.
void LeaveRoomForTitle(QMessageBox& box) {
  QFont title_font = box.font();
  title_font.setBold(true);
  title_font.setPixelSize(QFontInfo(title_font).pixelSize() * 3 / 2);
  const int button = box.style()->pixelMetric(QStyle::PM_TitleBarHeight);
  const int width =
      QFontMetrics(title_font).horizontalAdvance(box.windowTitle()) +
      6 * button;
  auto* layout = qobject_cast<QGridLayout*>(box.layout());
  if (layout == nullptr) return;
  layout->addItem(
      new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
      layout->rowCount(), 0, 1, layout->columnCount());
}

}  // namespace

QtShell::QtShell(MainWindow& window, RandomSource& random)
    : window_(window), random_(random) {}

void QtShell::OpenOrderWindow(Reply<std::optional<OrderState>> reply) {
  auto* dialog = new OrderDialog(window_, random_, window_.ui().dialog_font,
                                 window_.ui().disc_marks);
  QObject::connect(
      dialog, &OrderDialog::seatingFixed, &window_.announcer(),
      [this](const QString& seating) { window_.announcer().Say(seating); });
  QObject::connect(dialog, &OrderDialog::ended, &window_,
                   [this, reply](const std::optional<OrderState>& order) {
                     GiveBoardTheKeyboard();
                     reply(order);
                   });
  dialog->Open();
}

void QtShell::Pause(int32_t milliseconds, Reply<> reply) {
  QTimer::singleShot(milliseconds, Qt::PreciseTimer, &window_,
                     [reply] { reply(); });
}

void QtShell::ShowMessage(std::string_view text, std::string_view caption,
                          Reply<> reply) {
  // What led to the box is told before the box speaks for itself.
  SayPendingNotice();
  auto* box = new QMessageBox(QMessageBox::Information, FromUtf8(caption),
                              FromUtf8(text), QMessageBox::Ok, &window_);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setTextFormat(Qt::PlainText);
  LeaveRoomForTitle(*box);
  QObject::connect(box, &QMessageBox::finished, &window_, [this, reply] {
    GiveBoardTheKeyboard();
    reply();
  });
  // Opening a modal box closes any open menu; the box takes the keyboard at
  // once, with or without a window manager.
  box->open();
  box->activateWindow();
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
    const SeatPanelTexts& texts = panels[seat - 1];
    const SeatPanelWidgets& panel = window_.seat_panel(seat);
    panel.frame->setTitle(FromUtf8(texts.title));
    panel.frame->show();
    ShowDiscCount(seat, texts.count);
    panel.count->show();
    QLabel& status = *panel.status;
    status.setText(FromUtf8(texts.status));
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

void QtShell::DrawBoard(const Cells& cells) {
  window_.board_view().ShowPosition(cells);
}

void QtShell::DrawCell(int32_t seat, int32_t column, int32_t row) {
  window_.board_view().DrawCellNow(seat, column, row);
}

void QtShell::ComputerMoved(int32_t, int32_t, int32_t, std::string_view told) {
  if (pending_moves_ == kMovesPerNotice) SayPendingNotice();
  pending_notice_ << FromUtf8(told);
  ++pending_moves_;
}

void QtShell::SeatDisqualified(int32_t, std::string_view told) {
  pending_notice_ << FromUtf8(told);
}

void QtShell::HumanToMove(const std::vector<Coord>& legal) {
  window_.board_view().ShowLegalCells(legal);
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
