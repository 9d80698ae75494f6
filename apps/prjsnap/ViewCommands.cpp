#include "ViewCommands.h"

#include <algorithm>
#include <iomanip>
#include <ostream>
#include <string_view>

#include "CompareCommand.h"
#include "ItemJson.h"
#include "host/services/OptionService.h"
#include "mzblprsx/cursors/IRgProjectCursor.h"
#include "mzblprsx/interfaces/IRgOptionService.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/Text.h"

namespace prjsnap {
namespace {

using ItemRef = platform::Ref<mzblprsx::RgProjectItem>;

std::vector<ItemRef> Rows(mzblprsx::IRgProjectCursor& cursor) {
  std::vector<ItemRef> rows;
  const int32_t count = cursor.ItemCount();
  rows.reserve(static_cast<size_t>(count));
  for (int32_t i = 1; i <= count; ++i) rows.push_back(cursor.ItemAt(i));
  return rows;
}

std::string Text(const ItemRef& item, const char* key) {
  const platform::Variant value = item->Data()->Value(key);
  return value.IsEmpty() ? std::string() : value.ToString();
}

/// The columns the details cursor sorts by; it takes any other key and leaves its column
/// without effect, which is why a typo is worth a word.
constexpr std::string_view kSortKeys[] = {"SortDefault",  "NAME",   "SYMBOL",
                                          "DISPLAY_TYPE", "SIZE",   "PROGLANGUAGE",
                                          "LASTMODIFIED", "AUTHOR", "HEADERNAME"};

void WarnUnknownSortKeys(const SortColumns& sort, std::ostream& err) {
  for (const std::string& key : sort.types) {
    if (std::find(std::begin(kSortKeys), std::end(kSortKeys), key) != std::end(kSortKeys)) continue;
    err << "prjsnap: warning: --sort: '" << key << "' is no column; it has no effect";
    const auto* nearly = std::find_if(
        std::begin(kSortKeys), std::end(kSortKeys),
        [&](std::string_view known) { return platform::text::EqualsNoCase(known, key); });
    if (nearly != std::end(kSortKeys)) {
      err << " (keys are case-sensitive: " << *nearly << ")";
    } else {
      err << " (columns:";
      for (const std::string_view known : kSortKeys) err << " " << known;
      err << ")";
    }
    err << "\n";
  }
}

}  // namespace

SortColumns ParseSort(const std::string& text) {
  SortColumns columns;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = std::min(text.find(',', start), text.size());
    const std::string part(platform::text::Trim(std::string_view(text).substr(start, end - start)));
    if (part.empty())
      throw platform::Error(platform::errc::kInvalidCall, "empty sort column in '" + text + "'");
    const size_t colon = part.find(':');
    const std::string key = part.substr(0, colon);
    int32_t order = 0;
    if (colon != std::string::npos) {
      const std::string direction = part.substr(colon + 1);
      if (platform::text::EqualsNoCase(direction, "desc")) {
        order = 1;
      } else if (!platform::text::EqualsNoCase(direction, "asc")) {
        throw platform::Error(platform::errc::kInvalidCall,
                              "sort order '" + direction + "' is neither asc nor desc");
      }
    }
    columns.types.push_back(key);
    columns.orders.push_back(order);
    start = end + 1;
  }
  return columns;
}

std::pair<std::string, platform::Variant> ParseSetting(const std::string& text) {
  const size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0)
    throw platform::Error(platform::errc::kInvalidCall,
                          "--set needs KEY=VALUE, got '" + text + "'");
  std::string key = text.substr(0, equals);
  std::string value = text.substr(equals + 1);
  // The host's defaults say which options are Booleans; the library would read any other word
  // there as off without a hint.
  if (platform::MakeObject<host::OptionService>()->Value(key).Type() != platform::VarType::Bool)
    return {key, value};
  for (const char* on : {"1", "true", "yes", "on"}) {
    if (platform::text::EqualsNoCase(value, on)) return {key, true};
  }
  for (const char* off : {"0", "false", "no", "off"}) {
    if (platform::text::EqualsNoCase(value, off)) return {key, false};
  }
  throw platform::Error(platform::errc::kInvalidCall,
                        "--set " + key + ": '" + value +
                            "' is not a Boolean (use 1/0, true/false, yes/no or on/off)");
}

int RunTree(const SnapInSession::Options& options, bool json, bool online, std::ostream& out) {
  SnapInSession session(options);
  const auto model = online ? session.OnlineModel() : session.OfflineModel();
  if (!model) throw platform::Error(platform::errc::kInvalidCall, "no PLC is connected");
  const auto cursor =
      session.Create("mzblprsx.RgProjectCursorExplorer").Cast<mzblprsx::IRgProjectCursor>();
  cursor->SetOptionService(session.OptionService());
  cursor->Attach(model);
  const std::vector<ItemRef> rows = Rows(*cursor);
  const std::vector<int32_t> depths = ShownDepths(rows);
  if (json) {
    WriteItemsJson(out, rows, depths, GhostBlocksJson);
  } else if (options.connect) {
    WriteCompareRows(out, ToCompareRows(rows, depths), true);
  } else {
    for (size_t i = 0; i < rows.size(); ++i) {
      out << std::string(static_cast<size_t>(depths[i]) * 2, ' ') << Text(rows[i], "NAME");
      const std::string title = Text(rows[i], "DISPLAY_TITLE");
      if (!title.empty()) out << "  [" << title << "]";
      out << "\n";
    }
  }
  cursor->Detach();
  return 0;
}

int RunDetails(const SnapInSession::Options& options, int32_t mode, const SortColumns& sort,
               bool json, std::ostream& out, std::ostream& err) {
  WarnUnknownSortKeys(sort, err);
  SnapInSession session(options);
  const auto cursor =
      session.Create("mzblprsx.RgProjectCursorDetails").Cast<mzblprsx::IRgProjectCursorDetails>();
  cursor->SetOptionService(session.OptionService());
  cursor->SetMode(mode);
  cursor->Attach(session.OfflineModel());
  cursor->Refresh();
  cursor->Sort(sort.types, sort.orders);
  const std::vector<ItemRef> rows = Rows(*cursor);
  if (json) {
    WriteItemsJson(out, rows, ModelDepths(rows));
  } else {
    WriteDetailsTable(out, rows,
                      {"NAME", "SYMBOL", "DISPLAY_TYPE", "SIZE", "LASTMODIFIED", "AUTHOR"});
  }
  cursor->Detach();
  return 0;
}

void WriteDetailsTable(std::ostream& out, const std::vector<ItemRef>& rows,
                       const std::vector<std::string>& columns) {
  std::vector<size_t> widths;
  for (const std::string& column : columns) {
    size_t width = column.size();
    for (const auto& item : rows) width = std::max(width, Text(item, column.c_str()).size());
    widths.push_back(width);
  }
  const auto line = [&](const auto& cell) {
    for (size_t c = 0; c < columns.size(); ++c) {
      out << std::left << std::setw(static_cast<int>(widths[c])) << cell(c)
          << (c + 1 < columns.size() ? "  " : "\n");
    }
  };
  line([&](size_t c) { return columns[c]; });
  for (const auto& item : rows) line([&](size_t c) { return Text(item, columns[c].c_str()); });
}

}  // namespace prjsnap
