#include "ui_test_support.h"

#include <QApplication>
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
  QObject::connect(timer, &QTimer::timeout, [timer, action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) return;
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
