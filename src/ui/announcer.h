// Speaks short texts to a player who listens: an invisible notice in the
// main window whose accessible role is a notification. Each text shows the
// notice anew, and a screen reader speaks a notification that appears
// whatever has the focus. The notice paints nothing, so no pixel changes.
#ifndef QUADRIFLANK_UI_ANNOUNCER_H_
#define QUADRIFLANK_UI_ANNOUNCER_H_

#include <QString>
#include <QWidget>
#include <string_view>

namespace qf {

class Announcer : public QWidget {
 public:
  explicit Announcer(QWidget& parent);

  void Say(const QString& text);
  void Say(std::string_view text);
};

}  // namespace qf

#endif  // QUADRIFLANK_UI_ANNOUNCER_H_
