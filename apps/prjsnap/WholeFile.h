// Writing a whole output file (an exported transfer, a printed document) so that a failed
// write never leaves half a file under its name: the bytes go into a file beside it first,
// which then takes the name.
//
//   if (auto failed = WholeFile::Write(path, bytes)) throw Refused("cannot write " + *failed);
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace prjsnap {

class WholeFile {
 public:
  /// Nothing when written; otherwise the path that could not be written (the file beside it,
  /// or the file itself when the rename failed; the file beside it is removed then).
  static std::optional<std::string> Write(const std::filesystem::path& path,
                                          std::string_view bytes);
};

}  // namespace prjsnap
