// Argument handling shared by the quadriflank-cli commands.
#ifndef QUADRIFLANK_TOOLS_CLI_ARGS_H_
#define QUADRIFLANK_TOOLS_CLI_ARGS_H_

#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ai/searcher.h"

namespace qf::cli {

// A usage error: the command line itself is wrong (exit status 2).
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ParsedArgs {
  std::vector<std::string> positional;
  std::map<std::string, std::string, std::less<>> options;

  std::optional<std::string_view> Option(std::string_view name) const;
};

// Splits `args` into positionals and "--name value" options. Names outside
// `option_names` and options without a value are usage errors.
ParsedArgs ParseArgs(const std::vector<std::string>& args,
                     std::initializer_list<std::string_view> option_names);

// A whole decimal integer in [min, max]; anything else is a usage error that
// names `what`.
int64_t ParseInteger(std::string_view text, std::string_view what, int64_t min,
                     int64_t max);

// "fast" or "reference"; anything else is a usage error.
Engine ParseEngine(std::string_view text);

// The command's positional count must be exactly `count`.
void ExpectPositionals(const ParsedArgs& parsed, size_t count,
                       std::string_view names);

// A command: arguments after the command name, output streams; returns the
// exit status. Throws UsageError for a malformed command line.
using Command = int (*)(const std::vector<std::string>& args, std::istream& in,
                        std::ostream& out, std::ostream& err);

int RunPerft(const std::vector<std::string>& args, std::istream& in,
             std::ostream& out, std::ostream& err);
int RunMove(const std::vector<std::string>& args, std::istream& in,
            std::ostream& out, std::ostream& err);
int RunMoves(const std::vector<std::string>& args, std::istream& in,
             std::ostream& out, std::ostream& err);
int RunSelfplay(const std::vector<std::string>& args, std::istream& in,
                std::ostream& out, std::ostream& err);
int RunRoulette(const std::vector<std::string>& args, std::istream& in,
                std::ostream& out, std::ostream& err);
int RunBench(const std::vector<std::string>& args, std::istream& in,
             std::ostream& out, std::ostream& err);
int RunSoak(const std::vector<std::string>& args, std::istream& in,
            std::ostream& out, std::ostream& err);

// The whole tool, for main() and for tests: returns the exit status.
int RunCli(const std::vector<std::string>& args, std::istream& in,
           std::ostream& out, std::ostream& err);

}  // namespace qf::cli

#endif  // QUADRIFLANK_TOOLS_CLI_ARGS_H_
