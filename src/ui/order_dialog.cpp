#include "ui/order_dialog.h"

#include <QCloseEvent>
#include <QPainter>

#include "game/spoken.h"
#include "ui/board_painter.h"
#include "ui/resources.h"

namespace qf {
namespace {

struct LabelLayout {
  const char* text;
  Qt::Alignment alignment;
  QRect rect;
};

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignTop;

// The row caption and the position numbers 1..4 above the discs.
const std::array<LabelLayout, 5> kHeadings = {{
    {"打つ順番", kLeft, QRect(15, 18, 50, 14)},
    {"1", kCentred, QRect(71, 18, 50, 14)},
    {"2", kCentred, QRect(132, 18, 50, 14)},
    {"3", kCentred, QRect(193, 18, 50, 14)},
    {"4", kCentred, QRect(254, 18, 50, 12)},
}};
// The names under the discs, positions 1..4, as they read before the first
// draw.
const std::array<LabelLayout, 4> kNames = {{
    {"You", kCentred, QRect(70, 111, 50, 14)},
    {"COM1", kCentred, QRect(131, 111, 50, 14)},
    {"COM2", kCentred, QRect(192, 111, 50, 14)},
    {"COM3", kCentred, QRect(254, 111, 50, 12)},
}};
const QRect kButtonRect(320, 19, 119, 104);

QLabel* MakeLabel(QWidget& parent, const LabelLayout& layout,
                  const QFont& font) {
  auto* label = new QLabel(QString::fromUtf8(layout.text), &parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(layout.alignment);
  label->setGeometry(layout.rect);
  label->setFont(font);
  return label;
}

}  // namespace

OrderDialog::OrderDialog(QWidget& owner, RandomSource& random,
                         const QFont& font, DiscMarks disc_marks)
    : QWidget(&owner, Qt::Dialog | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      disc_marks_(disc_marks),
      roulette_(order_, random, *this) {
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

OrderDialog::~OrderDialog() { roulette_timer_.stop(); }

void OrderDialog::CreateControls(const QFont& font) {
  for (const LabelLayout& heading : kHeadings) MakeLabel(*this, heading, font);
  for (int position = 0; position < 4; ++position) {
    name_labels_[position] = MakeLabel(*this, kNames[position], font);
  }
  button_ = new QPushButton(QString::fromUtf8(kStopCaption), this);
  button_->setGeometry(kButtonRect);
  button_->setFont(font);
  // The button has the keyboard when the window opens, so Space presses it;
  // it is no default button, so Enter does not.
  button_->setFocusPolicy(Qt::StrongFocus);
  button_->setAutoDefault(false);
  button_->setDefault(false);
  button_->setFocus();
  connect(button_, &QPushButton::clicked, this,
          [this] { roulette_.OrderButtonPressed(); });
}

void OrderDialog::Open() {
  show();
  // Its button takes the keyboard at once, with or without a window manager.
  activateWindow();
}

void OrderDialog::StartSpinning(int32_t period_ms) {
  // A name that changes a hundred times a second would tell a screen reader
  // of each change and flood it, so that it drops what matters, such as the
  // seating; while they spin, the names say only that.
  for (QLabel* label : name_labels_) {
    label->setAccessibleName(QStringLiteral("spinning"));
  }
  roulette_timer_.start(period_ms);
}

void OrderDialog::ShowName(int32_t position, std::string_view name) {
  name_labels_[position]->setText(
      QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

void OrderDialog::OrderFixed() {
  roulette_timer_.stop();
  for (QLabel* label : name_labels_) label->setAccessibleName(label->text());
  button_->setText(QString::fromUtf8(kStartMatchCaption));
  emit seatingFixed(QString::fromStdString(SeatingText(order_)));
}

void OrderDialog::End(bool start_match) {
  if (ended_) return;
  ended_ = true;
  roulette_timer_.stop();
  hide();
  emit ended(start_match ? std::optional<OrderState>(order_) : std::nullopt);
  deleteLater();
}

void OrderDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintOrderDiscs(painter, disc_marks_);
}

void OrderDialog::closeEvent(QCloseEvent* event) {
  End(false);
  event->accept();
}

}  // namespace qf
