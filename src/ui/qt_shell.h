// The game flow's Shell on Qt: the main window's panels, board and menu,
// the order window and boxes, pauses and pumps through the input gate, and
// what happened told to a player who listens.
#ifndef QUADRIFLANK_UI_QT_SHELL_H_
#define QUADRIFLANK_UI_QT_SHELL_H_

#include <QElapsedTimer>
#include <QStringList>
#include <cstdint>
#include <functional>

#include "game/app_state.h"
#include "game/shell.h"
#include "ui/main_window.h"

namespace qf {

class QtShell : public Shell {
 public:
  using PauseFunction = std::function<void(int32_t milliseconds)>;

  // The search calls Pump on every node; it looks at the clock only every
  // this many calls, and takes events only this often.
  static constexpr int kCallsPerClockCheck = 256;
  static constexpr int64_t kPumpIntervalMs = 10;
  // Computer moves told in one go at most, so that no notice grows long
  // while the computers play on without the human.
  static constexpr int kMovesPerNotice = 3;

  QtShell(MainWindow& window, AppState& state);

  bool RunOrderWindow() override;
  void EnableStartCommand(bool enabled) override;
  void SetUpSeatPanels(const std::array<SeatPanelTexts, 4>& panels) override;
  void ShowDiscCount(int32_t seat, int32_t count) override;
  void ShowStatusLine(int32_t seat, bool visible) override;
  void DrawBoard() override;
  void DrawCell(int32_t seat, int32_t column, int32_t row) override;
  void Pause(int32_t milliseconds) override;
  void Pump() override;
  void ShowMessage(std::string_view text, std::string_view caption) override;
  void SeatMoved(int32_t seat, int32_t column, int32_t row,
                 int32_t turned) override;
  void SeatDisqualified(int32_t seat) override;
  void HumanToMove() override;

  // Tests shorten the game's pauses with this; the program waits.
  void SetPauseFunction(PauseFunction pause) { pause_ = std::move(pause); }

 private:
  // The next pump looks at the clock at once: it follows drawing or a
  // pause, not a run of search nodes.
  void CheckClockOnNextPump() { calls_until_clock_check_ = 1; }
  // Says what happened since the last notice, if anything.
  void SayPendingNotice();
  // After a window over the main window has closed.
  void GiveBoardTheKeyboard();

  MainWindow& window_;
  AppState& state_;
  PauseFunction pause_;
  QElapsedTimer since_pump_;
  int calls_until_clock_check_ = 1;
  QStringList pending_notice_;
  int pending_moves_ = 0;
};

}  // namespace qf

#endif  // QUADRIFLANK_UI_QT_SHELL_H_
