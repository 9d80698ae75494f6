// The snap-in's own operations around the online project: load state and gone block editors,
// the information window, the plain-text block reference, and the library's entry points.
#include "SnapInFixture.h"

#include "host/app/AppClasses.h"
#include "host/app/HwConfigSnapIn.h"
#include "host/app/InfoWindow.h"
#include "host/framework/ErrorService.h"
#include "host/project/Block.h"
#include "host/project/PlcProject.h"
#include "host/project/Program.h"
#include "host/services/LoadService.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgInfoWindow.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/ClassRegistry.h"
#include "support/FakeHandler.h"

namespace mztest {
namespace {

/// An information window whose Show fails with the error number of the moment.
class FailingInfoWindow final : public mzblprsx::IRgInfoWindow {
 public:
  static inline int32_t failWith = 0;
  std::string_view TypeName() const override { return "FailingInfoWindow"; }
  void Show(int32_t, int32_t, int32_t) override { throw platform::Error(failWith, "no window"); }
  void Close() override {}
};

size_t Occurrences(const std::string& text, std::string_view part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

class OnlineData : public SnapInFixture {
 protected:
  void SetUp() override {
    Start();
    Initialized();
    plc = env.ConnectPlc(SampleFile("conveyor.plc.xml"));
    item = snapIn->OnlineModel()->Items()->First();
    ASSERT_TRUE(item);
    // A handler that serves the PLC, as the online handlers will.
    const auto handler = platform::MakeObject<FakeHandler>("ContainerHandler", nullptr);
    handler->SetObject(plc);
    item->SetHandler(handler);
  }
  void TearDown() override {
    item->SetHandler(nullptr);
    item.Reset();
    plc.Reset();
    SnapInFixture::TearDown();
  }
  std::vector<platform::Ref<host::Block>> OpenBlocks(int count) {
    std::vector<platform::Ref<host::Block>> blocks;
    for (const auto& block : plc->Program()->Blocks()) {
      if (static_cast<int>(blocks.size()) == count) break;
      env.Application().OpenDocument(block, -1);
      blocks.push_back(block);
    }
    return blocks;
  }
  int LoadStateBroadcasts() const {
    int n = 0;
    for (const auto& d : env.Application().VerbDispatches()) n += d.verb == 0x40000002 ? 1 : 0;
    return n;
  }

  platform::Ref<host::PlcProject> plc;
  platform::Ref<mzblprsx::RgProjectItem> item;
};

TEST_F(OnlineData, LoadStateOfTheUpdateListIsAskedAndBroadcastWhenTheItemHasAHandler) {
  const auto blocks = OpenBlocks(2);
  const auto calls = env.Load().Calls().size();
  snapIn->RefreshOnlineData(item, true);
  ASSERT_EQ(env.Load().Calls().size(), calls + 1);
  const host::LoadStateCall& call = env.Load().Calls().back();
  EXPECT_EQ(call.flags, 16) << "notify flag";
  EXPECT_NE(call.updateList.find(mzblprsx::clsid::kProgramOnline), std::string::npos);
  EXPECT_NE(call.updateList.find("ISOPEN=\"-1\""), std::string::npos) << "open blocks are listed";
  EXPECT_EQ(call.state, 0) << "everything listed is in the PLC";
  EXPECT_GE(LoadStateBroadcasts(), 1);
  const auto hw = env.Application().SnapIn("SnapInHWConfig").Cast<host::HwConfigSnapIn>();
  ASSERT_TRUE(hw) << "the host's hardware snap-in is always there";
  hw->SetQueryAnswer(1, true);
  hw->SetQueryAnswer(2, true);
  snapIn->RefreshOnlineData(item, false);
  EXPECT_EQ(env.Load().Calls().back().flags, 0);
  EXPECT_EQ(Occurrences(env.Load().Calls().back().updateList, mzblprsx::clsid::kHwConfigOnline), 2u)
      << "the hardware snap-in's queries add the configuration, and the station it stands for";
  EXPECT_TRUE(env.Errors().Messages().empty()) << "no editor had to be closed";
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
  const auto asked = env.Load().Calls().size();
  item->SetHandler(nullptr);
  snapIn->RefreshOnlineData(item, true);
  snapIn->RefreshOnlineData(nullptr, true);
  EXPECT_EQ(env.Load().Calls().size(), asked) << "without handler nothing is asked";
}

TEST_F(OnlineData, EditorsOfBlocksThatLeftThePlcAreClosedWithOneMessage) {
  const auto blocks = OpenBlocks(9);
  ASSERT_EQ(blocks.size(), 9u) << "the sample PLC has enough blocks";
  for (const auto& block : blocks) plc->Program()->RemoveBlock(*block);
  snapIn->RefreshOnlineData(item, true);
  ASSERT_EQ(env.Errors().Messages().size(), 1u);
  const host::MessageRecord& message = env.Errors().Messages()[0];
  EXPECT_EQ(message.module, "cmnerr");
  EXPECT_EQ(message.number, 1044);
  ASSERT_EQ(message.arguments.size(), 2u);
  EXPECT_EQ(message.arguments[0], snapIn->GetStaticText(121));
  const std::string& names = message.arguments[1];
  EXPECT_EQ(Occurrences(names, ",\r\n"), 7u) << "seven names and then \"...\": " << names;
  EXPECT_EQ(names.substr(names.size() - 3), "...");
  EXPECT_EQ(env.Application().Documents()->Count(), 0) << "all nine editors are closed";
}

TEST_F(OnlineData, InformationWindowPassesOverAnUnspecifiedFailureOnly) {
  platform::ClassRegistry::Instance().Register(mzblprsx::clsid::kInfoWindow, "", [] {
    return platform::Ref<platform::Object>(platform::MakeObject<FailingInfoWindow>());
  });
  const auto reported = [&] {
    std::vector<int32_t> numbers;
    for (const auto& report : env.Errors().Reports()) numbers.push_back(report.number);
    env.Errors().ClearReports();
    return numbers;
  };
  FailingInfoWindow::failWith = platform::errc::kFail;
  snapIn->ShowRgInfoWithMemory();
  EXPECT_EQ(reported(), std::vector<int32_t>{}) << "0x80004005 is passed over";
  FailingInfoWindow::failWith = platform::errc::kObjectNotSet;
  snapIn->ShowRgInfoWithMemory();
  EXPECT_EQ(reported(), std::vector<int32_t>{platform::errc::kObjectNotSet});
  host::RegisterAppClasses();
}

TEST_F(OnlineData, InformationWindowOpensOnceAndClosesAtPreDetach) {
  snapIn->ShowRgInfoWithMemory();
  snapIn->ShowRgInfoWithMemory();
  const auto window = host::InfoWindow::LastCreated();
  ASSERT_TRUE(window);
  EXPECT_EQ(window->ShowCalls().size(), 2u) << "created once, shown twice";
  EXPECT_EQ(window->ShowCalls()[0], (std::array<int32_t, 3>{0, 2, 2}));
  snapIn->PreDetach();
  EXPECT_EQ(window->CloseCount(), 1);
}

TEST_F(OnlineData, AsciiBlockDataNamesOneOfflineBlock) {
  const auto block = item;  // any item: its data decides
  const auto data = block->Data();
  data->SetValue("TYPE", platform::Variant("RgBlockOffline.FB"), 1);
  data->SetValue("BLOCKTYPE", platform::Variant(10), 1);
  data->SetValue("BLOCKNUMBER", platform::Variant(12), 3);
  const std::string expected = std::string("MzBlock: FB 12 {APP}") + '\0';
  EXPECT_EQ(snapIn->GetAsciiBlockData({block}, "{APP}"), expected);
  EXPECT_EQ(snapIn->GetAsciiBlockData({block, block}, "{APP}"), "") << "two items";
  EXPECT_EQ(snapIn->GetAsciiBlockData({}, "{APP}"), "");
  data->SetValue("TYPE", platform::Variant("RgCategory"), 3);
  EXPECT_EQ(snapIn->GetAsciiBlockData({block}, "{APP}"), "") << "a category";
}

TEST(EntryPoints, ClassFactoriesAndUnloading) {
  host::Environment env;
  EXPECT_EQ(DllRegisterServer(), 0);
  platform::Ref<platform::Object> factory;
  EXPECT_EQ(DllGetClassObject("mzblprsx.RgProjectSnapin", &factory), 0);
  ASSERT_TRUE(factory);
  EXPECT_NE(DllGetClassObject("mzblprsx.NoSuchClass", &factory), 0);
  EXPECT_FALSE(factory);
  EXPECT_NE(DllGetClassObject("mzblprsx.RgProjectSnapin", nullptr), 0);
  EXPECT_EQ(DllCanUnloadNow(), 0) << "no library object alive";
  {
    auto snapIn = platform::CreateObject("MZBLPRSX.RGPROJECTSNAPIN");
    EXPECT_EQ(snapIn->TypeName(), "RgProjectSnapin");
    EXPECT_EQ(DllCanUnloadNow(), 1) << "a snap-in is alive";
  }
  EXPECT_EQ(DllCanUnloadNow(), 0);
}

}  // namespace
}  // namespace mztest
