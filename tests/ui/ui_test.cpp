// Qt tests of the window code on the offscreen platform: the window, its
// board's pixels, menu and accessible cells, the notice, presses and keys,
// and the input gate. CMake runs them in groups by slot name.
#include <QAccessible>
#include <QApplication>
#include <QDeadlineTimer>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "ui/board_painter.h"
#include "ui/board_view.h"
#include "ui/program.h"

namespace qf::testing {
namespace {

// The disc colours of seats 1..4.
const QRgb kSeatRgb[] = {0, qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 0, 0),
                         qRgb(255, 255, 0)};

// The program over a fresh state, without pauses; the window is shown and
// active.
struct Fixture : Program {
  BoardView& view = window.board_view();
  int quits = 0;

  Fixture() {
    shell.SetPauseFunction([](int32_t) {});
    window.SetQuitHandler([this] { ++quits; });
    window.show();
    if (!QTest::qWaitForWindowActive(&window)) qWarning("not active");
  }
  // The client point (x, y) in the window's coordinates.
  QPoint At(int x, int y) { return {x, y + window.menuBar()->height()}; }
  // The client area as it is on the screen.
  QImage Screen() {
    return window.screen()
        ->grabWindow(window.winId(), 0, At(0, 0).y(), 500, 400)
        .toImage();
  }
  // Into the window: "Lx,y" a left click at the client point (x, y), "Dx,y"
  // a double click, "Rx,y" a right click, else a key.
  void Input(const QString& input) {
    QWindow* to = window.windowHandle();
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
    const QImage image = Screen();
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
};

// "c,r" for a press on a board cell, "-" beside the board; "?" after one
// that the left button did not make.
QString Describe(const BoardPress& press) {
  return (press.cell
              ? QString("%1,%2").arg(press.cell->column).arg(press.cell->row)
              : QString("-")) +
         (press.left_button ? "" : "?");
}

}  // namespace

class UiTest : public QObject {
  Q_OBJECT

 private slots:
  // The board's pixels and a blink that lasts until the next paint, the
  // window and its panels, and the board as assistive technology reads it: 64
  // cells, child 8r + c being the cell (c, r), named from the ShownBoard, with
  // no row and column interface; a notice said to it changes no pixel.
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
    f.window.announcer().Say(QStringLiteral("COM2 e6. Your turn"));
    QCoreApplication::processEvents();
    QCOMPARE(f.WrongPixel(f.state.shown_board), QString());
    QCOMPARE(
        QAccessible::queryAccessibleInterface(&f.window.announcer())->role(),
        QAccessible::Notification);
    QWidget& client = f.window.client_area();
    QCOMPARE(QRect(client.mapTo(&f.window, QPoint()), client.size()),
             QRect(f.At(0, 0), QSize(500, 400)));
    QCOMPARE(f.window.size(), QSize(500, f.At(0, 400).y()));
    QCOMPARE(f.window.minimumSize(), f.window.maximumSize());
    // The panels lie right of the board, in seat order from the top, each
    // frame around its count and status line.
    QRect above(416, 0, 78, 60);
    for (int seat = 1; seat <= 4; ++seat) {
      const SeatPanelWidgets& panel = f.window.seat_panel(seat);
      const QRect frame = panel.frame->geometry();
      QVERIFY(frame.contains(panel.count->geometry()) &&
              frame.contains(panel.status->geometry()) && frame.left() > 400 &&
              frame.right() < 500 && frame.top() > above.bottom() &&
              frame.bottom() < 400);
      above = frame;
    }
    auto* board = QAccessible::queryAccessibleInterface(&f.view);
    QVERIFY(board->role() == QAccessible::Table && !board->tableInterface());
    QCOMPARE(board->text(QAccessible::Name), "Board");
    QCOMPARE(board->childCount(), 64);
    QAccessibleInterface* b4 = board->child(3 * 8 + 1);
    QVERIFY(b4->role() == QAccessible::Cell && !b4->tableCellInterface());
    QCOMPARE(b4->text(QAccessible::Name), "b4, black");
    QCOMPARE(b4->rect(),
             QRect(f.view.mapToGlobal(QPoint(50, 150)), QSize(50, 50)));
    QCOMPARE(board->childAt(b4->rect().center().x(), b4->rect().center().y()),
             b4);
    QString names;  // the first row
    for (int i = 0; i < 5; ++i)
      names += board->child(i)->text(QAccessible::Name) + ";";
    QCOMPARE(names, "a1, empty;b1, red;c1, black;d1, yellow;e1, white;");
  }

  // Presses reach the game flow as the cell under them, beside the board as
  // none, with their button; Enter, Return and Space press the cursor's
  // cell, which starts at (3, 3) and is drawn from the first key until a
  // mouse press.
  void Presses() {
    const std::tuple<const char*, const char*, bool> rows[] = {
        {"Space L0,0 L399,399 L400,10 L450,100 L499,399 L125,75 D60,70 R0,0 "
         "L49,350",
         "3,3 0,0 7,7 - - - 2,1 1,1 0,0? 0,7", false},
        {"A Esc Tab Space Return Enter", "3,3 3,3 3,3", true},
        {"Left Left Left Left Up Up Up Up Return Down Down Down Down Down Down "
         "Down Down End Right Space Home Enter",
         "0,0 7,7 0,7", true}};
    for (auto [input, presses, ring] : rows) {
      Fixture f;
      QStringList seen;
      f.window.SetPressHandler(
          [&](const BoardPress& press) { seen << Describe(press); });
      for (int seat = 1; seat <= 4; ++seat) {
        const SeatPanelWidgets& panel = f.window.seat_panel(seat);
        for (QWidget* w : {(QWidget*)panel.frame, (QWidget*)panel.count,
                           (QWidget*)panel.status})
          w->show();
      }
      f.Input(input);
      QCOMPARE(seen.join(' '), presses);
      QCoreApplication::processEvents();  // the ring is all a key draws
      QCOMPARE(f.WrongPixel(f.state.shown_board, 400).isEmpty(), !ring);
    }
  }

  // While a step of the game flow pumps, left presses and the keys that
  // press a cell are dropped; the cursor keys and the menu go on, and
  // "終了(&X)" quits from inside the pump. During a pause all input waits
  // and then follows in order, while the panels are painted; Enter held
  // down does not press again.
  void InputGate() {
    Fixture f;
    QStringList seen;
    f.window.SetPressHandler(
        [&](const BoardPress& press) { seen << Describe(press); });
    f.window.SetStartHandler([&] {
      QMetaObject::invokeMethod(  // taken by the pump
          &f.view, [&] { f.Input("L20,20 Return Enter Space Up"); },
          Qt::QueuedConnection);
      QMetaObject::invokeMethod(f.window.ui().quit_command, &QAction::trigger,
                                Qt::QueuedConnection);
      QDeadlineTimer timer(20000);
      while (f.quits == 0 && !timer.hasExpired()) f.shell.Pump();
    });
    f.window.start_command().trigger();
    QCOMPARE(f.quits, 1);
    QCOMPARE(f.view.Cursor(), QPoint(3, 2));

    QLabel& count = *f.window.seat_panel(1).count;
    count.show();
    QCoreApplication::processEvents();
    const QRect where = count.geometry();
    const QImage before = f.Screen().copy(where);
    QImage during;
    QTimer::singleShot(20, [&] {
      f.Input("L20,20 Right Return");
      during = f.Screen().copy(where);
      seen << "paused";
    });
    count.setText("64");
    f.window.input_gate().Pause(200);
    QCoreApplication::processEvents();
    QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier,
                   QStringLiteral("\r"), true);
    QCoreApplication::sendEvent(f.window.windowHandle(), &held);
    QCOMPARE(seen.join(' '), "paused 0,0 4,2");
    QVERIFY(during != before);
  }
};

}  // namespace qf::testing

QTEST_MAIN(qf::testing::UiTest)

#include "ui_test.moc"
