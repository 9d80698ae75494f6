// Every way a project or PLC file can be wrong gives one error naming the file, the line and the
// problem; a few things that look wrong are allowed (or resolved) on purpose.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/HostTestSupport.h"

namespace host {
namespace {

using mztest::ErrorOf;
using mztest::PlcText;
using mztest::ProjectText;

const std::string kFb = R"(type="FB" number="1")";
const std::string kRoot = "guid=\"{3F2A9C41-7B5E-4D10-9A3C-5E8D21C4B7F0}\"";

std::string Hw(const std::string& attributes) {
  return ProjectText("<hardware name=\"H\" " + attributes + "/>\n");
}
std::string Blk(const std::string& attributes) {
  return ProjectText("<program name=\"P\">\n<block " + attributes + "/>\n</program>\n");
}
std::string Prog(const std::string& body) {
  return ProjectText("<program name=\"P\">\n" + body + "<block " + kFb +
                     "/>\n<block type=\"FB\" number=\"2\"/>\n</program>\n");
}
std::string Syms(const std::string& body) {
  return ProjectText("<symbols name=\"S\">\n<symbol address=\"FB1\" name=\"Motor\"/>\n" + body +
                     "</symbols>\n");
}
std::string Card(const std::string& files) {
  return PlcText("<memory-card name=\"M\">\n" + files + "</memory-card>\n");
}

struct ErrorRow {
  std::string text;
  std::string expected;  // the whole description after the file name ("t.prj.xml:")
  bool plc = false;      // read as a PLC file, "t.plc.xml"
};

const ErrorRow kErrors[] = {
    // The document: the line of the element at fault.
    {"\n<plc name=\"P\" " + kRoot + "/>", "2: the root element is <plc>, expected <project>"},
    {ProjectText("") + "<project/>", "3: a second root element <project>"},
    {"<project " + kRoot + "/>", "1: project: missing attribute 'name'"},
    {"<project name=\"\" " + kRoot + "/>", "1: project: attribute 'name' is empty"},
    {"<project name=\"P\"\n guid=\"{3F2A9C41}\"/>",
     "2: project: guid '{3F2A9C41}' is not a GUID of the form "
     "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"},
    {"<project name=\"P\" name=\"Q\" " + kRoot + "/>",
     "1: project: attribute 'name' is given twice"},
    {ProjectText("<hardware name=\"A\"/>\n<symbols name=\"S\"/>\n<hardware name=\"B\"/>\n"),
     "4: hardware: a second <hardware> element (the first is at line 2)"},
    {ProjectText("<program name=\"A\"/>\n<program name=\"B\"/>\n"),
     "3: program: a second <program> element (the first is at line 2)"},
    // Attributes: the value and the attribute's own line.
    {Hw("modified=\"2026-13-01 00:00:00\""),
     "2: hardware: modified '2026-13-01 00:00:00' is not a date and time of the form "
     "YYYY-MM-DD HH:MM:SS"},
    {Hw("modified=\"2026-01-01\""),
     "2: hardware: modified '2026-01-01' is not a date and time of the form YYYY-MM-DD HH:MM:SS"},
    {Hw("size=\"-1\""), "2: hardware: size '-1' is negative"},
    {Hw("size=\"12kB\""), "2: hardware: size '12kB' is not a whole number"},
    {Hw("size=\"3000000000\""), "2: hardware: size '3000000000' is out of range 0..2147483647"},
    {Hw("size=\"99999999999999999999999\""),
     "2: hardware: size '99999999999999999999999' is out of range 0..2147483647"},
    {Hw("size=\" 1\""), "2: hardware: size ' 1' is not a whole number"},
    {Hw("state=\"ok\""), "2: hardware: state 'ok' is not a whole number"},
    {ProjectText("<vartables/>\n"), "2: vartables: missing attribute 'name'"},
    {ProjectText("<program name=\"P\">\n  <block type=\"FB\" number=\"1\"\n"
                 "         size=\"-4\"/>\n</program>\n"),
     "4: block 'FB 1': size '-4' is negative"},
    // Blocks.
    {Blk(R"(type="FB" number="70000")"),
     "3: block 'FB 70000': number '70000' is out of range 1..65535"},
    {Blk(R"(type="OB" number="256")"), "3: block 'OB 256': number '256' is out of range 1..255"},
    {Blk(R"(type="DB" number="0")"), "3: block 'DB 0': number '0' is out of range 1..65535"},
    {Blk(R"(type="DB" number="-3")"), "3: block 'DB -3': number '-3' is out of range 1..65535"},
    {Blk(R"(type="FC" number="ten")"), "3: block 'FC ten': number 'ten' is not a whole number"},
    {Blk(R"(type="XY" number="1")"),
     "3: block 'XY 1': unknown block type 'XY' (expected OB, FB, FC, DB, UDT, SFB, SFC, "
     "SDB or VAT)"},
    {Blk(R"(number="1")"), "3: block: missing attribute 'type'"},
    {Blk(R"(type="FB")"), "3: block: missing attribute 'number'"},
    {Blk(kFb + R"( protected="yes")"),
     "3: block 'FB 1': protected 'yes' is neither true nor false"},
    {Blk(kFb + R"( language="COBOL")"),
     "3: block 'FB 1': language 'COBOL' is unknown (expected LAD, FBD, STL, SCL, GRAPH, DB)"},
    {Blk(kFb + R"( modified="yesterday")"),
     "3: block 'FB 1': modified 'yesterday' is not a date and time of the form "
     "YYYY-MM-DD HH:MM:SS"},
    {Blk(R"(type="DB" number="1" instance-of="Motor")"),
     "3: block 'DB 1': instance-of 'Motor' is no block name"},
    {Blk(R"(type="FB" number="2" instance-of="FB1")"),
     "3: block 'FB 2': instance-of 'FB1': only a DB can be an instance data block"},
    {Blk(R"(type="DB" number="2" instance-of="FC1")"),
     "3: block 'DB 2': instance-of 'FC1': an instance data block belongs to an FB, SFB or UDT"},
    {ProjectText("<program name=\"P\">\n<block type=\"FB\" number=\"10\"/>\n"
                 "<block type=\"fb\" number=\"10\"/>\n</program>\n"),
     "4: block 'fb 10': FB10 is already defined at line 3"},
    // Categories, their members and the program's own attributes.
    {Prog("<category id=\"2\" name=\"A\"/>\n<category id=\"2\" name=\"B\"/>\n"),
     "4: category '2': category 2 is already defined at line 3"},
    {Prog("<category id=\"0\" name=\"A\"/>\n"),
     "3: category '0': id '0' is not a category identifier (a whole number from 1 to "
     "2147483647, no leading zero)"},
    {Prog("<category id=\"02\" name=\"A\"/>\n"),
     "3: category '02': id '02' is not a category identifier (a whole number from 1 to "
     "2147483647, no leading zero)"},
    {Prog("<category id=\"2\"/>\n"), "3: category '2': missing attribute 'name'"},
    {Prog("<category id=\"2\" name=\"A\">\n<member block=\"Motor\"/>\n</category>\n"),
     "4: category '2': member 'Motor': this is no block name"},
    {Prog("<category id=\"2\" name=\"A\">\n<member/>\n</category>\n"),
     "4: category '2': member: missing attribute 'block'"},
    {ProjectText("<program name=\"P\" category-order=\"2 x\"/>\n"),
     "2: program: category-order names 'x', which is not a category identifier"},
    {ProjectText("<program name=\"P\" category-order=\"2 1 2\"/>\n"),
     "2: program: category-order names category 2 twice"},
    {ProjectText("<program name=\"P\" default-category=\"-1\"/>\n"),
     "2: program: default-category '-1' is negative"},
    // Symbols.
    {Syms("<symbol address=\"fb1\" name=\"Pump\"/>\n"),
     "4: symbol 'fb1': the address already has the symbol 'Motor'"},
    {Syms("<symbol address=\"FB2\" name=\"MOTOR\"/>\n"),
     "4: symbol 'FB2': the name 'MOTOR' is already given to FB1"},
    {Syms("<symbol name=\"Pump\"/>\n"), "4: symbol: missing attribute 'address'"},
    {Syms("<symbol address=\"FB2\" name=\"\"/>\n"), "4: symbol 'FB2': attribute 'name' is empty"},
    // PLC files.
    {ProjectText(""), "1: the root element is <project>, expected <plc>", true},
    {Card("<file name=\"A.bin\"/>\n<file name=\"a.BIN\"/>\n"),
     "4: file 'a.BIN': a file of that name is already on the card", true},
    {Card("<file name=\"A.bin\" size=\"-2\"/>\n"), "3: file 'A.bin': size '-2' is negative", true},
    {Card("<file name=\"A.bin\" type=\"bin\"/>\n"),
     "3: file 'A.bin': type 'bin' is not a whole number", true},
    {PlcText("<memory-card name=\"M\"/>\n<memory-card name=\"N\"/>\n"),
     "3: memory-card: a second <memory-card> element (the first is at line 2)", true},
    {PlcText("<program name=\"P\">\n<block type=\"OB\" number=\"300\"/>\n</program>\n"),
     "3: block 'OB 300': number '300' is out of range 1..255", true},
};

TEST(ProjectFileErrorTest, EveryFaultIsOneFormatErrorNamingFileLineAndProblem) {
  for (const ErrorRow& row : kErrors) {
    SCOPED_TRACE(row.expected);
    const std::string file = row.plc ? "t.plc.xml" : "t.prj.xml";
    const auto parse = [&] {
      row.plc ? void(ProjectFile::ParsePlc(row.text, file))
              : void(ProjectFile::ParseProject(row.text, file));
    };
    std::string why;
    EXPECT_EQ(ErrorOf(parse, &why), ProjectFile::kFormatError);
    EXPECT_EQ(why, file + ":" + row.expected);
  }
  // Malformed XML: the parser's message at its line.
  for (const auto& [text, line] :
       std::vector<std::pair<std::string, int>>{{"", 1}, {"<project", 1}, {"<a>\n<b>\n</a>", 3}}) {
    SCOPED_TRACE(text);
    std::string why;
    EXPECT_EQ(ErrorOf([&] { ProjectFile::ParseProject(text, "t.prj.xml"); }, &why),
              ProjectFile::kFormatError);
    EXPECT_EQ(why.rfind("t.prj.xml:" + std::to_string(line) + ": malformed XML: ", 0), 0u) << why;
  }
}

TEST(ProjectFileErrorTest, FileErrorsNameThePath) {
  const auto dir = std::filesystem::temp_directory_path();
  const auto missing = dir / "mz-no-such-dir" / "none.prj.xml";
  std::string why;
  EXPECT_EQ(ErrorOf([&] { ProjectFile::LoadProject(missing); }, &why), ProjectFile::kFileNotFound);
  EXPECT_EQ(why, missing.string() + ": the file does not exist");
  EXPECT_EQ(ErrorOf([&] { ProjectFile::LoadPlc(missing); }), ProjectFile::kFileNotFound);

  const auto path = dir / "mz-project-error-test.prj.xml";
  { std::ofstream(path) << "<project/>"; }
  EXPECT_EQ(ErrorOf([&] { ProjectFile::LoadProject(path); }, &why), ProjectFile::kFormatError);
  std::filesystem::remove(path);
  EXPECT_EQ(why, path.string() + ":1: project: missing attribute 'name'");
}

TEST(ProjectFileAllowedTest, WhatLooksWrongButIsAllowedOpensAsTheLibraryAndTheTreeNeedIt) {
  auto project = ProjectFile::ParseProject(
      ProjectText("<program name=\"P\" default-category=\"7\" category-order=\"5 2\">\n"
                  "<category id=\"2\" name=\"A\"/>\n</program>\n"),
      "t");
  EXPECT_EQ(project->Program()->DefaultCategoryId(), 7) << "the library creates it";
  EXPECT_FALSE(project->Program()->FindCategory(7));
  EXPECT_EQ(project->Program()->CategoryOrder(), (std::vector<std::string>{"5", "2"}))
      << "the stored order may name categories that are gone; the library skips them";

  EXPECT_EQ(ProjectFile::ParseProject(ProjectText(""), "t")->Objects()->Count(), 0)
      << "every element but the root is optional";
  EXPECT_EQ(ProjectFile::ParsePlc(PlcText(""), "t")->Objects()->Count(), 0);

  // A PLC program has no categories: a category there is kept as it came rather than refused.
  auto plc = ProjectFile::ParsePlc(
      PlcText("<program name=\"P\" default-category=\"1\">\n<category id=\"1\" name=\"A\"/>\n"
              "</program>\n"),
      "t");
  EXPECT_TRUE(plc->Program()->Categories().empty());
  EXPECT_EQ(plc->Program()->Extras().nodes.size(), 1u);
  EXPECT_EQ(plc->Program()->Extras().attributes.size(), 1u);

  // What a merge leaves opens as the tree shows it; each dropped member is a warning, in order.
  std::vector<std::string> warnings;
  const auto merged = ProjectFile::ParseProject(
      ProjectText(
          "<program name=\"P\" category-order=\"9 2\">\n<category id=\"3\" name=\"B\">\n"
          "<member block=\"FB99\"/>\n<member block=\"FB1\"/>\n</category>\n"
          "<category id=\"2\" name=\"A\">\n<member block=\"FB1\"/>\n<member block=\"FB1\"/>\n"
          "</category>\n<block " +
          std::string(kFb) + "/>\n</program>\n"),
      "t.prj.xml", &warnings);
  EXPECT_TRUE(merged->Program()->FindCategory(3)->Members().empty())
      << "the stored order puts 2 first";
  EXPECT_EQ(merged->Program()->FindCategory(2)->Members().size(), 1u);
  EXPECT_EQ(warnings,
            (std::vector<std::string>{
                "t.prj.xml:4: category '3': member 'FB99': the program has no block FB99: the "
                "member is dropped",
                "t.prj.xml:5: category '3': member 'FB1': block FB1 is also listed by category 2 "
                "at line 8, which the tree shows first: the block stays there, this listing is "
                "dropped",
                "t.prj.xml:9: category '2': member 'FB1': block FB1 is listed twice in this "
                "category (first at line 8): the second listing is dropped"}));
  EXPECT_FALSE(merged->IsModified()) << "loading changes nothing; the next save cleans up";
  std::vector<std::string> again;
  ProjectFile::ParseProject(ProjectFile::SerializeProject(*merged), "w", &again);
  EXPECT_TRUE(again.empty()) << "the saved file lists every block once";
}

}  // namespace
}  // namespace host
