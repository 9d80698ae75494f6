// `prjsnap compare [PROJECT] [--plc PLC] [--json] [--html FILE]`: connects the project to the PLC
// as a user does, lets the library's status controller compare them, and reports both trees with
// their compare states and ghost entries and the counts. Without files it compares the embedded
// sample project with the embedded sample PLC. It never writes the project or the PLC file.
//
//   prjsnap compare conveyor.prj.xml --plc conveyor.plc.xml --html report.html
//
// Exit code 0 when project and PLC are equal (a data type that only the project has does not
// count: the PLC keeps none), 1 when something differs, 2 for bad input.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "SnapInSession.h"
#include "mzblprsx/interfaces/RgProjectItem.h"

namespace CLI {
class App;
}

namespace prjsnap {

/// Files left empty stand for the embedded samples; `html` empty writes no page.
struct CompareRequest {
  std::string project;
  std::string plc;
  std::vector<std::string> settings;  ///< --set KEY=VALUE
  bool json = false;
  std::string html;
};

/// One row of a tree as the explorer shows it, with its compare state.
struct CompareRow {
  int32_t depth = 0;
  int32_t state = 0;  ///< "COMPARESTATE": 0 none, 1 equal, 2 different, 3 not comparable, 4 equal
  std::string type;
  std::string name;
  std::string title;
  bool ghost = false;
  std::vector<std::string> ghostBlocks;  ///< the blocks a ghost row stands for
};

struct CompareCounts {
  int32_t equal = 0;
  int32_t different = 0;
  int32_t notComparable = 0;
  int32_t onlyInProject = 0;
  int32_t onlyInPlc = 0;
  int32_t hardware = 0;  ///< the hardware configuration's compare state
  int32_t program = 0;   ///< the program's compare state
  bool projectHasHardware = false;
  bool plcHasHardware = false;
};

struct CompareReport {
  std::string projectName;
  std::string plcName;
  std::vector<CompareRow> project;
  std::vector<CompareRow> plc;
  CompareCounts counts;

  /// True when the states say equal: the programs compare equal, and the stations too (or
  /// neither side has one).
  bool Equal() const;
};

/// The mark of a compare state in text output: "=" equal (1, and 4 below an equal program),
/// "≠" different, "?" cannot be compared, "" no comparison.
std::string_view CompareMark(int32_t state);
/// The state in words: "equal", "different", "cannot be compared", "not compared".
std::string_view CompareStateText(int32_t state);

/// Items of a tree with their depths as rows with their states; ghost rows with their blocks.
std::vector<CompareRow> ToCompareRows(
    const std::vector<platform::Ref<mzblprsx::RgProjectItem>>& items,
    const std::vector<int32_t>& depths);
/// The explorer's rows of a model as ToCompareRows gives them.
std::vector<CompareRow> CompareRows(SnapInSession& session,
                                    const platform::Ref<mzblprsx::RgProjectModel>& model);
/// `"ghostBlocks": [...]` for a ghost item, nothing for any other (an ItemJsonExtra).
std::string GhostBlocksJson(const platform::Ref<mzblprsx::RgProjectItem>& item);
/// Both trees of a session that is connected, and the counts.
CompareReport BuildCompareReport(SnapInSession& session);

/// Rows as text, indented by depth; with `marks` a column of compare marks in front.
void WriteCompareRows(std::ostream& out, const std::vector<CompareRow>& rows, bool marks);

/// Declares `compare` on the application; parsing fills `request`, which must outlive the parse.
CLI::App* AddCompareCommand(CLI::App& app, CompareRequest& request);

/// Runs the comparison on its own session; see the file comment for the exit codes. Throws
/// platform::Error when a file does not load or the library cannot be loaded.
int RunCompare(const std::filesystem::path& library, const CompareRequest& request,
               std::ostream& out, std::ostream& err);

}  // namespace prjsnap
