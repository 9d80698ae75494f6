// Every way a project or PLC file can be wrong gives one error that names the file, the line and
// the problem, and loads nothing; a few things that look wrong are allowed (or resolved) on
// purpose.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "ProjectTestSupport.h"
#include "host/project/Category.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/Program.h"
#include "host/project/ProjectFile.h"

namespace host {
namespace {

using testing::ErrorOf;
using testing::PlcText;
using testing::ProjectText;

struct ErrorRow {
  const char* name;
  std::string text;
  std::string expected;  // the whole description
};

void ExpectErrors(const std::vector<ErrorRow>& rows, bool plc) {
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto error = ErrorOf([&] {
      if (plc) {
        ProjectFile::ParsePlc(row.text, "t.plc.xml");
      } else {
        ProjectFile::ParseProject(row.text, "t.prj.xml");
      }
    });
    ASSERT_TRUE(error.has_value()) << "the file must be refused";
    EXPECT_EQ(error->Number(), ProjectFile::kFormatError);
    EXPECT_EQ(error->Description(), row.expected);
  }
}

const char* const kFb = R"(type="FB" number="1")";

TEST(ProjectFileErrorTest, DocumentLevelErrorsNameTheLine) {
  ExpectErrors(
      {
          {"wrong root", "\n<plc name=\"P\" guid=\"{3F2A9C41-7B5E-4D10-9A3C-5E8D21C4B7F0}\"/>",
           "t.prj.xml:2: the root element is <plc>, expected <project>"},
          {"second root", ProjectText("") + "<project/>",
           "t.prj.xml:3: a second root element <project>"},
          {"missing name", "<project guid=\"{3F2A9C41-7B5E-4D10-9A3C-5E8D21C4B7F0}\"/>",
           "t.prj.xml:1: project: missing attribute 'name'"},
          {"empty name", "<project name=\"\" guid=\"{3F2A9C41-7B5E-4D10-9A3C-5E8D21C4B7F0}\"/>",
           "t.prj.xml:1: project: attribute 'name' is empty"},
          {"bad guid", "<project name=\"P\"\n guid=\"{3F2A9C41}\"/>",
           "t.prj.xml:2: project: guid '{3F2A9C41}' is not a GUID of the form "
           "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"},
          {"duplicate attribute",
           "<project name=\"P\" name=\"Q\" guid=\"{3F2A9C41-7B5E-4D10-9A3C-5E8D21C4B7F0}\"/>",
           "t.prj.xml:1: project: attribute 'name' is given twice"},
          {"second hardware",
           ProjectText("<hardware name=\"A\"/>\n<symbols name=\"S\"/>\n<hardware name=\"B\"/>\n"),
           "t.prj.xml:4: hardware: a second <hardware> element (the first is at line 2)"},
          {"second program", ProjectText("<program name=\"A\"/>\n<program name=\"B\"/>\n"),
           "t.prj.xml:3: program: a second <program> element (the first is at line 2)"},
      },
      false);
}

TEST(ProjectFileErrorTest, MalformedXmlGivesTheParserMessageAtItsLine) {
  for (const auto& [text, line] :
       std::vector<std::pair<std::string, int>>{{"", 1}, {"<project", 1}, {"<a>\n<b>\n</a>", 3}}) {
    SCOPED_TRACE(text);
    const auto error = ErrorOf([&] { ProjectFile::ParseProject(text, "t.prj.xml"); });
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(
        error->Description().rfind("t.prj.xml:" + std::to_string(line) + ": malformed XML: ", 0),
        0u)
        << error->Description();
  }
}

TEST(ProjectFileErrorTest, AttributeErrorsNameTheValueAndTheAttributesOwnLine) {
  ExpectErrors(
      {
          {"bad date", ProjectText("<hardware name=\"H\" modified=\"2026-13-01 00:00:00\"/>\n"),
           "t.prj.xml:2: hardware: modified '2026-13-01 00:00:00' is not a date and time of the "
           "form YYYY-MM-DD HH:MM:SS"},
          {"date without time", ProjectText("<hardware name=\"H\" modified=\"2026-01-01\"/>\n"),
           "t.prj.xml:2: hardware: modified '2026-01-01' is not a date and time of the form "
           "YYYY-MM-DD HH:MM:SS"},
          {"negative size", ProjectText("<hardware name=\"H\" size=\"-1\"/>\n"),
           "t.prj.xml:2: hardware: size '-1' is negative"},
          {"size with unit", ProjectText("<hardware name=\"H\" size=\"12kB\"/>\n"),
           "t.prj.xml:2: hardware: size '12kB' is not a whole number"},
          {"size beyond 32 bits", ProjectText("<hardware name=\"H\" size=\"3000000000\"/>\n"),
           "t.prj.xml:2: hardware: size '3000000000' is out of range 0..2147483647"},
          {"huge size", ProjectText("<hardware name=\"H\" size=\"99999999999999999999999\"/>\n"),
           "t.prj.xml:2: hardware: size '99999999999999999999999' is out of range 0..2147483647"},
          {"size with blank", ProjectText("<hardware name=\"H\" size=\" 1\"/>\n"),
           "t.prj.xml:2: hardware: size ' 1' is not a whole number"},
          {"state not a number", ProjectText("<hardware name=\"H\" state=\"ok\"/>\n"),
           "t.prj.xml:2: hardware: state 'ok' is not a whole number"},
          {"nameless tables", ProjectText("<vartables/>\n"),
           "t.prj.xml:2: vartables: missing attribute 'name'"},
          {"attribute on a later line",
           ProjectText("<program name=\"P\">\n  <block type=\"FB\" number=\"1\"\n"
                       "         size=\"-4\"/>\n</program>\n"),
           "t.prj.xml:4: block 'FB 1': size '-4' is negative"},
      },
      false);
}

TEST(ProjectFileErrorTest, BlockErrors) {
  const auto block = [](const std::string& attributes) {
    return ProjectText("<program name=\"P\">\n<block " + attributes + "/>\n</program>\n");
  };
  ExpectErrors(
      {
          {"number out of range", block(R"(type="FB" number="70000")"),
           "t.prj.xml:3: block 'FB 70000': number '70000' is out of range 1..65535"},
          {"OB number out of range", block(R"(type="OB" number="256")"),
           "t.prj.xml:3: block 'OB 256': number '256' is out of range 1..255"},
          {"number zero", block(R"(type="DB" number="0")"),
           "t.prj.xml:3: block 'DB 0': number '0' is out of range 1..65535"},
          {"negative number", block(R"(type="DB" number="-3")"),
           "t.prj.xml:3: block 'DB -3': number '-3' is out of range 1..65535"},
          {"number not a number", block(R"(type="FC" number="ten")"),
           "t.prj.xml:3: block 'FC ten': number 'ten' is not a whole number"},
          {"unknown type", block(R"(type="XY" number="1")"),
           "t.prj.xml:3: block 'XY 1': unknown block type 'XY' (expected OB, FB, FC, DB, UDT, "
           "SFB, SFC, SDB or VAT)"},
          {"missing type", block(R"(number="1")"), "t.prj.xml:3: block: missing attribute 'type'"},
          {"missing number", block(R"(type="FB")"),
           "t.prj.xml:3: block: missing attribute 'number'"},
          {"bad boolean", block(std::string(kFb) + R"( protected="yes")"),
           "t.prj.xml:3: block 'FB 1': protected 'yes' is neither true nor false"},
          {"unknown language", block(std::string(kFb) + R"( language="COBOL")"),
           "t.prj.xml:3: block 'FB 1': language 'COBOL' is unknown (expected LAD, FBD, STL, SCL, "
           "GRAPH, DB)"},
          {"bad date", block(std::string(kFb) + R"( modified="yesterday")"),
           "t.prj.xml:3: block 'FB 1': modified 'yesterday' is not a date and time of the form "
           "YYYY-MM-DD HH:MM:SS"},
          {"instance of a non-block", block(R"(type="DB" number="1" instance-of="Motor")"),
           "t.prj.xml:3: block 'DB 1': instance-of 'Motor' is no block name"},
          {"instance block that is no DB", block(R"(type="FB" number="2" instance-of="FB1")"),
           "t.prj.xml:3: block 'FB 2': instance-of 'FB1': only a DB can be an instance data "
           "block"},
          {"instance of an FC", block(R"(type="DB" number="2" instance-of="FC1")"),
           "t.prj.xml:3: block 'DB 2': instance-of 'FC1': an instance data block belongs to an "
           "FB, SFB or UDT"},
          {"duplicate block",
           ProjectText("<program name=\"P\">\n<block type=\"FB\" number=\"10\"/>\n"
                       "<block type=\"fb\" number=\"10\"/>\n</program>\n"),
           "t.prj.xml:4: block 'fb 10': FB10 is already defined at line 3"},
      },
      false);
}

TEST(ProjectFileErrorTest, CategoryAndMemberErrors) {
  const auto program = [](const std::string& body) {
    return ProjectText("<program name=\"P\">\n" + body + "<block " + kFb +
                       "/>\n<block type=\"FB\" number=\"2\"/>\n</program>\n");
  };
  ExpectErrors(
      {
          {"duplicate category id",
           program("<category id=\"2\" name=\"A\"/>\n<category id=\"2\" name=\"B\"/>\n"),
           "t.prj.xml:4: category '2': category 2 is already defined at line 3"},
          {"category id zero", program("<category id=\"0\" name=\"A\"/>\n"),
           "t.prj.xml:3: category '0': id '0' is not a category identifier (a whole number from "
           "1 to 2147483647, no leading zero)"},
          {"category id with leading zero", program("<category id=\"02\" name=\"A\"/>\n"),
           "t.prj.xml:3: category '02': id '02' is not a category identifier (a whole number "
           "from 1 to 2147483647, no leading zero)"},
          {"category without name", program("<category id=\"2\"/>\n"),
           "t.prj.xml:3: category '2': missing attribute 'name'"},
          {"member naming no block",
           program("<category id=\"2\" name=\"A\">\n<member block=\"Motor\"/>\n</category>\n"),
           "t.prj.xml:4: category '2': member 'Motor': this is no block name"},
          {"member without block",
           program("<category id=\"2\" name=\"A\">\n<member/>\n</category>\n"),
           "t.prj.xml:4: category '2': member: missing attribute 'block'"},
      },
      false);
}

TEST(ProjectFileErrorTest, ProgramAttributeErrors) {
  ExpectErrors(
      {
          {"order with a non-identifier",
           ProjectText("<program name=\"P\" category-order=\"2 x\"/>\n"),
           "t.prj.xml:2: program: category-order names 'x', which is not a category identifier"},
          {"order naming a category twice",
           ProjectText("<program name=\"P\" category-order=\"2 1 2\"/>\n"),
           "t.prj.xml:2: program: category-order names category 2 twice"},
          {"negative default category",
           ProjectText("<program name=\"P\" default-category=\"-1\"/>\n"),
           "t.prj.xml:2: program: default-category '-1' is negative"},
      },
      false);
}

TEST(ProjectFileErrorTest, SymbolErrors) {
  const auto symbols = [](const std::string& body) {
    return ProjectText("<symbols name=\"S\">\n<symbol address=\"FB1\" name=\"Motor\"/>\n" + body +
                       "</symbols>\n");
  };
  ExpectErrors(
      {
          {"address named twice", symbols("<symbol address=\"fb1\" name=\"Pump\"/>\n"),
           "t.prj.xml:4: symbol 'fb1': the address already has the symbol 'Motor'"},
          {"name given twice", symbols("<symbol address=\"FB2\" name=\"MOTOR\"/>\n"),
           "t.prj.xml:4: symbol 'FB2': the name 'MOTOR' is already given to FB1"},
          {"missing address", symbols("<symbol name=\"Pump\"/>\n"),
           "t.prj.xml:4: symbol: missing attribute 'address'"},
          {"empty name", symbols("<symbol address=\"FB2\" name=\"\"/>\n"),
           "t.prj.xml:4: symbol 'FB2': attribute 'name' is empty"},
      },
      false);
}

TEST(ProjectFileErrorTest, PlcErrors) {
  ExpectErrors(
      {
          {"project as PLC", ProjectText(""),
           "t.plc.xml:1: the root element is <project>, expected <plc>"},
          {"file twice on the card",
           PlcText("<memory-card name=\"M\">\n<file name=\"A.bin\"/>\n<file name=\"a.BIN\"/>\n"
                   "</memory-card>\n"),
           "t.plc.xml:4: file 'a.BIN': a file of that name is already on the card"},
          {"negative file size",
           PlcText(
               "<memory-card name=\"M\">\n<file name=\"A.bin\" size=\"-2\"/>\n</memory-card>\n"),
           "t.plc.xml:3: file 'A.bin': size '-2' is negative"},
          {"file type not a number",
           PlcText(
               "<memory-card name=\"M\">\n<file name=\"A.bin\" type=\"bin\"/>\n</memory-card>\n"),
           "t.plc.xml:3: file 'A.bin': type 'bin' is not a whole number"},
          {"second memory card", PlcText("<memory-card name=\"M\"/>\n<memory-card name=\"N\"/>\n"),
           "t.plc.xml:3: memory-card: a second <memory-card> element (the first is at line 2)"},
          {"online block out of range",
           PlcText("<program name=\"P\">\n<block type=\"OB\" number=\"300\"/>\n</program>\n"),
           "t.plc.xml:3: block 'OB 300': number '300' is out of range 1..255"},
      },
      true);
}

TEST(ProjectFileErrorTest, MissingFileIsFileNotFoundNamingThePath) {
  const auto path = std::filesystem::temp_directory_path() / "mz-no-such-dir" / "none.prj.xml";
  const auto error = ErrorOf([&] { ProjectFile::LoadProject(path); });
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->Number(), ProjectFile::kFileNotFound);
  EXPECT_EQ(error->Description(), path.string() + ": the file does not exist");
  EXPECT_TRUE(ErrorOf([&] { ProjectFile::LoadPlc(path); }).has_value());
}

TEST(ProjectFileErrorTest, ErrorsFromALoadedFileNameItsPath) {
  const auto path = std::filesystem::temp_directory_path() / "mz-project-error-test.prj.xml";
  {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("<project/>", file);
    std::fclose(file);
  }
  const auto error = ErrorOf([&] { ProjectFile::LoadProject(path); });
  std::filesystem::remove(path);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->Description(), path.string() + ":1: project: missing attribute 'name'");
}

// What looks wrong but is allowed, and why.
TEST(ProjectFileAllowedTest, DefaultCategoryMayNameNoCategoryBecauseTheLibraryCreatesIt) {
  auto project = ProjectFile::ParseProject(
      ProjectText("<program name=\"P\" default-category=\"7\" category-order=\"5 2\">\n"
                  "<category id=\"2\" name=\"A\"/>\n</program>\n"),
      "t");
  EXPECT_EQ(project->Program()->DefaultCategoryId(), 7);
  EXPECT_FALSE(project->Program()->FindCategory(7));
  EXPECT_EQ(project->Program()->CategoryOrder(), (std::vector<std::string>{"5", "2"}))
      << "the stored order may name categories that are gone; the library skips them";
}

// What a merge leaves opens as the tree shows it: the stored order decides where a block stays,
// each dropped member is a warning, in line order, and a save writes every block once.
TEST(ProjectFileAllowedTest, MergeLeftoversOpenAsTheTreeShowsThem) {
  std::vector<std::string> warnings;
  const auto project = ProjectFile::ParseProject(
      ProjectText(
          "<program name=\"P\" category-order=\"9 2\">\n<category id=\"3\" name=\"B\">\n"
          "<member block=\"FB99\"/>\n<member block=\"FB1\"/>\n</category>\n"
          "<category id=\"2\" name=\"A\">\n<member block=\"FB1\"/>\n<member block=\"FB1\"/>\n"
          "</category>\n<block " +
          std::string(kFb) + "/>\n</program>\n"),
      "t.prj.xml", &warnings);
  EXPECT_TRUE(project->Program()->FindCategory(3)->Members().empty())
      << "the stored order puts 2 first";
  EXPECT_EQ(project->Program()->FindCategory(2)->Members().size(), 1u);
  EXPECT_EQ(warnings,
            (std::vector<std::string>{
                "t.prj.xml:4: category '3': member 'FB99': the program has no block FB99: the "
                "member is dropped",
                "t.prj.xml:5: category '3': member 'FB1': block FB1 is also listed by category 2 "
                "at line 8, which the tree shows first: the block stays there, this listing is "
                "dropped",
                "t.prj.xml:9: category '2': member 'FB1': block FB1 is listed twice in this "
                "category (first at line 8): the second listing is dropped"}));
  EXPECT_FALSE(project->IsModified()) << "loading changes nothing; the next save cleans up";
  std::vector<std::string> again;
  ProjectFile::ParseProject(ProjectFile::SerializeProject(*project), "w", &again);
  EXPECT_TRUE(again.empty()) << "the saved file lists every block once";
}

TEST(ProjectFileAllowedTest, EveryElementButTheRootIsOptional) {
  auto project = ProjectFile::ParseProject(ProjectText(""), "t");
  EXPECT_EQ(project->Objects()->Count(), 0);
  auto plc = ProjectFile::ParsePlc(PlcText(""), "t");
  EXPECT_EQ(plc->Objects()->Count(), 0);
}

TEST(ProjectFileAllowedTest, ElementsUnknownWhereTheyStandAreKeptNotRefused) {
  // A PLC program has no categories: a category there is nothing this host reads, so it is kept
  // as it came rather than refused.
  auto plc = ProjectFile::ParsePlc(
      PlcText("<program name=\"P\" default-category=\"1\">\n<category id=\"1\" name=\"A\"/>\n"
              "</program>\n"),
      "t");
  EXPECT_TRUE(plc->Program()->Categories().empty());
  EXPECT_EQ(plc->Program()->Extras().nodes.size(), 1u);
  EXPECT_EQ(plc->Program()->Extras().attributes.size(), 1u);
}

}  // namespace
}  // namespace host
