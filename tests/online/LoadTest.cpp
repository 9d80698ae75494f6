// Download and upload through the stream services of a running snap-in with a project open and
// a PLC connected: which mixes of objects load directly and which ask the user, what is never
// downloaded, blocks cancelled with their error, and the loaded items handed back once each.
#include <gtest/gtest.h>

#include "host/project/HardwareConfig.h"
#include "host/project/PlcProject.h"
#include "host/project/ProjectFile.h"
#include "host/services/LoadService.h"
#include "mzblprsx/streaming/RgPrjStreamHandlerOnline.h"
#include "platform/ui/ScriptedModalLoop.h"
#include "platform/ui/UiState.h"
#include "streaming/StreamTest.h"

namespace mztest {
namespace {

namespace clsid = mzblprsx::clsid;
namespace ui = platform::ui;

constexpr int32_t kCopy = 1;
constexpr int32_t kFromProject = 5;  // same application, offline
constexpr int32_t kFromPlc = 9;      // same application, online

/// Blocks (default) [OB1 FC1 UDT1 SFB3], Motors [FB10 DB10].
std::string Project() {
  return "<project name=\"T\" guid=\"{AAAAAAAA-0000-0000-0000-000000000001}\">"
         "<hardware name=\"Station\" size=\"2048\" state=\"0\"/>"
         "<program name=\"Program\" default-category=\"1\" category-order=\"1 2\">" +
         CategoryXml(1, "Blocks", "OB1 FC1 UDT1 SFB3") + CategoryXml(2, "Motors", "FB10 DB10") +
         BlockXml("OB", 1, "body=\"cycle\"") + BlockXml("FC", 1, "body=\"scale\"") +
         BlockXml("UDT", 1) + BlockXml("SFB", 3) + BlockXml("FB", 10, "body=\"motor\"") +
         BlockXml("DB", 10, "body=\"data\"") + "</program></project>";
}

/// The PLC: another station, OB1 (older), FB20 and FC9 of its own.
std::string Plc() {
  return "<plc name=\"CPU\" guid=\"{BBBBBBBB-0000-0000-0000-000000000002}\">"
         "<hardware name=\"Other\" size=\"1024\"/><program name=\"Program\">" +
         BlockXml("OB", 1, "body=\"old\"") + BlockXml("FB", 20, "body=\"plc\"") +
         BlockXml("FC", 9, "body=\"plc\"") + "</program></plc>";
}

class LoadTest : public StreamTest {
 protected:
  void SetUp() override {
    HandlerFixture::SetUp();
    Open(Project());
    Connect();
    online = snapIn->Services()->RgObjectStreamService(mzblprsx::RgProjectLocationOnline);
    ui::UiState::Current().SetModalLoop(loop);
  }
  void TearDown() override {
    ui::UiState::Current().SetModalLoop(nullptr);
    online.Reset();
    StreamTest::TearDown();
  }
  void Connect() { plc = env.ConnectPlcText(Plc(), "t.plc.xml"); }

  /// A transfer of objects of one side by object identifier: "HW", "PROGRAM", "PROJECT", "C2"
  /// (a category with its block list), block names.
  Ref<host::DataObject> Carry(const std::vector<std::string>& ids, bool fromPlc = false) {
    auto data = NewData();
    const Ref<host::ProjectRoot> side = fromPlc ? Ref<host::ProjectRoot>(plc) : project;
    const Ref<host::Program> program = fromPlc ? plc->Program() : project->Program();
    for (const std::string& id : ids) {
      if (id == "HW") {
        data->AddObject(fromPlc ? plc->Hardware() : project->Hardware());
      } else if (id == "PROGRAM") {
        data->AddObject(program);
      } else if (id == "PROJECT") {
        data->AddObject(side);
      } else if (id[0] == 'C') {
        auto category = program->FindCategoryById(id.substr(1));
        std::string list;
        for (const auto& block : category->Members()) list += block->Name() + ";";
        data->AddObject(category)->SetMarkerText(list);
      } else {
        data->AddObject(program->FindBlockById(id));
      }
    }
    return data;
  }
  bool Download(const Ref<host::DataObject>& data) {
    inserted.Reset();
    ItemRef position = OnlineItemOf(plc->Program());
    return online->InsertStreamData(data->SaveBytes(), kCopy, position, inserted, kFromProject);
  }
  bool Upload(const Ref<host::DataObject>& data, ItemRef position) {
    return Insert(data->SaveBytes(), kCopy, kFromPlc, std::move(position));
  }
  ItemRef OnlineItemOf(const Ref<platform::Object>& object) {
    const auto list = snapIn->OnlineModel()->ItemList();
    return list->Find(4, Variant(object)) ? list->FoundItem() : ItemRef();
  }
  std::string PlcBlocks() {
    std::string out;
    for (const auto& block : plc->Program()->Blocks())
      out += (out.empty() ? "" : " ") + block->Name();
    return out;
  }
  /// The inserted items' "NAME"s; every item once.
  std::string InsertedNames() {
    if (!inserted) return "-";
    std::string out;
    for (int32_t i = 1; i <= inserted->Count(); ++i) {
      EXPECT_EQ(inserted->IndexOf(inserted->Item(i)), i) << "an item is handed back once";
      out += (out.empty() ? "" : " ") + Text(inserted->Item(i), "NAME");
    }
    return out;
  }

  Ref<mzblprsx::RgObjectStreamService> online;
  Ref<host::PlcProject> plc;
  Ref<ui::ScriptedModalLoop> loop = platform::MakeObject<ui::ScriptedModalLoop>();
};

// A direct load changes the other side without a dialog; any other mix asks the user, who
// cancels here, so nothing is loaded.
struct Mix {
  std::vector<std::string> ids;
  bool direct;
  const char* loaded;  // the PLC's blocks (download) or the tree (upload) afterwards
};

TEST_F(LoadTest, DownloadGoesDirectOnlyForTheMixesTheRulesAllow) {
  const Mix mixes[] = {
      {{"FB10"}, true, "OB1 FB20 FC9 FB10"},
      {{"C2"}, false, ""},
      {{"FB10", "FC1"}, true, "OB1 FB20 FC9 FB10 FC1"},
      {{"PROGRAM", "FB10"}, false, ""},
      {{"HW", "PROGRAM"}, true, "OB1 FB20 FC9 FC1 FB10 DB10"},
      {{"PROGRAM", "C2"}, false, ""},
      {{"C2", "FB10", "DB10"}, true, "OB1 FB20 FC9 FB10 DB10"},
      {{"C2", "FB10"}, false, "a category without all of its blocks"},
      {{"C1", "C2"}, false, "categories without blocks"},
      {{"HW", "FB10"}, true, "OB1 FB20 FC9 FB10"},
      {{"PROJECT"}, true, "OB1 FB20 FC9 FC1 FB10 DB10"},
      {{"PROJECT", "FB10"}, false, ""},
      {{"UDT1", "FB10", "SFB3"}, true, "OB1 FB20 FC9 FB10"},
  };
  for (const Mix& mix : mixes) {
    const std::string name = Join(mix.ids);
    Connect();
    loop = platform::MakeObject<ui::ScriptedModalLoop>();
    loop->Click("rgcmdCancel");
    ui::UiState::Current().SetModalLoop(loop);
    const std::string before = host::ProjectFile::SerializePlc(*plc);
    EXPECT_EQ(Download(Carry(mix.ids)), mix.direct) << name;
    if (mix.direct) {
      EXPECT_EQ(PlcBlocks(), mix.loaded) << name;
      EXPECT_EQ(loop->Remaining(), 1u) << name << ": no dialog";
    } else {
      EXPECT_EQ(host::ProjectFile::SerializePlc(*plc), before) << name << ": nothing loaded";
    }
  }
}

TEST_F(LoadTest, UploadGoesDirectOnlyForTheMixesTheRulesAllow) {
  const Mix mixes[] = {
      {{"FB20"}, true, "Blocks[OB1 FC1 UDT1 SFB3] Blocks only in the PLC[] Motors[FB20 FB10 DB10]"},
      {{"FB20", "FC9"},
       true,
       "Blocks[OB1 FC1 UDT1 SFB3] Blocks only in the PLC[] Motors[FB20 FC9 FB10 DB10]"},
      {{"PROGRAM"},
       true,
       "Blocks[OB1 FC1 UDT1 SFB3] Blocks only in the PLC[] Motors[FB20 FC9 FB10 DB10]"},
      {{"HW", "PROGRAM"},
       true,
       "Blocks[OB1 FC1 UDT1 SFB3] Blocks only in the PLC[] Motors[FB20 FC9 FB10 DB10]"},
      {{"HW", "FB20"},
       true,
       "Blocks[OB1 FC1 UDT1 SFB3] Blocks only in the PLC[] Motors[FB20 FB10 DB10]"},
      {{"PROGRAM", "FB20"}, false, ""},
      {{"PROJECT", "FB20"}, false, ""},
      {{"PROJECT"},
       true,
       "Blocks[OB1 FC1 UDT1 SFB3] Blocks only in the PLC[] Motors[FB20 FC9 FB10 DB10]"},
  };
  for (const Mix& mix : mixes) {
    const std::string name = Join(mix.ids);
    Open(Project());
    loop = platform::MakeObject<ui::ScriptedModalLoop>();
    loop->Click("rgcmdCancel");
    ui::UiState::Current().SetModalLoop(loop);
    const std::string before = host::ProjectFile::SerializeProject(*project);
    EXPECT_EQ(Upload(Carry(mix.ids, true), CategoryItem(2)), mix.direct) << name;
    if (mix.direct) {
      EXPECT_EQ(Tree(), mix.loaded) << name << ": new blocks at the position, in their order";
      EXPECT_EQ(loop->Remaining(), 1u) << name << ": no dialog";
    } else {
      EXPECT_EQ(host::ProjectFile::SerializeProject(*project), before) << name;
    }
  }
}

TEST_F(LoadTest, DataTypesAndSystemBlocksAreNeverDownloadedNorReported) {
  const auto handler = online->StreamHandler();
  for (const char* id : {"UDT1", "SFB3", "SFC4"}) {
    EXPECT_EQ(
        handler->GetInsertDataAction(std::string(clsid::kBlockOffline), Variant(id), kFromProject),
        0)
        << id;
  }
  EXPECT_EQ(handler->GetInsertDataAction(std::string(clsid::kBlockOffline), Variant("FB10"), 2), 0)
      << "only from this application";
  EXPECT_EQ(handler->GetInsertDataAction(std::string(clsid::kCategory), Variant("2"), 2), 1);
  EXPECT_EQ(
      handler->GetInsertDataAction(std::string(clsid::kBlockOnline), Variant("FB20"), kFromProject),
      0);

  EXPECT_TRUE(Download(Carry({"UDT1", "SFB3", "FC1"})));
  EXPECT_EQ(PlcBlocks(), "OB1 FB20 FC9 FC1");
  EXPECT_EQ(InsertedNames(), "FC1");
  EXPECT_TRUE(MessageNumbers().empty());
  EXPECT_TRUE(ReportedNumbers().empty());
}

TEST_F(LoadTest, OpenAndUnsavedBlocksAreCancelledWithTheirError) {
  env.Application().OpenDocument(plc->Program()->FindBlockById("OB1"), -1);
  env.Errors().PushAnswer(6);  // go on with the others
  EXPECT_TRUE(Download(Carry({"OB1", "FC1"})));
  EXPECT_EQ(MessageNumbers(), std::vector<int32_t>{1048}) << "the PLC's OB1 is open";
  EXPECT_EQ(PlcBlocks(), "OB1 FB20 FC9 FC1");
  EXPECT_EQ(plc->Program()->FindBlockById("OB1")->Body(), "old");

  // A block whose editor cannot save travels as a marked reference.
  env.Errors().ClearMessages();
  env.Application().OpenDocument(HostBlock("FB10"), -1);
  env.Application().FailFlushWith(5, HostBlock("FB10"));
  env.Errors().PushAnswer(7);  // stop
  const auto items =
      service->GetStreamItems(Selection({BlockItem("FB10"), BlockItem("DB10")}), kCopy);
  ItemRef nowhere;
  EXPECT_FALSE(online->InsertStreamData(service->StreamItemData(items), kCopy, nowhere, inserted,
                                        kFromProject));
  EXPECT_EQ(MessageNumbers(), std::vector<int32_t>{1039});
  EXPECT_EQ(PlcBlocks(), "OB1 FB20 FC9 FC1") << "No: nothing loaded";
}

TEST_F(LoadTest, LoadedItemsComeBackOnceAndTheStatesAreComparedAgain) {
  EXPECT_TRUE(Download(Carry({"HW", "FB10", "OB1"})));
  EXPECT_EQ(InsertedNames(), "Station FB10 OB1")
      << "the station changed, FB10 was added, OB1 changed";
  EXPECT_EQ(Text(BlockItem("OB1"), "COMPARESTATE"), "1") << "compared again";
  EXPECT_EQ(Text(BlockItem("FB10"), "COMPARESTATE"), "1");

  // An upload of a block already shown: its item changes (more than once), is handed back once.
  plc->Program()->FindBlockById("OB1")->SetBody("newer");
  Upload(Carry({"FB20", "OB1"}, true), CategoryItem(2));
  EXPECT_EQ(InsertedNames(), "FB20 OB1");
  EXPECT_EQ(Tree(), "Blocks[OB1 FC1 UDT1 SFB3] Blocks only in the PLC[] Motors[FB20 FB10 DB10]");
  EXPECT_FALSE(Program()->CreateBlockPosition()) << "the position is cleared after the load";
}

TEST_F(LoadTest, AFailedLoadClearsThePositionAndChangesNothing) {
  plc->Program()->FindBlockById("FB20")->SetProtected(true);
  const std::string before = host::ProjectFile::SerializeProject(*project);
  EXPECT_FALSE(Upload(Carry({"FB20", "FC9"}, true), CategoryItem(2)));
  EXPECT_EQ(host::ProjectFile::SerializeProject(*project), before);
  EXPECT_FALSE(Program()->CreateBlockPosition());
  ASSERT_FALSE(ReportedNumbers().empty()) << "the load service's refusal is reported";

  // The tree keeps working without the load's events: a later change is nobody's insert.
  HostProgram()->AddBlock(platform::MakeObject<host::Block>(false, host::BlockInfo::kFc, 30));
  EXPECT_TRUE(BlockItem("FC30"));
}

}  // namespace
}  // namespace mztest
