#include "tools/cli_args.h"

#include <charconv>

namespace qf::cli {

std::optional<std::string_view> ParsedArgs::Option(
    std::string_view name) const {
  const auto it = options.find(name);
  if (it == options.end()) return std::nullopt;
  return it->second;
}

ParsedArgs ParseArgs(const std::vector<std::string>& args,
                     std::initializer_list<std::string_view> option_names) {
  ParsedArgs parsed;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      parsed.positional.push_back(arg);
      continue;
    }
    bool known = false;
    for (std::string_view name : option_names) known = known || name == arg;
    if (!known) throw UsageError("unknown option '" + arg + "'");
    if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
    if (parsed.options.count(arg) != 0) {
      throw UsageError(arg + " given twice");
    }
    parsed.options.emplace(arg, args[++i]);
  }
  return parsed;
}

int64_t ParseInteger(std::string_view text, std::string_view what, int64_t min,
                     int64_t max) {
  int64_t value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  const auto [end, ec] = std::from_chars(first, last, value);
  const std::string range =
      " (" + std::to_string(min) + ".." + std::to_string(max) + ")";
  if (text.empty() || ec == std::errc::invalid_argument || end != last) {
    throw UsageError(std::string(what) + " must be a whole number" + range +
                     ", got '" + std::string(text) + "'");
  }
  if (ec == std::errc::result_out_of_range || value < min || value > max) {
    throw UsageError(std::string(what) + " out of range" + range + ": " +
                     std::string(text));
  }
  return value;
}

Engine ParseEngine(std::string_view text) {
  if (text == "fast") return Engine::kFast;
  if (text == "reference") return Engine::kReference;
  throw UsageError("--engine must be 'fast' or 'reference', got '" +
                   std::string(text) + "'");
}

void ExpectPositionals(const ParsedArgs& parsed, size_t count,
                       std::string_view names) {
  if (parsed.positional.size() < count) {
    throw UsageError("missing argument: expected " + std::string(names));
  }
  if (parsed.positional.size() > count) {
    throw UsageError("unexpected argument '" + parsed.positional[count] + "'");
  }
}

}  // namespace qf::cli
