// A game started through the real window, shell and game flow, with the
// pauses cut short: what the player sees once the order window is done, and
// after one legal press on the board.
#include <QAbstractButton>
#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "game/shell.h"
#include "game/turn_controller.h"
#include "order/roulette.h"
#include "ui/controls.h"
#include "ui/qt_shell.h"
#include "ui_test_support.h"

namespace qf::testing {
namespace {

const char* const kSeatTitles[] = {"黒 - ", "白 - ", "赤 - ", "黄 - "};
const char* const kNames[] = {"You", "COM1", "COM2", "COM3"};
const QRgb kCellColors[] = {qRgb(0, 128, 0), qRgb(0, 0, 0), qRgb(255, 255, 255),
                            qRgb(255, 0, 0), qRgb(255, 255, 0)};

int TotalDiscs(const Board& board) {
  int total = 0;
  for (int32_t seat = 1; seat <= 4; ++seat) total += board.CountDiscs(seat);
  return total;
}

}  // namespace

class GameStartTest : public QObject {
  Q_OBJECT

 private slots:
  void StartAndOneLegalPress() {
    WindowFixture fixture;
    MainWindow& window = *fixture.window;
    AppState& state = fixture.state;
    QtShell shell(window, state);
    shell.SetPauseFunction([](int32_t) {});
    TurnController controller(state, shell);
    window.SetStartHandler([&] { controller.StartGame(); });
    window.SetClickHandler([&](uint32_t flags, uint16_t x, uint16_t y) {
      controller.OnBoardClick(flags, x, y);
    });

    // Passes are possible, if rare, this early: a computer's pass leaves
    // out one move, the human's brings another round of three.
    int computer_passes = 0;
    int human_passes = 0;
    QTimer answer_boxes;
    connect(&answer_boxes, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) return;
      ++(box->text().startsWith(QStringLiteral("あなた")) ? human_passes
                                                          : computer_passes);
      box->button(QMessageBox::Ok)->click();
    });
    answer_boxes.start(5);

    // The press comes once the roulette shows the human in seat 4, so that
    // the three computer seats move before the human's turn.
    WhenModal([](QWidget& dialog) {
      QWidget* button = FindControl(dialog, kOrderButtonId);
      QWidget* last_name = FindControl(dialog, kNameLabelIds[3]);
      QVERIFY(button != nullptr && last_name != nullptr);
      QVERIFY(QTest::qWaitFor(
          [&] { return WidgetText(*last_name) == QStringLiteral("You"); }));
      QTest::mouseClick(button, Qt::LeftButton);  // "止める"
      QTest::mouseClick(button, Qt::LeftButton);  // "対局開始"
    });
    QAction* start = FindMenuCommand(window.game_menu(), kCmdStart);
    start->trigger();

    const int32_t human = state.current_seat;
    QCOMPARE(human, 4);
    QVERIFY(!start->isEnabled());
    QCOMPARE(state.board.MoveCount(), 3);
    QCOMPARE(TotalDiscs(state.board), 8 + 3);

    // The board on the screen, the panels and their status lines, as the
    // player sees them whenever it is the human's turn.
    auto check_the_players_view = [&] {
      QCOMPARE(state.shown_board, state.board.cells());
      const QImage client = GrabClientFromScreen(window);
      for (int column = 0; column < 8; ++column) {
        for (int row = 0; row < 8; ++row) {
          const int32_t cell = state.board.Cell(column, row);
          QCOMPARE(client.pixel(column * 50 + 24, row * 50 + 24),
                   kCellColors[cell]);
        }
      }
      for (int32_t seat = 1; seat <= 4; ++seat) {
        const int32_t base = 1000 + 3 * (seat - 1);
        QWidget* count = window.Control(base);
        QWidget* group = window.Control(base + 1);
        QWidget* status = window.Control(base + 2);
        const int32_t participant = state.order.PlayOrder[seat - 1];
        QCOMPARE(WidgetText(*group),
                 QString::fromUtf8(kSeatTitles[seat - 1]) +
                     QString::fromUtf8(kNames[participant]));
        QVERIFY(group->isVisible());
        QCOMPARE(WidgetText(*count),
                 QString::number(state.board.CountDiscs(seat)));
        QVERIFY(count->isVisible());
        QCOMPARE(status->isVisible(), seat == human);
        if (seat == human) {
          QCOMPARE(WidgetText(*status), QStringLiteral("Your Turn"));
        }
      }
    };
    check_the_players_view();
    if (QTest::currentTestFailed()) return;

    int column = -1;
    int row = -1;
    for (int c = 0; c < 8 && column < 0; ++c) {
      for (int r = 0; r < 8 && column < 0; ++r) {
        if (state.board.IsLegalMove(human, c, r)) {
          column = c;
          row = r;
        }
      }
    }
    QVERIFY(column >= 0);
    const int32_t moves_before = state.board.MoveCount();
    const int top = window.menuBar()->height();
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                      QPoint(column * 50 + 25, row * 50 + 25 + top));

    // The press was placed, then the three computer seats answered.
    QVERIFY(state.board.Cell(column, row) != 0);
    QCOMPARE(state.board.MoveCount(),
             moves_before + 1 + 3 * (1 + human_passes) - computer_passes);
    QVERIFY(!state.board.IsGameOver());
    QVERIFY(!start->isEnabled());
    check_the_players_view();
  }
};

int RunGameStartTest(int argc, char** argv) {
  GameStartTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace qf::testing

#include "game_start_test.moc"
