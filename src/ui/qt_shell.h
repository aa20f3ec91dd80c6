// The window system as the game flow sees it, on Qt.
#ifndef QUADRIFLANK_UI_QT_SHELL_H_
#define QUADRIFLANK_UI_QT_SHELL_H_

#include <QElapsedTimer>
#include <QObject>
#include <cstdint>
#include <functional>

#include "game/app_state.h"
#include "game/shell.h"
#include "ui/main_window.h"

namespace qf {

class QtShell : public Shell {
 public:
  using PauseFunction = std::function<void(int32_t milliseconds)>;

  // The search calls PumpOneMessage on every node; it looks at the clock
  // only every this many calls, and takes events only this often.
  static constexpr int kCallsPerClockCheck = 256;
  static constexpr int64_t kPumpIntervalMs = 10;

  QtShell(MainWindow& window, AppState& state);
  ~QtShell() override;

  int32_t RunModalWindow(std::string_view name) override;
  void DrawBoard() override;
  void DrawCell(int32_t seat, int32_t column, int32_t row) override;
  void Pause(int32_t milliseconds) override;
  void PumpOneMessage() override;
  void ShowInfoMessage(std::string_view text,
                       std::string_view caption) override;
  void SetControlText(int32_t id, std::string_view text) override;
  void ShowControl(int32_t id, bool visible) override;
  void SetStartEnabled(bool enabled) override;

  // Tests shorten the game's pauses with this; the program sleeps.
  void SetPauseFunction(PauseFunction pause) { pause_ = std::move(pause); }
  // Takes every pending event now, dropping left presses on the client area
  // and the keys that press a board cell.
  void PumpNow();

 private:
  class PressDropper;

  // The next pump request looks at the clock at once: it follows drawing or
  // a pause, not a run of search nodes.
  void CheckClockOnNextPump() { calls_until_clock_check_ = 1; }
  // After a modal window over the main window has closed.
  void GiveBoardTheKeyboard();

  MainWindow& window_;
  AppState& state_;
  PauseFunction pause_;
  PressDropper* press_dropper_;
  QElapsedTimer since_pump_;
  int calls_until_clock_check_ = 1;
  int pump_depth_ = 0;
};

}  // namespace qf

#endif  // QUADRIFLANK_UI_QT_SHELL_H_
