// Fuzz target: whole input lines of `quadriflank-cli moves`.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "tests/fuzz/message_check.h"
#include "tools/cli_args.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Keep each run cheap: a few lines at the shallowest depth.
  if (size > 1024) return 0;
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = qf::cli::RunCli({"moves", "--depth", "1"}, in, out, err);
  if (status != 0 && status != 1) std::abort();
  // One answer per input line, in order; a bad line must be explained.
  size_t lines = 0;
  for (size_t i = 0; i < input.size(); ++i) {
    if (input[i] == '\n' || i + 1 == input.size()) ++lines;
  }
  size_t answers = 0;
  for (char c : out.str()) answers += c == '\n' ? 1 : 0;
  if (answers != lines) std::abort();
  if (status == 1 && err.str().empty()) std::abort();
  // What the reasons quote from the input reaches no terminal raw.
  if (!qf::fuzz::IsSafeMessage(err.str(), true)) std::abort();
  return 0;
}
