// The shell the game flow talks to: controls by id, the start command's
// state, the information box, and the pump that must not let a press in.
#include "ui/qt_shell.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include "game/shell.h"
#include "ui/board_view.h"
#include "ui/controls.h"
#include "ui_test_support.h"

namespace qf::testing {
namespace {

// Counts what the client area is sent, behind the shell's own filter.
class EventCounter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::User) ++markers;
    return false;
  }
  int markers = 0;
};

void PostPress(QWidget& target, Qt::MouseButton button, QEvent::Type type) {
  const QPointF point(20, 20);
  QCoreApplication::postEvent(
      &target, new QMouseEvent(type, point, target.mapToGlobal(point), button,
                               button, Qt::NoModifier));
}

}  // namespace

class QtShellTest : public QObject {
  Q_OBJECT

 private slots:
  void ControlsById() {
    WindowFixture fixture;
    QtShell shell(*fixture.window, fixture.state);
    shell.SetControlText(1001, "黒 - You");
    shell.SetControlText(1000, "12");
    shell.SetControlText(1002, "Thinking...");
    shell.ShowControl(1001, true);
    shell.ShowControl(1000, true);
    QCOMPARE(qobject_cast<QGroupBox*>(fixture.window->Control(1001))->title(),
             QStringLiteral("黒 - You"));
    QCOMPARE(WidgetText(*fixture.window->Control(1000)), QStringLiteral("12"));
    QCOMPARE(WidgetText(*fixture.window->Control(1002)),
             QStringLiteral("Thinking..."));
    QVERIFY(fixture.window->Control(1001)->isVisible());
    QVERIFY(fixture.window->Control(1000)->isVisible());
    QVERIFY(fixture.window->Control(1002)->isHidden());
    // Status lines keep their place but never clip their text.
    for (int32_t id : {1002, 1005, 1008, 1011}) {
      shell.SetControlText(id, "Thinking...");
      QWidget* line = fixture.window->Control(id);
      QVERIFY(line->width() >=
              line->fontMetrics().horizontalAdvance("Thinking..."));
      QCOMPARE(line->height(), 15);
    }
    QCOMPARE(fixture.window->Control(1002)->pos(), QPoint(430, 110));
    shell.ShowControl(1000, false);
    QVERIFY(fixture.window->Control(1000)->isHidden());
    // Ids that name no control change nothing.
    shell.SetControlText(4242, "x");
    shell.ShowControl(4242, true);
  }

  void StartCommandState() {
    WindowFixture fixture;
    QtShell shell(*fixture.window, fixture.state);
    QAction* start = FindMenuCommand(fixture.window->game_menu(), kCmdStart);
    QAction* quit = FindMenuCommand(fixture.window->game_menu(), kCmdQuit);
    int starts = 0;
    fixture.window->SetStartHandler([&] { ++starts; });
    shell.SetStartEnabled(false);
    QVERIFY(!start->isEnabled());
    QVERIFY(quit->isEnabled());
    start->trigger();
    QCOMPARE(starts, 0);
    shell.SetStartEnabled(true);
    QVERIFY(start->isEnabled());
    start->trigger();
    QCOMPARE(starts, 1);
  }

  void InfoMessage() {
    WindowFixture fixture;
    QtShell shell(*fixture.window, fixture.state);
    bool seen = false;
    WhenModal([&](QWidget& modal) {
      auto* box = qobject_cast<QMessageBox*>(&modal);
      QVERIFY(box != nullptr);
      seen = true;
      QCOMPARE(box->windowTitle(), QStringLiteral("リバーシ"));
      QCOMPARE(
          box->text(),
          QStringLiteral("COM2は石を置ける場所が無いためパスとなります。"));
      QCOMPARE(box->icon(), QMessageBox::Information);
      QCOMPARE(box->standardButtons(), QMessageBox::Ok);
      QCOMPARE(box->parentWidget(), fixture.window.get());
      box->button(QMessageBox::Ok)->click();
    });
    shell.ShowInfoMessage("COM2は石を置ける場所が無いためパスとなります。",
                          "リバーシ");
    QVERIFY(seen);
  }

  // Left presses and double clicks on the client area are dropped while the
  // game flow pumps; other events, the right button and the menu go on.
  void PumpDropsLeftPresses() {
    WindowFixture fixture;
    QtShell shell(*fixture.window, fixture.state);
    QWidget& client = fixture.window->client_area();
    int presses = 0;
    fixture.window->SetClickHandler(
        [&](uint32_t, uint16_t, uint16_t) { ++presses; });
    EventCounter counter;
    client.installEventFilter(&counter);

    for (QWidget* target :
         {&client, static_cast<QWidget*>(&fixture.window->board_view())}) {
      PostPress(*target, Qt::LeftButton, QEvent::MouseButtonPress);
      PostPress(*target, Qt::LeftButton, QEvent::MouseButtonDblClick);
    }
    PostPress(client, Qt::RightButton, QEvent::MouseButtonPress);
    QCoreApplication::postEvent(&client, new QEvent(QEvent::User));
    QAction* start = FindMenuCommand(fixture.window->game_menu(), kCmdStart);
    int starts = 0;
    fixture.window->SetStartHandler([&] { ++starts; });
    QMetaObject::invokeMethod(start, &QAction::trigger, Qt::QueuedConnection);

    // The search calls the pump on every node; it takes the events once
    // enough time has passed, whenever that is.
    const QDeadlineTimer deadline(30000);
    while (counter.markers == 0 && !deadline.hasExpired()) {
      shell.PumpOneMessage();
    }
    QCOMPARE(counter.markers, 1);
    QCOMPARE(starts, 1);
    QCOMPARE(presses, 0);

    // Outside the pump a press is a press again.
    PostPress(client, Qt::LeftButton, QEvent::MouseButtonPress);
    QCoreApplication::processEvents();
    QCOMPARE(presses, 1);
    client.removeEventFilter(&counter);
  }

  // A single request right after drawing takes the pending events, as the
  // game flow's one pump after the first drawing of a game expects.
  void PumpAfterDrawingTakesEvents() {
    WindowFixture fixture;
    QtShell shell(*fixture.window, fixture.state);
    EventCounter counter;
    fixture.window->client_area().installEventFilter(&counter);
    QTest::qWait(QtShell::kPumpIntervalMs + 5);
    QCoreApplication::postEvent(&fixture.window->client_area(),
                                new QEvent(QEvent::User));
    shell.DrawBoard();
    shell.PumpOneMessage();
    QCOMPARE(counter.markers, 1);
    fixture.window->client_area().removeEventFilter(&counter);
  }

  // "終了(&X)" chosen while a computer player thinks reaches the quit
  // handler from inside the pump, with "始める" grey meanwhile.
  // A pause takes no input, but window-system requests such as a close
  // request are still answered while it lasts.
  void PauseAnswersTheWindowSystem() {
    WindowFixture fixture;
    QtShell shell(*fixture.window, fixture.state);
    bool answered = false;
    QTimer::singleShot(10, [&answered] { answered = true; });
    QElapsedTimer elapsed;
    elapsed.start();
    shell.Pause(150);
    QVERIFY(answered);
    QVERIFY(elapsed.elapsed() >= 150);
  }

  void QuitFromInsideThePump() {
    WindowFixture fixture;
    QtShell shell(*fixture.window, fixture.state);
    QAction* quit = FindMenuCommand(fixture.window->game_menu(), kCmdQuit);
    int quits_inside = -1;
    fixture.window->SetStartHandler([&] {
      shell.SetStartEnabled(false);
      QMetaObject::invokeMethod(quit, &QAction::trigger, Qt::QueuedConnection);
      const QDeadlineTimer deadline(30000);
      while (fixture.quits == 0 && !deadline.hasExpired()) {
        shell.PumpOneMessage();
      }
      quits_inside = fixture.quits;
    });
    FindMenuCommand(fixture.window->game_menu(), kCmdStart)->trigger();
    QCOMPARE(quits_inside, 1);
  }
};

int RunQtShellTest(int argc, char** argv) {
  QtShellTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace qf::testing

#include "qt_shell_test.moc"
