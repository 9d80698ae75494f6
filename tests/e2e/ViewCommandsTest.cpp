// prjsnap tree and details, end to end.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "PrjsnapTestSupport.h"

namespace mztest {
namespace {

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(PrjsnapTree, ShowsTheExplorerRowsIndentedWithoutTheDefaultCategory) {
  const RunResult r = RunPrjsnap("tree");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(r.output.rfind("Conveyor  [Conveyor]\n  Station\n  Symbols\n", 0), 0u) << r.output;
  EXPECT_NE(r.output.find("\n  Program\n    Motors\n      FB10  [FB10:Motor]\n"), std::string::npos)
      << r.output;
  EXPECT_EQ(r.output.find("\n    Blocks\n"), std::string::npos)
      << "the default category is not listed, its blocks are: " << r.output;
  EXPECT_NE(r.output.find("\n      DB11  [DB11]\n    OB1  [OB1:Cycle]\n"), std::string::npos)
      << "the default category's blocks sit under the program, not under Motors: " << r.output;
  const RunResult json = RunPrjsnap("tree --json");
  EXPECT_NE(json.output.find(
                "{\"depth\": 2, \"data\": {\"TYPE\": \"RgBlockOffline.OB\", \"NAME\": \"OB1\""),
            std::string::npos)
      << "the JSON depth is the indentation: " << json.output;
}

TEST(PrjsnapTree, AddressPriorityPutsTheSymbolFirstAndSystemBlocksShowOnRequest) {
  const RunResult r = RunPrjsnap("tree --set General/Settings/AddressPriority=1");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_NE(r.output.find("FB10  [Motor:FB10]"), std::string::npos) << r.output;
  const RunResult hidden = RunPrjsnap("tree --json");
  const RunResult shown = RunPrjsnap("tree --json --set General/Display/ShowSystemBlocks=1");
  EXPECT_EQ(Count(shown.output, "\"depth\": 2"), Count(hidden.output, "\"depth\": 2") + 1)
      << "the sample's one system block appears, in the default category";
  EXPECT_NE(shown.output.find("\"SYSTEM\": true"), std::string::npos);
}

// Mistyped options: a word on standard error where the typo does no harm, a refusal (exit code 2,
// nothing run) where it would silently mean something else.
TEST(PrjsnapViewOptions, TyposAreWarnedAboutOrRefused) {
  struct Case {
    std::string arguments;
    int exitCode;
    const char* said;     // in the output; "" for nothing in particular
    const char* notSaid;  // not in the output; "" for no check
  };
  std::vector<Case> cases = {
      {"details --sort FOO", 0,
       "prjsnap: warning: --sort: 'FOO' is no column; it has no effect (columns: SortDefault NAME",
       ""},
      {"details --sort SIZE,name:desc", 0,
       "'name' is no column; it has no effect (keys are case-sensitive: NAME)", "'SIZE'"},
      {"details --sort NAME:desc,SortDefault", 0, "UDT1", "warning"},
      {"details --sort NAME:sideways", 2, "neither asc nor desc", ""},
      {"details --of memory", 2, "", ""},
      {"tree --set NoEquals", 2, "prjsnap: --set needs KEY=VALUE, got 'NoEquals'", ""},
      {"tree --set General/Display/ShowSystemBlocks=maybe", 2,
       "prjsnap: --set General/Display/ShowSystemBlocks: 'maybe' is not a Boolean (use 1/0, "
       "true/false, yes/no or on/off)",
       "Conveyor"},
      {"tree --set general/display/SHOWSYSTEMBLOCKS=2", 2, "'2' is not a Boolean", ""},
      // Not a Boolean option: the text goes to the host as it is.
      {"tree --set General/Settings/AddressPriority=yes", 0, "FB10  [FB10:Motor]", ""},
  };
  // The system block SFC46 is a row only while the option is on.
  const std::string show = "tree --set General/Display/ShowSystemBlocks=";
  for (const char* on : {"YES", "on", "True"}) cases.push_back({show + on, 0, "SFC46", ""});
  for (const char* off : {"no", "OFF", "false"}) cases.push_back({show + off, 0, "FB10", "SFC46"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    const RunResult r = RunPrjsnap(c.arguments);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.output;
    EXPECT_NE(r.output.find(c.said), std::string::npos) << r.output;
    if (*c.notSaid != '\0') {
      EXPECT_EQ(r.output.find(c.notSaid), std::string::npos) << r.output;
    }
  }
}

TEST(PrjsnapTree, JsonRowsCarryDepthDataAndStates) {
  const RunResult r = RunPrjsnap("tree --json");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_EQ(r.output.rfind("[\n  {\"depth\": 0, \"data\": {\"TYPE\": \"RgProjectOffline\"", 0), 0u)
      << r.output;
  EXPECT_NE(r.output.find("\"LASTMODIFIED\": \"2026-11-02 08:15:00\""), std::string::npos)
      << "dates as YYYY-MM-DD HH:MM:SS";
  EXPECT_NE(r.output.find("\"states\": {\"SYMBOLSTATE\""), std::string::npos) << r.output;
}

TEST(PrjsnapTree, ShowingAProjectNeverWritesIt) {
  const TempFile project("conveyor.prj.xml", FileText(Sample("conveyor.prj.xml")));
  const std::string before = FileText(project.Path());
  EXPECT_EQ(RunPrjsnap("tree " + project.Path()).exitCode, 0);
  EXPECT_EQ(RunPrjsnap("details " + project.Path()).exitCode, 0);
  EXPECT_EQ(FileText(project.Path()), before)
      << "building the tree stores the category order, but show commands do not save";
}

TEST(PrjsnapDetails, SortsByTheGivenColumns) {
  const RunResult byDefault = RunPrjsnap("details");
  ASSERT_EQ(byDefault.exitCode, 0) << byDefault.output;
  EXPECT_EQ(byDefault.output.rfind("NAME", 0), 0u) << "a header line first";
  EXPECT_LT(byDefault.output.find("\nOB1 "), byDefault.output.find("\nFB10 "))
      << "SortDefault: organization blocks before function blocks";
  EXPECT_LT(byDefault.output.find("\nFB10 "), byDefault.output.find("\nFB11 "));
  const RunResult byName = RunPrjsnap("details --sort NAME:desc");
  ASSERT_EQ(byName.exitCode, 0) << byName.output;
  EXPECT_LT(byName.output.find("\nUDT1 "), byName.output.find("\nDB10 "));
}

TEST(PrjsnapDetails, ProjectModeAddsTheHardwareConfiguration) {
  const RunResult project = RunPrjsnap("details --of project --json");
  const RunResult program = RunPrjsnap("details --of program --json");
  ASSERT_EQ(project.exitCode, 0) << project.output;
  EXPECT_NE(project.output.find("\"RgHwConfigOffline\""), std::string::npos);
  EXPECT_EQ(program.output.find("\"RgHwConfigOffline\""), std::string::npos);
}

}  // namespace
}  // namespace mztest
