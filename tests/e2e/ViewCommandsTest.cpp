// prjsnap tree and details, end to end.
#include <gtest/gtest.h>

#include "PrjsnapTestSupport.h"

namespace mztest {
namespace {

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(PrjsnapTree, RowsIndentedWithoutTheDefaultCategoryAsTextAndJsonAndAsTheOptionsSay) {
  // The default category is not listed; its blocks sit under the program, not under Motors.
  const RunResult r = ExpectOutput(RunPrjsnap("tree"), 0,
                                   {"\n  Program\n    Motors\n      FB10  [FB10:Motor]\n",
                                    "\n      DB11  [DB11]\n    OB1  [OB1:Cycle]\n"},
                                   {"\n    Blocks\n"});
  EXPECT_EQ(r.output.rfind("Conveyor  [Conveyor]\n  Station\n  Symbols\n", 0), 0u) << r.output;

  // Dates as YYYY-MM-DD HH:MM:SS.
  const RunResult json =
      ExpectOutput(RunPrjsnap("tree --json"), 0,
                   {"\"LASTMODIFIED\": \"2026-11-02 08:15:00\"", "\"states\": {\"SYMBOLSTATE\""});
  EXPECT_EQ(json.output.rfind("[\n  {\"depth\": 0, \"data\": {\"TYPE\": \"RgProjectOffline\"", 0),
            0u)
      << json.output;

  ExpectOutput(RunPrjsnap("tree --set General/Settings/AddressPriority=1"), 0,
               {"FB10  [Motor:FB10]"});
  const RunResult shown = RunPrjsnap("tree --json --set General/Display/ShowSystemBlocks=1");
  EXPECT_EQ(Count(shown.output, "\"depth\": 2"), Count(json.output, "\"depth\": 2") + 1)
      << "the sample's one system block appears, at the depth of its default category's rows";
  EXPECT_TRUE(Has(shown.output, "\"SYSTEM\": true"));
  EXPECT_EQ(RunPrjsnap("tree --set NoEquals").exitCode, 2);
}

// Typos: a warning where harmless, a refusal (exit code 2) where they would mean something else.
TEST(PrjsnapViewOptions, TyposAreWarnedAboutOrRefused) {
  const std::string show = "tree --set General/Display/ShowSystemBlocks=";
  ExpectOutput(RunPrjsnap("details --sort FOO"), 0,
               {"warning: --sort: 'FOO' is no column; it has no effect (columns:"});
  ExpectOutput(RunPrjsnap("details --sort SIZE,name"), 0,
               {"'name' is no column; it has no effect (keys are case-sensitive: NAME)"});
  ExpectOutput(RunPrjsnap(show + "maybe"), 2,
               {"ShowSystemBlocks: 'maybe' is not a Boolean (use 1/0, true/false, yes/no"});
  for (const char* on : {"YES", "on", "True"}) ExpectOutput(RunPrjsnap(show + on), 0, {"SFC46"});
  for (const char* off : {"no", "OFF", "false"})
    EXPECT_FALSE(Has(RunPrjsnap(show + off).output, "SFC46")) << off;
  EXPECT_FALSE(Has(RunPrjsnap("details --sort NAME:desc,SortDefault").output, "warning"));
}

TEST(PrjsnapDetails, SortsByTheGivenColumnsAndTheProjectAddsTheHardware) {
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

  ExpectOutput(RunPrjsnap("details --of project --json"), 0, {"\"RgHwConfigOffline\""});
  EXPECT_FALSE(Has(RunPrjsnap("details --of program --json").output, "\"RgHwConfigOffline\""));
}

}  // namespace
}  // namespace mztest
