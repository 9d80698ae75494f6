// `prjsnap lifecycle`: drives the whole host sequence of a snap-in once, printing each step, the
// errors the error service received and the library objects still alive after the release.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>

namespace prjsnap {

struct LifecycleOptions {
  std::optional<std::filesystem::path> project;  ///< the embedded sample when absent
  std::optional<std::filesystem::path> plc;      ///< the embedded sample PLC when absent
  std::filesystem::path library;
};

/// 0 when the sequence ran and nothing of the library is alive afterwards, 1 when objects leaked,
/// 2 when a file does not load.
int RunLifecycle(const LifecycleOptions& options, std::ostream& out, std::ostream& err);

}  // namespace prjsnap
