// Qt tests of the window code on the offscreen platform: the window, its
// board's pixels, menu and accessible table, presses and keys, the order
// window, the shell's pump, and one game played through them all. CMake runs
// them in groups by slot name.
#include <QAccessible>
#include <QApplication>
#include <QDeadlineTimer>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "game/turn_controller.h"
#include "order/roulette.h"
#include "ui/board_painter.h"
#include "ui/board_view.h"
#include "ui/controls.h"
#include "ui/order_dialog.h"
#include "ui/qt_shell.h"

namespace qf::testing {
namespace {

// The disc colours of seats 1..4.
const QRgb kSeatRgb[] = {0, qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 0, 0),
                         qRgb(255, 255, 0)};

// The program's window, shell and game flow over a fresh state, without
// pauses; the window is shown and active.
struct Fixture {
  AppState state;
  UiResources ui = MakeUiResources();
  MainWindow window{ui, state.shown_board};
  QtShell shell{window, state};
  TurnController flow{state, shell};
  BoardView& view = window.board_view();
  int quits = 0;

  Fixture() {
    shell.SetPauseFunction([](int32_t) {});
    window.SetQuitHandler([this] { ++quits; });
    window.SetStartHandler([this] { flow.StartGame(); });
    window.show();
    if (!QTest::qWaitForWindowActive(&window)) qWarning("not active");
  }
  // The client point (x, y) in the window's coordinates.
  QPoint At(int x, int y) { return {x, y + window.menuBar()->height()}; }
  QAction* Command(int id) { return FindMenuCommand(window.game_menu(), id); }
  // Into the window (or `target`): "Lx,y" a left click at the client point
  // (x, y), "Dx,y" a double click, "Rx,y" a right click, else a key.
  void Input(const QString& input, QWindow* target = nullptr) {
    QWindow* to = target ? target : window.windowHandle();
    for (const QString& step : input.split(' ', Qt::SkipEmptyParts)) {
      const QStringList xy = step.mid(1).split(',');
      if (xy.size() < 2) {
        QTest::keyClick(to, Qt::Key(QKeySequence(step)[0].key()));
      } else {
        QTest::mouseEvent(
            step[0] == 'D' ? QTest::MouseDClick : QTest::MouseClick, to,
            step[0] == 'R' ? Qt::RightButton : Qt::LeftButton, {},
            At(xy[0].toInt(), xy[1].toInt()));
      }
    }
  }
  // The first pixel of the client area's first `width` columns on the
  // screen that differs from `cells` drawn over the face colour, or "".
  QString WrongPixel(const Cells& cells, int width = 500) {
    const QImage image =
        window.screen()
            ->grabWindow(window.winId(), 0, At(0, 0).y(), width, 400)
            .toImage();
    for (int i = 0; i < width * 400; ++i) {
      const int x = i % width, y = i / width, cx = x % 50, cy = y % 50;
      const bool off = x >= 400 || cx == 49 || cy == 49;
      const bool edge = cx == 0 || cx == 48 || cy == 0 || cy == 48;
      const int seat = off ? 0 : cells[CellIndex(x / 50, y / 50)];
      const int d2 = (cx - 24) * (cx - 24) + (cy - 24) * (cy - 24);
      // The disc's box is 3..45, its outline around d2 = 21 * 21.
      if (seat && !edge && d2 > 361 && d2 < 484 && d2 != 441) continue;
      const QRgb want = off                           ? ui.face_color.rgb()
                        : edge || (seat && d2 == 441) ? qRgb(0, 0, 0)
                        : seat && d2 <= 361           ? kSeatRgb[seat]
                                                      : qRgb(0, 128, 0);
      if (image.pixel(x, y) != want) return QString("(%1,%2)").arg(x).arg(y);
    }
    return {};
  }
  // Every cell's accessible name, by table row, then column.
  QStringList CellNames() {
    QStringList names;
    QAccessibleInterface* t = QAccessible::queryAccessibleInterface(&view);
    for (int i = 0; i < 64; ++i) names << t->child(i)->text(QAccessible::Name);
    return names;
  }
};

// Runs `action` on the modal window that opens next, once its loop runs,
// and closes that window afterwards.
void WhenModal(std::function<void(QWidget& modal)> action) {
  QTimer::singleShot(0, [=] {
    QPointer<QWidget> modal = QApplication::activeModalWidget();
    action(*modal);
    if (modal) modal->close();
  });
}

}  // namespace

class UiTest : public QObject {
  Q_OBJECT

 private slots:
  // The board's pixels and a blink that lasts until the next paint, the
  // window and controls as laid out, the menu, and the accessible table:
  // table row r, column c is the cell (c, r), named from the ShownBoard;
  // and the order window's result.
  void Window() {
    Fixture f;
    Cells filled{};
    for (int i = 0; i < 64; ++i) filled[i] = i % 5;  // (6,1) is 4: yellow
    for (auto [cells, blink] :
         {std::pair{Cells{}, -1}, {filled, -1}, {filled, 0}, {filled, 3}}) {
      f.state.shown_board = cells;
      f.view.DrawBoardNow();
      if (blink >= 0) f.view.DrawCellNow(blink, 6, 1);
      if (blink >= 0) cells[CellIndex(6, 1)] = blink;
      QCOMPARE(f.WrongPixel(cells), QString());
      f.view.repaint();
      QCOMPARE(f.WrongPixel(f.state.shown_board), QString());
    }
    QWidget& client = f.window.client_area();
    QCOMPARE(QRect(client.mapTo(&f.window, QPoint()), client.size()),
             QRect(f.At(0, 0), QSize(500, 400)));
    QCOMPARE(f.window.size(), QSize(500, f.At(0, 400).y()));
    QCOMPARE(f.window.minimumSize(), f.window.maximumSize());
    QString layout;  // the controls, all hidden in the client area
    for (int id = 1000; id <= 1011; ++id) {
      QWidget* c = f.window.Control(id);
      QVERIFY(c->isHidden() && c->parentWidget() == &client);
      QDebug(&layout).nospace() << c->geometry();
    }
    QCOMPARE(layout,
             "QRect(428,89 44x15)QRect(416,67 78x72)QRect(430,110 55x15)"
             "QRect(426,171 46x15)QRect(416,150 78x72)QRect(430,193 53x15)"
             "QRect(430,254 44x15)QRect(416,232 78x72)QRect(430,275 55x15)"
             "QRect(428,336 46x15)QRect(416,315 78x72)QRect(431,358 53x15)");
    QString items;  // on the menu bar: text, id, enabled, separator
    for (QAction* a : f.window.menuBar()->actions()[0]->menu()->actions()) {
      QDebug(&items).noquote() << a->text() << a->data().toInt()
                               << a->isEnabled() << a->isSeparator();
    }
    QCOMPARE(items,
             "始める 1014 true false  0 true true 終了(&X) 1015 true false ");
    auto* board = QAccessible::queryAccessibleInterface(&f.view);
    QAccessibleTableInterface* table = board->tableInterface();
    QVERIFY(table && board->role() == QAccessible::Table);
    QCOMPARE(board->text(QAccessible::Name), "Board");
    QVERIFY(table->rowCount() == 8 && table->columnCount() == 8 &&
            board->childCount() == 64);
    QCOMPARE(table->cellAt(3, 1)->text(QAccessible::Name), "b4, black");
    QCOMPARE(table->cellAt(3, 1)->rect(),
             QRect(f.view.mapToGlobal(QPoint(50, 150)), QSize(50, 50)));
    QCOMPARE(f.CellNames().mid(0, 5).join(';'),
             "a1, empty;b1, red;c1, black;d1, yellow;e1, white");
    // Only "GameInit" opens the order window; closing it gives no game.
    WhenModal([](QWidget&) {});
    for (QString name : {"gameinit", "GameInit2", "GameIni", "", "GameInit"}) {
      QCOMPARE(RunModalWindow(f.window, name.toStdString(), f.state.order,
                              f.state.random, f.ui.dialog_font),
               0);
      // Written as the window goes; the last entry is seat 4's frame.
      QCOMPARE(f.state.order.panel_control_ids.ids()[11],
               name == "GameInit" ? 1010 : 0);
    }
  }

  // Presses reach the game flow with their client point, past the board and
  // the shown panels; Enter, Return and Space press the centre of the
  // cursor's cell, which starts at (3, 3) and is drawn from the first key
  // until a mouse press.
  void Presses() {
    const std::tuple<const char*, const char*, bool> rows[] = {
        {"Space L0,0 L399,399 L400,10 L450,100 L499,399 L125,75 D60,70 R0,0",
         "175,175 0,0 399,399 400,10 450,100 499,399 125,75 60,70", false},
        {"A Esc Tab Space Return Enter", "175,175 175,175 175,175", true},
        {"Left Left Left Left Up Up Up Up Return Down Down Down Down Down Down "
         "Down Down End Right Space Home Enter",
         "25,25 375,375 25,375", true}};
    for (auto [input, presses, ring] : rows) {
      Fixture f;
      QStringList seen;
      f.window.SetClickHandler([&](uint32_t flags, uint16_t x, uint16_t y) {
        seen << QString("%1,%2").arg(x).arg(y) + (flags == 1 ? "" : "?");
      });
      for (int id = 1000; id <= 1011; ++id) f.window.Control(id)->show();
      f.Input(input);
      QCOMPARE(seen.join(' '), presses);
      QCoreApplication::processEvents();  // the ring is all a key draws
      QCOMPARE(f.WrongPixel(f.state.shown_board, 400).isEmpty(), !ring);
    }
  }

  // Left presses, Enter, Return and Space on the client area and the board
  // are dropped while the game flow pumps; the cursor keys and the menu go
  // on: "終了(&X)" quits from inside the pump.
  void PumpDropsPresses() {
    Fixture f;
    int presses = 0;
    f.window.SetClickHandler([&](uint32_t, uint16_t, uint16_t) { ++presses; });
    auto pump_until_quit = [&] {
      const int quits = f.quits;
      QMetaObject::invokeMethod(f.Command(kCmdQuit), &QAction::trigger,
                                Qt::QueuedConnection);
      QDeadlineTimer timer(20000);
      while (f.quits == quits && !timer.hasExpired()) f.shell.PumpOneMessage();
    };
    QMetaObject::invokeMethod(  // taken by the pump
        &f.view, [&] { f.Input("L20,20 Return Enter Space Up"); },
        Qt::QueuedConnection);
    pump_until_quit();
    f.window.SetStartHandler(pump_until_quit);  // a pump in the game flow
    f.Command(kCmdStart)->trigger();
    QCOMPARE(QList<int>({f.quits, presses}), QList<int>({2, 0}));
    QCOMPARE(f.view.Cursor(), QPoint(3, 2));
  }

  // A count and a status line changed just before a pause are on the screen
  // (the window's backing store) when the pause begins.
  void PauseShowsChangedPanels() {
    Fixture f;
    auto grab = [&](int id) {
      return f.window.screen()
          ->grabWindow(f.window.winId(), 0, f.At(0, 0).y(), 500, 400)
          .toImage()
          .copy(f.window.Control(id)->geometry());
    };
    const QImage empty_status = grab(1002);
    for (int32_t id : {1000, 1002}) f.shell.ShowControl(id, true);
    QTRY_VERIFY(grab(1002) != empty_status);
    const QImage old_count = grab(1000);
    QImage count, status;
    f.shell.SetPauseFunction(
        [&](int32_t) { count = grab(1000), status = grab(1002); });
    f.shell.SetControlText(1000, "64");
    f.shell.ShowControl(1002, false);
    f.shell.Pause(500);
    QVERIFY(count != old_count);
    QCOMPARE(status, empty_status);
  }

  // A game started by keys (the order window's button has the keyboard;
  // Escape and Enter do nothing there), then one move by keys on the first
  // cell the accessible table calls legal.
  void StartAndOneLegalPress() {
    Fixture f;
    QTimer boxes;  // closes the pass boxes, rare this early but possible
    connect(&boxes, &QTimer::timeout, [] {
      if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    WhenModal([&](QWidget& dialog) {
      QWidget* button = FindControl(dialog, kOrderButtonId);
      QWidget* last = FindControl(dialog, kNameLabelIds[3]);
      QVERIFY(QTest::qWaitFor([&] { return button->hasFocus(); }));
      QVERIFY(QTest::qWaitFor([&] { return WidgetText(*last) == "You"; }));
      QTest::keyClick(button, Qt::Key_Space);  // stops with You in seat 4
      f.Input("Esc Return Enter", dialog.windowHandle());
      QVERIFY(dialog.isVisible() && WidgetText(*last) == "You");
      boxes.start(5);
      f.Input("Space", dialog.windowHandle());
    });
    f.Command(kCmdStart)->trigger();
    QCOMPARE(f.state.board.MoveCount(), 3);
    QCOMPARE(f.WrongPixel(f.state.board.cells(), 400), QString());
    f.window.SetClickHandler([&](uint32_t flags, uint16_t x, uint16_t y) {
      QVERIFY(f.CellNames().filter(", legal").isEmpty());  // not the turn
      f.flow.OnBoardClick(flags, x, y);
    });
    const int cell = f.CellNames().indexOf(QRegularExpression(".*legal"));
    f.Input("Up Up Up Home " + QString("Down ").repeated(cell / 8) +
            QString("Right ").repeated(cell % 8));
    auto* table = QAccessible::queryAccessibleInterface(&f.view);
    QVERIFY(cell >= 0 && table->child(cell)->state().focused);  // the cursor
    QVERIFY(!table->child(63 - cell)->state().focused);
    f.Input("Return");
    // The press was placed, the computer seats answered, and the human is to
    // move again: the cells where the human may move are named legal.
    QVERIFY(!f.CellNames()[cell].contains("empty"));
    QVERIFY(f.state.board.MoveCount() > 4);
    for (int i = 0; i < 64; ++i) {
      QCOMPARE(f.CellNames()[i].endsWith(", legal"),
               f.state.board.IsLegalMove(4, i % 8, i / 8) != 0);
    }
    QVERIFY(!f.Command(kCmdStart)->isEnabled());
    QVERIFY(f.window.Control(1011)->isVisible());
    QCOMPARE(WidgetText(*f.window.Control(1011)), "Your Turn");
  }
};

}  // namespace qf::testing

QTEST_MAIN(qf::testing::UiTest)

#include "ui_test.moc"
