// The smaller parts of the application frame: wait cursor, main-window title, the hardware
// configuration snap-in, and the classes created by class id (information window, companion,
// physical-station relation).
#include <gtest/gtest.h>

#include "host/app/AppClasses.h"
#include "host/app/Companion.h"
#include "host/app/HwConfigSnapIn.h"
#include "host/app/InfoWindow.h"
#include "hostapp/AppTestDoubles.h"
#include "mzblprsx/interfaces/IRgCompanion.h"
#include "mzblprsx/interfaces/IRgInfoWindow.h"
#include "mzblprsx/interfaces/IRgRelationService.h"

namespace hostapp_test {
namespace {

namespace clsid = mzblprsx::clsid;
using host::HostApplication;

TEST(WaitCursor, DepthCursorAndImbalances) {
  const struct {
    std::vector<int32_t> operations;
    int32_t depth;
    bool hourglass;
    int32_t imbalances;
  } cases[] = {
      {{1, 1, -1, -1}, 0, false, 0}, {{1, 1, -1}, 1, true, 0}, {{-1}, 0, false, 1},
      {{1, -1, -1, 1}, 1, true, 1},  {{0}, 0, true, 0},        {{1, 0, -1}, 0, false, 0},
      {{2, 5, -7}, 0, false, 0},
  };
  for (const auto& c : cases) {
    auto app = platform::MakeObject<HostApplication>();
    for (int32_t op : c.operations) app->DoWaitCursor(op);
    const std::string what = "operations " + ::testing::PrintToString(c.operations);
    EXPECT_EQ(app->WaitCursorDepth(), c.depth) << what;
    EXPECT_EQ(app->WaitCursorShown(), c.hourglass) << what;
    EXPECT_EQ(app->WaitCursorImbalances(), c.imbalances) << what;
    EXPECT_EQ(app->WaitCursorLog(), c.operations) << what;
  }
}

class HwConfigTest : public ::testing::Test {
 protected:
  void SetUp() override { app->AddSnapIn(hw->GetName(), hw); }
  void TearDown() override { app->Clear(); }

  Ref<HostApplication> app = platform::MakeObject<HostApplication>();
  Ref<host::HwConfigSnapIn> hw = platform::MakeObject<host::HwConfigSnapIn>();
};

TEST_F(HwConfigTest, QueriesAnswerAsConfiguredAndSaveVerbIsTaken) {
  auto queries = app->SnapIn("SnapInHWConfig").Cast<mzblprsx::IRgHwConfigSnapIn>();
  EXPECT_FALSE(queries->Query(1)) << "nothing is open until configured";
  hw->SetQueryAnswer(2, true);
  EXPECT_FALSE(queries->Query(1));
  EXPECT_TRUE(queries->Query(2));
  EXPECT_EQ(hw->Queries(), (std::vector<int32_t>{1, 1, 2}));
  EXPECT_TRUE(app->DoVerb(host::HwConfigSnapIn::kVerbSave, {}, false)) << "the save verb is taken";
  EXPECT_FALSE(app->DoVerb(116, {}, true));
  EXPECT_EQ(hw->SaveCount(), 1);
}

TEST_F(HwConfigTest, DeleteRecordsAndCallsTheHandler) {
  std::vector<int32_t> deleted;
  hw->Delete(0);
  hw->SetDeleteHandler([&](int32_t argument) { deleted.push_back(argument); });
  hw->Delete(0);
  EXPECT_EQ(hw->Deletes(), (std::vector<int32_t>{0, 0}));
  EXPECT_EQ(deleted, std::vector<int32_t>{0}) << "only deletes after the handler was set reach it";
}

class AppClassesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { host::RegisterAppClasses(); }
};

TEST_F(AppClassesTest, InfoWindowRecordsShowAndClose) {
  auto window = platform::CreateObjectAs<mzblprsx::IRgInfoWindow>(clsid::kInfoWindow);
  window->Show(0, 2, 2);
  auto seen = host::InfoWindow::LastCreated();
  ASSERT_TRUE(platform::SameObject(seen, window));
  window->Close();
  EXPECT_FALSE(seen->Visible());
  EXPECT_EQ(seen->ShowCalls(), (std::vector<std::array<int32_t, 3>>{{0, 2, 2}}));
  EXPECT_EQ(seen->CloseCount(), 1);
  seen.Reset();
  window.Reset();
  EXPECT_FALSE(host::InfoWindow::LastCreated()) << "the record does not keep the window alive";
}

TEST_F(AppClassesTest, CompanionRecordsValuesAndIsCreatableByProgramId) {
  auto companion = platform::CreateObjectAs<mzblprsx::IRgCompanion>("mzframex.Companion");
  companion->SetState(true);
  companion->SetState(false);
  auto seen = host::Companion::LastCreated();
  ASSERT_TRUE(platform::SameObject(seen, companion));
  EXPECT_EQ(seen->Values(), (std::vector<bool>{true, false}));
  EXPECT_FALSE(seen->State());
}

TEST_F(AppClassesTest, StationRelationGivesTheHardwareConfigurationOfAPlc) {
  auto relation = platform::BindToMoniker("clsid:{D6A82CED-8ED4-4Cb3-A5F3-072A10194B3D}")
                      .Cast<mzblprsx::IRgRelationService>();
  const auto plc = host::ProjectFile::ParsePlc(mztest::PlcXml(), "t.plc.xml");
  const auto station = plc->Hardware();

  EXPECT_TRUE(platform::SameObject(relation->GetRelated(plc, 4, 1), station));
  EXPECT_FALSE(relation->GetRelated(plc, 3, 1)) << "other relations give nothing";
  EXPECT_FALSE(relation->GetRelated(plc, 4, 2)) << "other arguments give nothing";
  EXPECT_FALSE(relation->GetRelated(plc->Program(), 4, 1)) << "not a project container";
  EXPECT_FALSE(relation->GetRelated({}, 4, 1));
  EXPECT_FALSE(relation->GetRelated(host::ProjectFile::ParsePlc(mztest::PlcText(""), "e"), 4, 1))
      << "a PLC without hardware configuration";
}

}  // namespace
}  // namespace hostapp_test
