// What the Qt tests share: a main window over a fresh game state, and
// helpers to look at pixels.
#ifndef QUADRIFLANK_TESTS_UI_UI_TEST_SUPPORT_H_
#define QUADRIFLANK_TESTS_UI_UI_TEST_SUPPORT_H_

#include <QImage>
#include <QObject>
#include <memory>

#include "game/app_state.h"
#include "ui/main_window.h"
#include "ui/resources.h"

namespace qf::testing {

struct WindowFixture {
  WindowFixture();
  ~WindowFixture();

  AppState state;
  UiResources ui;
  std::unique_ptr<MainWindow> window;
  int quits = 0;
};

// What the main window's client area shows on the screen right now.
QImage GrabClientFromScreen(const MainWindow& window);

// Runs `action` once the next modal loop is running.
void WhenModal(std::function<void(QWidget& modal)> action);

}  // namespace qf::testing

#endif  // QUADRIFLANK_TESTS_UI_UI_TEST_SUPPORT_H_
