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

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class PrjsnapPrint : public SampleCopies {
 protected:
  ~PrjsnapPrint() override {
    EXPECT_EQ(FileText(project_.Path()), projectBefore_) << "printing writes no project file";
    EXPECT_EQ(FileText(plc_.Path()), plcBefore_) << "printing writes no PLC file";
  }

  RunResult Print(const std::string& rest) { return Run("--locale de_DE print", rest); }
};

TEST_F(PrjsnapPrint, EachPrintoutShowsWhatItsObjectHoldsAndNothingElse) {
  // System blocks stay hidden by the default option; a program printout lists no hardware.
  ExpectOutput(Print("--of program"), 0,
               {"Name", "Symbol", "Header", "Motors", "Conveyor logic", "FB10", "Motor",
                "Motor control", "02.11.26 08:15:00", "Total:", "5070", "bytes"},
               {"SFC46", "Station"});
  // One self-contained page; a project printout lists the hardware.
  ExpectOutput(Print("--of project --format html"), 0, {"<!DOCTYPE html>", "<table", "Station"},
               {"<script"});
  const RunResult card = ExpectOutput(Print("--of card --format csv"), 0,
                                      {"File name,File type", "Program.wld", "Recipes.csv",
                                       "Archive.zip", "Program", "Archive", "117254"});
  EXPECT_EQ(Lines(card.output).size(), 5U) << "header, three files, total: " << card.output;
  // Only the PLC has FC30, only the project FC5, and a PLC has no categories.
  ExpectOutput(Print("--of program --side online"), 0, {"FC30"}, {"FC5 ", "Motors"});
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

TEST_F(PrjsnapPrint, PdfReadsBackWithOnePagePerPageRows) {
  if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) GTEST_SKIP() << "no pdftotext";
  const TempFile pdf("program.pdf", "");
  // 18 body rows and the total line at 5 rows a page: 4 pages.
  ExpectOutput(Print("--of program --format pdf --page-rows 5 -o '" + pdf.Path() + "'"), 0,
               {"4 pages"});
  ASSERT_EQ(FileText(pdf.Path()).rfind("%PDF-", 0), 0U) << "a PDF document";
  ASSERT_EQ(
      std::system(("pdftotext -layout '" + pdf.Path() + "' '" + pdf.Path() + ".txt'").c_str()), 0);
  const std::string text = FileText(pdf.Path() + ".txt");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 4) << text;
  EXPECT_TRUE(Has(text, "Motor control")) << text;
  EXPECT_TRUE(Has(text, "5070")) << text;
}

TEST_F(PrjsnapPrint, BadRequestsStopBeforeAnythingIsPrinted) {
  ExpectOutput(Print("--of card --side offline"), 2, {"PLC's side only"});
  ExpectOutput(Print("--of program --page-rows 0"), 2, {"page-rows"});
  ExpectOutput(Print("--of program --format docx"), 2, {"format"});
  ExpectOutput(Print("--of program -o /nonexistent-dir/x.txt"), 2, {"cannot write"});
  ExpectOutput(RunPrjsnap("--locale xx_NOWHERE print --of program"), 2, {"locale"});
}

}  // namespace
}  // namespace mztest
