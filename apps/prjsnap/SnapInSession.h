// One run of the snap-in for a command that works on a project: the host application, the
// library loaded like a snap-in, Init and Attach, the project opened, options set, verb 1.
// Destruction ends the snap-in as the host does (PreDetach, Detach, release).
//
//   SnapInSession session({.project = path, .settings = {{"General/...", "1"}}});
//   auto model = session.OfflineModel();
//
// Trap: commands that only show must keep `readOnly` set: building a tree may store the
// program's category order, and a show command must never write the user's file.
#pragma once

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "SnapInLibrary.h"
#include "host/Environment.h"
#include "mzblprsx/interfaces/Types.h"
#include "platform/Variant.h"

namespace mzblprsx {
class IRgOptionService;
class RgProjectModel;
}

namespace prjsnap {

class SnapInSession {
 public:
  struct Options {
    std::optional<std::filesystem::path> project;  ///< the embedded sample when absent
    /// Connect to a PLC once the snap-in runs, as a user connects after opening the project:
    /// the PLC file `plc`, or the embedded sample PLC when it is absent.
    bool connect = false;
    std::optional<std::filesystem::path> plc;
    std::vector<std::pair<std::string, platform::Variant>> settings;  ///< option key, value
    std::filesystem::path library;
    /// A library loaded already (shared by the applications of a transfer); `library` is
    /// loaded when this is empty.
    std::shared_ptr<SnapInLibrary> loaded;
    bool readOnly = true;
    /// Where what loading the project resolved is said ("prjsnap: warning: ..."): a file that a
    /// merge left with a block in two categories opens, and the user should know what it shows.
    std::ostream* warnings = &std::cerr;
  };

  /// Reads a project file as a check before anything starts; says on `warnings` (when given)
  /// what reading it resolved. Throws platform::Error when it does not load.
  static void CheckProjectFile(const std::filesystem::path& project, std::ostream* warnings);

  /// Throws platform::Error when the project or the PLC does not load (nothing has started
  /// then) or the library cannot be loaded.
  explicit SnapInSession(const Options& options);
  ~SnapInSession();
  SnapInSession(const SnapInSession&) = delete;
  SnapInSession& operator=(const SnapInSession&) = delete;

  host::Environment& Env() { return *env_; }
  /// The model the library built for the open project.
  platform::Ref<mzblprsx::RgProjectModel> OfflineModel();
  /// The model the library built for the connected PLC; nothing when none is connected.
  platform::Ref<mzblprsx::RgProjectModel> OnlineModel();
  /// The snap-in object the host created.
  const platform::Ref<platform::Object>& SnapIn() const { return snapIn_; }
  /// The host's option service, as the library's cursors take it.
  platform::Ref<mzblprsx::IRgOptionService> OptionService();
  /// A new object of one of the library's classes.
  platform::Ref<platform::Object> Create(const std::string& classId);

 private:
  std::unique_ptr<host::Environment> env_;
  std::shared_ptr<SnapInLibrary> library_;
  platform::Ref<platform::Object> snapIn_;
};

}  // namespace prjsnap
