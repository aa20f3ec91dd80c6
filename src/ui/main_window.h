// The main window: the menu, the board and the four seat panels, turning
// presses and menu commands into steps of the game flow.
#ifndef QUADRIFLANK_UI_MAIN_WINDOW_H_
#define QUADRIFLANK_UI_MAIN_WINDOW_H_

#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "board/board.h"
#include "game/turn_controller.h"
#include "ui/announcer.h"
#include "ui/input_gate.h"
#include "ui/resources.h"

namespace qf {

class BoardView;

inline constexpr int kClientWidth = 500;
inline constexpr int kClientHeight = 400;

// Ends the process at once with status 0, from wherever it is called: the
// game flow may be deep inside a search or a message box.
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
 public:
  using StartHandler = std::function<void()>;
  using PressHandler = std::function<void(const BoardPress& press)>;
  using QuitHandler = std::function<void()>;

  MainWindow(UiResources& ui, const Cells& shown_board);

  // Each runs as one step of the game flow, through the input gate.
  void SetStartHandler(StartHandler handler) { on_start_ = std::move(handler); }
  void SetPressHandler(PressHandler handler) { on_press_ = std::move(handler); }
  // QuitProcess unless a test puts something else here.
  void SetQuitHandler(QuitHandler handler) { on_quit_ = std::move(handler); }

  // The 500 x 400 area under the menu bar; presses here go to the game.
  QWidget& client_area() const { return *client_area_; }
  BoardView& board_view() const { return *board_view_; }
  InputGate& input_gate() { return input_gate_; }
  Announcer& announcer() const { return *announcer_; }
  QAction& start_command() const { return *ui_.start_command; }
  const UiResources& ui() const { return ui_; }
  // Seat 1..4's panel.
  const SeatPanelWidgets& seat_panel(int32_t seat) const {
    return seat_panels_[seat - 1];
  }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  class ClientArea;

  void CreateSeatPanels();
  void OnPress(const BoardPress& press);
  // Runs one step of the game flow, then tells assistive technology which
  // cells changed with it (whose turn it is may have changed, and with it
  // the legal cells).
  void RunStep(const std::function<void()>& step);

  UiResources& ui_;
  QWidget* client_area_;  // a ClientArea
  BoardView* board_view_;
  Announcer* announcer_;
  std::array<SeatPanelWidgets, 4> seat_panels_;
  InputGate input_gate_;
  StartHandler on_start_;
  PressHandler on_press_;
  QuitHandler on_quit_ = QuitProcess;
};

}  // namespace qf

#endif  // QUADRIFLANK_UI_MAIN_WINDOW_H_
