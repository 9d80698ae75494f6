// Services by location, the application wrapper's titles and documents, document sets.
#include "SnapInFixture.h"

#include "host/app/AppDocument.h"
#include "host/app/AppDocuments.h"
#include "host/project/OfflineProject.h"
#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/core/RgProjectDocumentSet.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgProjectContainer.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/streaming/IRgObjectStreamHandler.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"
#include "platform/SafeArray.h"

namespace mztest {
namespace {

using mzblprsx::RgProjectLocationOffline;
using mzblprsx::RgProjectLocationOnline;

class Services : public SnapInFixture {
 protected:
  void SetUp() override { Start(); }
  platform::Ref<mzblprsx::RgProjectServices> S() { return snapIn->Services(); }
};

TEST_F(Services, KeptServicesStayFactoryServicesAreFetchedAndMissingChildrenHaveNone) {
  const auto stream = S()->RgObjectStreamService(RgProjectLocationOffline);
  ASSERT_TRUE(stream);
  EXPECT_TRUE(platform::SameObject(stream, S()->RgObjectStreamService(RgProjectLocationOffline)));
  EXPECT_TRUE(platform::SameObject(stream->StreamHandler()->Parent(), stream))
      << "the handler's parent is its service";
  EXPECT_TRUE(platform::SameObject(stream->ProjectSnapIn(), snapIn));
  const auto online = S()->RgObjectStreamService(RgProjectLocationOnline);
  EXPECT_FALSE(platform::SameObject(stream, online));
  EXPECT_EQ(online->StreamHandler()->TypeName(), "RgPrjStreamHandlerOnline");
  const auto categories = S()->RgCategoryService(RgProjectLocationOffline);
  ASSERT_TRUE(categories);
  EXPECT_TRUE(platform::SameObject(categories, S()->RgCategoryService(RgProjectLocationOffline)));
  EXPECT_FALSE(S()->RgCategoryService(RgProjectLocationOnline));
  EXPECT_TRUE(S()->RgOptionService());
  EXPECT_TRUE(S()->RgLoadService());
  EXPECT_TRUE(S()->RgMMCService());
  EXPECT_TRUE(S()->RgTooltips());
  EXPECT_TRUE(S()->RgProjectService());
  EXPECT_TRUE(S()->RgOnlineService());

  env.OpenProjectText("<project name=\"Bare\" guid=\"{0B1E2C3D-4E5F-4A6B-8C7D-9E0F1A2B3C4D}\"/>",
                      "bare.prj.xml");
  EXPECT_FALSE(S()->RgHardwareService(RgProjectLocationOffline));
  EXPECT_FALSE(S()->RgBlockService(RgProjectLocationOffline)) << "no program";
  EXPECT_TRUE(S()->RgSymbolService()) << "bound to the project itself";
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

TEST_F(Services, SideServicesNeedAProject) {
  EXPECT_FALSE(S()->RgBlockService(RgProjectLocationOffline)) << "no project open";
  EXPECT_FALSE(S()->RgHardwareService(RgProjectLocationOnline)) << "no PLC connected";
  EXPECT_FALSE(S()->RgSymbolService());
  EXPECT_FALSE(S()->RgVarTableService(RgProjectLocationOnline)) << "no connection";
  EXPECT_FALSE(S()->RgBlockService(3)) << "an unknown location finds no container";
  EXPECT_TRUE(ErrorSources().empty()) << "none of this is an error: " << Join(ErrorSources());
  env.OpenProject(SampleFile("conveyor.prj.xml"));
  env.ConnectPlc(SampleFile("conveyor.plc.xml"));
  EXPECT_TRUE(S()->RgBlockService(RgProjectLocationOffline));
  EXPECT_TRUE(S()->RgBlockService(RgProjectLocationOnline));
  EXPECT_TRUE(S()->RgHardwareService(RgProjectLocationOffline));
  EXPECT_TRUE(S()->RgSymbolService());
  EXPECT_TRUE(S()->RgVarTableService(RgProjectLocationOnline));
  EXPECT_TRUE(S()->RgVarTableService(RgProjectLocationOffline));
}

class Application : public SnapInFixture {
 protected:
  void SetUp() override {
    Start();
    env.OpenProject(SampleFile("conveyor.prj.xml"));
    Initialized();
  }
  platform::Ref<mzblprsx::RgProjectApplication> App() { return snapIn->Application(); }
  platform::Ref<mzblprsx::RgProjectItem> ProjectItem() {
    return snapIn->OfflineModel()->Items()->First();
  }
};

TEST_F(Application, OnlyAProjectsTitleGoesToTheMainWindowAndTheSameActiveDocumentIsAnnouncedOnce) {
  auto item = ProjectItem();
  item->Data()->SetValue("TYPE", platform::Variant("RgProjectOffline"), 1);
  item->Data()->SetValue("DISPLAY_TITLE", platform::Variant("Conveyor line"), 1);
  App()->SetWindowTitle(item);
  EXPECT_EQ(env.Application().MainWindowExtension(), "Conveyor line");

  env.Application().SetMainWindowExtension("before");
  item->Data()->Clear();
  item->Data()->SetValue("TYPE", platform::Variant("RgProjectOffline"), 1);
  App()->SetWindowTitle(item);
  EXPECT_EQ(env.Application().MainWindowExtension(), "before") << "a project without a title";
  item->Data()->SetValue("TYPE", platform::Variant("RgSymbolTable"), 1);
  item->Data()->SetValue("DISPLAY_TITLE", platform::Variant("Symbols"), 1);
  App()->SetWindowTitle(item);
  EXPECT_EQ(env.Application().MainWindowExtension(), "before") << "an item of another type";

  int changes = 0;
  platform::ScopedConnection c = App()->ActiveDocumentChange().Connect(
      [&](const platform::Ref<mzblprsx::RgProjectItem>&) { ++changes; });
  env.Application().ActiveMDIWindowChanged().Emit();
  env.Application().ActiveMDIWindowChanged().Emit();
  EXPECT_EQ(changes, 0) << "no active document: the stored nothing is unchanged";
  App()->SetActiveMDIWindow();
  EXPECT_EQ(changes, 1) << "SetActiveMDIWindow announces even without a change";
}

TEST(ApplicationWithoutHost, OpenDocumentRaisesTheEventAndCursorIsTheProcesss) {
  host::Environment env;
  DllRegisterServer();
  auto app = platform::MakeObject<mzblprsx::RgProjectApplication>();
  platform::Ref<platform::Object> opened;
  platform::ScopedConnection c = app->OpenDocumentEvent().Connect(
      [&](const platform::Ref<platform::Object>& d) { opened = d; });
  auto project = env.OpenProject(SampleFile("conveyor.prj.xml"));
  EXPECT_FALSE(app->OpenDocument(project, "title"));
  EXPECT_TRUE(platform::SameObject(opened, project));
  using Cursor = mzblprsx::RgProjectApplication::ScreenCursor;
  app->DoWaitCursor(1);
  EXPECT_EQ(mzblprsx::RgProjectApplication::CurrentScreenCursor(), Cursor::Hourglass);
  app->DoWaitCursor(2);
  EXPECT_EQ(mzblprsx::RgProjectApplication::CurrentScreenCursor(), Cursor::Hourglass)
      << "other operations do nothing";
  app->DoWaitCursor(-1);
  EXPECT_EQ(mzblprsx::RgProjectApplication::CurrentScreenCursor(), Cursor::Default);
  EXPECT_TRUE(app->FlushDocument(project)) << "without a host every flush succeeds";
  EXPECT_FALSE(app->CreateDocumentSetWithItems(nullptr));
}

TEST_F(Application, DocumentSetsFlushWithTheResultsOfTheHost) {
  auto project = env.Project();
  // The host applies scripted failures to the document sets it creates afterwards.
  const auto makeSet = [&] {
    auto set = App()->CreateDocumentSetWithItems(snapIn->OfflineModel()->Items());
    set->Add(project);
    return set;
  };
  const auto ok = makeSet();
  EXPECT_EQ(ok->Count(), 1);
  EXPECT_EQ(ok->Flush(), mzblprsx::RgProjectDocumentSetReturnOK);

  env.Application().FailFlushWith(platform::errc::kAbort);
  EXPECT_EQ(makeSet()->Flush(), mzblprsx::RgProjectDocumentSetReturnAbort)
      << "cancelled by the user";
  env.Application().ClearFlushFailures();

  env.Application().FailFlushWith(static_cast<int32_t>(0x80070005), project);
  const auto failing = makeSet();
  EXPECT_EQ(failing->Flush(), mzblprsx::RgProjectDocumentSetReturnError);
  ASSERT_EQ(failing->ErrorList().size(), 1u);
  EXPECT_TRUE(platform::SameObject(failing->ErrorList()[0], project));
  env.Application().ClearFlushFailures();

  failing->Clear();
  EXPECT_EQ(failing->Count(), 0);
  EXPECT_EQ(failing->Flush(), mzblprsx::RgProjectDocumentSetReturnOK)
      << "an empty set flushes nothing";
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

}  // namespace
}  // namespace mztest
