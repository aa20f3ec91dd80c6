#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "board/board_text.h"

namespace qf {
namespace {

constexpr const char* kProgram = "quadriflank";

// The options that QApplication and its X11 window system take: they pass
// here, unseen in the help, and Qt reads them when the application object
// is made.
constexpr const char* kQtOptionsWithValue[] = {
    "platform",        "platformpluginpath",
    "platformtheme",   "plugin",
    "qwindowgeometry", "qwindowtitle",
    "qwindowicon",     "geometry",
    "title",           "icon",
    "session",         "style",
    "stylesheet",      "qmljsdebugger",
    "display",         "name",
    "visual"};
constexpr const char* kQtFlags[] = {"reverse", "testability", "widgetcount",
                                    "nograb", "dograb"};

[[noreturn]] void Print(const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stdout);
  std::fflush(stdout);
  std::exit(0);
}

[[noreturn]] void UsageError(const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", kProgram, EscapeText(message).c_str());
  std::exit(2);
}

// The argument as it was given that the parser read as option `name`
// (without dashes or value), up to any '='.
std::string GivenOption(int argc, char** argv, const QString& name) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--") break;
    const std::string given = arg.substr(0, arg.find('='));
    const size_t dashes = given.find_first_not_of('-');
    if (dashes > 0 && dashes != std::string::npos &&
        QString::fromLocal8Bit(given.substr(dashes)) == name) {
      return given;
    }
  }
  return "--" + name.toStdString();
}

// Qt's messages end in a full stop and start with a capital; the program's
// start with a small letter, as quadriflank-cli's do.
std::string AsUsageMessage(QString text) {
  if (text.endsWith(u'.')) text.chop(1);
  if (!text.isEmpty()) text[0] = text[0].toLower();
  return text.toStdString();
}

}  // namespace

StartOptions ReadCommandLine(int argc, char** argv) {
  QCommandLineParser parser;
  // Qt's options start with one dash: "-platform" is one option, not six.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setApplicationDescription(QStringLiteral(
      "Reversi for four players: you against three computer players."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help and exit."));
  const QCommandLineOption version(
      {QStringLiteral("v"), QStringLiteral("version")},
      QStringLiteral("Show the version and exit."));
  const QCommandLineOption numbered_discs(
      QStringLiteral("numbered-discs"),
      QStringLiteral("Mark every disc with its seat's number (1-4), for "
                     "players who tell the disc colours apart poorly."));
  parser.addOptions({help, version, numbered_discs});
  for (const char* name : kQtOptionsWithValue) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setValueName(QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  for (const char* name : kQtFlags) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }

  QStringList args;
  for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  if (!parser.parse(args)) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
      UsageError("unknown option '" + GivenOption(argc, argv, unknown.first()) +
                 "'");
    }
    UsageError(AsUsageMessage(parser.errorText()));
  }
  if (parser.isSet(help)) {
    QString text = parser.helpText();
    // Without an application object the parser cannot know the name.
    text.replace(QStringLiteral("<executable_name>"),
                 QString::fromLatin1(kProgram));
    Print(text +
          QStringLiteral("\nQt's own options, such as -platform NAME, are "
                         "accepted too.\n"));
  }
  if (parser.isSet(version)) {
    Print(QStringLiteral("%1 %2\n").arg(QString::fromLatin1(kProgram),
                                        QStringLiteral(QF_VERSION)));
  }
  if (!parser.positionalArguments().isEmpty()) {
    UsageError("unexpected argument '" +
               parser.positionalArguments().first().toStdString() + "'");
  }
  StartOptions options;
  if (parser.isSet(numbered_discs))
    options.disc_marks = DiscMarks::kSeatNumbers;
  return options;
}

}  // namespace qf
