// Runs a fuzz target over the files of the directories (or files) given on the command line, so
// that the targets build and run with compilers that have no libFuzzer. Exit code 0 when every
// input was processed; a crash or sanitizer report fails the run.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void RunFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  size_t runs = 0;
  // The empty input always runs: every reader must cope with it.
  LLVMFuzzerTestOneInput(nullptr, 0);
  ++runs;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path root(argv[i]);
    if (std::filesystem::is_directory(root)) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
          RunFile(entry.path());
          ++runs;
        }
      }
    } else if (std::filesystem::is_regular_file(root)) {
      RunFile(root);
      ++runs;
    } else {
      std::fprintf(stderr, "no such corpus: %s\n", argv[i]);
      return 2;
    }
  }
  std::printf("%zu inputs run\n", runs);
  return 0;
}
