#include "ProgressMeter.h"

#include <algorithm>
#include <ostream>
#include <utility>

namespace prjsnap {
namespace {

constexpr int32_t kBarWidth = 20;

}  // namespace

ProgressMeter::ProgressMeter(std::string what, std::ostream& out, bool terminal)
    : what_(std::move(what)), out_(out), terminal_(terminal) {}

void ProgressMeter::Update(int32_t done, int32_t total) {
  if (total < kFewObjects) return;
  done = std::clamp(done, 0, total);
  const int32_t percent = static_cast<int32_t>(static_cast<int64_t>(done) * 100 / total);
  const std::string counts = std::to_string(done) + "/" + std::to_string(total);
  if (terminal_) {
    if (percent == lastShown_) return;
    lastShown_ = percent;
    const int32_t filled = percent * kBarWidth / 100;
    out_ << "\r" << what_ << " [" << std::string(static_cast<size_t>(filled), '#')
         << std::string(static_cast<size_t>(kBarWidth - filled), '.') << "] " << percent << "%  "
         << counts << std::flush;
    drawn_ = true;
    return;
  }
  const int32_t tenth = percent / 10;
  if (tenth == lastShown_) return;
  lastShown_ = tenth;
  out_ << what_ << ": " << tenth * 10 << "% (" << counts << ")\n";
  drawn_ = true;
}

void ProgressMeter::Finish() {
  if (terminal_ && drawn_) out_ << "\n" << std::flush;
  drawn_ = false;
  lastShown_ = -1;
}

}  // namespace prjsnap
