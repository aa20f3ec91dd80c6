#include "ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <cstdio>
#include <cstdlib>

#include "ui/board_painter.h"
#include "ui/board_view.h"

namespace qf {
namespace {

// Where each seat's controls sit in the client area, seats 1 to 4 from the
// top.
struct SeatPanelLayout {
  QRect frame;
  QRect count;
  QRect status;
};
constexpr std::array<SeatPanelLayout, 4> kSeatPanelLayouts = {{
    {QRect(416, 67, 78, 72), QRect(428, 89, 44, 15), QRect(430, 110, 55, 15)},
    {QRect(416, 150, 78, 72), QRect(426, 171, 46, 15), QRect(430, 193, 53, 15)},
    {QRect(416, 232, 78, 72), QRect(430, 254, 44, 15), QRect(430, 275, 55, 15)},
    {QRect(416, 315, 78, 72), QRect(428, 336, 46, 15), QRect(431, 358, 53, 15)},
}};

}  // namespace

void QuitProcess() {
  std::fflush(nullptr);
  std::_Exit(0);
}

std::optional<Coord> CellAtPoint(QPoint point) {
  if (point.x() < 0 || point.y() < 0 || point.x() >= kBoardPixels ||
      point.y() >= kBoardPixels) {
    return std::nullopt;
  }
  return Coord{point.x() / kCellPixels, point.y() / kCellPixels};
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
    const std::optional<Coord> cell = CellAtPoint(event->position().toPoint());
    if (cell && event->button() == Qt::LeftButton) {
      emit window_.cellPressed(*cell);
    }
  }
  // The second press of a double click is not a press of its own.
  void mouseDoubleClickEvent(QMouseEvent*) override {}

 private:
  MainWindow& window_;
};

MainWindow::MainWindow(UiResources& ui)
    : ui_(ui),
      client_area_(new ClientArea(*this, ui.face_color)),
      board_view_(new BoardView(ui.disc_marks, client_area_)),
      announcer_(new Announcer(*client_area_)) {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(QStringLiteral("Quadriflank"));
  setWindowIcon(ProgramIcon());

  menuBar()->addMenu(ui_.game_menu.get());
  connect(ui_.start_command, &QAction::triggered, this,
          &MainWindow::startRequested);
  connect(ui_.quit_command, &QAction::triggered, this,
          &MainWindow::quitRequested);
  // A key on the board presses the cursor's cell as the left button does.
  connect(board_view_, &BoardView::cellPressed, this, &MainWindow::cellPressed);
  connect(board_view_, &BoardView::standingsAsked, this,
          &MainWindow::standingsAsked);
  connect(board_view_, &BoardView::noLegalCell, announcer_,
          [this] { announcer_->Say(QStringLiteral("No legal cell")); });
  CreateSeatPanels();
  announcer_->lower();
  setCentralWidget(client_area_);
  // The window's size follows the fixed client area and the menu bar.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  // The board has the keyboard from the moment the window opens.
  board_view_->setFocus();
}

void MainWindow::CreateSeatPanels() {
  for (int seat = 0; seat < 4; ++seat) {
    const SeatPanelLayout& layout = kSeatPanelLayouts[seat];
    SeatPanelWidgets& panel = seat_panels_[seat];
    panel.count = new QLabel(client_area_);
    panel.count->setAlignment(Qt::AlignRight | Qt::AlignTop);
    panel.count->setGeometry(layout.count);
    panel.frame = new QGroupBox(client_area_);
    panel.frame->setGeometry(layout.frame);
    panel.status = new QLabel(client_area_);
    panel.status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    panel.status->setGeometry(layout.status);
    for (QWidget* control : {static_cast<QWidget*>(panel.count),
                             static_cast<QWidget*>(panel.frame),
                             static_cast<QWidget*>(panel.status)}) {
      control->setFont(ui_.panel_font);
      // Presses on the panels belong to the client area, as on the board.
      control->setAttribute(Qt::WA_TransparentForMouseEvents);
      control->hide();
    }
    panel.count->setTextFormat(Qt::PlainText);
    panel.status->setTextFormat(Qt::PlainText);
    // The frames stay behind the labels they surround.
    panel.frame->lower();
  }
  // The board view stays at the very bottom; nothing overlaps it anyway.
  board_view_->lower();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The window stays until quitting has ended the program.
  event->ignore();
  emit quitRequested();
}

}  // namespace qf
