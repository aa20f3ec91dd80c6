// The desktop program: start-up, the main window and the event loop.
#include <unistd.h>

#include <QApplication>
#include <QByteArray>
#include <QtGlobal>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/command_line.h"
#include "ui/close_request_filter.h"
#include "ui/main_window.h"
#include "ui/program.h"
#include "ui/resources.h"

namespace {

struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  QString text;
};

QtMessageHandler previous_handler = nullptr;
std::vector<HeldMessage>* held_messages = nullptr;

[[noreturn]] void CannotOpenDisplay() {
  std::fputs("quadriflank: cannot open a display (no usable window system)\n",
             stderr);
  std::fflush(nullptr);
  std::_Exit(1);
}

// Until the window is on the screen, Qt's messages are held back: a window
// system that cannot show it explains the failure over several lines and
// then aborts with a core dump. Say it in one line and leave with a failure
// status instead; after a good start the held messages are passed on.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  if (held_messages == nullptr) {
    previous_handler(type, context, message);
    return;
  }
  if (type == QtFatalMsg) CannotOpenDisplay();
  held_messages->push_back({type, QByteArray(context.category), message});
}

void PassOnHeldMessages(std::vector<HeldMessage>& messages) {
  for (const HeldMessage& held : messages) {
    const QMessageLogContext context(nullptr, 0, nullptr,
                                     held.category.constData());
    previous_handler(held.type, context, held.text);
  }
}

// A request to end the program ends it as quitting does, with status 0:
// where the window system has no close box, a signal is the way out.
void EndOnSignal(int) { _exit(0); }

}  // namespace

int main(int argc, char** argv) {
  struct sigaction action = {};
  action.sa_handler = EndOnSignal;
  for (int signal : {SIGTERM, SIGINT, SIGHUP})
    sigaction(signal, &action, nullptr);

  // Answered before any window system is opened; Qt's own options are left
  // in argv for QApplication.
  const qf::StartOptions options = qf::ReadCommandLine(argc, argv);

  std::vector<HeldMessage> startup_messages;
  held_messages = &startup_messages;
  previous_handler = qInstallMessageHandler(StartupMessageHandler);
  QApplication app(argc, argv);
  // Some window systems start without any screen to show a window on.
  if (QGuiApplication::primaryScreen() == nullptr) CannotOpenDisplay();
  QApplication::setDesktopFileName(QStringLiteral(QF_APP_ID));
  QApplication::setWindowIcon(qf::ProgramIcon());

  qf::Program program(options.disc_marks);
  program.window.show();
  // The board takes the keyboard at once, with or without a window manager.
  program.window.activateWindow();
  qf::CloseRequestFilter close_requests(program.window);
  held_messages = nullptr;
  PassOnHeldMessages(startup_messages);

  QApplication::exec();
  // Quitting ends the process inside the window's handlers; this is reached
  // only if the window system closes the loop by itself.
  qf::QuitProcess();
}
