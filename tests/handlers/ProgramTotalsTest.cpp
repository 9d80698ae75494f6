// The program item's date and size: the latest change and the sum of sizes over the program's
// non-system blocks, current after the tree is built and after every change of its blocks.
#include "HandlerFixture.h"

namespace mztest {
namespace {

class ProgramTotals : public HandlerFixture {
 protected:
  std::string Date() { return Value(ProgramItem(), "LASTMODIFIED").ToDate().ToString(); }
  int32_t Size() { return Value(ProgramItem(), "SIZE").ToInt32(); }
};

TEST_F(ProgramTotals, SystemBlocksDoNotCountAndAnEmptyProgramShowsTheDefaults) {
  OpenText(ProgramProject(
      "default-category=\"1\"",
      CategoryXml(1, "A") + BlockXml("FB", 1, "size=\"100\" modified=\"2026-01-01 10:00:00\"") +
          BlockXml("SFC", 46, "size=\"900\" modified=\"2027-01-01 10:00:00\" system=\"true\"")));
  EXPECT_EQ(Date(), "2026-01-01 10:00:00");
  EXPECT_EQ(Size(), 100);
  HostProgram()->RemoveBlock(*HostBlock("FB1"));
  EXPECT_EQ(Date(), "1900-01-01 00:00:00");
  EXPECT_EQ(Size(), 0);
}

TEST_F(ProgramTotals, SizeBeyond32BitsIsAnOverflow) {
  OpenText(ProgramProject("default-category=\"1\"", CategoryXml(1, "A") +
                                                        BlockXml("FB", 1, "size=\"2147483647\"") +
                                                        BlockXml("FB", 2, "size=\"1\"")));
  EXPECT_EQ(Size(), 0) << "the fill's value stays";
  bool reported = false;
  for (const auto& report : env.Errors().Reports()) {
    reported |= report.source == "mzblprsx.RgPrjHandlerProgramOffline.P_SetProgramTotals" &&
                report.number == platform::errc::kOverflow;
  }
  EXPECT_TRUE(reported) << Join(ErrorSources());
}

}  // namespace
}  // namespace mztest
