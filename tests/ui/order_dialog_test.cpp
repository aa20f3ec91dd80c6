// The order window: its controls, the roulette running in it, the two
// presses, closing, keys that mean nothing, and what it leaves behind.
#include "ui/order_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <algorithm>

#include "order/roulette.h"
#include "ui/controls.h"
#include "ui_test_support.h"

namespace qf::testing {
namespace {

QString Text(QWidget& dialog, int id) {
  QWidget* control = FindControl(dialog, id);
  return control ? WidgetText(*control) : QStringLiteral("<missing>");
}

QPushButton& Button(QWidget& dialog) {
  return *qobject_cast<QPushButton*>(FindControl(dialog, kOrderButtonId));
}

QStringList NameLabels(QWidget& dialog) {
  QStringList names;
  for (int id : kNameLabelIds) names << Text(dialog, id);
  return names;
}

bool IsPermutation(std::array<int32_t, 4> order) {
  std::sort(order.begin(), order.end());
  return order == std::array<int32_t, 4>{0, 1, 2, 3};
}

int32_t Run(WindowFixture& fixture, std::string_view name) {
  return RunModalWindow(*fixture.window, name, fixture.state.order,
                        fixture.state.random, fixture.ui.dialog_font);
}

}  // namespace

class OrderDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void ControlsAndWindow() {
    WindowFixture fixture;
    struct Expected {
      int id;
      const char* text;
      QRect geometry;
      Qt::Alignment alignment;
    };
    const std::vector<Expected> expected = {
        {1000, "打つ順番", {15, 18, 50, 14}, Qt::AlignLeft},
        {1002, "1", {71, 18, 50, 14}, Qt::AlignHCenter},
        {1003, "2", {132, 18, 50, 14}, Qt::AlignHCenter},
        {1005, "3", {193, 18, 50, 14}, Qt::AlignHCenter},
        {1006, "4", {254, 18, 50, 12}, Qt::AlignHCenter},
        {1008, "You", {70, 111, 50, 14}, Qt::AlignHCenter},
        {1009, "COM1", {131, 111, 50, 14}, Qt::AlignHCenter},
        {1011, "COM2", {192, 111, 50, 14}, Qt::AlignHCenter},
        {1012, "COM3", {254, 111, 50, 12}, Qt::AlignHCenter},
        {1013, "止める", {320, 19, 119, 104}, {}},
    };
    bool checked = false;
    WhenModal([&](QWidget& dialog) {
      checked = true;
      QCOMPARE(dialog.windowTitle(), QStringLiteral("打つ順番を決める"));
      QCOMPARE(dialog.size(), QSize(474, 144));
      QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
      QCOMPARE(dialog.windowModality(), Qt::ApplicationModal);
      QVERIFY(!dialog.windowIcon().isNull());
      QCOMPARE(dialog.findChildren<QWidget*>().size(), 10);
      for (const Expected& e : expected) {
        QWidget* control = FindControl(dialog, e.id);
        QVERIFY2(control != nullptr, qPrintable(QString::number(e.id)));
        QCOMPARE(control->geometry(), e.geometry);
        QCOMPARE(control->font().families().value(0),
                 QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(control->font().pixelSize(), 12);
        // The names spin already; the rest keep their texts.
        if (e.id < 1008 || e.id > 1012) {
          QCOMPARE(WidgetText(*control), QString::fromUtf8(e.text));
        }
        if (auto* label = qobject_cast<QLabel*>(control)) {
          QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, e.alignment);
        }
      }
      dialog.close();
    });
    QCOMPARE(Run(fixture, "GameInit"), 0);
    QVERIFY(checked);
  }

  // The first press stops the names on the order that PlayOrder holds, the
  // second starts the match with it.
  void TwoPressesStartTheMatch() {
    WindowFixture fixture;
    const uint32_t seed_before = fixture.state.random.RandomState();
    QStringList stopped_names;
    WhenModal([&](QWidget& dialog) {
      QPushButton& button = Button(dialog);
      // The roulette is running: the generator moves on every tick.
      QTRY_VERIFY(fixture.state.random.RandomState() != seed_before);
      QTest::mouseClick(&button, Qt::LeftButton);
      QCOMPARE(button.text(), QStringLiteral("対局開始"));
      QCOMPARE(fixture.state.order.OrderStopped, 1);
      stopped_names = NameLabels(dialog);
      const uint32_t state_when_stopped = fixture.state.random.RandomState();
      QTest::qWait(50);
      QCOMPARE(NameLabels(dialog), stopped_names);
      QCOMPARE(fixture.state.random.RandomState(), state_when_stopped);
      QTest::mouseClick(&button, Qt::LeftButton);
    });
    QCOMPARE(Run(fixture, "GameInit"), 1);
    const auto& order = fixture.state.order;
    QVERIFY(IsPermutation(order.PlayOrder));
    QStringList played;
    for (int32_t participant : order.PlayOrder) {
      played << QString::fromStdString(order.ParticipantNames[participant]);
    }
    QCOMPARE(played, stopped_names);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }

  void CloseGivesNoGame_data() {
    QTest::addColumn<bool>("stop_first");
    QTest::newRow("while spinning") << false;
    QTest::newRow("after the first press") << true;
  }

  void CloseGivesNoGame() {
    QFETCH(bool, stop_first);
    WindowFixture fixture;
    WhenModal([&](QWidget& dialog) {
      if (stop_first) QTest::mouseClick(&Button(dialog), Qt::LeftButton);
      dialog.close();
    });
    QCOMPARE(Run(fixture, "GameInit"), 0);
    QVERIFY(IsPermutation(fixture.state.order.PlayOrder));
  }

  // Neither key closes the window or presses the button, whether the button
  // has the focus or not.
  void EscapeAndEnterDoNothing() {
    WindowFixture fixture;
    bool still_open = false;
    WhenModal([&](QWidget& dialog) {
      QPushButton& button = Button(dialog);
      QWindow* handle = dialog.windowHandle();
      for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(handle, key);
      }
      QTest::mouseClick(&button, Qt::LeftButton);  // now it has the focus
      for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(handle, key);
        QTest::keyClick(&button, key);
      }
      QCoreApplication::processEvents();
      still_open = dialog.isVisible();
      QCOMPARE(button.text(), QStringLiteral("対局開始"));
      dialog.close();
    });
    QCOMPARE(Run(fixture, "GameInit"), 0);
    QVERIFY(still_open);
  }

  // While it is open the main window takes no input; it keeps painting and
  // gets its input back afterwards. Its teardown leaves the seat panels' ids.
  void OwnerBlockedAndIdsWrittenAtTeardown() {
    WindowFixture fixture;
    int presses = 0;
    fixture.window->SetClickHandler(
        [&](uint32_t, uint16_t, uint16_t) { ++presses; });
    const QPoint on_board(10, 10 + fixture.window->menuBar()->height());
    std::array<int32_t, 12> ids_while_open{};
    WhenModal([&](QWidget& dialog) {
      QCOMPARE(QApplication::activeModalWidget(), &dialog);
      ids_while_open = fixture.state.order.panel_control_ids.ids();
      QTest::mouseClick(fixture.window->windowHandle(), Qt::LeftButton, {},
                        on_board);
      QCOMPARE(GrabClientFromScreen(*fixture.window).pixel(1, 1),
               qRgb(0, 128, 0));
      dialog.close();
    });
    QCOMPARE(Run(fixture, "GameInit"), 0);
    QCOMPARE(presses, 0);
    // While open the count-label column names the labels under the discs.
    QCOMPARE(ids_while_open[0], 1008);
    QCOMPARE(ids_while_open[3], 1012);
    const std::array<int32_t, 12> seat_panel_ids = {
        1000, 1003, 1006, 1009, 1002, 1005, 1008, 1011, 1001, 1004, 1007, 1010};
    QCOMPARE(fixture.state.order.panel_control_ids.ids(), seat_panel_ids);
    QTest::mouseClick(fixture.window->windowHandle(), Qt::LeftButton, {},
                      on_board);
    QCOMPARE(presses, 1);
  }

  void OnlyGameInitOpensIt_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("lower case") << QStringLiteral("gameinit");
    QTest::newRow("longer") << QStringLiteral("GameInit2");
    QTest::newRow("shorter") << QStringLiteral("GameIni");
    QTest::newRow("empty") << QString();
    QTest::newRow("leading space") << QStringLiteral(" GameInit");
  }

  void OnlyGameInitOpensIt() {
    QFETCH(QString, name);
    WindowFixture fixture;
    const QByteArray bytes = name.toUtf8();
    const auto widgets_before = QApplication::allWidgets().size();
    const uint32_t random_before = fixture.state.random.RandomState();
    QCOMPARE(Run(fixture, std::string_view(bytes.constData(), bytes.size())),
             0);
    QCOMPARE(QApplication::allWidgets().size(), widgets_before);
    QCOMPARE(fixture.state.random.RandomState(), random_before);
    QCOMPARE(fixture.state.order.panel_control_ids.ids(),
             (std::array<int32_t, 12>{}));
  }
};

int RunOrderDialogTest(int argc, char** argv) {
  OrderDialogTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace qf::testing

#include "order_dialog_test.moc"
