// Qt tests of the window code on the offscreen platform: the window, its
// board's pixels, panels and accessible cells, the notice, presses and keys,
// and the player's input while a game runs. CMake runs them in groups by
// slot name.
#include <QAccessible>
#include <QApplication>
#include <QDeadlineTimer>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "game/spoken.h"
#include "ui/board_painter.h"
#include "ui/board_view.h"
#include "ui/order_dialog.h"
#include "ui/program.h"

namespace qf {

class TurnControllerPeer {
 public:
  static Board& board(TurnController& controller) { return controller.board_; }
};

namespace testing {
namespace {

// The disc colours of seats 1..4.
const QRgb kSeatRgb[] = {0, qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 0, 0),
                         qRgb(255, 255, 0)};

// Waits until `window` is the one that has the keyboard.
bool Active(QWidget* window) {
  return QTest::qWaitFor(
      [window] { return QApplication::activeWindow() == window; });
}

// The program over a fresh state, the window shown and active; quitting is
// counted, not done.
struct Fixture : Program {
  BoardView& view = window.board_view();
  int quits = 0;
  // What the notice said, in order.
  QStringList said;

  Fixture() {
    QObject::disconnect(&window, &MainWindow::quitRequested, nullptr, nullptr);
    QObject::connect(&window, &MainWindow::quitRequested, [this] { ++quits; });
    window.announcer().installEventFilter(&notice_watch);
    window.show();
    if (!Active(&window)) qWarning("not active");
  }
  struct NoticeWatch : QObject {
    QStringList& said;
    explicit NoticeWatch(QStringList& said) : said(said) {}
    bool eventFilter(QObject* notice, QEvent* event) override {
      if (event->type() == QEvent::Show)
        said << static_cast<QWidget*>(notice)->accessibleName();
      return false;
    }
  } notice_watch{said};
  // Starts a game, the order fixed before the roulette's first draw: the
  // human in seat 1, COM1..COM3 in seats 2..4.
  void StartGame() {
    window.start_command().trigger();
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (auto* order = qobject_cast<OrderDialog*>(top)) {
        QPushButton* button = order->findChild<QPushButton*>();
        button->click();
        button->click();
      }
    }
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
        const QKeyCombination key = QKeySequence(step)[0];
        QTest::keyClick(to, key.key(), key.keyboardModifiers());
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

// A box opened as the game opens one, counting its end.
FlowTask ShowBox(QtShell& shell, int& closed) {
  co_await Wait<>([&shell](Reply<> reply) {
    shell.ShowMessage("COM1", "リバーシ", std::move(reply));
  });
  ++closed;
}

// "c,r" for a press on a board cell.
QString Describe(Coord cell) {
  return QString("%1,%2").arg(cell.column).arg(cell.row);
}

}  // namespace

class UiTest : public QObject {
  Q_OBJECT

 private slots:
  // The board's pixels and a blink that lasts until the next paint, the
  // window, and the board as assistive technology reads it: 64 cells, child
  // 8r + c being the cell (c, r), named from the shown position and the
  // legal cells, with no row and column interface; a notice said to it
  // changes no pixel and carries its text.
  void Window() {
    Fixture f;
    Cells filled{};
    for (int i = 0; i < 64; ++i) filled[i] = i % 5;  // (6,1) is 4: yellow
    for (auto [cells, blink] :
         {std::pair{Cells{}, -1}, {filled, -1}, {filled, 0}, {filled, 3}}) {
      f.view.ShowPosition(cells);
      const Cells shown = cells;
      if (blink >= 0) f.view.DrawCellNow(blink, 6, 1);
      if (blink >= 0) cells[CellIndex(6, 1)] = blink;
      QCOMPARE(f.WrongPixel(cells), QString());
      f.view.repaint();
      QCOMPARE(f.WrongPixel(shown), QString());
    }
    f.window.announcer().Say(QStringLiteral("COM2 e6. Your turn"));
    QCoreApplication::processEvents();
    QCOMPARE(f.WrongPixel(filled), QString());
    auto* notice = QAccessible::queryAccessibleInterface(&f.window.announcer());
    QCOMPARE(notice->role(), QAccessible::Notification);
    QCOMPARE(notice->text(QAccessible::Name), "COM2 e6. Your turn");
    QWidget& client = *f.window.centralWidget();
    QCOMPARE(QRect(client.mapTo(&f.window, QPoint()), client.size()),
             QRect(f.At(0, 0), QSize(500, 400)));
    QCOMPARE(f.window.size(), QSize(500, f.At(0, 400).y()));
    QCOMPARE(f.window.minimumSize(), f.window.maximumSize());
    f.view.ShowLegalCells({{2, 0}, {1, 3}});
    auto* board = QAccessible::queryAccessibleInterface(&f.view);
    QVERIFY(board->role() == QAccessible::Table && !board->tableInterface());
    QCOMPARE(board->text(QAccessible::Name), "Board");
    QCOMPARE(board->childCount(), 64);
    QAccessibleInterface* b4 = board->child(3 * 8 + 1);
    QVERIFY(b4->role() == QAccessible::Cell && !b4->tableCellInterface());
    QCOMPARE(b4->text(QAccessible::Name), "b4, black, legal");
    QCOMPARE(b4->rect(),
             QRect(f.view.mapToGlobal(QPoint(50, 150)), QSize(50, 50)));
    QCOMPARE(board->childAt(b4->rect().center().x(), b4->rect().center().y()),
             b4);
    QString names;  // the first row
    for (int i = 0; i < 5; ++i)
      names += board->child(i)->text(QAccessible::Name) + ";";
    QCOMPARE(names, "a1, empty;b1, red;c1, black, legal;d1, yellow;e1, white;");
  }

  // Left clicks reach the game as the cell under them; clicks beside the
  // board and other buttons do not. Enter, Return and Space press the
  // cursor's cell, which starts at (3, 3), is drawn from the first key
  // until a mouse press, and moves by the arrows, Home, End (the ends of
  // its row) and L and Shift+L (the next and previous legal cell in
  // reading order, wrapping round). A held Enter presses once.
  void Presses() {
    const std::tuple<const char*, const char*, bool> rows[] = {
        {"Space L0,0 L399,399 L400,10 L450,100 L499,399 L125,75 D60,70 R0,0 "
         "L49,350",
         "3,3 0,0 7,7 2,1 1,1 0,7", false},
        {"A Esc Tab Space Return Enter", "3,3 3,3 3,3", true},
        {"Left Left Left Left Up Up Up Up Return Down Down Down End Space Down "
         "Down Down Down Down Right Home Enter",
         "0,0 7,3 0,7", true},
        {"L Space L Space Shift+L Space Shift+L Space Shift+L Space",
         "0,7 5,0 0,7 2,3 5,0", true}};
    for (auto [input, presses, ring] : rows) {
      Fixture f;
      QStringList seen;
      QObject::connect(&f.window, &MainWindow::cellPressed,
                       [&](Coord cell) { seen << Describe(cell); });
      f.view.ShowLegalCells({{2, 3}, {5, 0}, {0, 7}});
      f.Input(input);
      QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier,
                     QStringLiteral("\r"), true);
      QCoreApplication::sendEvent(f.window.windowHandle(), &held);
      QCOMPARE(seen.join(' '), presses);
      QCoreApplication::processEvents();  // the ring is all a key draws
      QCOMPARE(f.WrongPixel(Cells{}, 400).isEmpty(), !ring);
    }
  }

  // Who hears and sees what: the computers' moves at most three to a
  // notice, then the human's turn; the cursor's cell focused only while the
  // board has the keyboard, not while a box is open; a count of 1 is a
  // count, 0 is "失格"; "始める" is grey once a game is on.
  void Listening() {
    Fixture f;
    for (auto [count, text] : {std::pair{1, "1"}, {0, "失格"}}) {
      f.shell.ShowDiscCount(3, count);
      QCOMPARE(f.window.seat_panel(3).count->text(), QString(text));
    }
    for (int move = 0; move < 7; ++move)
      f.shell.ComputerMoved(2, move, 0, "COM1 " + CellLabel(move, 0));
    f.shell.SeatDisqualified(3, "COM2 disqualified");
    f.shell.HumanToMove({{3, 3}});
    QCOMPARE(f.said.join('|'),
             "COM1 a1. COM1 b1. COM1 c1|COM1 d1. COM1 e1. COM1 f1|"
             "COM1 g1. COM2 disqualified. Your turn");
    auto* board = QAccessible::queryAccessibleInterface(&f.view);
    QAccessibleInterface* d4 = board->child(3 * 8 + 3);
    QVERIFY(f.view.hasFocus() && d4->state().focused);
    int closed = 0;
    FlowTask box_shown = ShowBox(f.shell, closed);
    box_shown.Start();
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box && Active(box));
    QVERIFY(!d4->state().focused);
    box->button(QMessageBox::Ok)->click();
    QCOMPARE(closed, 1);
    QVERIFY(Active(&f.window));
    QVERIFY(f.view.hasFocus() && d4->state().focused);
    f.StartGame();
    QVERIFY(!f.window.start_command().isEnabled());
    QCOMPARE(f.window.seat_panel(1).frame->title(), "黒 - You");
  }

  // The order window's names spin without telling a screen reader of each
  // draw (a label with an accessible name of its own sends none), which
  // would flood it; once fixed, each says who sits there.
  void SpinningNames() {
    Fixture f;
    f.window.start_command().trigger();
    auto* order = qobject_cast<OrderDialog*>(QApplication::activeModalWidget());
    QList<QLabel*> names;
    for (QLabel* label : order->findChildren<QLabel*>())
      if (label->accessibleName() == "spinning") names << label;
    QCOMPARE(names.size(), 4);
    order->findChild<QPushButton*>()->click();
    for (QLabel* label : names)
      QCOMPARE(label->accessibleName(), label->text());
  }

  // While a game runs, the menu and quitting answer at once, in pauses and
  // blinks too: the human in seat 1 plays into a pass of seat 2. Alt+G in
  // the pause before the pass box opens the menu, which closes before the
  // box opens with the keyboard. Then in the first blink of seat 3's move,
  // Alt+G, X quits while the blink still shows.
  void InputWhilePlaying() {
    Fixture f;
    f.StartGame();
    Board& board = TurnControllerPeer::board(f.game);
    Cells cells{};
    cells[CellIndex(0, 0)] = 1, cells[CellIndex(1, 0)] = 3;  // "13*/"
    cells[CellIndex(7, 3)] = 2;
    cells[CellIndex(0, 5)] = 4, cells[CellIndex(1, 5)] = 1;
    cells[CellIndex(0, 7)] = 1, cells[CellIndex(1, 7)] = 4;
    board.SetPosition(cells, 4, 0);
    f.Input("L100,0");
    QTest::keyClick(f.window.windowHandle(), Qt::Key_G, Qt::AltModifier);
    QVERIFY(QApplication::activePopupWidget() != nullptr);
    QVERIFY(QTest::qWaitFor([] { return QApplication::activeModalWidget(); }));
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box && !QApplication::activePopupWidget());
    QVERIFY(Active(box));
    QVERIFY(box->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(Active(&f.window));
    // Seat 3 lost its last disc to the human's move; seat 4 thinks and
    // blinks.
    QVERIFY(QTest::qWaitFor([&] { return f.WrongPixel(board.cells()) != ""; }));
    QTest::keyClick(f.window.windowHandle(), Qt::Key_G, Qt::AltModifier);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_X);
    QCOMPARE(f.quits, 1);
    QVERIFY(f.WrongPixel(board.cells()) != "");
  }
};

}  // namespace testing
}  // namespace qf

QTEST_MAIN(qf::testing::UiTest)

#include "ui_test.moc"
