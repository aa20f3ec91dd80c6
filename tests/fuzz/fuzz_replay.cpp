// Runs a fuzz target without libFuzzer: every file of the seed corpus, then
// a fixed number of seeded mutations of them, so the targets also run in the
// ordinary sanitizer build. Usage: fuzz_replay CORPUS_DIR ITERATIONS SEED
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void Run(const std::string& input) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()),
                         input.size());
}

std::string Mutate(std::string input, std::mt19937& rng) {
  static const char kAlphabet[] = ".1234056789 \n\t-x";
  const int edits = 1 + static_cast<int>(rng() % 4);
  for (int e = 0; e < edits; ++e) {
    const size_t at = input.empty() ? 0 : rng() % (input.size() + 1);
    switch (rng() % 4) {
      case 0:  // replace
        if (at < input.size()) {
          input[at] = kAlphabet[rng() % (sizeof(kAlphabet) - 1)];
        }
        break;
      case 1:  // insert
        input.insert(input.begin() + at,
                     kAlphabet[rng() % (sizeof(kAlphabet) - 1)]);
        break;
      case 2:  // erase
        if (at < input.size()) input.erase(at, 1);
        break;
      default:  // any byte
        if (at < input.size()) input[at] = static_cast<char>(rng());
        break;
    }
  }
  return input;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s CORPUS_DIR ITERATIONS SEED\n", argv[0]);
    return 2;
  }
  std::vector<std::string> corpus;
  for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
    std::ifstream file(entry.path(), std::ios::binary);
    corpus.emplace_back(std::istreambuf_iterator<char>(file),
                        std::istreambuf_iterator<char>());
  }
  if (corpus.empty()) {
    std::fprintf(stderr, "fuzz_replay: no seed files in %s\n", argv[1]);
    return 2;
  }
  const long iterations = std::stol(argv[2]);
  const unsigned seed = static_cast<unsigned>(std::stoul(argv[3]));
  for (const std::string& input : corpus) Run(input);
  std::mt19937 rng(seed);
  for (long i = 0; i < iterations; ++i) {
    Run(Mutate(corpus[rng() % corpus.size()], rng));
  }
  std::printf("fuzz_replay: %zu seeds and %ld mutations (seed %u) ran clean\n",
              corpus.size(), iterations, seed);
  return 0;
}
