// `prjsnap tree` and `prjsnap details`: the library's explorer and details cursors over a
// project, printed as text or JSON. Neither writes any file.
#pragma once

#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

#include "SnapInSession.h"
#include "mzblprsx/interfaces/RgProjectItem.h"

namespace prjsnap {

struct SortColumns {
  std::vector<std::string> types;
  std::vector<int32_t> orders;
};

/// Parses "KEY[:asc|:desc][,KEY...]"; throws platform::Error (5) naming the bad part.
SortColumns ParseSort(const std::string& text);

/// Parses "KEY=VALUE" for `--set`. An option the host keeps as a Boolean takes 1/0, true/false,
/// yes/no or on/off in any case and is set as a Boolean; any other option takes the text as it
/// is. Throws platform::Error (5) for a text without a key and "=", or a value of a Boolean
/// option that is none of those words.
std::pair<std::string, platform::Variant> ParseSetting(const std::string& text);

/// The explorer cursor's rows of the project (or, with `online`, of the connected PLC), indented
/// by depth, with "NAME" and "DISPLAY_TITLE"; when a PLC is connected, each row with the mark of
/// its compare state and ghost rows with the blocks they stand for.
int RunTree(const SnapInSession::Options& options, bool json, bool online, std::ostream& out);

/// The details cursor in project (0) or program (1) mode, sorted. A sort key that is no column
/// still goes to the cursor (where it has no effect) and is warned about on `err`.
int RunDetails(const SnapInSession::Options& options, int32_t mode, const SortColumns& sort,
               bool json, std::ostream& out, std::ostream& err);

/// Writes the rows as a table of item data keys (`details`, `card`): a line of the keys, then a
/// line per row, each column as wide as its widest cell.
void WriteDetailsTable(std::ostream& out,
                       const std::vector<platform::Ref<mzblprsx::RgProjectItem>>& rows,
                       const std::vector<std::string>& columns);

}  // namespace prjsnap
