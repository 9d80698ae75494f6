// prjsnap download, upload and blocks, end to end on copies of the sample project and PLC: the
// direct path and the selection dialog played by --select, the files written only by a load that
// succeeded, the progress, and bad input stopped before anything starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "PrjsnapTestSupport.h"
#include "ProgressMeter.h"

namespace mztest {
namespace {

class PrjsnapLoad : public SampleCopies {
 protected:
  RunResult Compare() { return Run("compare", ""); }
};

TEST_F(PrjsnapLoad, DownloadedBlocksCompareEqualAndOnlyThePlcIsWritten) {
  // Two blocks load without the dialog; FC2 still differs.
  ExpectOutput(Run("download", "FB11 FC5"), 0, {"downloaded 2 objects into p.plc.xml: FB11, FC5"},
               {"+-- Download"});
  EXPECT_EQ(FileText(project_.Path()), projectBefore_);
  ExpectOutput(Compare(), 1, {"different blocks      1", "only in the project   0"});
}

TEST_F(PrjsnapLoad, ACategoryOpensTheDialogWhichLoadsWhatTheStepsChoose) {
  // The category's blocks are preselected; the tree is indented under its shown rows.
  ExpectOutput(Run("download", "Motors --select none,+FB11,load"), 0,
               {"| [x]     FB11  (BeltDrive)", "| [ ]   Conveyor logic",
                "downloaded 1 object into p.plc.xml: FB11"});
  EXPECT_TRUE(Has(Compare().output, "different blocks      1"));
}

TEST_F(PrjsnapLoad, CancelledRefusedBadAndFailedLoadsLeaveBothFiles) {
  for (const char* steps : {"cancel", "escape", "close", "none,load", ""}) {
    SCOPED_TRACE(steps);
    ExpectUntouched(Run("download", std::string("Motors --select '") + steps + "'"), 1,
                    "the download was cancelled; nothing was changed");
  }
  ExpectUntouched(Run("download", "NoSuchBlock"), 1, "'NoSuchBlock'");
  ExpectUntouched(Run("download", "UDT1"), 1, "cannot be download");
  ExpectUntouched(Run("download", "Motors --select 'none,+FB11,lod'"), 2, "'lod' is no step");
  ExpectUntouched(Run("download", "Motors --select '+FB99,load'"), 2, "no row 'FB99'");

  // A PLC whose load memory holds FB11 but not FC5 as well: the load fails as a whole.
  TempFile small("s.plc.xml", FileText(Sample("conveyor.plc.xml")));
  std::string text = FileText(small.Path());
  text.insert(text.find("<plc ") + 5, "load-memory=\"4700\" ");
  std::ofstream(small.Path(), std::ios::binary) << text;
  ExpectOutput(
      RunPrjsnap("download '" + project_.Path() + "' --plc '" + small.Path() + "' FB11 FC5"), 1,
      {"load memory"});
  EXPECT_EQ(FileText(small.Path()), text) << "the PLC stays byte for byte";
  EXPECT_EQ(FileText(project_.Path()), projectBefore_);
}

TEST_F(PrjsnapLoad, UploadPutsTheBlockAtThePositionAndWritesOnlyTheProject) {
  ExpectOutput(Run("upload", "FC30 --at Diagnostics"), 0,
               {"uploaded 1 object into p.prj.xml: FC30"});
  EXPECT_EQ(FileText(plc_.Path()), plcBefore_);
  EXPECT_TRUE(
      Has(RunPrjsnap("tree '" + project_.Path() + "'").output, "    Diagnostics\n      FC30"));
  EXPECT_TRUE(Has(Compare().output, "only in the PLC       0"));
}

TEST_F(PrjsnapLoad, BlockListPrintsTheChosenBlocksAndWhatToDoWithThem) {
  const auto blocks = [&](const std::string& args) {
    return RunPrjsnap("blocks '" + project_.Path() + "' " + args);
  };
  ExpectOutput(blocks("--select dblclick:FB20"), 0, {"open in the editor: FB20"});
  ExpectOutput(blocks("--side online --select click:FC2,properties"), 0,
               {"show the properties of: FC2"});
  ExpectOutput(blocks("--select 'click:FB10,ctrl+click:FC1,open'"), 0,
               {"open in the editor: FB10, FC1"});
  ExpectOutput(blocks("--select cancel"), 1, {"no block was chosen"});
  EXPECT_EQ(FileText(project_.Path()), projectBefore_) << "the block list never writes";
}

TEST(PrjsnapLoadProgress, ALineEveryTenthUnlessQuiet) {
  std::string blocks;
  for (int i = 1; i <= 40; ++i)
    blocks += "<block type=\"FC\" number=\"" + std::to_string(i) + "\"/>";
  TempFile project("b.prj.xml", ProjectText("<program name=\"Program\">" + blocks + "</program>"));
  TempFile plc("b.plc.xml", PlcText("<program name=\"Program\"/>"));
  const std::string args = "download '" + project.Path() + "' --plc '" + plc.Path() + "'";
  ExpectOutput(RunPrjsnap(args), 0, {"download: 50% (20/40)\n", "download: 100% (40/40)\n"});
  EXPECT_FALSE(Has(RunPrjsnap(args + " --quiet").output, "download:"));
}

// 101 objects: 10 of them are only 9.9 %, so every tenth is reached one object later.
TEST(PrjsnapLoadProgress, WholePercentsInPlaceOnATerminalTenthsInALogNothingForAFew) {
  std::ostringstream terminal, log;
  prjsnap::ProgressMeter bar("download", terminal, true), lines("download", log, false);
  bar.Update(3, prjsnap::ProgressMeter::kFewObjects - 1);
  for (int32_t done = 0; done <= 101; ++done) {
    bar.Update(done, 101);
    lines.Update(done, 101);
  }
  bar.Finish();
  const std::string drawn = terminal.str();
  EXPECT_EQ(std::count(drawn.begin(), drawn.end(), '\r'), 101) << "each of 0..100 % once";
  EXPECT_EQ(drawn.substr(drawn.rfind('\r')), "\rdownload [####################] 100%  101/101\n");
  std::string tenths = "download: 0% (0/101)\n";
  for (int k = 1; k <= 10; ++k) {
    tenths +=
        "download: " + std::to_string(10 * k) + "% (" + std::to_string(10 * k + 1) + "/101)\n";
  }
  EXPECT_EQ(log.str(), tenths);
}

}  // namespace
}  // namespace mztest
