// prjsnap card, end to end on a copy of the sample PLC: the card's files as the details list
// shows them, a load, and renames and deletions that write the PLC file only when the card
// carried them out.
#include <gtest/gtest.h>

#include "PrjsnapTestSupport.h"

namespace mztest {
namespace {

TEST(PrjsnapCard, ListLoadRenameAndDeleteWriteOnlyWhatTheCardCarriedOut) {
  const TempFile plc("conveyor.plc.xml", FileText(Sample("conveyor.plc.xml")));
  const auto card = [&](const std::string& arguments) {
    return RunPrjsnap("card '" + plc.Path() + "' " + arguments);
  };
  const std::string sample = FileText(plc.Path());
  EXPECT_EQ(card("").output,
            "NAME         DISPLAY_TYPE  SIZE   LASTMODIFIED       \n"
            "Archive.zip  Archive       96512  2026-09-30 17:00:00\n"
            "Program.wld  Program       18432  2026-11-02 08:20:00\n"
            "Recipes.csv  Data          2310   2026-10-20 13:15:00\n");
  EXPECT_EQ(card("load").output, "LoadState -1: loaded, 3 files\n");
  ExpectOutput(card("rename Program.wld RECIPES.CSV"), 1, {"already holds a file 'Recipes.csv'"});
  ExpectOutput(card("delete Archive.zip Missing.bin"), 1, {"has no file 'Missing.bin'"});
  ExpectOutput(card("rename Program.wld"), 2, {"rename needs FILE and NEW"});
  ExpectOutput(card("format"), 2, {"'format' is no action"});
  EXPECT_EQ(FileText(plc.Path()), sample) << "showing, loading and refusals write nothing";

  EXPECT_EQ(card("rename recipes.csv Recipes-2026.csv").exitCode, 0);
  EXPECT_TRUE(Has(FileText(plc.Path()), "name=\"Recipes-2026.csv\""));
  EXPECT_EQ(card("delete Archive.zip program.wld").exitCode, 0);
  const std::string left = card("list").output;
  EXPECT_TRUE(Has(left, "Recipes-2026.csv")) << left;
  EXPECT_FALSE(Has(left, "Archive.zip")) << left;
}

}  // namespace
}  // namespace mztest
