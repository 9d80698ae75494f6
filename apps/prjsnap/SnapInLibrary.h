// Loads the snap-in library the way a host loads a component: dlopen, the entry points, the class
// factory. The library stays loaded until Unload (or destruction), which unloads it only when
// DllCanUnloadNow says no object of it is alive.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/Ref.h"

namespace prjsnap {

class SnapInLibrary {
 public:
  /// Loads the library and registers its classes; throws platform::Error naming the file and the
  /// loader's message when it cannot.
  explicit SnapInLibrary(const std::filesystem::path& file);
  ~SnapInLibrary();
  SnapInLibrary(const SnapInLibrary&) = delete;
  SnapInLibrary& operator=(const SnapInLibrary&) = delete;

  /// Where the library is looked for: $PRJSNAP_LIBRARY, next to the executable, the build location.
  static std::filesystem::path DefaultPath();

  /// A new object of a class of the library, through its class factory.
  platform::Ref<platform::Object> Create(const std::string& classId);
  /// True when no object of the library is alive (DllCanUnloadNow).
  bool CanUnload();
  const std::filesystem::path& Path() const { return path_; }

 private:
  template <class F>
  F Symbol(const char* name);

  std::filesystem::path path_;
  void* handle_ = nullptr;
};

}  // namespace prjsnap
