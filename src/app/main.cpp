// The desktop program: start-up, the main window and the event loop.
#include <unistd.h>

#include <QApplication>
#include <QByteArray>
#include <QtGlobal>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "app/command_line.h"
#include "ui/close_request_filter.h"
#include "ui/main_window.h"
#include "ui/program.h"
#include "ui/resources.h"

namespace {

constexpr char kNoDisplay[] =
    "quadriflank: cannot open a display (no usable window system)";

struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  QString text;
};

// Qt's messages until the window is on the screen. Qt may log from other
// threads, so they are reached under the lock.
struct StartupMessages {
  std::mutex lock;
  bool holding = true;
  // Set while Qt looks for a window system.
  std::atomic<bool> opening_display = false;
  std::vector<HeldMessage> held;
};

QtMessageHandler previous_handler = nullptr;
StartupMessages* startup = nullptr;

[[noreturn]] void FailToStart(const QString& reason) {
  std::fprintf(stderr, "%s\n", reason.toLocal8Bit().constData());
  std::fflush(nullptr);
  std::_Exit(1);
}

// Until the window is on the screen, Qt's messages are held back: a window
// system that cannot show it explains the failure over several lines and
// then aborts with a core dump. Say it in one line, with the fatal
// message's own first line, and leave with a failure status instead; after
// a good start the held messages are passed on.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  {
    std::lock_guard guard(startup->lock);
    if (startup->holding) {
      if (type != QtFatalMsg) {
        startup->held.push_back({type, QByteArray(context.category), message});
        return;
      }
      const QString first_line = message.section(QLatin1Char('\n'), 0, 0);
      FailToStart(startup->opening_display
                      ? QStringLiteral("%1: %2").arg(kNoDisplay, first_line)
                      : QStringLiteral("quadriflank: %1").arg(first_line));
    }
  }
  previous_handler(type, context, message);
}

void PassOnHeldMessages() {
  std::vector<HeldMessage> held;
  {
    std::lock_guard guard(startup->lock);
    startup->holding = false;
    held.swap(startup->held);
  }
  for (const HeldMessage& message : held) {
    const QMessageLogContext context(nullptr, 0, nullptr,
                                     message.category.constData());
    previous_handler(message.type, context, message.text);
  }
}

// A request to end the program ends it as quitting does, with status 0:
// where the window system has no close box, a signal is the way out.
void EndOnSignal(int) { _exit(0); }

void EndOnSignals() {
  struct sigaction action = {};
  action.sa_handler = EndOnSignal;
  sigaction(SIGTERM, &action, nullptr);
  // A hang-up or interrupt that the program was started to ignore, as by
  // nohup, stays ignored.
  for (int signal : {SIGINT, SIGHUP}) {
    struct sigaction inherited = {};
    sigaction(signal, nullptr, &inherited);
    if (inherited.sa_handler != SIG_IGN) sigaction(signal, &action, nullptr);
  }
}

}  // namespace

int main(int argc, char** argv) {
  EndOnSignals();

  // Answered before any window system is opened; Qt's own options are left
  // in argv for QApplication.
  const qf::StartOptions options = qf::ReadCommandLine(argc, argv);

  StartupMessages startup_messages;
  startup = &startup_messages;
  previous_handler = qInstallMessageHandler(StartupMessageHandler);
  startup_messages.opening_display = true;
  QApplication app(argc, argv);
  // Some window systems start without any screen to show a window on.
  if (QGuiApplication::primaryScreen() == nullptr) {
    FailToStart(QString::fromLatin1(kNoDisplay));
  }
  startup_messages.opening_display = false;
  QApplication::setDesktopFileName(QStringLiteral(QF_APP_ID));
  QApplication::setWindowIcon(qf::ProgramIcon());

  qf::Program program(options.disc_marks);
  program.window.show();
  // The board takes the keyboard at once, with or without a window manager.
  program.window.activateWindow();
  qf::CloseRequestFilter close_requests(program.window);
  PassOnHeldMessages();

  QApplication::exec();
  // Quitting ends the process from the window's handlers; this is reached
  // only if the window system closes the loop by itself.
  qf::QuitProcess();
}
