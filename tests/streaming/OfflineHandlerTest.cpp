// The offline stream handler of a running snap-in: what a selection carries, which actions it
// allows, and how objects pasted from another project (given as text) are checked and inserted.
#include <gtest/gtest.h>

#include <functional>

#include "host/project/Documentation.h"
#include "host/project/HardwareConfig.h"
#include "host/project/ProjectFile.h"
#include "host/project/SymbolTable.h"
#include "host/project/VarTables.h"
#include "mzblprsx/streaming/RgPrjStreamHandlerOffline.h"
#include "platform/ui/ScriptedModalLoop.h"
#include "platform/ui/UiState.h"
#include "streaming/StreamTest.h"

namespace mztest {
namespace {

namespace clsid = mzblprsx::clsid;
using mzblprsx::RgObjectStreamItems;

constexpr int32_t kSame = 5;   // same application, offline
constexpr int32_t kOther = 2;  // another application
constexpr int32_t kCopy = 1;
constexpr int32_t kMove = 2;

/// The target: Blocks (default) [OB1], Motors [FB10 DB10 SFC20 (system)].
std::string TargetProject() {
  return "<project name=\"Target\" guid=\"{AAAAAAAA-0000-0000-0000-000000000001}\">"
         "<symbols name=\"Symbols\"><symbol address=\"FB10\" name=\"Motor\"/></symbols>"
         "<program name=\"Program\" default-category=\"1\" category-order=\"1 2\">" +
         CategoryXml(1, "Blocks", "OB1") + CategoryXml(2, "Motors", "FB10 DB10 SFC20") +
         BlockXml("OB", 1) + BlockXml("FB", 10) + BlockXml("DB", 10) +
         BlockXml("SFC", 20, "system=\"true\"") + "</program></project>";
}

/// Another project whose objects are pasted: Pumps [FB30 FB10], Blocks (default) [FC7].
std::string SourceProject() {
  return "<project name=\"Source\" guid=\"{BBBBBBBB-0000-0000-0000-000000000002}\">"
         "<hardware name=\"Rack 2\" modified=\"2026-10-01 10:00:00\" size=\"4096\" state=\"0\"/>"
         "<symbols name=\"Symbols\"><symbol address=\"FB30\" name=\"Pump\"/>"
         "<symbol address=\"FB10\" name=\"OtherMotor\"/></symbols>"
         "<vartables name=\"Tables 2\"/><documentation name=\"Notes 2\"/>"
         "<program name=\"Program\" default-category=\"1\">" +
         CategoryXml(1, "Blocks", "FC7") + CategoryXml(3, "Pumps", "FB30 FB10") +
         BlockXml("FB", 30, "body=\"pump\"") + BlockXml("FB", 10, "body=\"other motor\"") +
         BlockXml("FC", 7) + "</program></project>";
}

class OfflineHandlerTest : public StreamTest {
 protected:
  void SetUp() override {
    HandlerFixture::SetUp();
    Open(TargetProject());
    handler = service->StreamHandler().Cast<mzblprsx::RgPrjStreamHandlerOffline>();
    source = host::ProjectFile::ParseProject(SourceProject(), "source.prj.xml");
  }
  void TearDown() override {
    handler.Reset();
    StreamTest::TearDown();
  }

  /// The object identifiers of the items' objects, blank-separated.
  static std::string Ids(const Ref<mzblprsx::RgProjectItems>& items) {
    std::string out;
    for (int32_t i = 1; i <= items->Count(); ++i) {
      if (!out.empty()) out += ' ';
      out += Text(items->Item(i), "NAME");
    }
    return out;
  }
  /// A transfer of objects of the source project (by object identifier; "C3" a category).
  Ref<host::DataObject> Carry(const std::vector<std::string>& ids) {
    auto data = NewData();
    for (const std::string& id : ids) {
      if (id[0] == 'C') {
        auto category = source->Program()->FindCategoryById(id.substr(1));
        std::string list;
        for (const auto& block : category->Members()) list += block->Name() + ";";
        data->AddObject(category)->SetMarkerText(list);
      } else if (id == "HW") {
        data->AddObject(source->Hardware());
      } else if (id == "VARTABLES") {
        data->AddObject(source->VarTables());
      } else if (id == "DOCUMENTATION") {
        data->AddObject(source->Documentation());
      } else {
        data->AddObject(source->Program()->FindBlockById(id));
      }
    }
    return data;
  }
  bool Paste(const Ref<host::DataObject>& data, int32_t action, int32_t from,
             ItemRef position = nullptr) {
    const bool ok = Insert(data->SaveBytes(), action, from, std::move(position));
    lastInserted = inserted ? Ids(inserted) : "-";
    return ok;
  }
  Ref<mzblprsx::RgPrjStreamHandlerOffline> handler;
  Ref<host::OfflineProject> source;
  std::string lastInserted;
};

TEST_F(OfflineHandlerTest, SendingCarriesEachObjectOnceAndNeverStaleContent) {
  const auto project =
      service->GetStreamItems(Selection({BlockItem("FB10"), ProjectItem()}), kCopy);
  ASSERT_EQ(project->Count(), 1);
  EXPECT_TRUE(platform::SameObject(project->Item(1), ProjectItem())) << "the block is inside it";
  const auto items = service->GetStreamItems(Selection({ProgramItem(), BlockItem("FB10")}), kCopy);
  EXPECT_EQ(Ids(items), "OB1 Motors FB10 DB10")
      << "not the default category itself, not the system block SFC20, FB10 once";
  EXPECT_FALSE(service->CanStreamData(Selection({BlockItem("SFC20")}), kCopy))
      << "a system block may only be moved";
  EXPECT_TRUE(service->CanStreamData(Selection({BlockItem("SFC20")}), kMove));

  auto data = NewData();
  data->LoadBytes(service->StreamItemData(Selection({BlockItem("FB10"), BlockItem("FB10")})));
  ASSERT_EQ(data->ItemCount(), 1);
  EXPECT_TRUE(data->Item(1)->HasData());

  data->LoadBytes(service->StreamItemData(Selection({CategoryItem(2)})));
  ASSERT_EQ(data->ItemCount(), 1);
  EXPECT_EQ(data->Item(1)->MarkerText(), "FB10;DB10;SFC20;")
      << "a category carries its block list for the receiver";

  env.Application().OpenDocument(HostBlock("FB10"), -1);
  env.Application().FailFlushWith(5, HostBlock("FB10"));
  data = NewData();
  data->LoadBytes(service->StreamItemData(Selection({BlockItem("FB10")})));
  ASSERT_EQ(data->ItemCount(), 1);
  EXPECT_FALSE(data->Item(1)->HasData()) << "never stale content";
  EXPECT_EQ(data->Item(1)->MarkerText(), "RgBlockOffline::Flush");
}

TEST_F(OfflineHandlerTest, RefusedObjectsInsertNothingAndTheRestAreJudgedBySourceClassAndContent) {
  auto data = Carry({"FB30"});
  data->AddReference(std::string(clsid::kBlockOffline), Variant("FC7"), "Scale")
      ->SetMarkerText("RgBlockOffline::Flush");
  env.Errors().PushAnswer(7);  // No: do not go on without it
  EXPECT_FALSE(Paste(data, kCopy, kOther));
  EXPECT_EQ(MessageNumbers(), (std::vector<int32_t>{1038})) << "asked about the unsaved block";
  EXPECT_FALSE(HostProgram()->FindBlockById("FB30")) << "nothing was inserted";

  data = NewData();
  data->AddReference(std::string(clsid::kBlockOnline), Variant("FB1"), "");
  EXPECT_FALSE(Paste(data, kCopy, 9)) << "no PLC: the load service refuses, nothing pretended";
  ASSERT_FALSE(env.Errors().Reports().empty());
  EXPECT_NE(env.Errors().Reports().back().description.find("connected PLC"), std::string::npos)
      << env.Errors().Reports().back().description;
  EXPECT_EQ(ErrorSources().back(), "mzblprsx.RgPrjStreamHandlerOffline.P_Load");

  struct Row {
    std::string_view classId;
    const char* id;
    int32_t same;   // answer with the same-application bit
    int32_t other;  // answer with the other-application bit
  };
  const std::vector<Row> rows{
      {clsid::kProjectOffline, "{P}", 0, 1},  {clsid::kProjectOnline, "{P}", 1, 0},
      {clsid::kHwConfigOffline, "HW", 1, 1},  {clsid::kSymbolTable, "SYMBOLS", 1, 1},
      {clsid::kVarTables, "VARTABLES", 1, 1}, {clsid::kDocumentation, "DOCUMENTATION", 1, 1},
      {clsid::kHwConfigOnline, "HW", 1, 0},   {clsid::kProgramOnline, "P", 1, 0},
      {clsid::kBlockOnline, "FB1", 1, 0},     {clsid::kProgramOffline, "P", 3, 3},
      {clsid::kCategory, "2", 3, 3},          {clsid::kBlockOffline, "SFC20", 2, 1},
      {clsid::kBlockOffline, "SDB3", 2, 1},   {clsid::kBlockOffline, "SFB4", 3, 3},
      {clsid::kBlockOffline, "FB10", 3, 3},   {clsid::kReferences, "REFS", 0, 0},
      {clsid::kMemoryCard, "MC", 0, 0},
  };
  for (const Row& row : rows) {
    const std::string classId(row.classId);
    EXPECT_EQ(handler->GetInsertDataAction(classId, Variant(row.id), kSame), row.same)
        << classId << " " << row.id << " from this application";
    EXPECT_EQ(handler->GetInsertDataAction(classId, Variant(row.id), kOther), row.other)
        << classId << " " << row.id << " from another application";
  }

  auto items = platform::MakeObject<RgObjectStreamItems>();
  items->AttachDataObject(Carry({"FB30", "FC7"}));
  ItemRef position;
  ASSERT_TRUE(handler->CheckObjects(items, kCopy, position, kOther));
  const auto fb30 = items->Find(std::string(clsid::kBlockOffline), Variant("FB30"));
  EXPECT_EQ(fb30->Action(), mzblprsx::RgDataObjectItemActionInsert);
  EXPECT_EQ(fb30->Data()->Value("BLOCKTYPE").ToInt32(), 10);
  EXPECT_EQ(fb30->Data()->Value("BLOCKNUMBER").ToInt32(), 30);
  EXPECT_EQ(fb30->Data()->Value("SYMBOL").ToString(), "Pump");

  const std::string own = handler->GetSourceID();
  EXPECT_EQ(own, "{AAAAAAAA-0000-0000-0000-000000000001}");
  EXPECT_EQ(handler->CheckSourceIsSameApplication(own), 5);
  EXPECT_EQ(handler->CheckSourceIsSameApplication("{BBBBBBBB-0000-0000-0000-000000000002}"), 2);
  EXPECT_EQ(handler->CheckSourceIsSameApplication(""), 2) << "no entry has an empty identifier";
  env.ConnectPlc(SampleFile("conveyor.plc.xml"));
  EXPECT_EQ(handler->CheckSourceIsSameApplication("{9D41E7B2-0C3A-4F58-B6E1-72A4C0D9E315}"), 9);
}

TEST_F(OfflineHandlerTest, AMoveWithinTheProjectNeverAsksAndKeepsTheBlocks) {
  const auto selection = Selection({BlockItem("FB10"), BlockItem("DB10")});
  const auto bytes = service->StreamItemData(selection);
  ASSERT_TRUE(Insert(bytes, kMove, kSame, CategoryItem(1)));
  EXPECT_TRUE(env.Errors().Messages().empty()) << "a move in place is no conflict";
  EXPECT_EQ(Tree(), "Blocks[FB10 DB10 OB1] Motors[SFC20]") << "moved to the top, in order";
  EXPECT_EQ(Ids(inserted), "FB10 DB10");
  service->InsertStreamDataComplete(kMove, selection);
  EXPECT_TRUE(HostBlock("FB10") && HostBlock("DB10"))
      << "the completion deletes nothing moved here";
  EXPECT_EQ(FrameworkTree(), "Blocks[FB10 DB10 OB1] Motors[SFC20]");
}

TEST_F(OfflineHandlerTest, CompletingAMoveToElsewhereDeletesOnTheSource) {
  service->InsertStreamDataComplete(kMove, Selection({BlockItem("DB10"), CategoryItem(2)}));
  EXPECT_FALSE(HostBlock("DB10"));
  EXPECT_FALSE(HostProgram()->FindCategory(2)) << "the moved category went too";
  EXPECT_EQ(Tree(), "Blocks[OB1 FB10 SFC20]") << "its other blocks stay, in the default category";
  ASSERT_EQ(MessageNumbers(), (std::vector<int32_t>{8000}));
  EXPECT_EQ(env.Errors().Messages()[0].module, "Comp-IF_V3");
  service->InsertStreamDataComplete(kCopy, Selection({BlockItem("FB10")}));
  EXPECT_TRUE(HostBlock("FB10")) << "a copy leaves the source alone";
}

TEST_F(OfflineHandlerTest, CategoriesComeBeforeTheBlocksTheyList) {
  ASSERT_TRUE(Paste(Carry({"FB30", "C3", "FC7"}), kCopy, kOther));
  EXPECT_EQ(Tree(), "Blocks[OB1 FC7] Pumps[FB30] Motors[FB10 DB10 SFC20]")
      << "the new category follows the default one; FB30 joined it; FC7, listed by none, went "
         "to the default place";
  EXPECT_EQ(lastInserted, "Pumps FB30 FC7");
  EXPECT_EQ(FrameworkTree(), "Blocks[OB1 FC7] Motors[FB10 DB10 SFC20] Pumps[FB30]")
      << "the framework keeps its categories in creation order";
  EXPECT_EQ(project->Symbols()->NameOf("FB30"), "Pump") << "the block brought its symbol";
}

TEST_F(OfflineHandlerTest, PastedBlocksKeepTheirOrderBelowTheirPosition) {
  ASSERT_TRUE(Paste(Carry({"FB30", "FC7"}), kCopy, kOther, BlockItem("FB10")));
  EXPECT_EQ(Tree(), "Blocks[OB1] Motors[FB10 FB30 FC7 DB10 SFC20]");
}

TEST_F(OfflineHandlerTest, ASymbolHeldElsewhereStaysAndProjectChildrenReplaceTheProjectsOwn) {
  project->Symbols()->SetSymbol("FB11", "Pump");
  ASSERT_TRUE(Paste(Carry({"FB30"}), kCopy, kOther));
  EXPECT_TRUE(HostBlock("FB30"));
  EXPECT_EQ(project->Symbols()->NameOf("FB30"), "") << "Pump belongs to FB11";
  ASSERT_EQ(env.Errors().Reports().size(), 1u) << "the refusal is reported, once";
  EXPECT_EQ(env.Errors().Reports()[0].source,
            "mzblprsx.RgPrjStreamHandlerOffline.P_SetBlockSymbol");
  EXPECT_EQ(lastInserted, "FB30") << "the block is in all the same";

  ASSERT_TRUE(Paste(Carry({"HW"}), kCopy, kOther));
  ASSERT_TRUE(project->Hardware());
  EXPECT_EQ(project->Hardware()->Name(), "Rack 2");
  EXPECT_EQ(project->Hardware()->Size(), 4096);
  EXPECT_EQ(lastInserted, "Rack 2") << "its item came into the tree";
  EXPECT_EQ(Names(ProjectItem()).substr(0, 6), "Rack 2") << "in the project's order: first";

  ASSERT_TRUE(Paste(Carry({"VARTABLES"}), kCopy, kOther));
  ASSERT_TRUE(project->VarTables());
  EXPECT_EQ(project->VarTables()->Name(), "Tables 2");
  EXPECT_EQ(lastInserted, "Tables 2");
  ASSERT_TRUE(Paste(Carry({"DOCUMENTATION"}), kCopy, kOther));
  ASSERT_TRUE(project->Documentation());
  EXPECT_EQ(project->Documentation()->Name(), "Notes 2");
  EXPECT_EQ(lastInserted, "Notes 2");
}

TEST_F(OfflineHandlerTest, AWholeProjectIsMergedAndTheTreeReadsIt) {
  auto data = NewData();
  data->AddObject(source);
  ASSERT_TRUE(Paste(data, kCopy, kOther));
  EXPECT_EQ(project->Hardware()->Name(), "Rack 2") << "the carried station came along";
  EXPECT_EQ(project->Symbols()->NameOf("FB30"), "Pump");
  EXPECT_EQ(project->Symbols()->NameOf("FB10"), "OtherMotor")
      << "a carried name that no other address holds renames the address";
  EXPECT_EQ(HostBlock("FB10")->Body(), "other motor") << "the carried project wins";
  EXPECT_EQ(Tree(), "Blocks[OB1 FC7] Motors[DB10 SFC20] Pumps[FB30 FB10]")
      << "blocks listed by their carried categories, the default one joined by the target's";
  EXPECT_EQ(lastInserted, "Target");
}

// A category "Motors" [FB30] of another project meets the target's "Motors" in the dialog.
TEST_F(OfflineHandlerTest, TheAnswerDecidesWhereACategoryOfATakenNameAndItsBlocksGo) {
  using Loop = platform::ui::ScriptedModalLoop;
  const auto other = host::ProjectFile::ParseProject(
      "<project name=\"Other\" guid=\"{CCCCCCCC-0000-0000-0000-00000000000C}\">"
      "<program name=\"Program\" default-category=\"1\">" +
          CategoryXml(1, "Blocks") + CategoryXml(2, "Motors", "FB30") + BlockXml("FB", 30) +
          "</program></project>",
      "other.prj.xml");
  const struct {
    const char* name;
    std::function<void(Loop&)> answer;
    const char* tree;
    const char* framework;  // what the framework's lists say (categories in creation order)
    const char* inserted;
  } rows[] = {
      // The old category's blocks are kept, the received one holds what it listed.
      {"Overwrite", [](Loop& l) { l.Click("rgoptOverwrite").Click("cmdOK"); },
       "Blocks[OB1 FB10 DB10 SFC20] Motors[FB30]", "Blocks[OB1 FB10 DB10 SFC20] Motors[FB30]",
       "Motors FB30"},
      // Ignore is preset for a paste from another project: no second category of the name.
      {"Ignore", [](Loop& l) { l.Click("cmdOK"); }, "Blocks[OB1] Motors[FB30 FB10 DB10 SFC20]",
       "Blocks[OB1] Motors[FB30 FB10 DB10 SFC20]", "FB30"},
      {"Rename",
       [](Loop& l) { l.Click("rgoptRename").TypeText("rgbexNew", "Pumps").Click("cmdOK"); },
       "Blocks[OB1] Pumps[FB30] Motors[FB10 DB10 SFC20]",
       "Blocks[OB1] Motors[FB10 DB10 SFC20] Pumps[FB30]", "Pumps FB30"},
      {"RenameToATakenName",
       [](Loop& l) {
         l.Click("rgoptRename").TypeText("rgbexNew", "Blocks").Click("cmdOK");
         l.TypeText("rgbexNew", "Drives").Click("cmdOK");
       },
       "Blocks[OB1] Drives[FB30] Motors[FB10 DB10 SFC20]",
       "Blocks[OB1] Motors[FB10 DB10 SFC20] Drives[FB30]", "Drives FB30"},
      // The block goes to the default category.
      {"Cancel", [](Loop& l) { l.Click("cmdCancel"); }, "Blocks[OB1 FB30] Motors[FB10 DB10 SFC20]",
       "Blocks[OB1 FB30] Motors[FB10 DB10 SFC20]", "FB30"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TearDown();  // a fresh target for every answer
    SetUp();
    const auto loop = platform::MakeObject<Loop>();
    platform::ui::UiState::Current().SetModalLoop(loop);
    row.answer(*loop);
    auto data = NewData();  // "Motors" with its block
    data->AddObject(other->Program()->FindCategory(2))->SetMarkerText("FB30;");
    data->AddObject(other->Program()->FindBlockById("FB30"));
    EXPECT_TRUE(Paste(data, kCopy, kOther))
        << "a cancelled category ends its own insertion, not the paste";
    EXPECT_EQ(loop->Remaining(), 0u)
        << "one dialog, for the category; a taken name typed in it is refused there";
    EXPECT_EQ(Tree(), row.tree);
    EXPECT_EQ(FrameworkTree(), row.framework);
    EXPECT_EQ(lastInserted, row.inserted);
    platform::ui::UiState::Current().SetModalLoop(nullptr);
  }
}

}  // namespace
}  // namespace mztest
