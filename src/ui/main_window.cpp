#include "ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "game/shell.h"
#include "ui/board_view.h"
#include "ui/controls.h"

namespace qf {
namespace {

enum class PanelControlKind { kCount, kGroup, kStatus };

struct PanelControlLayout {
  int32_t id;
  PanelControlKind kind;
  const char* text;
  int x;
  int y;
  int width;
  int height;
};

// A hand-laid form: the positions differ by a few pixels from panel to
// panel, and the texts are never seen before the game flow replaces them.
constexpr std::array<PanelControlLayout, 12> kPanelControls = {{
    {1000, PanelControlKind::kCount, "25", 428, 89, 44, 15},
    {1001, PanelControlKind::kGroup, "Group1", 416, 67, 78, 72},
    {1002, PanelControlKind::kStatus, "Your Turn", 430, 110, 55, 15},
    {1003, PanelControlKind::kCount, "39", 426, 171, 46, 15},
    {1004, PanelControlKind::kGroup, "Group2", 416, 150, 78, 72},
    {1005, PanelControlKind::kStatus, "Thinking...", 430, 193, 53, 15},
    {1006, PanelControlKind::kCount, "25", 430, 254, 44, 15},
    {1007, PanelControlKind::kGroup, "Group3", 416, 232, 78, 72},
    {1008, PanelControlKind::kStatus, "Thinking...", 430, 275, 55, 15},
    {1009, PanelControlKind::kCount, "39", 428, 336, 46, 15},
    {1010, PanelControlKind::kGroup, "Group4", 416, 315, 78, 72},
    {1011, PanelControlKind::kStatus, "Thinking...", 431, 358, 53, 15},
}};

// The button and modifier flags that the game flow is given with a press:
// one bit each for the left, right and middle buttons held and for Shift and
// Control.
uint32_t PressFlags(const QMouseEvent& event) {
  uint32_t flags = 0;
  if (event.buttons() & Qt::LeftButton) flags |= kLeftButtonFlag;
  if (event.buttons() & Qt::RightButton) flags |= 0x0002;
  if (event.modifiers() & Qt::ShiftModifier) flags |= 0x0004;
  if (event.modifiers() & Qt::ControlModifier) flags |= 0x0008;
  if (event.buttons() & Qt::MiddleButton) flags |= 0x0010;
  return flags;
}

}  // namespace

void QuitProcess() {
  std::fflush(nullptr);
  std::_Exit(0);
}

class MainWindow::ClientArea : public QWidget {
 public:
  ClientArea(MainWindow& window, const QColor& face_color)
      : QWidget(&window), window_(window) {
    setFixedSize(kClientWidth, kClientHeight);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, face_color);
    setPalette(palette);
    setAutoFillBackground(true);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    window_.board_view().HideCursor();
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    window_.OnLeftPress(PressFlags(*event), pos.x(), pos.y());
  }
  // The second press of a double click is not a press of its own.
  void mouseDoubleClickEvent(QMouseEvent*) override {}

 private:
  MainWindow& window_;
};

MainWindow::MainWindow(UiResources& ui, const Cells& shown_board) : ui_(ui) {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(QStringLiteral("Quadriflank"));
  setWindowIcon(ProgramIcon());

  menuBar()->addMenu(ui_.game_menu.get());
  connect(ui_.game_menu.get(), &QMenu::triggered, this,
          [this](QAction* action) { OnCommand(action->data().toInt()); });

  client_area_ = new ClientArea(*this, ui_.face_color);
  board_view_ = new BoardView(shown_board, client_area_);
  // A key press on the board is a left press at the centre of a cell.
  board_view_->SetKeyPressHandler([this](QPoint point) {
    const QPoint client = board_view_->mapTo(client_area_, point);
    OnLeftPress(kLeftButtonFlag, client.x(), client.y());
  });
  CreateSeatPanelControls();
  setCentralWidget(client_area_);
  // The window's size follows the fixed client area and the menu bar.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  // The board has the keyboard from the moment the window opens.
  board_view_->setFocus();
}

void MainWindow::CreateSeatPanelControls() {
  for (const PanelControlLayout& entry : kPanelControls) {
    const QString text = QString::fromUtf8(entry.text);
    QWidget* control = nullptr;
    if (entry.kind == PanelControlKind::kGroup) {
      control = new QGroupBox(text, client_area_);
    } else {
      auto* label = new QLabel(text, client_area_);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(entry.kind == PanelControlKind::kCount
                              ? Qt::AlignRight | Qt::AlignTop
                              : Qt::AlignLeft | Qt::AlignTop);
      control = label;
    }
    SetControlId(*control, entry.id);
    control->setGeometry(entry.x, entry.y, entry.width, entry.height);
    control->setFont(ui_.panel_font);
    // Presses on the panels belong to the client area, as on the board.
    control->setAttribute(Qt::WA_TransparentForMouseEvents);
    control->hide();
    // The frames stay behind the labels they surround.
    if (entry.kind == PanelControlKind::kGroup) control->lower();
  }
  // The board view stays at the very bottom; nothing overlaps it anyway.
  board_view_->lower();
}

QWidget* MainWindow::Control(int32_t id) const {
  return FindControl(*client_area_, id);
}

void MainWindow::OnCommand(int32_t id) {
  if (id == kCmdStart) {
    RunGameFlow([this] {
      if (on_start_) on_start_();
    });
  } else if (id == kCmdQuit) {
    on_quit_();
  }
}

void MainWindow::OnLeftPress(uint32_t flags, int x, int y) {
  RunGameFlow([&] {
    if (on_click_) {
      on_click_(flags, static_cast<uint16_t>(x), static_cast<uint16_t>(y));
    }
  });
}

void MainWindow::RunGameFlow(const std::function<void()>& step) {
  if (in_game_flow_) return;
  in_game_flow_ = true;
  step();
  in_game_flow_ = false;
  // Whose turn it is may have changed, and with it the legal cells.
  board_view_->AnnounceChangedCells();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  on_quit_();
  // Only reached when a test has replaced the quit handler.
  event->ignore();
}

}  // namespace qf
