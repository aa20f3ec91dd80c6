// The main window: the menu, the board and the four seat panels. It reports
// what the player asks for with signals, in the game's terms.
#ifndef QUADRIFLANK_UI_MAIN_WINDOW_H_
#define QUADRIFLANK_UI_MAIN_WINDOW_H_

#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <array>
#include <cstdint>
#include <optional>

#include "board/board.h"
#include "ui/announcer.h"
#include "ui/resources.h"

namespace qf {

class BoardView;

inline constexpr int kClientWidth = 500;
inline constexpr int kClientHeight = 400;

// Ends the process at once with status 0, from wherever it is called.
[[noreturn]] void QuitProcess();

// The controls of one seat's panel.
struct SeatPanelWidgets {
  QGroupBox* frame = nullptr;  // colour label and participant
  QLabel* count = nullptr;     // disc count, or "失格"
  QLabel* status = nullptr;    // "Your Turn" or "Thinking..."
};

// The board cell under a point of the client area, or none beside the
// board.
std::optional<Coord> CellAtPoint(QPoint point);

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(UiResources& ui);

  BoardView& board_view() const { return *board_view_; }
  Announcer& announcer() const { return *announcer_; }
  QAction& start_command() const { return *ui_.start_command; }
  const UiResources& ui() const { return ui_; }
  // Seat 1..4's panel.
  const SeatPanelWidgets& seat_panel(int32_t seat) const {
    return seat_panels_[seat - 1];
  }

 signals:
  // "始める".
  void startRequested();
  // A left click on a board cell, or a key on the cursor's cell.
  void cellPressed(qf::Coord cell);
  // S on the board.
  void standingsAsked();
  // "終了(&X)" or the close box.
  void quitRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  class ClientArea;

  void CreateSeatPanels();

  UiResources& ui_;
  QWidget* client_area_;  // a ClientArea
  BoardView* board_view_;
  Announcer* announcer_;
  std::array<SeatPanelWidgets, 4> seat_panels_;
};

}  // namespace qf

#endif  // QUADRIFLANK_UI_MAIN_WINDOW_H_
