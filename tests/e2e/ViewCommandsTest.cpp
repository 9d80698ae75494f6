// prjsnap tree and details, end to end.
#include <gtest/gtest.h>

#include <tuple>

#include "PrjsnapTestSupport.h"

namespace mztest {
namespace {

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
}

TEST(PrjsnapTree, AddressPriorityPutsTheSymbolFirstAndSystemBlocksShowOnRequest) {
  const RunResult r = RunPrjsnap("tree --set General/Settings/AddressPriority=1");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_NE(r.output.find("FB10  [Motor:FB10]"), std::string::npos) << r.output;
  const RunResult hidden = RunPrjsnap("tree --json");
  const RunResult shown = RunPrjsnap("tree --json --set General/Display/ShowSystemBlocks=1");
  EXPECT_EQ(Count(shown.output, "\"depth\": 2"), Count(hidden.output, "\"depth\": 2") + 1)
      << "the sample's one system block appears, at the depth of its default category's rows";
  EXPECT_NE(shown.output.find("\"SYSTEM\": true"), std::string::npos);
  EXPECT_EQ(RunPrjsnap("tree --set NoEquals").exitCode, 2);
}

// Typos: a warning where harmless, a refusal (exit code 2) where they would mean something else.
TEST(PrjsnapViewOptions, TyposAreWarnedAboutOrRefused) {
  const std::string show = "tree --set General/Display/ShowSystemBlocks=";
  std::vector<std::tuple<std::string, int, std::string>> cases = {
      // arguments, exit code, said
      {"details --sort FOO", 0, "warning: --sort: 'FOO' is no column; it has no effect (columns:"},
      {"details --sort SIZE,name", 0,
       "'name' is no column; it has no effect (keys are case-sensitive: NAME)"},
      {show + "maybe", 2,
       "ShowSystemBlocks: 'maybe' is not a Boolean (use 1/0, true/false, yes/no"},
  };
  for (const char* on : {"YES", "on", "True"}) cases.emplace_back(show + on, 0, "SFC46");
  for (const auto& [arguments, exitCode, said] : cases) {
    const RunResult r = RunPrjsnap(arguments);
    EXPECT_EQ(r.exitCode, exitCode) << arguments << ": " << r.output;
    EXPECT_NE(r.output.find(said), std::string::npos) << arguments << ": " << r.output;
  }
  for (const char* off : {"no", "OFF", "false"})
    EXPECT_EQ(RunPrjsnap(show + off).output.find("SFC46"), std::string::npos) << off;
  EXPECT_EQ(RunPrjsnap("details --sort NAME:desc,SortDefault").output.find("warning"),
            std::string::npos);
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
  EXPECT_EQ(RunPrjsnap("details --sort NAME:sideways").exitCode, 2);
  EXPECT_EQ(RunPrjsnap("details --of memory").exitCode, 2);
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
