// Placeholder until the engine commands land.
#include <ostream>

#include "tools/cli_args.h"

namespace qf::cli {

int RunMove(const std::vector<std::string>&, std::istream&, std::ostream&,
            std::ostream& err) {
  err << "quadriflank-cli: move is not available yet\n";
  return 1;
}
int RunMoves(const std::vector<std::string>&, std::istream&, std::ostream&,
             std::ostream& err) {
  err << "quadriflank-cli: moves is not available yet\n";
  return 1;
}
int RunSelfplay(const std::vector<std::string>&, std::istream&, std::ostream&,
                std::ostream& err) {
  err << "quadriflank-cli: selfplay is not available yet\n";
  return 1;
}
int RunBench(const std::vector<std::string>&, std::istream&, std::ostream&,
             std::ostream& err) {
  err << "quadriflank-cli: bench is not available yet\n";
  return 1;
}

}  // namespace qf::cli
