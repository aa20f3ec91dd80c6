// The small modal window in which the playing order is drawn. It is a plain
// window with its own event loop rather than a QDialog, so that Escape and
// Enter have no meaning of their own in it.
#ifndef QUADRIFLANK_UI_ORDER_DIALOG_H_
#define QUADRIFLANK_UI_ORDER_DIALOG_H_

#include <QEventLoop>
#include <QFont>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <string_view>

#include "order/order_state.h"
#include "order/random_source.h"
#include "order/roulette.h"

namespace qf {

inline constexpr const char* kOrderDialogTitle = "打つ順番を決める";
inline constexpr int kOrderDialogWidth = 474;
inline constexpr int kOrderDialogHeight = 144;

class OrderDialog : public QWidget, public OrderDialogPort {
 public:
  OrderDialog(QWidget& owner, OrderState& order, RandomSource& random,
              const QFont& font);
  // Stops the timer and leaves the seat panels' ids in PanelControlIds.
  ~OrderDialog() override;

  // Shows the window over its blocked owner and answers 1 once the match is
  // started, 0 when the window is closed.
  int32_t Run();

  // OrderDialogPort.
  void StartTimer(int32_t id, int32_t period_ms) override;
  void StopTimer(int32_t id) override;
  void SetItemText(int32_t id, std::string_view text) override;
  void EndModalWindow(int32_t code) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateControls(const QFont& font);

  OrderState& order_;
  Roulette roulette_;
  QTimer roulette_timer_;
  QEventLoop loop_;
  bool ended_ = false;
  int32_t result_ = 0;
};

// Runs the named modal window over `owner`. Only "GameInit" exists; any
// other name answers 0 and shows nothing.
int32_t RunModalWindow(QWidget& owner, std::string_view name, OrderState& order,
                       RandomSource& random, const QFont& font);

}  // namespace qf

#endif  // QUADRIFLANK_UI_ORDER_DIALOG_H_
