// The main window: its size and flags, the seat-panel controls, the menu,
// and which presses and commands reach the game flow.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QWindow>
#include <vector>

#include "game/shell.h"
#include "ui/controls.h"
#include "ui_test_support.h"

namespace qf::testing {

struct Press {
  uint32_t flags;
  uint16_t x;
  uint16_t y;
  bool operator==(const Press&) const = default;
};

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void FixedClientAreaUnderTheMenu() {
    WindowFixture fixture;
    MainWindow& window = *fixture.window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Quadriflank"));
    QCOMPARE(window.client_area().size(), QSize(500, 400));
    const QPoint origin = window.client_area().mapTo(&window, QPoint(0, 0));
    QCOMPARE(origin, QPoint(0, window.menuBar()->height()));
    QCOMPARE(window.size(), QSize(500, 400 + window.menuBar()->height()));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!window.windowIcon().isNull());
  }

  // The embedded icon: four green cells with black borders holding a black,
  // white, red and yellow disc.
  void ProgramIconPixels() {
    const QImage icon = ProgramIcon().pixmap(32, 32).toImage().convertToFormat(
        QImage::Format_RGB32);
    QCOMPARE(icon.size(), QSize(32, 32));
    const QRgb black = qRgb(0, 0, 0);
    const QRgb green = qRgb(0, 128, 0);
    QCOMPARE(icon.pixel(8, 8), black);
    QCOMPARE(icon.pixel(24, 8), qRgb(255, 255, 255));
    QCOMPARE(icon.pixel(8, 24), qRgb(255, 0, 0));
    QCOMPARE(icon.pixel(24, 24), qRgb(255, 255, 0));
    for (int corner : {1, 17}) {
      QCOMPARE(icon.pixel(corner, corner), green);
      QCOMPARE(icon.pixel(corner - 1, corner), black);
    }
    QCOMPARE(icon.pixel(15, 8), black);
    QCOMPARE(icon.pixel(16, 8), black);
  }

  void SeatPanelControls_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("geometry");
    auto row = [](int id, const char* kind, const char* text, int x, int y,
                  int w, int h) {
      QTest::addRow("%d", id) << id << QString::fromLatin1(kind)
                              << QString::fromUtf8(text) << QRect(x, y, w, h);
    };
    row(1000, "count", "25", 428, 89, 44, 15);
    row(1001, "group", "Group1", 416, 67, 78, 72);
    row(1002, "status", "Your Turn", 430, 110, 55, 15);
    row(1003, "count", "39", 426, 171, 46, 15);
    row(1004, "group", "Group2", 416, 150, 78, 72);
    row(1005, "status", "Thinking...", 430, 193, 53, 15);
    row(1006, "count", "25", 430, 254, 44, 15);
    row(1007, "group", "Group3", 416, 232, 78, 72);
    row(1008, "status", "Thinking...", 430, 275, 55, 15);
    row(1009, "count", "39", 428, 336, 46, 15);
    row(1010, "group", "Group4", 416, 315, 78, 72);
    row(1011, "status", "Thinking...", 431, 358, 53, 15);
  }

  void SeatPanelControls() {
    QFETCH(int, id);
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QRect, geometry);
    WindowFixture fixture;
    QWidget* control = fixture.window->Control(id);
    QVERIFY(control != nullptr);
    QCOMPARE(control->parentWidget(), &fixture.window->client_area());
    QCOMPARE(control->geometry(), geometry);
    QVERIFY(control->isHidden());
    QVERIFY(control->testAttribute(Qt::WA_TransparentForMouseEvents));
    QCOMPARE(control->font().families().value(0),
             QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(control->font().families().value(1), QStringLiteral("IPAPGothic"));
    QCOMPARE(control->font().pixelSize(), 12);
    QCOMPARE(WidgetText(*control), text);
    if (kind == "group") {
      QVERIFY(qobject_cast<QGroupBox*>(control) != nullptr);
    } else {
      auto* label = qobject_cast<QLabel*>(control);
      QVERIFY(label != nullptr);
      const Qt::Alignment horizontal =
          label->alignment() & Qt::AlignHorizontal_Mask;
      QCOMPARE(horizontal, kind == "count" ? Qt::AlignRight : Qt::AlignLeft);
    }
  }

  void GameMenu() {
    WindowFixture fixture;
    const QList<QAction*> bar = fixture.window->menuBar()->actions();
    QCOMPARE(bar.size(), 1);
    QCOMPARE(bar[0]->text(), QStringLiteral("ゲーム(&G)"));
    QCOMPARE(bar[0]->menu(), &fixture.window->game_menu());
    const QList<QAction*> items = fixture.window->game_menu().actions();
    QCOMPARE(items.size(), 3);
    QCOMPARE(items[0]->text(), QStringLiteral("始める"));
    QCOMPARE(items[0]->data().toInt(), kCmdStart);
    QVERIFY(items[1]->isSeparator());
    QCOMPARE(items[2]->text(), QStringLiteral("終了(&X)"));
    QCOMPARE(items[2]->data().toInt(), kCmdQuit);
    QVERIFY(items[0]->isEnabled());
    QVERIFY(items[2]->isEnabled());
    QCOMPARE(FindMenuCommand(fixture.window->game_menu(), kCmdStart), items[0]);
    QCOMPARE(FindMenuCommand(fixture.window->game_menu(), kCmdQuit), items[2]);
  }

  // Presses travel the real path from the window system: through the
  // window, past the transparent board and panels, to the client area.
  void LeftPressesReachTheGameFlow() {
    WindowFixture fixture;
    std::vector<Press> presses;
    fixture.window->SetClickHandler(
        [&](uint32_t flags, uint16_t x, uint16_t y) {
          presses.push_back({flags, x, y});
        });
    for (int id = 1000; id <= 1011; ++id) fixture.window->Control(id)->show();
    QWindow* handle = fixture.window->windowHandle();
    const int top = fixture.window->menuBar()->height();
    const std::vector<QPoint> points = {{0, 0},     {399, 399}, {400, 10},
                                        {450, 100}, {499, 399}, {125, 75}};
    for (const QPoint& point : points) {
      QTest::mouseClick(handle, Qt::LeftButton, {}, point + QPoint(0, top));
    }
    QTest::mouseClick(handle, Qt::RightButton, {}, QPoint(10, 10 + top));
    QTest::mouseClick(handle, Qt::MiddleButton, {}, QPoint(10, 10 + top));
    QTest::keyClick(handle, Qt::Key_Space);
    // On the menu bar: opens the menu, is no press on the board.
    QTest::mouseClick(handle, Qt::LeftButton, {}, QPoint(30, top / 2));
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();

    std::vector<Press> expected;
    for (const QPoint& point : points) {
      expected.push_back({0x0001, static_cast<uint16_t>(point.x()),
                          static_cast<uint16_t>(point.y())});
    }
    QCOMPARE(presses.size(), expected.size());
    QVERIFY(presses == expected);
  }

  void DoubleClickIsOnePress() {
    WindowFixture fixture;
    int presses = 0;
    fixture.window->SetClickHandler(
        [&](uint32_t, uint16_t, uint16_t) { ++presses; });
    const QPoint point(100, 100 + fixture.window->menuBar()->height());
    QTest::mouseDClick(fixture.window->windowHandle(), Qt::LeftButton, {},
                       point);
    QCOMPARE(presses, 1);
  }

  void QuitByMenuAndCloseBox() {
    WindowFixture fixture;
    FindMenuCommand(fixture.window->game_menu(), kCmdQuit)->trigger();
    QCOMPARE(fixture.quits, 1);
    fixture.window->close();
    QCOMPARE(fixture.quits, 2);
  }

  // A command dispatched while the game flow runs (as a pump or a modal
  // loop inside it would) does not start a second game flow.
  void GameFlowIsNotReentered() {
    WindowFixture fixture;
    QAction* start = FindMenuCommand(fixture.window->game_menu(), kCmdStart);
    int starts = 0;
    int presses = 0;
    fixture.window->SetClickHandler([&](uint32_t, uint16_t, uint16_t) {
      ++presses;
      start->trigger();
    });
    fixture.window->SetStartHandler([&] {
      ++starts;
      QVERIFY(fixture.window->InGameFlow());
      start->trigger();
      QTest::mouseClick(fixture.window->windowHandle(), Qt::LeftButton, {},
                        QPoint(10, 10 + fixture.window->menuBar()->height()));
    });
    start->trigger();
    QCOMPARE(starts, 1);
    QCOMPARE(presses, 0);
    QVERIFY(!fixture.window->InGameFlow());
    start->trigger();
    QCOMPARE(starts, 2);
  }
};

int RunMainWindowTest(int argc, char** argv) {
  MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace qf::testing

#include "main_window_test.moc"
