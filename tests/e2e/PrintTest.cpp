// prjsnap print end to end on the samples: the details printout of a program, a project and the
// memory card through the library's print object, in each of the four forms, with the PDF read
// back; bad requests stopped with exit code 2, and no file of the project ever written.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "PrjsnapTestSupport.h"

namespace mztest {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class PrjsnapPrint : public ::testing::Test {
 protected:
  PrjsnapPrint()
      : project_("p.prj.xml", FileText(Sample("conveyor.prj.xml"))),
        plc_("p.plc.xml", FileText(Sample("conveyor.plc.xml"))),
        projectBefore_(FileText(project_.Path())),
        plcBefore_(FileText(plc_.Path())) {}
  ~PrjsnapPrint() override {
    EXPECT_EQ(FileText(project_.Path()), projectBefore_) << "printing writes no project file";
    EXPECT_EQ(FileText(plc_.Path()), plcBefore_) << "printing writes no PLC file";
  }

  RunResult Print(const std::string& rest) {
    return RunPrjsnap("--locale de_DE print '" + project_.Path() + "' --plc '" + plc_.Path() +
                      "' " + rest);
  }

  TempFile project_;
  TempFile plc_;
  std::string projectBefore_;
  std::string plcBefore_;
};

TEST_F(PrjsnapPrint, TextOfTheProgramHasItsCategoriesBlocksAndTotal) {
  const RunResult r = Print("--of program");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  for (const char* part : {"Name", "Symbol", "Header", "Motors", "Conveyor logic", "FB10", "Motor",
                           "Motor control", "02.11.26 08:15:00", "Total:", "5070", "bytes"}) {
    EXPECT_TRUE(Has(r.output, part)) << part << " in\n" << r.output;
  }
  EXPECT_FALSE(Has(r.output, "SFC46")) << "system blocks stay hidden by the default option";
  EXPECT_FALSE(Has(r.output, "Station")) << "a program printout lists no hardware";
}

TEST_F(PrjsnapPrint, CsvHasTheHeaderEveryRowAndTheTotal) {
  const RunResult r = Print("--of program --format csv");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  const std::vector<std::string> lines = Lines(r.output);
  // Header, 3 categories (the default category's blocks stand in the program, as in the tree),
  // 15 blocks (SFC46 hidden), total.
  ASSERT_EQ(lines.size(), 20U) << r.output;
  EXPECT_TRUE(Has(lines.front(), "Name,Symbol,Size,Language,Last modified,Author,Header"))
      << lines.front();
  EXPECT_TRUE(Has(lines.back(), "Total:")) << lines.back();
  EXPECT_TRUE(Has(lines.back(), "5070")) << lines.back();
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
    return l.rfind("Motors,", 0) == 0;
  })) << "a category row starts with its name";
}

TEST_F(PrjsnapPrint, HtmlIsOneSelfContainedPage) {
  const RunResult r = Print("--of project --format html");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(Has(r.output, "<!DOCTYPE html>")) << r.output;
  EXPECT_TRUE(Has(r.output, "<table")) << r.output;
  EXPECT_TRUE(Has(r.output, "Station")) << "a project printout lists the hardware";
  EXPECT_FALSE(Has(r.output, "<script")) << "nothing is fetched or run";
}

TEST_F(PrjsnapPrint, PdfReadsBackWithOnePagePerPageRows) {
  if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) GTEST_SKIP() << "no pdftotext";
  const TempFile pdf("program.pdf", "");
  // 18 body rows and the total line at 5 rows a page: 4 pages.
  const RunResult r = Print("--of program --format pdf --page-rows 5 -o '" + pdf.Path() + "'");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(Has(r.output, "4 pages")) << r.output;
  ASSERT_EQ(FileText(pdf.Path()).rfind("%PDF-", 0), 0U) << "a PDF document";
  const RunResult text = RunResult{
      std::system(("pdftotext -layout '" + pdf.Path() + "' '" + pdf.Path() + ".txt'").c_str()),
      FileText(pdf.Path() + ".txt")};
  ASSERT_EQ(text.exitCode, 0);
  EXPECT_EQ(std::count(text.output.begin(), text.output.end(), '\f'), 4) << text.output;
  EXPECT_TRUE(Has(text.output, "Motor control")) << text.output;
  EXPECT_TRUE(Has(text.output, "5070")) << text.output;
}

TEST_F(PrjsnapPrint, TheMemoryCardListsItsFilesAndTheirTotal) {
  const RunResult r = Print("--of card --format csv");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  for (const char* part : {"File name,File type", "Program.wld", "Recipes.csv", "Archive.zip",
                           "Program", "Archive", "117254"}) {
    EXPECT_TRUE(Has(r.output, part)) << part << " in\n" << r.output;
  }
  EXPECT_EQ(Lines(r.output).size(), 5U) << "header, three files, total: " << r.output;
}

TEST_F(PrjsnapPrint, TheOnlineProgramPrintsThePlcsBlocks) {
  const RunResult r = Print("--of program --side online");
  ASSERT_EQ(r.exitCode, 0) << r.output;
  EXPECT_TRUE(Has(r.output, "FC30")) << "only the PLC has FC30: " << r.output;
  EXPECT_FALSE(Has(r.output, "FC5 ")) << "only the project has FC5";
  EXPECT_FALSE(Has(r.output, "Motors")) << "a PLC has no categories";
}

TEST_F(PrjsnapPrint, BadRequestsStopBeforeAnythingIsPrinted) {
  const struct {
    const char* arguments;
    const char* reason;
  } rows[] = {
      {"--of card --side offline", "PLC's side only"},
      {"--of program --page-rows 0", "page-rows"},
      {"--of program --format docx", "format"},
      {"--of program -o /nonexistent-dir/x.txt", "cannot write"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.arguments);
    const RunResult r = Print(row.arguments);
    EXPECT_EQ(r.exitCode, 2) << r.output;
    EXPECT_TRUE(Has(r.output, row.reason)) << r.output;
  }
  const RunResult locale = RunPrjsnap("--locale xx_NOWHERE print --of program");
  EXPECT_EQ(locale.exitCode, 2) << locale.output;
  EXPECT_TRUE(Has(locale.output, "locale")) << locale.output;
}

}  // namespace
}  // namespace mztest
