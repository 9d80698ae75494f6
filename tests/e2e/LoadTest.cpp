// prjsnap download, upload and blocks, end to end on copies of the sample project and PLC: the
// direct path and the selection dialog played by --select, the files written only by a load that
// succeeded, the progress, and bad input stopped before anything starts.
#include <gtest/gtest.h>

#include <string>

#include "PrjsnapTestSupport.h"

namespace mztest {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class PrjsnapLoad : public ::testing::Test {
 protected:
  PrjsnapLoad()
      : project_("p.prj.xml", FileText(Sample("conveyor.prj.xml"))),
        plc_("p.plc.xml", FileText(Sample("conveyor.plc.xml"))),
        projectBefore_(FileText(project_.Path())),
        plcBefore_(FileText(plc_.Path())) {}

  RunResult Load(const std::string& command, const std::string& rest) {
    return RunPrjsnap(command + " '" + project_.Path() + "' --plc '" + plc_.Path() + "' " + rest);
  }
  RunResult Compare() {
    return RunPrjsnap("compare '" + project_.Path() + "' --plc '" + plc_.Path() + "'");
  }
  void ExpectUntouched(const RunResult& r, int exitCode, const std::string& reason) {
    EXPECT_EQ(r.exitCode, exitCode) << r.output;
    EXPECT_TRUE(Has(r.output, reason)) << "the message says why: " << r.output;
    EXPECT_EQ(FileText(project_.Path()), projectBefore_) << "the project stays byte for byte";
    EXPECT_EQ(FileText(plc_.Path()), plcBefore_) << "the PLC stays byte for byte";
  }

  TempFile project_;
  TempFile plc_;
  std::string projectBefore_;
  std::string plcBefore_;
};

TEST_F(PrjsnapLoad, DownloadedBlocksCompareEqualAndOnlyThePlcIsWritten) {
  const RunResult r = Load("download", "FB11 FC5");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_FALSE(Has(r.output, "+-- Download")) << "two blocks load without the dialog: " << r.output;
  EXPECT_TRUE(Has(r.output, "downloaded 2 objects into p.plc.xml: FB11, FC5")) << r.output;
  EXPECT_EQ(FileText(project_.Path()), projectBefore_);
  const RunResult compare = Compare();
  EXPECT_TRUE(Has(compare.output, "different blocks      1"))
      << "FC2 still differs: " << compare.output;
  EXPECT_TRUE(Has(compare.output, "only in the project   0")) << compare.output;
}

TEST_F(PrjsnapLoad, ACategoryOpensTheDialogWhichLoadsWhatTheStepsChoose) {
  const RunResult r = Load("download", "Motors --select none,+FB11,load");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  // The category's blocks are preselected; the tree is indented under its shown rows.
  EXPECT_TRUE(Has(r.output, "| [x]     FB11  (BeltDrive)")) << r.output;
  EXPECT_TRUE(Has(r.output, "| [ ]   Conveyor logic")) << r.output;
  EXPECT_TRUE(Has(r.output, "downloaded 1 object into p.plc.xml: FB11")) << r.output;
  EXPECT_TRUE(Has(Compare().output, "different blocks      1"));
}

TEST_F(PrjsnapLoad, CancelledRefusedAndFailedLoadsLeaveBothFiles) {
  for (const char* steps : {"cancel", "escape", "close", "none,load", ""}) {
    SCOPED_TRACE(steps);
    ExpectUntouched(Load("download", std::string("Motors --select '") + steps + "'"), 1,
                    "nothing was changed");
  }
  ExpectUntouched(Load("download", "NoSuchBlock"), 1, "'NoSuchBlock'");
  ExpectUntouched(Load("download", "UDT1"), 1, "cannot be download");

  // A PLC whose load memory holds FB11 but not FC5 as well: the load fails as a whole.
  TempFile small("s.plc.xml", FileText(Sample("conveyor.plc.xml")));
  std::string text = FileText(small.Path());
  text.insert(text.find("<plc ") + 5, "load-memory=\"4700\" ");
  std::ofstream(small.Path(), std::ios::binary) << text;
  const RunResult full =
      RunPrjsnap("download '" + project_.Path() + "' --plc '" + small.Path() + "' FB11 FC5");
  EXPECT_EQ(full.exitCode, 1) << full.output;
  EXPECT_TRUE(Has(full.output, "load memory")) << full.output;
  EXPECT_EQ(FileText(small.Path()), text) << "the PLC stays byte for byte";
  EXPECT_EQ(FileText(project_.Path()), projectBefore_);
}

TEST_F(PrjsnapLoad, UploadPutsTheBlockAtThePositionAndWritesOnlyTheProject) {
  const RunResult r = Load("upload", "FC30 --at Diagnostics");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(Has(r.output, "uploaded 1 object into p.prj.xml: FC30")) << r.output;
  EXPECT_EQ(FileText(plc_.Path()), plcBefore_);
  const RunResult tree = RunPrjsnap("tree '" + project_.Path() + "'");
  EXPECT_TRUE(Has(tree.output, "    Diagnostics\n      FC30")) << tree.output;
  EXPECT_TRUE(Has(Compare().output, "only in the PLC       0"));
}

TEST_F(PrjsnapLoad, BadStepsStopTheCommandWithExitCodeTwo) {
  ExpectUntouched(Load("download", "Motors --select 'none,+FB11,lod'"), 2, "'lod' is no step");
  ExpectUntouched(Load("download", "Motors --select '+FB99,load'"), 2, "no row 'FB99'");
}

TEST_F(PrjsnapLoad, BlockListPrintsTheChosenBlocksAndWhatToDoWithThem) {
  const struct {
    const char* args;
    int exitCode;
    const char* said;
  } rows[] = {
      {"--select dblclick:FB20", 0, "open in the editor: FB20"},
      {"--side online --select click:FC2,properties", 0, "show the properties of: FC2"},
      {"--select 'click:FB10,ctrl+click:FC1,open'", 0, "open in the editor: FB10, FC1"},
      {"--select cancel", 1, "no block was chosen"},
  };
  for (const auto& row : rows) {
    const RunResult r = RunPrjsnap("blocks '" + project_.Path() + "' " + row.args);
    EXPECT_EQ(r.exitCode, row.exitCode) << row.args << "\n" << r.output;
    EXPECT_TRUE(Has(r.output, row.said)) << row.args << "\n" << r.output;
  }
  EXPECT_EQ(FileText(project_.Path()), projectBefore_) << "the block list never writes";
}

TEST(PrjsnapLoadProgress, ALineEveryTenthUnlessQuiet) {
  std::string blocks;
  for (int i = 1; i <= 40; ++i)
    blocks += "<block type=\"FC\" number=\"" + std::to_string(i) + "\"/>";
  TempFile project("b.prj.xml", ProjectText("<program name=\"Program\">" + blocks + "</program>"));
  TempFile plc("b.plc.xml", PlcText("<program name=\"Program\"/>"));
  const std::string args = "download '" + project.Path() + "' --plc '" + plc.Path() + "'";
  const RunResult r = RunPrjsnap(args);
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(Has(r.output, "download: 50% (20/40)\n")) << r.output;
  EXPECT_TRUE(Has(r.output, "download: 100% (40/40)\n")) << r.output;
  EXPECT_FALSE(Has(RunPrjsnap(args + " --quiet").output, "download:"));
}

}  // namespace
}  // namespace mztest
