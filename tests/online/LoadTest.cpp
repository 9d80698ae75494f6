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
/// The offline tree up to the content of Motors.
constexpr const char* kTreeBefore = "Blocks[OB1 FC1 UDT1 SFB3] Blocks only in the PLC[] Motors[";

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
    const auto list = snapIn->OnlineModel()->ItemList();
    ItemRef position = list->Find(4, Variant(plc->Program())) ? list->FoundItem() : ItemRef();
    return online->InsertStreamData(data->SaveBytes(), kCopy, position, inserted, kFromProject);
  }
  bool Upload(const Ref<host::DataObject>& data, ItemRef position) {
    return Insert(data->SaveBytes(), kCopy, kFromPlc, std::move(position));
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
TEST_F(LoadTest, OnlyTheMixesTheRulesAllowLoadWithoutTheDialog) {
  constexpr bool kUp = true;
  constexpr bool kDown = false;
  const struct {
    bool upload;
    std::vector<std::string> ids;
    bool direct;
    const char* after;  // the PLC's blocks, or the new content of Motors (the position)
  } mixes[] = {
      {kDown, {"FB10"}, true, "OB1 FB20 FC9 FB10"},
      {kDown, {"C2"}, false, "a category alone"},
      {kDown, {"FB10", "FC1"}, true, "OB1 FB20 FC9 FB10 FC1"},
      {kDown, {"PROGRAM", "FB10"}, false, ""},
      {kDown, {"HW", "PROGRAM"}, true, "OB1 FB20 FC9 FC1 FB10 DB10"},
      {kDown, {"PROGRAM", "C2"}, false, ""},
      {kDown, {"C2", "FB10", "DB10"}, true, "OB1 FB20 FC9 FB10 DB10"},
      {kDown, {"C2", "FB10"}, false, "a category without all of its blocks"},
      {kDown, {"C1", "C2"}, false, "categories without blocks"},
      {kDown, {"HW", "FB10"}, true, "OB1 FB20 FC9 FB10"},
      {kDown, {"PROJECT"}, true, "OB1 FB20 FC9 FC1 FB10 DB10"},
      {kDown, {"PROJECT", "FB10"}, false, ""},
      {kDown, {"UDT1", "FB10", "SFB3"}, true, "OB1 FB20 FC9 FB10"},
      {kUp, {"FB20"}, true, "FB20 FB10 DB10"},
      {kUp, {"FB20", "FC9"}, true, "FB20 FC9 FB10 DB10"},
      {kUp, {"PROGRAM"}, true, "FB20 FC9 FB10 DB10"},
      {kUp, {"HW", "PROGRAM"}, true, "FB20 FC9 FB10 DB10"},
      {kUp, {"HW", "FB20"}, true, "FB20 FB10 DB10"},
      {kUp, {"PROGRAM", "FB20"}, false, ""},
      {kUp, {"PROJECT", "FB20"}, false, ""},
      {kUp, {"PROJECT"}, true, "FB20 FC9 FB10 DB10"},
  };
  for (const auto& mix : mixes) {
    const std::string name = (mix.upload ? "upload " : "download ") + Join(mix.ids);
    Open(Project());
    Connect();
    loop = platform::MakeObject<ui::ScriptedModalLoop>();
    loop->Click("rgcmdCancel");
    ui::UiState::Current().SetModalLoop(loop);
    const auto sides = [&] {
      return host::ProjectFile::SerializeProject(*project) + host::ProjectFile::SerializePlc(*plc);
    };
    const std::string before = sides();
    EXPECT_EQ(mix.upload ? Upload(Carry(mix.ids, true), CategoryItem(2)) : Download(Carry(mix.ids)),
              mix.direct)
        << name;
    if (!mix.direct) {
      EXPECT_EQ(loop->Remaining(), 0u) << name << ": the dialog was cancelled";
      EXPECT_EQ(sides(), before) << name << ": nothing loaded";
      continue;
    }
    EXPECT_EQ(loop->Remaining(), 1u) << name << ": no dialog";
    EXPECT_EQ(mix.upload ? Tree() : PlcBlocks(),
              mix.upload ? std::string(kTreeBefore) + mix.after + "]" : mix.after)
        << name << (mix.upload ? ": new blocks at the position, in their order" : "");
  }
}

TEST_F(LoadTest, WhatTheUserChoosesInTheDialogIsLoaded) {
  loop->Click("rgcmdSelectAll").Click("rgcmdLoad");
  EXPECT_TRUE(Download(Carry({"C2"})));
  EXPECT_EQ(PlcBlocks(), "OB1 FB20 FC9 FC1 FB10 DB10") << "all but the data type and SFB3";
  loop->Click("rgcmdSelectAll").Click("rgcmdLoad");
  EXPECT_TRUE(Upload(Carry({"PROGRAM", "FB20"}, true), CategoryItem(2)));
  EXPECT_EQ(Tree(), std::string(kTreeBefore) + "FB20 FC9 FB10 DB10]");
  EXPECT_EQ(loop->Remaining(), 0u);
}

TEST_F(LoadTest, DataTypesAndSystemBlocksAreNeverDownloadedNorReported) {
  for (const char* id : {"UDT1", "SFB3", "SFC4"}) {
    EXPECT_EQ(online->StreamHandler()->GetInsertDataAction(std::string(clsid::kBlockOffline),
                                                           Variant(id), kFromProject),
              0)
        << id;
  }
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
  EXPECT_EQ(Tree(), std::string(kTreeBefore) + "FB20 FB10 DB10]");
  EXPECT_FALSE(Program()->CreateBlockPosition()) << "the position is cleared after the load";

  // A refused upload changes nothing and clears the position as well.
  plc->Program()->FindBlockById("FC9")->SetProtected(true);
  const std::string before = host::ProjectFile::SerializeProject(*project);
  EXPECT_FALSE(Upload(Carry({"FC9"}, true), CategoryItem(2)));
  EXPECT_EQ(host::ProjectFile::SerializeProject(*project), before);
  EXPECT_FALSE(Program()->CreateBlockPosition());
}

}  // namespace
}  // namespace mztest
