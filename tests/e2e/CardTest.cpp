// prjsnap card, end to end on a copy of the sample PLC: the card's files as the details list
// shows them, a load, renames and deletions that write the PLC file only when the card carried
// them out.
#include <gtest/gtest.h>

#include <sstream>

#include "PrjsnapTestSupport.h"

namespace mztest {
namespace {

class PrjsnapCard : public ::testing::Test {
 protected:
  PrjsnapCard() : plc_("conveyor.plc.xml", FileText(Sample("conveyor.plc.xml"))) {}

  RunResult Card(const std::string& arguments) {
    return RunPrjsnap("card '" + plc_.Path() + "' " + arguments);
  }
  /// The names of the listed files, in the list's order.
  std::string Listed() {
    const RunResult r = Card("list");
    EXPECT_EQ(r.exitCode, 0) << r.output;
    std::string names;
    std::istringstream lines(r.output);
    std::string line;
    std::getline(lines, line);  // the column heads
    while (std::getline(lines, line))
      names += (names.empty() ? "" : " ") + line.substr(0, line.find(' '));
    return names;
  }
  std::string Text() const { return FileText(plc_.Path()); }

  TempFile plc_;
};

TEST_F(PrjsnapCard, ListShowsTheFilesAndLoadReportsTheLoadState) {
  const std::string before = Text();
  const RunResult list = Card("");
  EXPECT_EQ(list.exitCode, 0) << list.output;
  EXPECT_NE(list.output.find("NAME"), std::string::npos) << list.output;
  EXPECT_NE(list.output.find("Program.wld  Program"), std::string::npos) << list.output;
  EXPECT_NE(list.output.find("18432"), std::string::npos) << list.output;
  EXPECT_EQ(Listed(), "Archive.zip Program.wld Recipes.csv") << "in the order of their names";
  const RunResult load = Card("load");
  EXPECT_EQ(load.exitCode, 0) << load.output;
  EXPECT_EQ(load.output, "LoadState -1: loaded, 3 files\n");
  EXPECT_EQ(Text(), before) << "showing writes nothing";
}

TEST_F(PrjsnapCard, RenameWritesTheFileAndARefusedOneLeavesItByteForByte) {
  const RunResult renamed = Card("rename recipes.csv Recipes-2026.csv");
  EXPECT_EQ(renamed.exitCode, 0) << renamed.output;
  EXPECT_NE(Text().find("name=\"Recipes-2026.csv\""), std::string::npos);
  EXPECT_EQ(Listed(), "Archive.zip Program.wld Recipes-2026.csv");

  const std::string before = Text();
  const struct Row {
    const char* arguments;
    int exitCode;
    const char* reason;
  } rows[] = {
      {"rename Program.wld RECIPES-2026.CSV", 1, "already holds a file 'Recipes-2026.csv'"},
      {"rename Program.wld 'a/b'", 1, "path separator"},
      {"rename Missing.bin x.bin", 1, "has no file 'Missing.bin'"},
      {"rename Program.wld", 2, "rename needs FILE and NEW"},
      {"format", 2, "'format' is no action"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments);
    const RunResult r = Card(row.arguments);
    EXPECT_EQ(r.exitCode, row.exitCode) << r.output;
    EXPECT_NE(r.output.find(row.reason), std::string::npos) << r.output;
    EXPECT_EQ(Text(), before);
  }
}

TEST_F(PrjsnapCard, DeleteRemovesTheNamedFilesOrNone) {
  const std::string before = Text();
  const RunResult missing = Card("delete Archive.zip Missing.bin");
  EXPECT_EQ(missing.exitCode, 1) << missing.output;
  EXPECT_EQ(Text(), before) << "a file the card lacks deletes nothing";
  const RunResult deleted = Card("delete Archive.zip program.wld");
  EXPECT_EQ(deleted.exitCode, 0) << deleted.output;
  EXPECT_NE(deleted.output.find("deleted 2 files"), std::string::npos) << deleted.output;
  EXPECT_EQ(Listed(), "Recipes.csv");
}

}  // namespace
}  // namespace mztest
