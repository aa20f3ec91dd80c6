// On X11, a window manager's close request for the main window ends the
// program even while a modal box or the order window blocks the main window
// (Qt would drop it then): the close box always quits at once.
#ifndef QUADRIFLANK_UI_CLOSE_REQUEST_FILTER_H_
#define QUADRIFLANK_UI_CLOSE_REQUEST_FILTER_H_

#include <QAbstractNativeEventFilter>
#include <QWidget>
#include <cstdint>

namespace qf {

class CloseRequestFilter : public QAbstractNativeEventFilter {
 public:
  // Watches `window`'s close requests; does nothing off X11.
  explicit CloseRequestFilter(QWidget& window);
  ~CloseRequestFilter() override;

  bool nativeEventFilter(const QByteArray& event_type, void* message,
                         qintptr* result) override;

 private:
  QWidget& window_;
  uint32_t wm_protocols_ = 0;
  uint32_t wm_delete_window_ = 0;
  bool installed_ = false;
};

}  // namespace qf

#endif  // QUADRIFLANK_UI_CLOSE_REQUEST_FILTER_H_
