#include "ui/order_dialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <array>

#include "ui/board_painter.h"
#include "ui/controls.h"
#include "ui/resources.h"

namespace qf {
namespace {

struct DialogControlLayout {
  int32_t id;
  bool is_button;
  const char* text;
  Qt::Alignment alignment;
  int x;
  int y;
  int width;
  int height;
};

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignTop;

// The position numbers above the discs and the name labels below them; the
// last column's labels are two pixels shorter, and its name label sits one
// pixel right of the even 61-pixel step.
const std::array<DialogControlLayout, 10> kDialogControls = {{
    {1000, false, "打つ順番", kLeft, 15, 18, 50, 14},
    {1002, false, "1", kCentred, 71, 18, 50, 14},
    {1003, false, "2", kCentred, 132, 18, 50, 14},
    {1005, false, "3", kCentred, 193, 18, 50, 14},
    {1006, false, "4", kCentred, 254, 18, 50, 12},
    {1008, false, "You", kCentred, 70, 111, 50, 14},
    {1009, false, "COM1", kCentred, 131, 111, 50, 14},
    {1011, false, "COM2", kCentred, 192, 111, 50, 14},
    {1012, false, "COM3", kCentred, 254, 111, 50, 12},
    {kOrderButtonId, true, kStopCaption, kLeft, 320, 19, 119, 104},
}};

}  // namespace

OrderDialog::OrderDialog(QWidget& owner, OrderState& order,
                         RandomSource& random, const QFont& font)
    : QWidget(&owner, Qt::Dialog | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      order_(order),
      roulette_(order, random, *this) {
  setWindowTitle(QString::fromUtf8(kOrderDialogTitle));
  setBackgroundRole(QPalette::Button);
  setFixedSize(kOrderDialogWidth, kOrderDialogHeight);
  // The owner takes no input while this window is open, yet keeps painting.
  setWindowModality(Qt::ApplicationModal);
  roulette_timer_.setTimerType(Qt::PreciseTimer);
  connect(&roulette_timer_, &QTimer::timeout, this,
          [this] { roulette_.DrawOrder(); });
  CreateControls(font);
  roulette_.StartRoulette();
  setWindowIcon(ProgramIcon());
}

OrderDialog::~OrderDialog() {
  order_.panel_control_ids.WriteSeatPanelIds();
  roulette_timer_.stop();
}

void OrderDialog::CreateControls(const QFont& font) {
  for (const DialogControlLayout& entry : kDialogControls) {
    const QString text = QString::fromUtf8(entry.text);
    QWidget* control = nullptr;
    if (entry.is_button) {
      auto* button = new QPushButton(text, this);
      // The button has the keyboard when the window opens, so Space presses
      // it; it is no default button, so Enter does not.
      button->setFocusPolicy(Qt::StrongFocus);
      button->setAutoDefault(false);
      button->setDefault(false);
      button->setFocus();
      connect(button, &QPushButton::clicked, this,
              [this] { roulette_.OrderButtonPressed(); });
      control = button;
    } else {
      auto* label = new QLabel(text, this);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(entry.alignment);
      control = label;
    }
    SetControlId(*control, entry.id);
    control->setGeometry(entry.x, entry.y, entry.width, entry.height);
    control->setFont(font);
  }
}

int32_t OrderDialog::Run() {
  show();
  // Its button takes the keyboard at once, with or without a window manager.
  activateWindow();
  // Nothing can end the window before its loop runs, but an exit() before
  // exec() would be lost, so do not wait for it then.
  if (ended_) return result_;
  return loop_.exec();
}

void OrderDialog::StartTimer(int32_t, int32_t period_ms) {
  roulette_timer_.start(period_ms);
}

void OrderDialog::StopTimer(int32_t) { roulette_timer_.stop(); }

void OrderDialog::SetItemText(int32_t id, std::string_view text) {
  if (QWidget* control = FindControl(*this, id)) {
    SetWidgetText(
        *control,
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  }
}

void OrderDialog::EndModalWindow(int32_t code) {
  if (ended_) return;
  ended_ = true;
  result_ = code;
  roulette_timer_.stop();
  hide();
  loop_.exit(code);
}

void OrderDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintOrderDiscs(painter);
}

void OrderDialog::closeEvent(QCloseEvent* event) {
  EndModalWindow(0);
  event->accept();
}

int32_t RunModalWindow(QWidget& owner, std::string_view name, OrderState& order,
                       RandomSource& random, const QFont& font) {
  if (name != "GameInit") return 0;
  OrderDialog dialog(owner, order, random, font);
  return dialog.Run();
}

}  // namespace qf
