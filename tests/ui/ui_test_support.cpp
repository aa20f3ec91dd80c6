#include "ui_test_support.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QMainWindow>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace qf::testing {

WindowFixture::WindowFixture() : ui(MakeUiResources()) {
  window = std::make_unique<MainWindow>(ui, state.shown_board);
  window->SetQuitHandler([this] { ++quits; });
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get())) {
    qWarning("the main window was not exposed");
  }
}

WindowFixture::~WindowFixture() { window.reset(); }

QImage GrabClientFromScreen(const MainWindow& window) {
  QWidget& client = window.client_area();
  const QPoint origin = client.mapTo(&window, QPoint(0, 0));
  return window.windowHandle()
      ->screen()
      ->grabWindow(window.winId(), origin.x(), origin.y(), client.width(),
                   client.height())
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

void WhenModal(std::function<void(QWidget& modal)> action) {
  // Polls because the modal window appears only once its loop runs.
  auto* timer = new QTimer;
  timer->setInterval(1);
  const QDeadlineTimer deadline(20000);
  QObject::connect(timer, &QTimer::timeout, [timer, action, deadline] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) {
      if (!deadline.hasExpired()) return;
      // No modal window: end whatever window was opened instead, so that
      // the test fails on its checks rather than hanging.
      qWarning("no modal window appeared");
      timer->stop();
      timer->deleteLater();
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && !qobject_cast<QMainWindow*>(widget)) {
          widget->close();
        }
      }
      return;
    }
    timer->stop();
    timer->deleteLater();
    QPointer<QWidget> guard(modal);
    action(*modal);
    // A failed check returns early; the window must not stay open then.
    if (guard && guard->isVisible()) guard->close();
  });
  timer->start();
}

}  // namespace qf::testing
