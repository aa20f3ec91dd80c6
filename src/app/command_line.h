// The game's command line, read before any window system is opened, so that
// --help, --version and mistakes are answered on a terminal without a
// display.
#ifndef QUADRIFLANK_APP_COMMAND_LINE_H_
#define QUADRIFLANK_APP_COMMAND_LINE_H_

#include "ui/board_painter.h"

namespace qf {

struct StartOptions {
  DiscMarks disc_marks = DiscMarks::kNone;
};

// Reads the arguments. --help and --version print to standard output and
// end the process with status 0; an unknown option, a missing or unexpected
// value, or any other argument is named in one line on standard error and
// ends it with status 2. Qt's own options (-platform and the rest) are let
// through for QApplication to take.
StartOptions ReadCommandLine(int argc, char** argv);

}  // namespace qf

#endif  // QUADRIFLANK_APP_COMMAND_LINE_H_
