// The main window: the menu, the board and the twelve seat-panel controls,
// turning presses and menu commands into calls of the game flow.
#ifndef QUADRIFLANK_UI_MAIN_WINDOW_H_
#define QUADRIFLANK_UI_MAIN_WINDOW_H_

#include <QMainWindow>
#include <cstdint>
#include <functional>

#include "board/board.h"
#include "ui/resources.h"

namespace qf {

class BoardView;

inline constexpr int kClientWidth = 500;
inline constexpr int kClientHeight = 400;
// The flag of a press with the left button held; a key press on the board
// carries it alone.
inline constexpr uint32_t kLeftButtonFlag = 0x0001;

// Ends the process at once with status 0, from wherever it is called: the
// game flow may be deep inside a search or a message box.
[[noreturn]] void QuitProcess();

class MainWindow : public QMainWindow {
 public:
  using StartHandler = std::function<void()>;
  // The press position in client coordinates, and the button and modifier
  // flags (kLeftButtonFlag for the left button held, and so on).
  using ClickHandler = std::function<void(uint32_t, uint16_t, uint16_t)>;
  using QuitHandler = std::function<void()>;

  MainWindow(UiResources& ui, const Cells& shown_board);

  void SetStartHandler(StartHandler handler) { on_start_ = std::move(handler); }
  void SetClickHandler(ClickHandler handler) { on_click_ = std::move(handler); }
  // QuitProcess unless a test puts something else here.
  void SetQuitHandler(QuitHandler handler) { on_quit_ = std::move(handler); }

  // The 500 x 400 area under the menu bar; presses here go to the game.
  QWidget& client_area() const { return *client_area_; }
  BoardView& board_view() const { return *board_view_; }
  QMenu& game_menu() const { return *ui_.game_menu; }
  const UiResources& ui() const { return ui_; }
  // A seat-panel control by its id, or null.
  QWidget* Control(int32_t id) const;
  // True while a menu command or press is being handled by the game flow.
  bool InGameFlow() const { return in_game_flow_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  class ClientArea;

  void CreateSeatPanelControls();
  void OnCommand(int32_t id);
  void OnLeftPress(uint32_t flags, int x, int y);
  // Runs one step of the game flow unless one is already running: the pump
  // and the modal loops inside the game flow dispatch further events.
  void RunGameFlow(const std::function<void()>& step);

  UiResources& ui_;
  QWidget* client_area_;  // a ClientArea
  BoardView* board_view_;
  StartHandler on_start_;
  ClickHandler on_click_;
  QuitHandler on_quit_ = QuitProcess;
  bool in_game_flow_ = false;
};

}  // namespace qf

#endif  // QUADRIFLANK_UI_MAIN_WINDOW_H_
