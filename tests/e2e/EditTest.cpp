// prjsnap edit, end to end: every operation on a copy of the sample, read back twice: as the tree
// that prjsnap then shows for the saved file, and as the categories the saved file itself holds.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "PrjsnapTestSupport.h"

namespace mztest {
namespace {

class PrjsnapEdit : public ::testing::Test {
 protected:
  PrjsnapEdit() : project_("conveyor.prj.xml", FileText(Sample("conveyor.prj.xml"))) {}

  RunResult Edit(const std::string& arguments) {
    return RunPrjsnap("edit '" + project_.Path() + "' " + arguments);
  }

  /// Runs an edit that must succeed and returns what it printed.
  std::string EditOk(const std::string& arguments) {
    const RunResult r = Edit(arguments);
    EXPECT_EQ(r.exitCode, 0) << arguments << ": " << r.output;
    return r.output;
  }

  /// An edit that must be refused with the reason in its message and the file untouched.
  void ExpectRefused(const std::string& arguments, const std::string& reason) {
    SCOPED_TRACE(arguments);
    const std::string before = FileText(project_.Path());
    ExpectOutput(Edit(arguments), 1, {reason});
    EXPECT_EQ(FileText(project_.Path()), before) << "a refused edit writes nothing";
  }

  /// The program part of `prjsnap tree` for the file: "Category[Block Block] Category[]", the
  /// blocks of the default category (no row of its own) as an unnamed group "[Block Block]".
  std::string Tree() {
    const RunResult r = RunPrjsnap("tree '" + project_.Path() + "'");
    EXPECT_EQ(r.exitCode, 0) << r.output;
    std::istringstream lines(r.output);
    std::string out;
    bool inProgram = false;
    bool unnamed = false;
    for (std::string line; std::getline(lines, line);) {
      const size_t indent = line.find_first_not_of(' ');
      const size_t title = line.find("  [", indent);  // blocks have titles, categories none
      const std::string name = line.substr(indent, title - indent);
      if (indent <= 2) inProgram = name == "Program";
      if (indent <= 2 || !inProgram) continue;
      const bool heading = indent == 4 && title == std::string::npos;
      if (heading || out.empty() || (indent == 4 && !unnamed)) {  // indent 4: a loose block
        out += (out.empty() ? "" : "] ") + (heading ? name : std::string()) + "[";
        unnamed = !heading;
      }
      if (!heading) out += (out.back() == '[' ? "" : " ") + name;
    }
    return out.empty() ? out : out + "]";
  }

  /// What the saved file says, read by the host's own loader: the categories in the stored
  /// order with their member lists, the default one marked with '*'.
  std::string Saved() {
    const auto project = host::ProjectFile::LoadProject(project_.Path());
    const auto program = project->Program();
    std::string out;
    for (const std::string& id : program->CategoryOrder()) {
      const auto category = program->FindCategoryById(id);
      if (!category) continue;
      const bool isDefault = std::to_string(program->DefaultCategoryId()) == id;
      out += (out.empty() ? "" : " ") + category->Name() + (isDefault ? "*[" : "[");
      for (const auto& block : category->Members())
        out += (out.back() == '[' ? "" : " ") + block->Name();
      out += "]";
    }
    return out;
  }

  std::string Path() const { return project_.Path(); }

 private:
  TempFile project_;
};

TEST_F(PrjsnapEdit, NewCategoryAfterABlockSplitsItsCategoryAndPrintsItsName) {
  const std::string name = EditOk("new-category --after DB10");
  ASSERT_FALSE(name.empty());
  ASSERT_EQ(name.back(), '\n') << "the name alone on its line, for scripts";
  const std::string category = name.substr(0, name.size() - 1);
  EXPECT_EQ(Tree(), "Motors[FB10 DB10] " + category +
                        "[FB11 DB11] [OB1 OB100 FC1 DB100 UDT1] Conveyor logic[FB20 DB20 FC2 "
                        "OB35] Diagnostics[OB82 FC5]");
  EXPECT_EQ(Saved(), "Motors[FB10 DB10] " + category +
                         "[FB11 DB11] Blocks*[OB1 OB100 FC1 DB100 UDT1 SFC46] Conveyor "
                         "logic[FB20 DB20 FC2 OB35] Diagnostics[OB82 FC5]")
      << "the blocks below DB10 moved into the new category";

  // A second one gets another name; the reloaded file is edited on.
  const std::string second = EditOk("new-category");
  EXPECT_NE(second, name) << "generated names are unique";
  EXPECT_TRUE(Has(Saved(), "Blocks*[OB1 OB100 FC1 DB100 UDT1 SFC46] " +
                               second.substr(0, second.size() - 1) + "[]"))
      << "without --after it goes after the default category: " << Saved();
}

TEST_F(PrjsnapEdit, NewCategoryAfterACategoryTakesTheGivenName) {
  EXPECT_EQ(EditOk("new-category --after 'conveyor LOGIC' --name Pumps"), "Pumps\n")
      << "items are named without regard to case";
  EXPECT_EQ(Saved(),
            "Motors[FB10 DB10 FB11 DB11] Blocks*[OB1 OB100 FC1 DB100 UDT1 SFC46] Conveyor "
            "logic[FB20 DB20 FC2 OB35] Pumps[] Diagnostics[OB82 FC5]");
  ExpectRefused("new-category --name MOTORS", "already has a category 'MOTORS'");
  ExpectRefused("new-category --name ' '", "not blank");
}

TEST_F(PrjsnapEdit, RenameCategoryChecksTheName) {
  EditOk("rename-category Diagnostics Faults");
  EditOk("rename-category faults FAULTS");  // a change of case is no conflict with itself
  EXPECT_EQ(Tree(),
            "Motors[FB10 DB10 FB11 DB11] [OB1 OB100 FC1 DB100 UDT1] Conveyor logic[FB20 "
            "DB20 FC2 OB35] FAULTS[OB82 FC5]");
  ExpectRefused("rename-category FAULTS motors", "already has a category 'motors'");
  ExpectRefused("rename-category FAULTS ''", "not blank");
  EditOk("rename-category Blocks General");
  EXPECT_TRUE(Has(Saved(), "General*[OB1"))
      << "the renamed default category stays the default one: " << Saved();
}

TEST_F(PrjsnapEdit, DeletedCategoriesHandTheirBlocksToTheEndOfTheDefaultCategory) {
  EditOk("delete-category Diagnostics motors");
  EXPECT_EQ(Saved(),
            "Blocks*[OB1 OB100 FC1 DB100 UDT1 SFC46 OB82 FC5 FB10 DB10 FB11 DB11] Conveyor "
            "logic[FB20 DB20 FC2 OB35]")
      << "appended in the order the categories were named";
  EXPECT_EQ(Tree(),
            "[OB1 OB100 FC1 DB100 UDT1 OB82 FC5 FB10 DB10 FB11 DB11] Conveyor logic[FB20 DB20 FC2 "
            "OB35]")
      << "the default category heads no row, and its blocks stand above every category";
  ExpectRefused("delete-category Blocks", "is the default category");
  ExpectRefused("delete-category 'Conveyor logic' Nowhere", "has no category 'Nowhere'");
}

TEST_F(PrjsnapEdit, MoveBlocksBelowABlockOrToTheTopOfACategory) {
  EditOk("move FC5 --to Motor");  // the target by its symbol
  EditOk("move fb20 --to Blocks");
  EXPECT_EQ(Saved(),
            "Motors[FB10 FC5 DB10 FB11 DB11] Blocks*[FB20 OB1 OB100 FC1 DB100 UDT1 SFC46] "
            "Conveyor logic[DB20 FC2 OB35] Diagnostics[OB82]");
  EXPECT_EQ(Tree(),
            "Motors[FB10 FC5 DB10 FB11 DB11] [FB20 OB1 OB100 FC1 DB100 UDT1] Conveyor "
            "logic[DB20 FC2 OB35] Diagnostics[OB82]");
  ExpectRefused("move FB10 --to Motor", "cannot be moved to itself");
  ExpectRefused("move FB10 --to FB99", "has no block or category 'FB99'");
}

TEST_F(PrjsnapEdit, MoveACategoryLeavesItsBlocksInTheBlockOrder) {
  EditOk("move Diagnostics --to Motors");
  EXPECT_EQ(Saved(),
            "Motors[FB10 DB10 FB11 DB11] Diagnostics[] Blocks*[OB1 OB100 FC1 DB100 UDT1 SFC46] "
            "Conveyor logic[FB20 DB20 FC2 OB35 OB82 FC5]");
  // After a block: the heading moves below that block and takes the blocks that follow it.
  EditOk("move Diagnostics --to FB20");
  EXPECT_EQ(Tree(),
            "Motors[FB10 DB10 FB11 DB11] [OB1 OB100 FC1 DB100 UDT1] Conveyor logic[FB20] "
            "Diagnostics[DB20 FC2 OB35 OB82 FC5]");
  ExpectRefused("move Motors --to motors", "cannot be moved to itself");
}

TEST_F(PrjsnapEdit, AmbiguousNamesNeedAPrefix) {
  EXPECT_EQ(EditOk("new-category --after Diagnostics --name FB10"), "FB10\n");
  ExpectRefused("move FB10 --to Blocks", "write block:FB10 or category:FB10");
  EditOk("move block:FB10 --to category:fb10");
  EXPECT_TRUE(Has(Saved(), "FB10[FB10]")) << Saved();
  // The prefix narrows what the operation looks for.
  ExpectRefused("delete-block category:FB10", "a block is needed here");
}

TEST_F(PrjsnapEdit, BlockChangesAreWrittenAndShown) {
  EditOk("block motor --number 12 --symbol Drive --header 'Main motor' --author QA");
  // Renumbered, not copied.
  ExpectOutput(
      RunPrjsnap("details --json '" + Path() + "'"), 0,
      {"\"NAME\": \"FB12\", \"BLOCKTYPE\": 10, \"BLOCKNUMBER\": 12, \"SYMBOL\": \"Drive\", "
       "\"HEADERNAME\": \"Main motor\"",
       "\"AUTHOR\": \"QA\""},
      {"\"FB10\""});
  EXPECT_TRUE(Has(Saved(), "Motors[FB12 DB10"))
      << "the category lists the block under its new name: " << Saved();

  // The block's own number, a symbol of exactly 24 characters, and removing a symbol.
  EditOk("block FB12 --number 12 --symbol 123456789012345678901234");
  EXPECT_TRUE(
      Has(RunPrjsnap("tree '" + Path() + "'").output, "FB12  [FB12:123456789012345678901234]"));
  EditOk("block FB12 --symbol ''");
  EXPECT_TRUE(Has(RunPrjsnap("tree '" + Path() + "'").output, "FB12  [FB12]\n"));
}

TEST_F(PrjsnapEdit, RefusedEditsGiveTheReasonAndLeaveTheFileAlone) {
  ExpectRefused("block FB10 --number 70000", "70000 is not a valid number for a block of type FB");
  ExpectRefused("block OB1 --number 256", "not a valid number");
  ExpectRefused("block FC5 --number 0", "not a valid number");
  ExpectRefused("block FB10 --number 11", "already has a block FB11");
  ExpectRefused("block FC1 --number 9", "(the block is protected)");
  ExpectRefused("block FB10 --symbol 'a\"b'", "double quote");
  ExpectRefused("block FB10 --symbol 1234567890123456789012345", "longer than 24 characters");
  ExpectRefused("block FB11 --symbol MOTOR", "already names FB10");
  // The number would pass; a refused symbol keeps it from being applied.
  ExpectRefused("block FB10 --number 12 --symbol 'x\"'", "double quote");
  ExpectRefused("block FB99 --author X", "has no block 'FB99'");
  ExpectRefused("block Motors --author X", "has no block 'Motors'");
  ExpectRefused("delete-block FB10 FB99", "has no block 'FB99'");
  ExpectRefused("delete-category Pumps", "has no category 'Pumps'");
}

TEST_F(PrjsnapEdit, DeletedBlocksLeaveProgramAndCategories) {
  EditOk("delete-block FB20 Sequencer recipe");  // FB20 twice, DB100 by its symbol
  EXPECT_EQ(Saved(),
            "Motors[FB10 DB10 FB11 DB11] Blocks*[OB1 OB100 FC1 UDT1 SFC46] Conveyor "
            "logic[DB20 FC2 OB35] Diagnostics[OB82 FC5]");
  ExpectOutput(RunPrjsnap("details '" + Path() + "'"), 0, {}, {"\nFB20 ", "\nDB100 "});
}

TEST_F(PrjsnapEdit, ProgramWithoutDefaultCategoryShowsEveryBlockAndLetsACategoryGo) {
  // default-category is optional: FB2 and FC3, which no category names, must not vanish.
  std::ofstream(Path(), std::ios::binary)
      << "<project name=\"X\" guid=\"{6B0D7A10-3C41-4E8A-9F2B-1D5E7C9A0B12}\">"
         "<program name=\"Program\"><category id=\"1\" name=\"Motors\"><member block=\"FB1\"/>"
         "</category><block type=\"FB\" number=\"1\"/><block type=\"FB\" number=\"2\"/>"
         "<block type=\"FC\" number=\"3\"/></program></project>";
  const std::string before = FileText(Path());
  for (const std::string view : {"tree", "details"})
    ExpectOutput(RunPrjsnap(view + " '" + Path() + "'"), 0, {"FB1", "FB2", "FC3"});
  EXPECT_EQ(FileText(Path()), before) << "showing writes nothing";
  EditOk("delete-category Motors");
  EXPECT_EQ(Saved(), "Blocks*[FB2 FC3 FB1]") << "the created default took FB1 at its end";
}

// A merge left FB10 also in Diagnostics, and a member there whose block the other branch deleted.
TEST_F(PrjsnapEdit, AMergedFileOpensAndSaysWhatItResolved) {
  std::string text = FileText(Path());
  const std::string fc5 = "<member block=\"FC5\"/>\n";
  text.insert(text.find(fc5) + fc5.size(), "<member block=\"FB10\"/><member block=\"FB99\"/>\n");
  std::ofstream(Path(), std::ios::binary) << text;
  const std::string output = EditOk("rename-category Diagnostics Faults");
  for (const char* said : {":42: category '4': member 'FB10': block FB10 is also listed by",
                           ":42: category '4': member 'FB99': the program has no block"})
    EXPECT_TRUE(Has(output, "prjsnap: warning: " + Path() + said)) << output;
  EXPECT_FALSE(Has(FileText(Path()), "<member block=\"FB99\"")) << "saved once";
}

TEST_F(PrjsnapEdit, BadInputExitsWithTwo) {
  EXPECT_EQ(RunPrjsnap("edit /no/such/file.prj.xml delete-block FB10").exitCode, 2);
  // No operation, nothing to change, no number, no --to, no category.
  for (const char* arguments :
       {"", "block FB10", "block FB10 --number twelve", "move FB10", "delete-category"})
    EXPECT_EQ(Edit(arguments).exitCode, 2) << arguments;
  EXPECT_EQ(FileText(Path()), FileText(Sample("conveyor.prj.xml"))) << "none of them wrote";
}

}  // namespace
}  // namespace mztest
