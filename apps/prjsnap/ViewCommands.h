// `prjsnap tree` and `prjsnap details`: the library's explorer and details cursors over a
// project, printed as text or JSON. Neither writes any file.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "SnapInSession.h"

namespace prjsnap {

struct SortColumns {
  std::vector<std::string> types;
  std::vector<int32_t> orders;
};

/// Parses "KEY[:asc|:desc][,KEY...]"; throws platform::Error (5) naming the bad part.
SortColumns ParseSort(const std::string& text);

/// The explorer cursor's rows, indented by depth, with "NAME" and "DISPLAY_TITLE".
int RunTree(const SnapInSession::Options& options, bool json, std::ostream& out);

/// The details cursor in project (0) or program (1) mode, sorted.
int RunDetails(const SnapInSession::Options& options, int32_t mode, const SortColumns& sort,
               bool json, std::ostream& out);

}  // namespace prjsnap
