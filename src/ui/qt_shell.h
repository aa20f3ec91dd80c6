// The game flow's Shell on Qt: the main window's panels, board and menu,
// the order window and boxes, pauses as timers, and what happened told to a
// player who listens. Every wait returns to the event loop at once and
// replies from it later.
#ifndef QUADRIFLANK_UI_QT_SHELL_H_
#define QUADRIFLANK_UI_QT_SHELL_H_

#include <QStringList>
#include <cstdint>

#include "game/shell.h"
#include "order/random_source.h"
#include "ui/main_window.h"

namespace qf {

class QtShell : public Shell {
 public:
  // Computer moves told in one go at most, so that no notice grows long
  // while the computers play on without the human.
  static constexpr int kMovesPerNotice = 3;

  QtShell(MainWindow& window, RandomSource& random);

  void OpenOrderWindow(Reply<std::optional<OrderState>> reply) override;
  void Pause(int32_t milliseconds, Reply<> reply) override;
  void ShowMessage(std::string_view text, std::string_view caption,
                   Reply<> reply) override;
  void EnableStartCommand(bool enabled) override;
  void SetUpSeatPanels(const std::array<SeatPanelTexts, 4>& panels) override;
  void ShowDiscCount(int32_t seat, int32_t count) override;
  void ShowStatusLine(int32_t seat, bool visible) override;
  void DrawBoard(const Cells& cells) override;
  void DrawCell(int32_t seat, int32_t column, int32_t row) override;
  void ComputerMoved(int32_t seat, int32_t column, int32_t row,
                     std::string_view told) override;
  void SeatDisqualified(int32_t seat, std::string_view told) override;
  void HumanToMove(const std::vector<Coord>& legal) override;

 private:
  // Says what happened since the last notice, if anything.
  void SayPendingNotice();
  // After a window over the main window has closed.
  void GiveBoardTheKeyboard();

  MainWindow& window_;
  RandomSource& random_;
  QStringList pending_notice_;
  int pending_moves_ = 0;
};

}  // namespace qf

#endif  // QUADRIFLANK_UI_QT_SHELL_H_
