// The command line of quadriflank-cli: every command, argument, option and
// range is declared here once; CLI11 parses it and writes the help.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <functional>
#include <iostream>
#include <map>
#include <memory>

#include "board/board_text.h"
#include "tools/cli_args.h"
#include "tools/engine_common.h"

namespace qf::cli {
namespace {

constexpr char kFooter[] =
    "BOARD is 64 characters in reading order (row 0 first, each row from "
    "column 0): '.' for an empty cell, '1'..'4' for a disc of that seat.\n"
    "COMMAND --help prints the usage of one command.";

const std::map<std::string, Engine> kEngines = {
    {"fast", Engine::kFast}, {"reference", Engine::kReference}};

// Every number on the command line: plain decimal digits only. Leading
// zeros are dropped, as CLI11 would read them as an octal prefix.
const CLI::Validator kPlainDecimal(
    [](std::string& text) {
      if (!IsPlainDecimal(text)) {
        return "must be plain decimal digits, got '" + text + "'";
      }
      text.erase(0, std::min(text.find_first_not_of('0'), text.size() - 1));
      return std::string();
    },
    "");

using Action =
    std::function<int(std::istream& in, std::ostream& out, std::ostream& err)>;

struct Command {
  CLI::App* app;
  Action run;
};

CLI::Option* AddEngine(CLI::App& command, Engine& engine) {
  // Turns the name into the enumerator's number, which CLI11 then converts.
  const CLI::Validator name(
      [](std::string& text) {
        const auto it = kEngines.find(text);
        if (it == kEngines.end()) {
          return "must be fast or reference, got '" + text + "'";
        }
        text = std::to_string(static_cast<int>(it->second));
        return std::string();
      },
      "");
  return command
      .add_option("--engine", engine,
                  "fast (the default) or reference; both choose the same cell")
      ->transform(name)
      ->option_text("fast|reference");
}

// --depth N: the search depth, doubled from MOVECOUNT 48 on.
CLI::Option* AddDepth(CLI::App& command, int32_t& depth, int32_t max) {
  return command
      .add_option("--depth", depth,
                  "search depth, doubled from MOVECOUNT 48 on")
      ->transform(kPlainDecimal)
      ->check(CLI::Range(1, max))
      ->capture_default_str();
}

CLI::Option* AddSeed(CLI::App& command, const std::string& name, uint32_t& seed,
                     const std::string& help) {
  return command.add_option(name, seed, help)
      ->transform(kPlainDecimal)
      ->check(CLI::Range(int64_t{0}, int64_t{UINT32_MAX}));
}

std::vector<Command> AddCommands(CLI::App& app) {
  std::vector<Command> commands;
  {
    auto args = std::make_shared<PerftArgs>();
    CLI::App* c = app.add_subcommand(
        "perft",
        "Positions reached after exactly d placed discs, d = 1..DEPTH");
    c->add_option("DEPTH", args->depth, "the last depth")
        ->required()
        ->transform(kPlainDecimal)
        ->check(CLI::Range(1, 12));
    c->add_option("--seats", args->seats,
                  "2: the two-player start; 4: the game's")
        ->transform(kPlainDecimal)
        ->check(CLI::IsMember({2, 4}))
        ->capture_default_str();
    commands.push_back(
        {c, [args](std::istream&, std::ostream& out, std::ostream&) {
           return RunPerft(*args, out);
         }});
  }
  {
    auto args = std::make_shared<MoveArgs>();
    CLI::App* c = app.add_subcommand(
        "move", "The computer player's choice for SEAT: COLUMN ROW NODES");
    c->add_option("BOARD", args->board, "the position")->required();
    c->add_option("SEAT", args->seat, "the seat to move, 1..4")->required();
    c->add_option("MOVECOUNT", args->move_count,
                  "placed moves: the discs on BOARD minus 8")
        ->required();
    AddDepth(*c, args->search.depth, 12);
    AddEngine(*c, args->search.engine);
    c->footer(
        "Four seats. NODES counts the search nodes entered, root included; "
        "\"-1 -1 0\" when SEAT cannot move.");
    commands.push_back(
        {c, [args](std::istream&, std::ostream& out, std::ostream&) {
           return RunMove(*args, out);
         }});
  }
  {
    auto options = std::make_shared<SearchOptions>();
    CLI::App* c = app.add_subcommand(
        "moves", "The same for every line \"BOARD SEAT MOVECOUNT\" on stdin");
    AddDepth(*c, options->depth, 12);
    AddEngine(*c, options->engine);
    c->footer(
        "One answer line per input line; a bad line answers \"error\" with "
        "the reason on standard error, and the exit status is then 1.");
    commands.push_back(
        {c, [options](std::istream& in, std::ostream& out, std::ostream& err) {
           return RunMoves(*options, in, out, err);
         }});
  }
  {
    auto args = std::make_shared<SelfplayArgs>();
    CLI::App* c = app.add_subcommand(
        "selfplay", "One whole game of four computer players at depth 6");
    CLI::Option* opening = c->add_option("--opening-moves", args->opening_moves,
                                         "the first K placed moves are random")
                               ->transform(kPlainDecimal)
                               ->check(CLI::Range(0, 60))
                               ->option_text("K");
    CLI::Option* seed =
        AddSeed(*c, "--seed", args->seed, "seeds std::mt19937 for them");
    opening->needs(seed);
    seed->needs(opening);
    AddEngine(*c, args->engine);
    c->footer(
        "Prints \"SEAT COLUMN ROW\" or \"SEAT pass\" per turn, then \"COUNTS "
        "c1 c2 c3 c4\" and \"BOARD text\". A random move takes the "
        "generator's next output modulo the number of legal cells, counted "
        "column by column, row by row within a column.");
    commands.push_back(
        {c, [args](std::istream&, std::ostream& out, std::ostream& err) {
           return RunSelfplay(*args, out, err);
         }});
  }
  {
    auto args = std::make_shared<RouletteArgs>();
    CLI::App* c = app.add_subcommand(
        "roulette", "The playing order after each of TICKS roulette ticks");
    AddSeed(*c, "SEED", args->seed, "seeds the random source")->required();
    c->add_option("TICKS", args->ticks, "ticks to run")
        ->required()
        ->transform(kPlainDecimal)
        ->check(CLI::Range(0, 1000000));
    commands.push_back(
        {c, [args](std::istream&, std::ostream& out, std::ostream&) {
           return RunRoulette(*args, out);
         }});
  }
  {
    auto depth = std::make_shared<int32_t>(kSearchDepth);
    CLI::App* c = app.add_subcommand(
        "bench", "Both engines over 240 fixed positions: nodes and speed");
    AddDepth(*c, *depth, 12);
    c->footer(
        "Prints each engine's nodes, best-of-rounds time and nodes per "
        "second, the speed ratio, the mismatches (exit status 1 unless 0) and "
        "\"signature NODES\", the reference's node total.");
    commands.push_back(
        {c, [depth](std::istream&, std::ostream& out, std::ostream& err) {
           return RunBench(*depth, out, err);
         }});
  }
  {
    auto args = std::make_shared<SoakArgs>();
    CLI::App* c = app.add_subcommand(
        "soak", "Self-play games checked move by move against the rules");
    c->add_option("--games", args->games, "games to play")
        ->transform(kPlainDecimal)
        ->check(CLI::Range(1, 1000000))
        ->capture_default_str();
    AddSeed(*c, "--seed", args->seed, "seeds the games' openings")
        ->capture_default_str();
    AddDepth(*c, args->depth, 8);
    commands.push_back(
        {c, [args](std::istream&, std::ostream& out, std::ostream& err) {
           return RunSoak(*args, out, err);
         }});
  }
  for (Command& command : commands) command.app->allow_extras();
  return commands;
}

// Whether an argument reads as an option. As CLI11 reads them, '-' before
// a digit starts a negative number and "--" ends the options (it is left
// over when positional arguments follow it).
bool IsOption(const std::string& arg) {
  return arg.size() > 1 && arg[0] == '-' && (arg[1] < '0' || arg[1] > '9') &&
         arg != "--";
}

// Arguments that no command took: an unknown option is named wherever it
// stands; with `all`, else the first unexpected argument.
void CheckLeftovers(const CLI::App& app, bool all) {
  std::vector<std::string> left = app.remaining(true);
  std::erase(left, "--");
  for (const std::string& arg : left) {
    if (IsOption(arg)) {
      throw UsageError("unknown option '" + arg.substr(0, arg.find('=')) + "'");
    }
  }
  if (all && !left.empty()) {
    throw UsageError("unexpected argument '" + left.front() + "'");
  }
}

}  // namespace

void PrintError(std::ostream& err, std::string_view where,
                std::string_view message) {
  err << where << ": " << EscapeText(message) << '\n';
}

int RunCli(const std::vector<std::string>& args, std::istream& in,
           std::ostream& out, std::ostream& err) {
  CLI::App app(
      "A headless tool for checking, scripting and benchmarking "
      "Quadriflank's computer player.",
      "quadriflank-cli");
  app.set_version_flag("--version", "quadriflank-cli " QF_VERSION);
  app.require_subcommand(1);
  app.allow_extras();
  app.footer(kFooter);
  const std::vector<Command> commands = AddCommands(app);
  try {
    if (args.empty()) throw UsageError("missing command");
    const auto named = [&args](const Command& c) {
      return c.app->get_name() == args[0];
    };
    if (!IsOption(args[0]) &&
        std::none_of(commands.begin(), commands.end(), named)) {
      throw UsageError("unknown command '" + args[0] + "'");
    }
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
      app.parse(reversed);
    } catch (const CLI::ParseError& e) {
      if (e.get_exit_code() == 0) return app.exit(e, out, err);
      CheckLeftovers(app, false);
      throw UsageError(e.what());
    }
    CheckLeftovers(app, true);
    for (const Command& command : commands) {
      if (command.app->parsed()) return command.run(in, out, err);
    }
  } catch (const UsageError& e) {
    std::string name = "quadriflank-cli";
    for (const CLI::App* command : app.get_subcommands()) {
      name += ' ' + command->get_name();
    }
    PrintError(err, name, e.what());
    return 2;
  }
  return 2;
}

}  // namespace qf::cli
