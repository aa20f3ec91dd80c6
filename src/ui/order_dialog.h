// The small modal window in which the playing order is drawn. It is a plain
// window with its own event loop rather than a QDialog, so that Escape and
// Enter have no meaning of their own in it.
#ifndef QUADRIFLANK_UI_ORDER_DIALOG_H_
#define QUADRIFLANK_UI_ORDER_DIALOG_H_

#include <QEventLoop>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "order/order_state.h"
#include "order/random_source.h"
#include "order/roulette.h"
#include "ui/board_painter.h"

namespace qf {

inline constexpr const char* kOrderDialogTitle = "打つ順番を決める";
inline constexpr const char* kStopCaption = "止める";
inline constexpr const char* kStartMatchCaption = "対局開始";
inline constexpr int kOrderDialogWidth = 474;
inline constexpr int kOrderDialogHeight = 144;

class OrderDialog : public QWidget, public OrderWindow {
 public:
  // Tells a player who listens who plays which seat, once it is fixed.
  using SayFunction = std::function<void(std::string_view text)>;

  OrderDialog(QWidget& owner, OrderState& order, RandomSource& random,
              const QFont& font, DiscMarks disc_marks, SayFunction say);
  ~OrderDialog() override;

  // Shows the window over its blocked owner; true once the match is
  // started, false when the window is closed.
  bool Run();

  QPushButton& button() const { return *button_; }
  // The name under the disc of position 0..3.
  QLabel& name_label(int position) const { return *name_labels_[position]; }

  // OrderWindow.
  void StartSpinning(int32_t period_ms) override;
  void ShowName(int32_t position, std::string_view name) override;
  void OrderFixed() override;
  void End(bool start_match) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls(const QFont& font);

  OrderState& order_;
  const DiscMarks disc_marks_;
  SayFunction say_;
  Roulette roulette_;
  QTimer roulette_timer_;
  QEventLoop loop_;
  std::array<QLabel*, 4> name_labels_{};
  QPushButton* button_ = nullptr;
  bool ended_ = false;
  bool result_ = false;
};

}  // namespace qf

#endif  // QUADRIFLANK_UI_ORDER_DIALOG_H_
