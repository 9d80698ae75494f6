// Runs prjsnap as a user would and captures what it prints.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/HostTestSupport.h"

namespace mztest {

struct RunResult {
  int exitCode = -1;
  std::string output;  // standard output and standard error together
};

/// Runs prjsnap with the arguments (a shell-quoted text) and waits for it, two minutes at most:
/// a prjsnap that hangs is killed and fails its test instead of outliving it.
inline RunResult RunPrjsnap(const std::string& arguments) {
  const std::string command =
      "timeout -s KILL 120 " + std::string(MZ_PRJSNAP) + " " + arguments + " 2>&1";
  RunResult result;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  std::array<char, 4096> buffer{};
  size_t n = 0;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    result.output.append(buffer.data(), n);
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

/// A file in a fresh temporary folder, removed with the object.
class TempFile {
 public:
  TempFile(const std::string& name, const std::string& content)
      : dir_(std::filesystem::temp_directory_path() /
             ("prjsnap-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++))) {
    std::filesystem::create_directories(dir_);
    std::ofstream(dir_ / name, std::ios::binary) << content;
    path_ = dir_ / name;
  }
  ~TempFile() { std::filesystem::remove_all(dir_); }
  std::string Path() const { return path_.string(); }

 private:
  static inline int counter_ = 0;
  std::filesystem::path dir_;
  std::filesystem::path path_;
};

/// The whole content of a file.
inline std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string Sample(const char* name) {
  return std::string(MZ_SAMPLES_DIR) + "/" + name;
}

}  // namespace mztest
