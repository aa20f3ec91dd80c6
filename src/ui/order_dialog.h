// The small modal window in which the playing order is drawn. It is a plain
// window rather than a QDialog, so that Escape and Enter have no meaning of
// their own in it. It hands over only an order its roulette has shown, which
// is always a whole seating of the four participants.
#ifndef QUADRIFLANK_UI_ORDER_DIALOG_H_
#define QUADRIFLANK_UI_ORDER_DIALOG_H_

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
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
  Q_OBJECT

 public:
  // Deletes itself once it has ended.
  OrderDialog(QWidget& owner, RandomSource& random, const QFont& font,
              DiscMarks disc_marks);
  ~OrderDialog() override;

  // Shows the window over its blocked owner and gives it the keyboard.
  void Open();

  // OrderWindow.
  void StartSpinning(int32_t period_ms) override;
  void ShowName(int32_t position, std::string_view name) override;
  void OrderFixed() override;
  void End(bool start_match) override;

 signals:
  // Who plays which seat, for a player who listens, once it is fixed.
  void seatingFixed(const QString& seating);
  // The drawn order once the match is started; none when the window was
  // closed.
  void ended(const std::optional<qf::OrderState>& order);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls(const QFont& font);

  OrderState order_;
  const DiscMarks disc_marks_;
  Roulette roulette_;
  QTimer roulette_timer_;
  std::array<QLabel*, 4> name_labels_{};
  QPushButton* button_ = nullptr;
  bool ended_ = false;
};

}  // namespace qf

#endif  // QUADRIFLANK_UI_ORDER_DIALOG_H_
