// Conflicts of received blocks answered in the overwrite dialog by a scripted user: the proposal,
// an answer for all carried over to later blocks, closing or cancelling leaving out one block.
#include <gtest/gtest.h>

#include "host/project/ProjectFile.h"
#include "mzblprsx/dialogs/frmProjectDialogOverwrite.h"
#include "mzblprsx/streaming/RgPrjStreamHandlerOffline.h"
#include "platform/ui/BlockEditBox.h"
#include "platform/ui/ScriptedModalLoop.h"
#include "platform/ui/UiState.h"
#include "streaming/StreamTest.h"

namespace mztest {
namespace {

namespace clsid = mzblprsx::clsid;
namespace ui = platform::ui;

class ConflictDialogTest : public StreamTest {
 protected:
  void SetUp() override {
    HandlerFixture::SetUp();
    // The target holds FB1 .. FB5, FB10 "Motor", DB10, SFC20; "Motor (1)" is taken.
    std::string blocks;
    for (int n = 1; n <= 5; ++n) blocks += BlockXml("FB", n);
    Open(
        "<project name=\"T\" guid=\"{AAAAAAAA-0000-0000-0000-00000000000A}\">"
        "<symbols name=\"S\"><symbol address=\"FB10\" name=\"Motor\"/>"
        "<symbol address=\"FB3\" name=\"Motor (1)\"/></symbols>"
        "<program name=\"P\" default-category=\"1\">" +
        CategoryXml(1, "Blocks") + blocks + BlockXml("FB", 10) + BlockXml("DB", 10) +
        BlockXml("SFC", 20, "system=\"true\"") + "</program></project>");
    source = host::ProjectFile::ParseProject(
        "<project name=\"S\" guid=\"{BBBBBBBB-0000-0000-0000-00000000000B}\">"
        "<symbols name=\"S\"><symbol address=\"FB10\" name=\"Motor (2)\"/></symbols>"
        "<program name=\"P\">" +
            BlockXml("FB", 10, "body=\"theirs\"") + BlockXml("FB", 6) +
            BlockXml("DB", 10, "body=\"theirs\"") + BlockXml("SFC", 20) + "</program></project>",
        "source.prj.xml");
    handler = service->StreamHandler().Cast<mzblprsx::RgPrjStreamHandlerOffline>();
    ui::UiState::Current().SetModalLoop(loop);
  }
  void TearDown() override {
    ui::UiState::Current().SetModalLoop(nullptr);
    handler.Reset();
    StreamTest::TearDown();
  }

  Ref<mzblprsx::RgObjectStreamItems> Check(const std::vector<std::string>& ids,
                                           int32_t source_ = 2) {
    auto data = NewData();
    for (const auto& id : ids) data->AddObject(source->Program()->FindBlockById(id));
    auto items = platform::MakeObject<mzblprsx::RgObjectStreamItems>();
    items->AttachDataObject(data);
    ItemRef position;
    checked = handler->CheckObjects(items, 1, position, source_);
    return items;
  }
  /// "FB10:3 FB6:1": each item's action.
  static std::string Actions(const Ref<mzblprsx::RgObjectStreamItems>& items) {
    std::string out;
    for (const auto& item : items->NewEnum()) {
      if (!out.empty()) out += ' ';
      out += item->DataObjectItem()->ObjectID().ToString() + ":" + std::to_string(item->Action());
    }
    return out;
  }
  /// Records the proposal the dialog shows ("[FB 7 | Motor (3)]").
  ui::ScriptedModalLoop& LookAtProposal() {
    return loop->Do("proposal", [this](ui::Form& form) {
      proposals.push_back(
          dynamic_cast<mzblprsx::frmProjectDialogOverwrite&>(form).rgbexNew()->Render());
    });
  }

  Ref<ui::ScriptedModalLoop> loop = platform::MakeObject<ui::ScriptedModalLoop>();
  Ref<host::OfflineProject> source;
  Ref<mzblprsx::RgPrjStreamHandlerOffline> handler;
  std::vector<std::string> proposals;
  bool checked = false;
};

TEST_F(ConflictDialogTest, EachConflictIsAskedWithAFreeProposalAndAnAnswerForAllHoldsForTheRest) {
  LookAtProposal().CloseBox();
  auto items = Check({"FB6", "FB10"});
  EXPECT_TRUE(checked);
  ASSERT_EQ(proposals.size(), 1u) << "only FB10 collides";
  EXPECT_EQ(proposals[0].substr(0, 18), "[FB 7 | Motor (2)]")
      << "FB6 comes in earlier; the target's own name of FB7 is none, Motor (2) is free";
  EXPECT_EQ(Actions(items), "FB6:1 FB10:0") << "closing the dialog cancels that block only";

  // FB10 is renamed to 6, the number the transfer's FB6 has: FB6 then collides with it.
  proposals.clear();
  loop->Click("rgoptRename").TypeNumber("rgbexNew", "6").Click("cmdOK");
  LookAtProposal().Click("cmdCancel");
  EXPECT_EQ(Actions(Check({"FB10", "FB6"})), "FB10:2 FB6:0");
  ASSERT_EQ(proposals.size(), 1u) << "the second one was asked about";
  EXPECT_EQ(proposals[0].substr(0, 6), "[FB 7 ") << "6 is taken by the first now";

  loop->Click("cmdAll");  // ignore is preset for a copy from another project
  EXPECT_EQ(Actions(Check({"FB10", "FB6", "DB10", "SFC20"})), "FB10:6 FB6:1 DB10:6 SFC20:6");
  EXPECT_EQ(loop->Remaining(), 0u);

  proposals.clear();
  LookAtProposal().Click("cmdCancel");
  EXPECT_EQ(Actions(Check({"SFC20"})), "SFC20:0");
  ASSERT_EQ(proposals.size(), 1u);
  EXPECT_EQ(proposals[0].substr(0, 8), "[SFC 20 ")
      << "SFC21 is free, but a system block is never offered a new number";

  env.Application().OpenDocument(HostBlock("DB10"), -1);
  loop->Click("rgoptOverwrite").Click("cmdAll");
  env.Errors().PushAnswer(6);  // go on without the open block
  items = Check({"FB10", "DB10"});
  EXPECT_TRUE(checked);
  EXPECT_EQ(Actions(items), "FB10:4 DB10:0") << "not asked again, but the open DB10 is kept";
  const auto db10 = items->Find(std::string(clsid::kBlockOffline), Variant("DB10"));
  EXPECT_EQ(db10->ItemError(), mzblprsx::RgDataObjectItemErrorOpenedBlock);
  ASSERT_EQ(env.Errors().Messages().size(), 1u);
  EXPECT_EQ(env.Errors().Messages()[0].number, 1048) << "asked whether to copy the rest";
}

}  // namespace
}  // namespace mztest
