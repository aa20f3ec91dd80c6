// The one rule for what the player's input does while the game flow runs.
//
//  - A step of the game flow (the start command, a press on the board) never
//    runs inside another: one that arrives while a step runs, from the
//    search's pump, is dropped. The menu, the cursor keys, painting and
//    quitting go on meanwhile; a box or the order window blocks the main
//    window by itself.
//  - During a pause or a blink all input waits, in order, and is handled
//    once the pause is over as if it came then; the rest (painting,
//    accessibility queries, the window system's messages, a close request)
//    is handled at once.
//  - An auto-repeated Enter, Return or Space is dropped: holding a key down
//    is not pressing it again.
#ifndef QUADRIFLANK_UI_INPUT_GATE_H_
#define QUADRIFLANK_UI_INPUT_GATE_H_

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace qf {

class InputGate : public QObject {
 public:
  // Watches the whole application's events.
  InputGate();
  ~InputGate() override;

  // Enter, Return and Space: the keys that press a board cell.
  static bool IsPressKey(int key);

  // Runs one step of the game flow, unless one runs already.
  void RunStep(const std::function<void()>& step);
  bool StepRunning() const { return step_running_; }
  // Handles every pending event now, under the rule above.
  void TakePendingEvents();
  // Handles events for `milliseconds` while the player's input waits.
  void Pause(int milliseconds);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Hands the input held during a pause back to the event queue, in order.
  void ReleaseHeldInput();

  bool step_running_ = false;
  bool pausing_ = false;
  std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held_;
};

}  // namespace qf

#endif  // QUADRIFLANK_UI_INPUT_GATE_H_
