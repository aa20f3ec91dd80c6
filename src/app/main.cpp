// The desktop program: start-up, the main window and the event loop.
#include <QApplication>
#include <QByteArray>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "game/app_state.h"
#include "game/turn_controller.h"
#include "ui/close_request_filter.h"
#include "ui/main_window.h"
#include "ui/qt_shell.h"
#include "ui/resources.h"

namespace {

struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  QString text;
};

QtMessageHandler previous_handler = nullptr;
std::vector<HeldMessage>* held_messages = nullptr;

// While the window system starts, Qt's messages are held back: without a
// usable display Qt explains the failure over several lines and then aborts
// with a core dump. Say it in one line and leave with a failure status
// instead; after a good start the held messages are passed on.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  if (held_messages == nullptr) {
    previous_handler(type, context, message);
    return;
  }
  if (type == QtFatalMsg) {
    std::fputs("quadriflank: cannot open a display (no usable window system)\n",
               stderr);
    std::fflush(nullptr);
    std::_Exit(1);
  }
  held_messages->push_back({type, QByteArray(context.category), message});
}

void PassOnHeldMessages(std::vector<HeldMessage>& messages) {
  for (const HeldMessage& held : messages) {
    const QMessageLogContext context(nullptr, 0, nullptr,
                                     held.category.constData());
    previous_handler(held.type, context, held.text);
  }
}

}  // namespace

int main(int, char** argv) {
  // The program takes no options, so Qt sees none either.
  int qt_argc = 1;
  char* qt_argv[] = {argv[0], nullptr};

  std::vector<HeldMessage> startup_messages;
  held_messages = &startup_messages;
  previous_handler = qInstallMessageHandler(StartupMessageHandler);
  QApplication app(qt_argc, qt_argv);
  held_messages = nullptr;
  PassOnHeldMessages(startup_messages);
  QApplication::setDesktopFileName(QStringLiteral(QF_APP_ID));
  QApplication::setWindowIcon(qf::ProgramIcon());

  // The window system had to come first; from here on the start-up runs in
  // the game's own order. The state's initial values already are what the
  // steps below set; they are set again so that the order reads here.
  auto state = std::make_unique<qf::AppState>();
  state->random.SetRandomSeed(1);
  qf::UiResources ui = qf::MakeUiResources();  // fonts, face colour, menu
  // The weight table is built when the program is compiled.
  state->board = qf::Board();  // empty, MoveCount and GameOn 0
  state->order.ParticipantNames = {};

  qf::MainWindow window(ui, state->shown_board);
  qf::QtShell shell(window, *state);
  qf::TurnController controller(*state, shell);
  window.SetStartHandler([&controller] { controller.StartGame(); });
  window.SetClickHandler([&controller](uint32_t flags, uint16_t x, uint16_t y) {
    controller.OnBoardClick(flags, x, y);
  });
  window.show();
  // The board takes the keyboard at once, with or without a window manager.
  window.activateWindow();
  qf::CloseRequestFilter close_requests(window);

  QApplication::exec();
  // Quitting ends the process inside the window's handlers; this is reached
  // only if the window system closes the loop by itself.
  qf::QuitProcess();
}
