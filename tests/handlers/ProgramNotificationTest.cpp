// The program handler following the framework's notifications about blocks, categories and
// the program's block container.
#include "HandlerFixture.h"

#include "host/framework/DataObject.h"
#include "host/project/BlockInfo.h"
#include "host/project/NotificationHub.h"
#include "host/project/ProjectFile.h"
#include "host/project/SymbolTable.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/RgNotification.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"

namespace mztest {
namespace {

using host::BlockInfo;
namespace clsid = mzblprsx::clsid;

// A[OB1 FB10] B[FC1 FC2] with A the default category; FB10 has the symbol Motor.
const std::string kProject =
    "<project name=\"Plant\" guid=\"{11111111-2222-3333-4444-555555555555}\">"
    "<symbols name=\"Symbols\"><symbol address=\"FB10\" name=\"Motor\"/></symbols>"
    "<program name=\"Program\" default-category=\"1\" category-order=\"1 2\">" +
    CategoryXml(1, "A", "OB1 FB10") + CategoryXml(2, "B", "FC1 FC2") +
    BlockXml("OB", 1, "size=\"10\" modified=\"2026-01-01 00:00:00\"") +
    BlockXml("FB", 10, "size=\"20\" modified=\"2026-02-01 00:00:00\"") +
    BlockXml("FC", 1, "size=\"30\" modified=\"2026-03-01 00:00:00\"") +
    BlockXml("FC", 2, "size=\"40\" modified=\"2026-04-01 00:00:00\"") + "</program></project>";

class ProgramNotifications : public HandlerFixture {
 protected:
  void SetUp() override {
    HandlerFixture::SetUp();
    OpenText(kProject);
    ASSERT_EQ(Tree(), "A[OB1 FB10] B[FC1 FC2]");
    autoRefreshSink_ = Model()->AutoRefreshEvent().Connect(
        [this](bool on) { autoRefreshLog_ += on ? "on " : "off "; });
  }

  /// A batched notification about blocks, delivered to the program handler directly.
  void NotifyBlocks(int32_t code, const std::vector<std::string>& names) {
    mzblprsx::RgNotification notification;
    notification.sourceClass = std::string(clsid::kBlockOffline);
    mzblprsx::RgNotificationEntry entry;
    entry.code = code;
    for (const auto& name : names) entry.objects.push_back(HostBlock(name));
    notification.entries.push_back(entry);
    Program()->OnNotify2(notification);
  }

  std::string autoRefreshLog_;
  platform::ScopedConnection autoRefreshSink_;
};

TEST_F(ProgramNotifications, OtherCodesChangeNothingAndCreatedBlocksOfOneBatchArePlacedInOrder) {
  NotifyBlocks(16, {"OB1"});
  NotifyBlocks(256, {"OB1"});
  mzblprsx::RgNotification other;
  other.sourceClass = std::string(clsid::kCategory);
  other.entries.push_back({2, {HostBlock("OB1")}});
  Program()->OnNotify2(other);
  EXPECT_EQ(Tree(), "A[OB1 FB10] B[FC1 FC2]");
  EXPECT_EQ(autoRefreshLog_, "") << "other codes and classes change nothing";
  {
    host::NotificationBatch batch(*HostProgram());
    HostProgram()->AddBlock(platform::MakeObject<host::Block>(false, BlockInfo::kFb, 30));
    HostProgram()->AddBlock(platform::MakeObject<host::Block>(false, BlockInfo::kDb, 30));
  }
  EXPECT_EQ(Tree(), "A[OB1 FB10 FB30 DB30] B[FC1 FC2]");
  EXPECT_EQ(autoRefreshLog_, "off on ") << "one batch, one rebuild of the views";
  EXPECT_TRUE(Model()->AutoRefresh());
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

TEST_F(ProgramNotifications, EachChangeOfABlockOrCategoryRefreshesItsItemAndTheTotals) {
  HostProgram()->RenumberBlock(*HostBlock("FB10"), 12);
  EXPECT_EQ(Tree(), "A[OB1 FB12] B[FC1 FC2]");
  EXPECT_EQ(Value(BlockItem("FB12"), "BLOCKNUMBER").ToInt32(), 12);
  EXPECT_EQ(Text(BlockItem("FB12"), "SYMBOL"), "Motor") << "the symbol moved with the block";
  EXPECT_EQ(autoRefreshLog_, "") << "a refresh in place needs no rebuild";

  ASSERT_EQ(Value(ProgramItem(), "SIZE").ToInt32(), 100);
  HostProgram()->RemoveBlock(*HostBlock("FC2"));
  EXPECT_EQ(Tree(), "A[OB1 FB12] B[FC1]");
  EXPECT_EQ(Value(ProgramItem(), "SIZE").ToInt32(), 60) << "the totals follow a deletion";
  EXPECT_EQ(Value(ProgramItem(), "LASTMODIFIED").ToDate().ToString(), "2026-03-01 00:00:00");
  EXPECT_EQ(autoRefreshLog_, "off on ");

  HostBlock("OB1")->SetSize(1010);
  HostBlock("OB1")->SetHeader("Main cycle");
  EXPECT_EQ(Text(BlockItem("OB1"), "HEADERNAME"), "Main cycle");
  EXPECT_EQ(Value(ProgramItem(), "SIZE").ToInt32(), 1060) << "and a changed block";

  CategoryItem(1)->Data()->SetValue("NAME", platform::Variant("default, unrefreshed"), 3);
  HostProgram()->FindCategory(2)->Rename("Bee");
  EXPECT_EQ(Text(CategoryItem(2), "NAME"), "Bee");
  EXPECT_EQ(Text(CategoryItem(1), "NAME"), "default, unrefreshed") << "user categories only";
}

// The program item's date and size: the latest change and the sum of sizes over the program's
// non-system blocks.
TEST_F(ProgramNotifications, ProgramTotalsLeaveOutSystemBlocksAndReportAnOverflow) {
  const auto date = [&] { return Value(ProgramItem(), "LASTMODIFIED").ToDate().ToString(); };
  const auto size = [&] { return Value(ProgramItem(), "SIZE").ToInt32(); };
  OpenText(ProgramProject(
      "default-category=\"1\"",
      CategoryXml(1, "A") + BlockXml("FB", 1, "size=\"100\" modified=\"2026-01-01 10:00:00\"") +
          BlockXml("SFC", 46, "size=\"900\" modified=\"2027-01-01 10:00:00\" system=\"true\"")));
  EXPECT_EQ(date(), "2026-01-01 10:00:00");
  EXPECT_EQ(size(), 100);
  HostProgram()->RemoveBlock(*HostBlock("FB1"));
  EXPECT_EQ(date(), "1900-01-01 00:00:00") << "an empty program shows the defaults";
  EXPECT_EQ(size(), 0);

  OpenText(ProgramProject("default-category=\"1\"", CategoryXml(1, "A") +
                                                        BlockXml("FB", 1, "size=\"2147483647\"") +
                                                        BlockXml("FB", 2, "size=\"1\"")));
  EXPECT_EQ(size(), 0) << "beyond 32 bits: the fill's value stays";
  bool reported = false;
  for (const auto& report : env.Errors().Reports()) {
    reported |= report.source == "mzblprsx.RgPrjHandlerProgramOffline.P_SetProgramTotals" &&
                report.number == platform::errc::kOverflow;
  }
  EXPECT_TRUE(reported) << Join(ErrorSources());
}

TEST_F(ProgramNotifications, SymbolChangesRefreshTheBlocksNamedOrEveryBlock) {
  const int32_t passes = Program()->WholeProgramPasses();
  project->Symbols()->SetSymbol("FC1", "Scale");
  EXPECT_EQ(Text(BlockItem("FC1"), "DISPLAY_TITLE"), "FC1:Scale");
  EXPECT_EQ(Program()->WholeProgramPasses(), passes) << "the notification named FC1 only";
  project->Symbols()->MoveSymbol("FB10", "FC2");
  EXPECT_EQ(Text(BlockItem("FC2"), "DISPLAY_TITLE"), "FC2:Motor");
  EXPECT_EQ(Text(BlockItem("FB10"), "DISPLAY_TITLE"), "FB10") << "both addresses were named";
  EXPECT_EQ(Program()->WholeProgramPasses(), passes);
  project->Symbols()->SetSymbol("I0.0", "Start");  // no block: the program as a whole
  EXPECT_EQ(Program()->WholeProgramPasses(), passes + 1);
  EXPECT_EQ(Text(BlockItem("FC1"), "DISPLAY_TITLE"), "FC1:Scale");
}

TEST_F(ProgramNotifications, APasteWalksTheProgramAFixedNumberOfTimesWhateverItsSize) {
  std::vector<int32_t> passes;
  for (const int pasted : {2, 30}) {
    OpenText(kProject);
    std::string source =
        "<project name=\"S\" guid=\"{11111111-2222-3333-4444-000000000014}\">"
        "<symbols name=\"Symbols\">";
    for (int n = 1; n <= pasted; ++n) {
      source += "<symbol address=\"FB" + std::to_string(100 + n) + "\" name=\"Belt" +
                std::to_string(n) + "\"/>";
    }
    source += "</symbols><program name=\"Program\">";
    for (int n = 1; n <= pasted; ++n) source += BlockXml("FB", 100 + n, "size=\"5\"");
    const auto copied = host::ProjectFile::ParseProject(source + "</program></project>", "s");
    auto data = platform::MakeObject<host::DataObject>();
    for (const auto& block : copied->Program()->Blocks()) data->AddObject(block);

    const int32_t before = Program()->WholeProgramPasses();
    ItemRef position;
    platform::Ref<mzblprsx::RgProjectItems> inserted;
    ASSERT_TRUE(snapIn->Services()->RgObjectStreamService(1)->InsertStreamData(
        data->SaveBytes(), 1, position, inserted, 2));
    passes.push_back(Program()->WholeProgramPasses() - before);
    EXPECT_EQ(Value(ProgramItem(), "SIZE").ToInt32(), 100 + 5 * pasted) << "totals after";
    EXPECT_EQ(Text(BlockItem("FB" + std::to_string(100 + pasted)), "SYMBOL"),
              "Belt" + std::to_string(pasted));
  }
  EXPECT_EQ(passes[0], passes[1]) << "whole-program passes must not grow with the blocks pasted";
  EXPECT_LE(passes[1], 2);
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

class MovingCodes : public ProgramNotifications, public ::testing::WithParamInterface<int32_t> {};

TEST_P(MovingCodes, FoundBlockMovesToTheCreatePositionAndMissingOneIsAdded) {
  Program()->SetCreateBlockPosition(CategoryItem(2));
  const ItemRef fc2 = BlockItem("FC2");
  fc2->Parent()->Items()->Remove(fc2);
  ASSERT_EQ(Tree(), "A[OB1 FB10] B[FC1]");
  NotifyBlocks(GetParam(), {"OB1", "FC2"});
  EXPECT_EQ(Tree(), "A[FB10] B[FC2 OB1 FC1]")
      << "each goes to the top of B: OB1 first, then FC2 above it";
  EXPECT_EQ(autoRefreshLog_, "off on ");
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

INSTANTIATE_TEST_SUITE_P(Codes, MovingCodes, ::testing::Values(1, 3, 4, 8, 64, 65536, 4194304));

TEST_F(ProgramNotifications, AutoRefreshThatWasOffStaysOff) {
  Model()->SetAutoRefresh(false);
  autoRefreshLog_.clear();
  HostProgram()->RemoveBlock(*HostBlock("FC2"));
  EXPECT_FALSE(Model()->AutoRefresh()) << "the caller's batch is still running";
  EXPECT_EQ(autoRefreshLog_, "");
  const int32_t passes = Program()->WholeProgramPasses();
  HostBlock("FC1")->SetSize(130);
  HostProgram()->FindCategory(2)->Rename("Bee");
  EXPECT_EQ(Program()->WholeProgramPasses(), passes) << "whole-program work waits for the end";
  Model()->SetAutoRefresh(true);
  EXPECT_EQ(Tree(), "A[OB1 FB10] Bee[FC1]");
  EXPECT_EQ(Value(ProgramItem(), "SIZE").ToInt32(), 160) << "written once the batch ended";
  EXPECT_EQ(Program()->WholeProgramPasses(), passes + 2) << "totals and categories, once each";
}

}  // namespace
}  // namespace mztest
