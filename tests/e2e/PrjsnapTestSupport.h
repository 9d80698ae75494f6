// Runs prjsnap as a user would and captures what it prints.
#pragma once

#include <sys/wait.h>

#include <gtest/gtest.h>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

inline bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

/// Expects the run to have ended with the exit code, with every part of `shown` in its output and
/// none of `hidden`; gives the run back for further checks.
inline RunResult ExpectOutput(RunResult r, int exitCode, const std::vector<std::string>& shown,
                              const std::vector<std::string>& hidden = {}) {
  EXPECT_EQ(r.exitCode, exitCode) << r.output;
  for (const std::string& part : shown)
    EXPECT_TRUE(Has(r.output, part)) << "'" << part << "' missing in\n" << r.output;
  for (const std::string& part : hidden)
    EXPECT_FALSE(Has(r.output, part)) << "'" << part << "' shown in\n" << r.output;
  return r;
}

/// The line of `text` that contains `part`, or "".
inline std::string LineWith(const std::string& text, const std::string& part) {
  const size_t at = text.find(part);
  if (at == std::string::npos) return {};
  const size_t start = text.rfind('\n', at) + 1;
  return text.substr(start, text.find('\n', at) - start);
}

/// Copies of the sample project and PLC (p.prj.xml, p.plc.xml) and their texts before the test.
class SampleCopies : public ::testing::Test {
 protected:
  SampleCopies()
      : project_("p.prj.xml", FileText(Sample("conveyor.prj.xml"))),
        plc_("p.plc.xml", FileText(Sample("conveyor.plc.xml"))),
        projectBefore_(FileText(project_.Path())),
        plcBefore_(FileText(plc_.Path())) {}

  /// `command` on the copies, then `rest`.
  RunResult Run(const std::string& command, const std::string& rest) {
    return RunPrjsnap(command + " '" + project_.Path() + "' --plc '" + plc_.Path() + "' " + rest);
  }
  /// Expects the command to have ended with the code and the reason, both files as they were.
  void ExpectUntouched(const RunResult& r, int exitCode, const std::string& reason) {
    ExpectOutput(r, exitCode, {reason});
    EXPECT_EQ(FileText(project_.Path()), projectBefore_) << "the project stays byte for byte";
    EXPECT_EQ(FileText(plc_.Path()), plcBefore_) << "the PLC stays byte for byte";
  }

  TempFile project_;
  TempFile plc_;
  std::string projectBefore_;
  std::string plcBefore_;
};

}  // namespace mztest
