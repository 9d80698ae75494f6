// prjsnap compare and tree --plc, end to end: the embedded sample project against the sample PLC
// (FB11 and FC2 differ, FC5 was never downloaded, FC30 is only in the PLC), files that compare
// equal, the HTML page read back as XML, and bad input.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <string>
#include <vector>

#include "PrjsnapTestSupport.h"

namespace mztest {
namespace {

const std::string kStation = R"(<hardware name="Station" size="2048"/>)";
const std::string kBlocks =
    R"(<block type="FB" number="10" body="a"/><block type="FC" number="1"/>)";

TEST(PrjsnapCompare, TheSampleDiffersAsItsFilesSayAsTextJsonAndAStandAloneHtmlPage) {
  const RunResult r = ExpectOutput(
      RunPrjsnap("compare"), 1,
      {"hardware              equal", "different blocks      2", "only in the project   1",
       "only in the PLC       1", "result                different"});
  const std::string project = r.output.substr(0, r.output.find("\nPLC:\n"));
  const std::string plc = r.output.substr(r.output.find("\nPLC:\n"));
  EXPECT_EQ(LineWith(project, "FB11").substr(0, 3), "≠") << project;
  EXPECT_EQ(LineWith(project, "FB10  [").substr(0, 1), "=") << project;
  EXPECT_TRUE(Has(LineWith(project, "FC30"), ": FC30")) << "the project's ghost: " << project;
  EXPECT_TRUE(Has(LineWith(plc, ": FC5"), "FC5")) << "the PLC's ghost: " << plc;
  EXPECT_EQ(LineWith(plc, "MMC 512 KB").find("MMC"), 4u) << "the card, and no row of nothing";
  EXPECT_FALSE(Has(plc, "\n      \n")) << plc;
  ExpectOutput(RunPrjsnap("compare --json"), 1,
               {"\"equal\": false", "\"different\": 2", "\"onlyInProject\": 1", "\"onlyInPlc\": 1",
                "\"ghostBlocks\": [\"FC30\"]"});

  TempFile page("report.html", "");
  ASSERT_EQ(RunPrjsnap("compare --html '" + page.Path() + "'").exitCode, 1);
  pugi::xml_document html;
  const pugi::xml_parse_result parsed =
      html.load_file(page.Path().c_str(), pugi::parse_default | pugi::parse_doctype);
  ASSERT_TRUE(parsed) << parsed.description() << " at " << parsed.offset;
  EXPECT_TRUE(html.select_nodes("//script | //link | //img | //*[@src]").empty())
      << "no outside files or scripts";
  EXPECT_STREQ(html.select_node("//tr[@id='result']/td").node().text().get(), "different");
  EXPECT_STREQ(html.select_node("//tr[@id='only-plc']/td").node().text().get(), "1");
  const auto trees = html.select_nodes("//div[@class='tree']");
  ASSERT_EQ(trees.size(), 2u) << "the project's and the PLC's side by side";
  for (const auto& tree : trees) {
    EXPECT_EQ(tree.node().select_nodes(".//tr[@data-state='2']").size(), 4u)
        << "project/PLC, program and the two differing blocks";
    EXPECT_EQ(tree.node().select_nodes(".//tr[@class='ghost']").size(), 1u);
  }
  EXPECT_TRUE(Has(FileText(page.Path()), "FC30"));
}

TEST(PrjsnapCompare, EqualFilesExitWithZeroAndADataTypeOnlyInTheProjectDoesNotCount) {
  TempFile project("p.prj.xml", ProjectText(kStation + "<program name=\"Program\">" + kBlocks +
                                            R"(<block type="UDT" number="1"/></program>)"));
  TempFile plc("p.plc.xml",
               PlcText(kStation + "<program name=\"Program\">" + kBlocks + "</program>"));
  const std::string before = FileText(project.Path()) + FileText(plc.Path());
  const std::string compare = "compare '" + project.Path() + "' --plc '";
  ExpectOutput(RunPrjsnap(compare + plc.Path() + "'"), 0, {"result                equal"});
  EXPECT_EQ(FileText(project.Path()) + FileText(plc.Path()), before) << "nothing is written";

  // Equal programs on different stations.
  TempFile other("q.plc.xml",
                 PlcText(R"(<hardware name="Station" size="4096"/><program name="P">)" + kBlocks +
                         "</program>"));
  ExpectOutput(RunPrjsnap(compare + other.Path() + "'"), 1, {"hardware              different"});
}

TEST(PrjsnapCompare, BadInputExitsWithTwoAndWritesNothing) {
  TempFile broken("b.plc.xml", "<plc name=\"x\">");
  TempFile project("p.prj.xml", ProjectText(kStation));
  const std::string before = FileText(project.Path());
  for (const std::string& arguments : std::vector<std::string>{
           "compare --plc /no/such.plc.xml", "compare --plc '" + broken.Path() + "'",
           "compare '" + project.Path() + "' --html /no/such/dir/r.html", "tree --side sideways"}) {
    const RunResult r = RunPrjsnap(arguments);
    EXPECT_EQ(r.exitCode, 2) << arguments << ": " << r.output;
    EXPECT_FALSE(r.output.empty()) << arguments << ": says why";
  }
  EXPECT_TRUE(Has(RunPrjsnap("compare --plc '" + broken.Path() + "'").output, "b.plc.xml"))
      << "the message names the file";
  EXPECT_EQ(FileText(project.Path()), before);
}

TEST(PrjsnapTree, WithAPlcEveryRowCarriesItsMarkAndTheOnlineSideShowsThePlc) {
  const RunResult offline = RunPrjsnap("tree --plc '" + Sample("conveyor.plc.xml") + "'");
  ASSERT_EQ(offline.exitCode, 0) << offline.output;
  EXPECT_EQ(LineWith(offline.output, "FC2").substr(0, 3), "≠") << offline.output;
  EXPECT_EQ(LineWith(offline.output, "FC5").substr(0, 2), "  ") << "not in the PLC: no mark";

  const RunResult online = RunPrjsnap("tree --side online");
  ASSERT_EQ(online.exitCode, 0) << online.output;
  const size_t ob1 = online.output.find("OB1");
  const size_t fb10 = online.output.find("FB10");
  const size_t db10 = online.output.find("DB10");
  EXPECT_TRUE(ob1 < fb10 && fb10 < db10) << "the PLC's blocks in block order: " << online.output;
  EXPECT_TRUE(Has(LineWith(online.output, ": FC5"), "FC5")) << online.output;

  ExpectOutput(RunPrjsnap("tree --side online --json"), 0,
               {"\"COMPARESTATE\": 2", "\"ghostBlocks\": [\"FC5\"]"});
  EXPECT_FALSE(Has(RunPrjsnap("tree").output, "≠")) << "without a PLC nothing is compared";
}

}  // namespace
}  // namespace mztest
