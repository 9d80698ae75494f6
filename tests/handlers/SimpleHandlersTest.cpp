// The handlers of the project's direct children and of the project itself.
#include "HandlerFixture.h"

#include "host/app/HwConfigSnapIn.h"
#include "host/project/Documentation.h"
#include "host/project/HardwareConfig.h"
#include "host/project/MemoryCard.h"
#include "host/project/PlcProject.h"
#include "host/project/References.h"
#include "host/project/SymbolTable.h"
#include "host/project/VarTables.h"
#include "host/services/ServiceFactory.h"
#include "mzblprsx/handlers/RgPrjHandlerHwConfigOffline.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgObjectEventSink.h"
#include "platform/ClassRegistry.h"
#include "platform/Text.h"

namespace mztest {
namespace {

class SimpleHandlers : public HandlerFixture {
 protected:
  void SetUp() override {
    HandlerFixture::SetUp();
    OpenText(SampleText());
    changeSink_ = Model()->ItemChange().Connect(
        [this](const ItemRef& item, int32_t) { changes_.push_back(Text(item, "NAME")); });
  }

  std::vector<std::string> changes_;
  platform::ScopedConnection changeSink_;
};

TEST_F(SimpleHandlers, EachChildShowsItsObjectAndFollowsItsNotificationsRefreshAndFlags) {
  std::vector<std::string> children;
  for (int32_t i = 1; i <= ProjectItem()->Items()->Count(); ++i) {
    const ItemRef child = ProjectItem()->Items()->Item(i);
    children.push_back(std::string(child->HandlerObject()->TypeName()) + " " + Dump(child));
  }
  EXPECT_EQ(Join(children),
            "RgPrjHandlerHwConfigOffline TYPE=RgHwConfigOffline, NAME=Station, "
            "LASTMODIFIED=2026-11-02 08:15:00/Date, SIZE=2048/Long, "
            "RgPrjHandlerSymbolTable TYPE=RgSymbolTable, NAME=Symbols, "
            "RgPrjHandlerVarTables TYPE=RgVarTables, NAME=Variable tables, "
            "RgPrjHandlerReferences TYPE=RgXRef, NAME=Cross references, "
            "RgPrjHandlerDocumentation TYPE=RgDocumentation, NAME=Documentation, "
            "RgPrjHandlerProgramOffline TYPE=RgProgramOffline, NAME=Program, "
            "LASTMODIFIED=2026-11-02 08:15:00/Date, SIZE=5070/Long");

  project->SetName("Conveyor 2");
  EXPECT_EQ(Text(ProjectItem(), "NAME"), "Conveyor 2");
  EXPECT_EQ(Text(ProjectItem(), "DISPLAY_TITLE"), "Conveyor 2");
  project->Hardware()->SetSize(4096);
  EXPECT_EQ(Value(ItemOf(project->Hardware()), "SIZE").ToInt32(), 4096);
  project->VarTables()->SetName("Watch tables");
  EXPECT_EQ(Text(ItemOf(project->VarTables()), "NAME"), "Watch tables");
  project->Documentation()->SetName("Manual");
  EXPECT_EQ(Text(ItemOf(project->Documentation()), "NAME"), "Manual");

  const ItemRef references = ItemOf(project->References());
  project->References()->SetName("XRef list");
  EXPECT_EQ(Text(references, "NAME"), "Cross references")
      << "the references' notifications are not followed";
  changes_.clear();
  references->Handler()->Refresh();
  EXPECT_EQ(Text(references, "NAME"), "XRef list");
  EXPECT_EQ(Join(changes_), "XRef list") << "a refresh redraws once";

  const ItemRef documentation = ItemOf(project->Documentation());
  project->Documentation()->SetOpen(true);
  project->Documentation()->SetModified(true);
  EXPECT_TRUE(documentation->Handler()->IsOpen());
  EXPECT_TRUE(documentation->Handler()->IsDirty());
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

TEST_F(SimpleHandlers, OnlyVariableTablesAndDocumentationSaveAndOnlyTheSymbolTableDeletes) {
  for (const auto& object :
       std::vector<platform::Ref<platform::Object>>{project->References(), project->VarTables(),
                                                    project->Documentation(), project->Symbols()}) {
    const auto handler = ItemOf(object)->Handler();
    if (object != project->Symbols()) handler->Delete();
    handler->Save();
  }
  EXPECT_TRUE(project->References() && project->VarTables() && project->Documentation());
  EXPECT_FALSE(project->IsModified());
  EXPECT_EQ(Join(env.Application().DocumentLog()), "save Variable tables, save Documentation");

  ItemOf(project->Symbols())->Handler()->Delete();
  EXPECT_FALSE(project->Symbols()) << "the framework deleted the table";
  EXPECT_EQ(Text(BlockItem("FB10"), "SYMBOL"), "") << "blocks lost their symbols";
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

// The application's service factory, but the hardware service cannot be had.
class NoHardwareServiceFactory : public host::ServiceFactory {
 public:
  platform::Ref<platform::Object> GetService(const std::string& classId,
                                             platform::Ref<platform::Object> offline,
                                             platform::Ref<platform::Object> online,
                                             const std::string& name) override {
    if (platform::text::EqualsNoCase(classId, mzblprsx::clsid::kHardwareService)) {
      throw platform::Error(platform::errc::kCannotCreate, "no hardware service");
    }
    return ServiceFactory::GetService(classId, std::move(offline), std::move(online), name);
  }
};

TEST_F(SimpleHandlers, HardwareConfigurationGoesThroughItsSnapInAndItsService) {
  const ItemRef item = ItemOf(project->Hardware());
  item->HandlerObject().Cast<mzblprsx::RgPrjHandlerHwConfigOffline>()->DownloadHwConfig();
  EXPECT_TRUE(env.Application().VerbDispatches().empty()) << "a download does nothing";

  const std::string name(host::HwConfigSnapIn::kName);
  const auto hw = env.Application().SnapIn(name).Cast<host::HwConfigSnapIn>();
  ASSERT_TRUE(hw);
  hw->SetDeleteHandler([](int32_t) {});  // record only: the station stays
  item->Handler()->Save();
  item->Handler()->Delete();
  EXPECT_EQ(hw->SaveCount(), 1) << "the save command went to the snap-in as a verb";
  EXPECT_EQ(hw->Deletes(), std::vector<int32_t>{0});
  env.Application().RemoveSnapIn(name);
  item->Handler()->Save();
  item->Handler()->Delete();
  EXPECT_EQ(hw->SaveCount(), 1) << "without the snap-in nothing happens";
  EXPECT_EQ(hw->Deletes().size(), 1u);
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
  hw->SetDeleteHandler({});
  env.Application().AddSnapIn(name, hw);

  // A size that cannot be read shows zero, not the size the item showed before.
  auto& registry = platform::ClassRegistry::Instance();
  ASSERT_EQ(Value(item, "SIZE").ToInt32(), 2048);
  registry.Register(mzblprsx::clsid::kServiceFactory, "", [] {
    return platform::Ref<platform::Object>(platform::MakeObject<NoHardwareServiceFactory>());
  });
  item->Handler()->Refresh();
  registry.Register(mzblprsx::clsid::kServiceFactory, "", [] {
    return platform::Ref<platform::Object>(platform::MakeObject<host::ServiceFactory>());
  });
  EXPECT_EQ(Value(item, "SIZE").ToInt32(), 0);
  EXPECT_EQ(Text(item, "NAME"), "Station") << "the rest of the fill goes on";
  EXPECT_FALSE(ErrorSources().empty()) << "the failure is reported, not hidden";
}

TEST_F(SimpleHandlers, HandlersMadeByHandShowTheCardAndIgnoreNotificationsOnceTerminated) {
  const auto card = env.ConnectPlc(SampleFile("conveyor.plc.xml"))->MemoryCard();
  const ItemRef item = ProjectItem()->Items()->AddNew(card, nullptr, nullptr);  // no handler here
  const auto cardHandler =
      platform::CreateObjectAs<mzblprsx::IRgProjectItemHandler>("mzblprsx.RgPrjHandlerMemoryCard");
  item->SetHandler(cardHandler);
  cardHandler->SetObject(card);
  cardHandler->SetProjectItem(item);
  cardHandler->Initialize();
  EXPECT_EQ(Text(item, "TYPE"), "RgMemoryCard");
  EXPECT_EQ(Text(item, "NAME"), card->DisplayName());
  ProjectItem()->Items()->Remove(item);

  const auto handler = platform::CreateObjectAs<mzblprsx::IRgProjectItemHandler>(
      "mzblprsx.RgPrjHandlerProjectOffline");
  handler->SetObject(project);
  handler->SetProjectItem(ProjectItem());
  handler->Terminate();
  EXPECT_FALSE(handler->ProjectItem());
  EXPECT_FALSE(handler->Object());
  handler.Cast<mzblprsx::IRgObjectEventSink>()->OnNotify(4, project, platform::Variant());
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

}  // namespace
}  // namespace mztest
