// Qt tests of the window code on the offscreen platform: the board's pixels,
// the main window, the order window, the shell's pump and pause, and one game
// started through all of them. CMake runs them in groups by slot name.
#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <memory>
#include <vector>

#include "game/app_state.h"
#include "game/shell.h"
#include "game/turn_controller.h"
#include "order/roulette.h"
#include "ui/board_painter.h"
#include "ui/board_view.h"
#include "ui/controls.h"
#include "ui/main_window.h"
#include "ui/order_dialog.h"
#include "ui/qt_shell.h"
#include "ui/resources.h"

Q_DECLARE_METATYPE(qf::Cells)

namespace qf::testing {
namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGreen = qRgb(0, 128, 0);

// A main window over a fresh game state.
struct WindowFixture {
  AppState state;
  UiResources ui = MakeUiResources();
  std::unique_ptr<MainWindow> window =
      std::make_unique<MainWindow>(ui, state.shown_board);
  int quits = 0;

  WindowFixture() {
    window->SetQuitHandler([this] { ++quits; });
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) qWarning("not exposed");
  }
  // The client point (x, y) in the window's coordinates.
  QPoint At(int x, int y) const { return {x, y + window->menuBar()->height()}; }
  void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(window->windowHandle(), button, {}, At(x, y));
  }
  QAction* Command(int command) {
    return FindMenuCommand(window->game_menu(), command);
  }
  // What the client area shows on the screen right now.
  QImage Grab() const {
    const QPoint origin = At(0, 0);
    return window->windowHandle()
        ->screen()
        ->grabWindow(window->winId(), origin.x(), origin.y(), 500, 400)
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
  }
};

// Runs `action` on the modal window once the next modal loop shows it, and
// closes that window afterwards if `action` left it open.
void WhenModal(std::function<void(QWidget& modal)> action) {
  // Polls, as the modal window appears only once its loop runs; gives up
  // after a while so that a missing window fails the checks, not the clock.
  auto* timer = new QTimer;
  const QDeadlineTimer deadline(20000);
  QObject::connect(timer, &QTimer::timeout, [=] {
    QPointer<QWidget> modal = QApplication::activeModalWidget();
    if ((modal == nullptr || !modal->isVisible()) && !deadline.hasExpired()) {
      return;
    }
    timer->stop();
    timer->deleteLater();
    if (modal == nullptr) return qWarning("no modal window appeared");
    action(*modal);
    if (modal && modal->isVisible()) modal->close();
  });
  timer->start(1);
}

// The first pixel of `image` that differs from `cells` drawn over
// `background`; empty when none does.
QString FirstWrongPixel(const QImage& image, const Cells& cells,
                        QRgb background) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const int cx = x % 50, cy = y % 50;
      const int d2 = (cx - 24) * (cx - 24) + (cy - 24) * (cy - 24);
      const bool board = x < 400 && y < 400 && cx < 49 && cy < 49;
      const int seat = board ? cells[CellIndex(x / 50, y / 50)] : 0;
      QRgb want = kGreen;
      if (!board) {
        want = background;
      } else if (cx == 0 || cx == 48 || cy == 0 || cy == 48) {
        want = kBlack;
      } else if (seat != 0 && d2 <= 19 * 19) {
        want = SeatColor(seat).rgb();
      } else if (seat != 0 && d2 == 21 * 21) {
        want = kBlack;  // the outline's extremes: the disc box is 3..45
      } else if (seat != 0 && d2 < 22 * 22) {
        continue;  // the rest of the outline
      }
      if (image.pixel(x, y) != want) return QString("(%1,%2)").arg(x).arg(y);
    }
  }
  return {};
}

QStringList NameLabels(QWidget& dialog) {
  QStringList names;
  for (int id : kNameLabelIds) names << WidgetText(*FindControl(dialog, id));
  return names;
}

int32_t Run(WindowFixture& fixture, std::string_view name = "GameInit") {
  return RunModalWindow(*fixture.window, name, fixture.state.order,
                        fixture.state.random, fixture.ui.dialog_font);
}

const std::array<int32_t, 12> kSeatPanelIds = {
    1000, 1003, 1006, 1009, 1002, 1005, 1008, 1011, 1001, 1004, 1007, 1010};

void PostPress(QWidget& target, Qt::MouseButton button,
               QEvent::Type type = QEvent::MouseButtonPress) {
  const QPointF point(20, 20);
  QCoreApplication::postEvent(
      &target, new QMouseEvent(type, point, target.mapToGlobal(point), button,
                               button, Qt::NoModifier));
}

// Pumps as the search does, on every node, until `done` or a deadline.
template <typename Done>
void PumpUntil(QtShell& shell, Done done) {
  const QDeadlineTimer deadline(30000);
  while (!done() && !deadline.hasExpired()) shell.PumpOneMessage();
}

}  // namespace

class UiTest : public QObject {
  Q_OBJECT

 private slots:
  void Pixels_data() {
    QTest::addColumn<Cells>("cells");
    QTest::addColumn<int>("cell_seat");  // then DrawCell(cell_seat, 6, 1)
    QTest::addColumn<bool>("window");    // through the real window
    Cells filled{};
    for (int i = 0; i < 64; ++i) filled[i] = i % 5;  // (6,1) is 4: yellow
    for (bool window : {false, true}) {
      QTest::addRow("empty %d", window) << Cells{} << -1 << window;
      for (int seat : {-1, 0, 3}) {
        QTest::addRow("filled %d, cell %d", window, seat)
            << filled << seat << window;
      }
    }
  }

  void Pixels() {
    QFETCH(Cells, cells);
    QFETCH(int, cell_seat);
    QFETCH(bool, window);
    Cells expected = cells;
    if (cell_seat >= 0) expected[CellIndex(6, 1)] = cell_seat;
    if (!window) {
      QImage image(420, 410, QImage::Format_RGB32);
      image.fill(qRgb(255, 0, 255));  // never drawn by the board
      QPainter painter(&image);
      DrawBoard(painter, cells);
      if (cell_seat >= 0) DrawCell(painter, cell_seat, 6, 1);
      painter.end();
      QCOMPARE(FirstWrongPixel(image, expected, qRgb(255, 0, 255)), QString());
      return;
    }
    WindowFixture fixture;
    BoardView& view = fixture.window->board_view();
    const QRgb face = fixture.ui.face_color.rgb();
    fixture.state.shown_board = cells;
    view.DrawBoardNow();
    // A blink is on the screen before DrawCellNow returns, gone at a paint.
    if (cell_seat >= 0) view.DrawCellNow(cell_seat, 6, 1);
    const QImage shown = fixture.Grab();
    QCOMPARE(shown.size(), QSize(500, 400));
    QCOMPARE(FirstWrongPixel(shown, expected, face), QString());
    view.repaint();
    QCOMPARE(FirstWrongPixel(fixture.Grab(), cells, face), QString());
  }

  void ClientAndPanelControls_data() {
    QTest::addColumn<int>("id");  // 0: the client area
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("geometry");
    const std::tuple<int, const char*, QRect> rows[] = {
        {0, "", {0, 0, 500, 400}},
        {1000, "25", {428, 89, 44, 15}},
        {1001, "Group1", {416, 67, 78, 72}},
        {1002, "Your Turn", {430, 110, 55, 15}},
        {1003, "39", {426, 171, 46, 15}},
        {1004, "Group2", {416, 150, 78, 72}},
        {1005, "Thinking...", {430, 193, 53, 15}},
        {1006, "25", {430, 254, 44, 15}},
        {1007, "Group3", {416, 232, 78, 72}},
        {1008, "Thinking...", {430, 275, 55, 15}},
        {1009, "39", {428, 336, 46, 15}},
        {1010, "Group4", {416, 315, 78, 72}},
        {1011, "Thinking...", {431, 358, 53, 15}}};
    for (const auto& [id, text, geometry] : rows) {
      QTest::addRow("%d", id) << id << QString(text) << geometry;
    }
  }

  void ClientAndPanelControls() {
    QFETCH(int, id);
    QFETCH(QString, text);
    QFETCH(QRect, geometry);
    WindowFixture fixture;
    MainWindow& window = *fixture.window;
    if (id == 0) {  // fixed, right under the menu bar
      QWidget& client = window.client_area();
      QCOMPARE(QRect(client.mapTo(&window, QPoint()), client.size()),
               geometry.translated(fixture.At(0, 0)));
      QCOMPARE(window.size(), QSize(500, fixture.At(0, 400).y()));
      QCOMPARE(window.minimumSize(), window.maximumSize());
      return;
    }
    QWidget* control = window.Control(id);
    QVERIFY(control != nullptr);
    QCOMPARE(control->parentWidget(), &window.client_area());
    QCOMPARE(control->geometry(), geometry);
    QVERIFY(control->isHidden());
    QCOMPARE(WidgetText(*control), text);
  }

  void GameMenu() {
    WindowFixture fixture;
    QMenu& menu = fixture.window->game_menu();
    QCOMPARE(fixture.window->menuBar()->actions().value(0)->menu(), &menu);
    const QList<QAction*> items = menu.actions();
    QCOMPARE(items.size(), 3);
    QVERIFY(items[1]->isSeparator());
    for (auto [index, text, command] : {std::tuple{0, "始める", kCmdStart},
                                        std::tuple{2, "終了(&X)", kCmdQuit}}) {
      QCOMPARE(items[index]->text(), QString(text));
      QCOMPARE(items[index]->data().toInt(), command);
      QVERIFY(items[index]->isEnabled());
      QCOMPARE(FindMenuCommand(menu, command), items[index]);
    }
  }

  // Presses travel the real path: through the window, past the board and
  // the shown panels, to the client area; a double click is one press, and
  // other buttons, keys and the menu bar are no presses.
  void LeftPressesReachTheGameFlow() {
    WindowFixture fixture;
    QWindow* handle = fixture.window->windowHandle();
    std::vector<QPoint> presses;
    fixture.window->SetClickHandler(
        [&](uint32_t flags, uint16_t x, uint16_t y) {
          if (flags == 0x0001) presses.emplace_back(x, y);
        });
    for (int id = 1000; id <= 1011; ++id) fixture.window->Control(id)->show();
    std::vector<QPoint> expected = {{0, 0},     {399, 399}, {400, 10},
                                    {450, 100}, {499, 399}, {125, 75}};
    for (const QPoint& point : expected) fixture.Click(point.x(), point.y());
    QTest::mouseDClick(handle, Qt::LeftButton, {}, fixture.At(60, 70));
    expected.emplace_back(60, 70);
    fixture.Click(10, 10, Qt::RightButton);
    fixture.Click(10, 10, Qt::MiddleButton);
    QTest::keyClick(handle, Qt::Key_A);
    QTest::mouseClick(handle, Qt::LeftButton, {},
                      {30, fixture.At(0, 0).y() / 2});
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    QCOMPARE(presses, expected);
  }

  // The first press stops the names on the order PlayOrder holds, the
  // second starts the match with it.
  void TwoPressesStartTheMatch() {
    WindowFixture fixture;
    QStringList stopped;
    WhenModal([&](QWidget& dialog) {
      auto* button = FindControl(dialog, kOrderButtonId);
      QTest::qWait(30);  // the roulette spins a while
      QTest::mouseClick(button, Qt::LeftButton);
      stopped = NameLabels(dialog);
      QTest::qWait(50);
      QCOMPARE(NameLabels(dialog), stopped);
      QTest::mouseClick(button, Qt::LeftButton);
    });
    QCOMPARE(Run(fixture), 1);
    QStringList played;
    for (int32_t participant : fixture.state.order.PlayOrder) {
      played << QString::fromStdString(
          fixture.state.order.ParticipantNames[participant]);
    }
    QCOMPARE(played, stopped);
    QCOMPARE(played.removeDuplicates(), 0);
    QCOMPARE(fixture.state.order.panel_control_ids.ids(), kSeatPanelIds);
  }

  // Escape and Enter neither close the window nor press the button, with
  // the focus on it or not; a close then gives no game.
  void KeysDoNothingAndCloseGivesNoGame() {
    for (bool stop_first : {false, true}) {
      WindowFixture fixture;
      bool still_open = false;
      WhenModal([&](QWidget& dialog) {
        auto* button =
            qobject_cast<QPushButton*>(FindControl(dialog, kOrderButtonId));
        if (stop_first) QTest::mouseClick(button, Qt::LeftButton);
        const QString button_text = button->text();
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
          QTest::keyClick(dialog.windowHandle(), key);
          QTest::keyClick(button, key);
        }
        QCoreApplication::processEvents();
        still_open = dialog.isVisible();
        QCOMPARE(button->text(), button_text);
        dialog.close();
      });
      QCOMPARE(Run(fixture), 0);
      QVERIFY(still_open);
      QCOMPARE(fixture.state.order.panel_control_ids.ids(), kSeatPanelIds);
    }
  }

  void OnlyGameInitOpensIt() {
    WindowFixture fixture;
    const auto widgets_before = QApplication::allWidgets().size();
    for (const char* name : {"gameinit", "GameInit2", "GameIni", ""}) {
      QCOMPARE(Run(fixture, name), 0);
    }
    QCOMPARE(QApplication::allWidgets().size(), widgets_before);
    QCOMPARE(fixture.state.order.panel_control_ids.ids(),
             (std::array<int32_t, 12>{}));
  }

  // Left presses and double clicks on the client area and the board are
  // dropped while the game flow pumps; the right button, other events and
  // the menu go on, and outside the pump a press is a press again.
  void PumpDropsLeftPresses() {
    WindowFixture fixture;
    QtShell shell(*fixture.window, fixture.state);
    QWidget& client = fixture.window->client_area();
    int presses = 0, starts = 0;
    fixture.window->SetClickHandler(
        [&](uint32_t, uint16_t, uint16_t) { ++presses; });
    fixture.window->SetStartHandler([&] { ++starts; });
    int markers = 0;  // another event to the client area
    for (QWidget* target :
         {&client, static_cast<QWidget*>(&fixture.window->board_view())}) {
      PostPress(*target, Qt::LeftButton);
      PostPress(*target, Qt::LeftButton, QEvent::MouseButtonDblClick);
    }
    PostPress(client, Qt::RightButton);
    QMetaObject::invokeMethod(
        &client, [&] { ++markers; }, Qt::QueuedConnection);
    QMetaObject::invokeMethod(fixture.Command(kCmdStart), &QAction::trigger,
                              Qt::QueuedConnection);
    PumpUntil(shell, [&] { return markers > 0; });
    QCOMPARE(markers, 1);
    QCOMPARE(starts, 1);
    QCOMPARE(presses, 0);
    PostPress(client, Qt::LeftButton);
    QCoreApplication::processEvents();
    QCOMPARE(presses, 1);
  }

  // "終了(&X)" chosen while a computer thinks reaches the quit handler from
  // inside the pump.
  void QuitFromInsideThePump() {
    WindowFixture fixture;
    QtShell shell(*fixture.window, fixture.state);
    int quits_inside = -1;
    fixture.window->SetStartHandler([&] {
      shell.SetStartEnabled(false);
      QMetaObject::invokeMethod(fixture.Command(kCmdQuit), &QAction::trigger,
                                Qt::QueuedConnection);
      PumpUntil(shell, [&] { return fixture.quits > 0; });
      quits_inside = fixture.quits;
    });
    fixture.Command(kCmdStart)->trigger();
    QCOMPARE(quits_inside, 1);
  }

  void StartAndOneLegalPress() {
    WindowFixture fixture;
    AppState& state = fixture.state;
    QtShell shell(*fixture.window, state);
    shell.SetPauseFunction([](int32_t) {});
    TurnController controller(state, shell);
    fixture.window->SetStartHandler([&] { controller.StartGame(); });
    fixture.window->SetClickHandler(
        [&](uint32_t flags, uint16_t x, uint16_t y) {
          controller.OnBoardClick(flags, x, y);
        });
    // Passes are rare this early: a computer's leaves out one move, the
    // human's brings another round of three.
    int computer_passes = 0, human_passes = 0;
    QTimer answer_boxes;
    connect(&answer_boxes, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) return;
      ++(box->text().startsWith(QStringLiteral("あなた")) ? human_passes
                                                          : computer_passes);
      box->button(QMessageBox::Ok)->click();
    });
    answer_boxes.start(5);
    // Stop the roulette with the human in seat 4, so that the three computer
    // seats move before the human's turn.
    WhenModal([](QWidget& dialog) {
      QWidget* button = FindControl(dialog, kOrderButtonId);
      QWidget* last_name = FindControl(dialog, kNameLabelIds[3]);
      QVERIFY(QTest::qWaitFor([&] { return WidgetText(*last_name) == "You"; }));
      QTest::mouseClick(button, Qt::LeftButton);  // "止める"
      QTest::mouseClick(button, Qt::LeftButton);  // "対局開始"
    });
    QAction* start = fixture.Command(kCmdStart);
    start->trigger();
    QCOMPARE(state.current_seat, 4);
    QCOMPARE(state.board.MoveCount(), 3);

    // The board on the screen and the panels, whenever it is the human's turn.
    const char* const titles[] = {"黒 - ", "白 - ", "赤 - ", "黄 - "};
    const char* const names[] = {"You", "COM1", "COM2", "COM3"};
    const QRgb colors[] = {kGreen, kBlack, qRgb(255, 255, 255), qRgb(255, 0, 0),
                           qRgb(255, 255, 0)};
    auto check_the_players_view = [&] {
      QVERIFY(!start->isEnabled());
      const QImage client = fixture.Grab();
      for (int i = 0; i < 64; ++i) {
        QCOMPARE(client.pixel(i / 8 * 50 + 24, i % 8 * 50 + 24),
                 colors[state.board.Cell(i / 8, i % 8)]);
      }
      for (int32_t seat = 1; seat <= 4; ++seat) {
        QWidget* count = fixture.window->Control(997 + 3 * seat);
        QWidget* group = fixture.window->Control(998 + 3 * seat);
        QWidget* status = fixture.window->Control(999 + 3 * seat);
        QCOMPARE(WidgetText(*group),
                 QString::fromUtf8(titles[seat - 1]) +
                     names[state.order.PlayOrder[seat - 1]]);
        QCOMPARE(WidgetText(*count),
                 QString::number(state.board.CountDiscs(seat)));
        QVERIFY(group->isVisible() && count->isVisible());
        QCOMPARE(status->isVisible(), seat == 4);
      }
      QCOMPARE(WidgetText(*fixture.window->Control(1011)), "Your Turn");
    };
    check_the_players_view();
    if (QTest::currentTestFailed()) return;

    int cell = 0;
    while (cell < 64 && !state.board.IsLegalMove(4, cell / 8, cell % 8)) ++cell;
    QVERIFY(cell < 64);
    fixture.Click(cell / 8 * 50 + 25, cell % 8 * 50 + 25);
    // The press was placed, then the three computer seats answered.
    QVERIFY(state.board.Cell(cell / 8, cell % 8) != 0);
    QCOMPARE(state.board.MoveCount(),
             4 + 3 * (1 + human_passes) - computer_passes);
    check_the_players_view();
  }
};

}  // namespace qf::testing

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  qf::testing::UiTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ui_test.moc"
