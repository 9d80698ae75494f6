#include "CompareCommand.h"

#include <CLI/CLI.hpp>

#include <fstream>
#include <iomanip>
#include <ostream>

#include "CompareHtml.h"
#include "ItemJson.h"
#include "ViewCommands.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/ProjectFile.h"
#include "host/services/OptionService.h"
#include "mzblprsx/cursors/IRgProjectCursor.h"
#include "mzblprsx/handlers/IRgObjectGhostBlock.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/IRgOptionService.h"
#include "mzblprsx/interfaces/IRgProjectItemHandler.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace prjsnap {
namespace {

using ItemRef = platform::Ref<mzblprsx::RgProjectItem>;

constexpr int32_t kNone = 0;
constexpr int32_t kEqual = 1;
constexpr int32_t kDifferent = 2;
constexpr int32_t kNotComparable = 3;
constexpr int32_t kBelowEqual = 4;

std::string Text(const ItemRef& item, const char* key) {
  const platform::Variant value = item->Data()->Value(key);
  return value.IsEmpty() ? std::string() : value.ToString();
}

int32_t StateOf(const ItemRef& item) {
  const platform::Variant value = item->Data()->Value("COMPARESTATE");
  return value.IsEmpty() ? kNone : value.ToInt32();
}

platform::Ref<mzblprsx::IRgObjectGhostBlock> GhostOf(const ItemRef& item) {
  const auto handler = item->Handler();
  if (!handler) return nullptr;
  return handler->Object().As<mzblprsx::IRgObjectGhostBlock>();
}

std::vector<std::string> GhostBlocks(const ItemRef& item) {
  std::vector<std::string> names;
  if (const auto ghost = GhostOf(item)) {
    for (const auto& block : ghost->NewEnum()) names.push_back(block->DisplayName());
  }
  return names;
}

bool IsBlockRow(const CompareRow& row) {
  return platform::text::ContainsNoCase(row.type, "RgBlock");
}

bool IsHardwareRow(const CompareRow& row) {
  return platform::text::StartsWithNoCase(row.type, "RgHwConfig");
}

void CountSide(const std::vector<CompareRow>& rows, CompareCounts& counts, bool offline) {
  for (const CompareRow& row : rows) {
    if (row.ghost) {
      // A ghost in the project's program stands for blocks only in the PLC, and the other way.
      (offline ? counts.onlyInPlc : counts.onlyInProject) +=
          static_cast<int32_t>(row.ghostBlocks.size());
      continue;
    }
    if (IsHardwareRow(row)) {
      (offline ? counts.projectHasHardware : counts.plcHasHardware) = true;
      if (offline) counts.hardware = row.state;
      continue;
    }
    if (platform::text::StartsWithNoCase(row.type, "RgProgram") && offline) {
      counts.program = row.state;
      continue;
    }
    if (!offline || !IsBlockRow(row)) continue;
    if (row.state == kEqual || row.state == kBelowEqual) ++counts.equal;
    if (row.state == kDifferent) ++counts.different;
    if (row.state == kNotComparable) ++counts.notComparable;
  }
}

void WriteCounts(std::ostream& out, const CompareReport& report) {
  const CompareCounts& c = report.counts;
  const auto line = [&](const char* what, const std::string& value) {
    out << std::left << std::setw(22) << what << value << "\n";
  };
  line("project", report.projectName);
  line("PLC", report.plcName);
  line("hardware", std::string(CompareStateText(c.hardware)));
  line("equal blocks", std::to_string(c.equal));
  line("different blocks", std::to_string(c.different));
  if (c.notComparable > 0) line("not comparable", std::to_string(c.notComparable));
  line("only in the project", std::to_string(c.onlyInProject));
  line("only in the PLC", std::to_string(c.onlyInPlc));
  line("result", report.Equal() ? "equal" : "different");
}

void WriteRowsJson(std::ostream& out, const std::vector<CompareRow>& rows) {
  out << "[";
  for (size_t i = 0; i < rows.size(); ++i) {
    const CompareRow& row = rows[i];
    out << (i == 0 ? "\n" : ",\n") << "    {\"depth\": " << row.depth
        << ", \"type\": " << JsonString(row.type) << ", \"name\": " << JsonString(row.name)
        << ", \"title\": " << JsonString(row.title) << ", \"COMPARESTATE\": " << row.state;
    if (row.ghost) {
      out << ", \"ghostBlocks\": [";
      for (size_t b = 0; b < row.ghostBlocks.size(); ++b) {
        out << (b == 0 ? "" : ", ") << JsonString(row.ghostBlocks[b]);
      }
      out << "]";
    }
    out << "}";
  }
  out << "\n  ]";
}

void WriteReportJson(std::ostream& out, const CompareReport& report) {
  const CompareCounts& c = report.counts;
  out << "{\n  \"equal\": " << (report.Equal() ? "true" : "false")
      << ",\n  \"project\": " << JsonString(report.projectName)
      << ",\n  \"plc\": " << JsonString(report.plcName)
      << ",\n  \"counts\": {\"equal\": " << c.equal << ", \"different\": " << c.different
      << ", \"notComparable\": " << c.notComparable << ", \"onlyInProject\": " << c.onlyInProject
      << ", \"onlyInPlc\": " << c.onlyInPlc << ", \"hardware\": " << c.hardware
      << ", \"program\": " << c.program << "},\n  \"projectTree\": ";
  WriteRowsJson(out, report.project);
  out << ",\n  \"plcTree\": ";
  WriteRowsJson(out, report.plc);
  out << "\n}\n";
}

}  // namespace

bool CompareReport::Equal() const {
  if (counts.program != kEqual) return false;
  if (!counts.projectHasHardware && !counts.plcHasHardware) return true;
  return counts.hardware == kEqual;
}

std::string_view CompareMark(int32_t state) {
  switch (state) {
    case kEqual:
    case kBelowEqual:
      return "=";
    case kDifferent:
      return "≠";
    case kNotComparable:
      return "?";
    default:
      return "";
  }
}

std::string_view CompareStateText(int32_t state) {
  switch (state) {
    case kEqual:
    case kBelowEqual:
      return "equal";
    case kDifferent:
      return "different";
    case kNotComparable:
      return "cannot be compared";
    default:
      return "not compared";
  }
}

std::vector<CompareRow> ToCompareRows(const std::vector<ItemRef>& items,
                                      const std::vector<int32_t>& depths) {
  std::vector<CompareRow> rows;
  rows.reserve(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    // An item that no handler serves has nothing to show (the card's file list, until its
    // handler is there).
    if (Text(items[i], "TYPE").empty()) continue;
    CompareRow row;
    row.depth = depths.at(i);
    row.state = StateOf(items[i]);
    row.type = Text(items[i], "TYPE");
    row.name = Text(items[i], "NAME");
    row.title = Text(items[i], "DISPLAY_TITLE");
    row.ghost = row.type == "RgGhostBlock";
    if (row.ghost) row.ghostBlocks = GhostBlocks(items[i]);
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<CompareRow> CompareRows(SnapInSession& session,
                                    const platform::Ref<mzblprsx::RgProjectModel>& model) {
  const auto cursor =
      session.Create("mzblprsx.RgProjectCursorExplorer").Cast<mzblprsx::IRgProjectCursor>();
  cursor->SetOptionService(session.OptionService());
  cursor->Attach(model);
  std::vector<ItemRef> items;
  for (int32_t i = 1; i <= cursor->ItemCount(); ++i) items.push_back(cursor->ItemAt(i));
  cursor->Detach();
  return ToCompareRows(items, ShownDepths(items));
}

std::string GhostBlocksJson(const ItemRef& item) {
  if (!GhostOf(item)) return {};
  std::string json = "\"ghostBlocks\": [";
  const std::vector<std::string> names = GhostBlocks(item);
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) json += ", ";
    json += JsonString(names[i]);
  }
  json += "]";
  return json;
}

CompareReport BuildCompareReport(SnapInSession& session) {
  CompareReport report;
  report.projectName = session.Env().Project()->Name();
  report.plcName = session.Env().Plc() ? session.Env().Plc()->Name() : std::string();
  report.project = CompareRows(session, session.OfflineModel());
  if (const auto online = session.OnlineModel()) report.plc = CompareRows(session, online);
  CountSide(report.project, report.counts, true);
  CountSide(report.plc, report.counts, false);
  return report;
}

void WriteCompareRows(std::ostream& out, const std::vector<CompareRow>& rows, bool marks) {
  for (const CompareRow& row : rows) {
    if (marks) {
      const std::string_view mark = CompareMark(row.state);
      out << (mark.empty() ? std::string_view(" ") : mark) << " ";
    }
    out << std::string(static_cast<size_t>(row.depth) * 2, ' ') << row.name;
    if (!row.title.empty()) out << "  [" << row.title << "]";
    if (row.ghost) {
      out << ":";
      for (size_t b = 0; b < row.ghostBlocks.size(); ++b) {
        out << (b == 0 ? " " : ", ") << row.ghostBlocks[b];
      }
    }
    out << "\n";
  }
}

CLI::App* AddCompareCommand(CLI::App& app, CompareRequest& request) {
  CLI::App* compare = app.add_subcommand(
      "compare",
      "compare a project with the PLC it runs on: both trees with their compare states and "
      "ghost entries, and the counts (exit code 0 equal, 1 different)");
  compare->add_option("PROJECT", request.project, "project file (default: the embedded sample)")
      ->check(CLI::ExistingFile);
  compare->add_option("--plc", request.plc, "PLC file (default: the embedded sample PLC)")
      ->check(CLI::ExistingFile);
  compare->add_option("--set", request.settings,
                      "set a host option before the trees are built, KEY=VALUE");
  compare->add_flag("--json", request.json, "print the report as JSON");
  compare->add_option("--html", request.html,
                      "also write the report as one self-contained HTML page to this file");
  return compare;
}

int RunCompare(const std::filesystem::path& library, const CompareRequest& request,
               std::ostream& out, std::ostream& /*err*/) {
  SnapInSession::Options options;
  options.library = library;
  if (!request.project.empty()) options.project = request.project;
  options.connect = true;
  if (!request.plc.empty()) options.plc = request.plc;
  for (const std::string& setting : request.settings) {
    options.settings.push_back(ParseSetting(setting));
  }
  SnapInSession session(options);
  const CompareReport report = BuildCompareReport(session);

  if (!request.html.empty()) {
    std::ofstream page(request.html, std::ios::binary | std::ios::trunc);
    if (!page) {
      throw platform::Error(host::ProjectFile::kFileAccessError,
                            "cannot write the HTML page '" + request.html + "'");
    }
    WriteCompareHtml(page, report);
    page.close();
    if (!page) {
      throw platform::Error(host::ProjectFile::kFileAccessError,
                            "cannot write the HTML page '" + request.html + "'");
    }
  }
  if (request.json) {
    WriteReportJson(out, report);
  } else {
    WriteCounts(out, report);
    out << "\nproject:\n";
    WriteCompareRows(out, report.project, true);
    out << "\nPLC:\n";
    WriteCompareRows(out, report.plc, true);
  }
  return report.Equal() ? 0 : 1;
}

}  // namespace prjsnap
