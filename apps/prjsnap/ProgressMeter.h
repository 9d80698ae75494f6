// The progress of a long load on standard error: a bar redrawn in place on a terminal, otherwise
// one line per tenth, so that a log shows it without filling up.
//
//   ProgressMeter meter("download", std::cerr, isatty(STDERR_FILENO) != 0);
//   meter.Update(250, 1000);   // " download [#####...............]  25%  250/1000"
//   meter.Finish();
//
// Loads of fewer than kFewObjects objects show nothing: they are over before anyone looks.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace prjsnap {

class ProgressMeter {
 public:
  static constexpr int32_t kFewObjects = 8;

  ProgressMeter(std::string what, std::ostream& out, bool terminal);

  /// `done` of `total` objects are loaded.
  void Update(int32_t done, int32_t total);
  /// Ends the bar's line (on a terminal) once something was drawn.
  void Finish();

 private:
  std::string what_;
  std::ostream& out_;
  bool terminal_;
  int32_t lastShown_ = -1;  ///< percent on a terminal, tenth otherwise
  bool drawn_ = false;
};

}  // namespace prjsnap
