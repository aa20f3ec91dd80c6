// Runs the Qt tests of the window code; the first argument picks one group.
#include <QApplication>
#include <QTest>
#include <cstdio>
#include <cstring>

namespace qf::testing {
int RunBoardViewTest(int argc, char** argv);
int RunGameStartTest(int argc, char** argv);
int RunMainWindowTest(int argc, char** argv);
int RunOrderDialogTest(int argc, char** argv);
int RunQtShellTest(int argc, char** argv);
}  // namespace qf::testing

int main(int argc, char** argv) {
  struct Group {
    const char* name;
    int (*run)(int, char**);
  };
  const Group groups[] = {
      {"board_view", qf::testing::RunBoardViewTest},
      {"game_start", qf::testing::RunGameStartTest},
      {"main_window", qf::testing::RunMainWindowTest},
      {"order_dialog", qf::testing::RunOrderDialogTest},
      {"qt_shell", qf::testing::RunQtShellTest},
  };
  QApplication app(argc, argv);
  const char* only = argc > 1 ? argv[1] : nullptr;
  if (only != nullptr) {
    // The group name is ours; Qt Test sees the rest.
    argv[1] = argv[0];
    ++argv;
    --argc;
  }
  int failures = 0;
  bool ran = false;
  for (const Group& group : groups) {
    if (only != nullptr && std::strcmp(only, group.name) != 0) continue;
    ran = true;
    failures += group.run(argc, argv) != 0 ? 1 : 0;
  }
  if (!ran) {
    std::fprintf(stderr, "no test group named %s\n", only);
    return 2;
  }
  return failures == 0 ? 0 : 1;
}
