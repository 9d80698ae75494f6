// The snap-in's life as the host drives it, verb by verb, and its teardown; the models registry
// with one model per location, following the project and online services.
#include "SnapInFixture.h"

#include <algorithm>
#include <functional>
#include <iterator>

#include "host/app/ViewRegister.h"
#include "host/app/ViewWindow.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/ProjectFile.h"
#include "host/services/OptionService.h"
#include "host/services/ProjectService.h"
#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/core/RgProjectUserCommands.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/RgProjectData.h"
#include "mzblprsx/models/RgProjectFactoryOffline.h"
#include "mzblprsx/models/RgProjects.h"

namespace mztest {
namespace {

using mzblprsx::RgProjectLocationOffline;
using mzblprsx::RgProjectLocationOnline;

class SnapInLifecycle : public SnapInFixture {
 protected:
  size_t Traced(const std::string& procedure) const { return env.Trace().CallCount(procedure); }
  std::string FrontRegister() const {
    const auto tab = env.Application().ProjectBar()->FrontRegister();
    return tab ? tab->Name() : std::string("(none)");
  }
};

TEST_F(SnapInLifecycle, InitBuildsTheGraphAttachConnectsTheServicesAndVerbOneAnnouncesTheWindow) {
  Start();
  EXPECT_EQ(snapIn->GetName(), "ProjectSnapIn");
  ASSERT_TRUE(snapIn->Application());
  ASSERT_TRUE(snapIn->Projects());
  EXPECT_TRUE(snapIn->Commands());
  EXPECT_TRUE(snapIn->Services());
  EXPECT_TRUE(snapIn->StatusController());
  EXPECT_TRUE(snapIn->LanguageAccess());
  EXPECT_TRUE(snapIn->Projects()->Project(RgProjectLocationOffline));
  EXPECT_TRUE(snapIn->Projects()->Project(RgProjectLocationOnline));
  EXPECT_TRUE(platform::SameObject(snapIn->OfflineModel(),
                                   snapIn->Projects()->Project(RgProjectLocationOffline)->Model()));
  EXPECT_TRUE(snapIn->Projects()->ProjectService()) << "Attach subscribes to the project service";
  EXPECT_TRUE(snapIn->Projects()->OnlineService());
  EXPECT_TRUE(snapIn->Application()->ProjectBarWindow());
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
  int announced = 0;
  platform::ScopedConnection c = snapIn->Application()->ActiveDocumentChange().Connect(
      [&](const platform::Ref<mzblprsx::RgProjectItem>&) { ++announced; });
  Initialized();
  EXPECT_EQ(FrontRegister(), "(none)");
  EXPECT_EQ(announced, 1) << "the active window is announced in every case";
}

TEST_F(SnapInLifecycle, ProjectOpenedBeforeVerbOneIsBuiltByVerbOne) {
  Start();
  env.OpenProject(SampleFile("conveyor.prj.xml"));
  EXPECT_FALSE(snapIn->OfflineModel()->HasProject()) << "not before the host has initialised";
  EXPECT_FALSE(snapIn->Projects()->Project(RgProjectLocationOffline)->GUID().empty())
      << "but the project is recorded";
  Initialized();
  EXPECT_TRUE(snapIn->OfflineModel()->HasProject());
  EXPECT_EQ(FrontRegister(), "Project");
  EXPECT_TRUE(snapIn->Application()->ApplicationInitialized());
  EXPECT_TRUE(snapIn->OfflineModel()->AutoRefresh()) << "switched back on after the build";
  EXPECT_EQ(env.Application().MainWindowExtension(), "Conveyor") << "the project's title";
  env.CloseProject();
  EXPECT_FALSE(snapIn->OfflineModel()->HasProject());
  EXPECT_EQ(env.Application().MainWindowExtension(), "") << "the last project took its title";
  EXPECT_EQ(snapIn->Projects()->Project(RgProjectLocationOffline)->GUID(), "");
}

TEST_F(SnapInLifecycle, VerbOneWithOnlyAPlcShowsTheOnlineRegister) {
  Start();
  env.ConnectPlc(SampleFile("conveyor.plc.xml"));
  Initialized();
  EXPECT_TRUE(snapIn->OnlineModel()->HasProject());
  EXPECT_EQ(FrontRegister(), "Online SPS");
}

TEST_F(SnapInLifecycle, DetachReleasesEveryObject) {
  Start("<SNAPIN><COMMANDS/></SNAPIN>");
  env.OpenProject(SampleFile("conveyor.prj.xml"));
  env.ConnectPlc(SampleFile("conveyor.plc.xml"));
  Initialized();
  const auto projects = snapIn->Projects();
  snapIn->PreDetach();
  snapIn->Detach();
  EXPECT_FALSE(snapIn->Projects());
  EXPECT_FALSE(snapIn->Application());
  EXPECT_FALSE(snapIn->OfflineModel());
  EXPECT_FALSE(projects->Project(RgProjectLocationOffline)) << "the registry holds no models";
  EXPECT_FALSE(projects->ProjectService()) << "nor services";
  EXPECT_EQ(Traced("Detach"), 1u) << "the remaining reference count is traced";
  const auto& calls = env.Trace().Calls();
  EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [](const auto& call) {
    return call.procedure == "Detach" && call.parameters.size() == 1 &&
           call.parameters[0].rfind("SnapIn-RefCount=", 0) == 0;
  }));
  env.Application().RemoveSnapIn("ProjectSnapIn");
  snapIn.Reset();
  EXPECT_EQ(env.Trace().LiveCount(), 1u)
      << "only the registry we still hold is alive: " << Join(env.Trace().LiveInstances());
}

TEST_F(SnapInLifecycle, ADetachWhoseStepsFailStillReleasesEveryObject) {
  // Each central object in turn is missing, as after an Init that failed half-way, so the steps
  // that use it raise 91; with errors travelling on, the other steps must still run.
  using S = mzblprsx::RgProjectSnapin;
  const std::function<void(S&)> drops[] = {
      [](S& s) { s.SetApplication(nullptr); }, [](S& s) { s.SetCommands(nullptr); },
      [](S& s) { s.SetProjects(nullptr); }, [](S& s) { s.SetServices(nullptr); },
      [](S& s) { s.SetStatusController(nullptr); }};
  for (size_t i = 0; i < std::size(drops); ++i) {
    env.Errors().SetPolicy(host::ErrorPolicy::Absorb);
    Start();
    env.OpenProject(SampleFile("conveyor.prj.xml"));
    env.ConnectPlc(SampleFile("conveyor.plc.xml"));
    Initialized();
    drops[i](*snapIn);
    env.Errors().SetPolicy(host::ErrorPolicy::Fail);
    EXPECT_THROW(Stop(), platform::Error) << "the first failure travels on";
    env.Application().RemoveSnapIn("ProjectSnapIn");
    snapIn.Reset();
    env.CloseProject();
    env.DisconnectPlc();
    EXPECT_EQ(env.Trace().LiveCount(), 0u) << i << ": " << Join(env.Trace().LiveInstances());
  }
}

TEST_F(SnapInLifecycle, ShowSystemBlocksRefreshesOnlineOnlyWhenSwitchedOn) {
  Start();
  env.ConnectPlc(SampleFile("conveyor.plc.xml"));
  Initialized();
  auto& options = env.Options();
  const auto refreshes = [&] { return Traced("RefreshModel"); };
  options.SetValue("General/Display/ShowSystemBlocks", platform::Variant(true));
  EXPECT_EQ(refreshes(), 1u);
  EXPECT_TRUE(snapIn->ShowSystemBlocks());
  options.SetValue("General/Display/ShowSystemBlocks", platform::Variant(false));
  EXPECT_EQ(refreshes(), 1u) << "hiding system blocks needs no refresh";
  EXPECT_FALSE(snapIn->ShowSystemBlocks()) << "but the new value is stored";
  options.SetValue("General/Display/ShowSystemBlocks", platform::Variant(false));
  EXPECT_EQ(refreshes(), 1u) << "an unchanged value does nothing";
}

TEST_F(SnapInLifecycle, AddressPriorityChangeRefreshesTheOfflineModel) {
  Start();
  env.OpenProject(SampleFile("conveyor.prj.xml"));
  Initialized();
  env.Options().SetValue("General/Settings/AddressPriority", platform::Variant("1.5"));
  EXPECT_EQ(snapIn->AddressPriority(), 2) << "numeric value of the text, ties to even";
  EXPECT_EQ(Traced("RefreshModel"), 1u);
  env.Options().SetValue("General/Settings/AddressPriority", platform::Variant("2.5"));
  EXPECT_EQ(Traced("RefreshModel"), 1u) << "2.5 rounds to 2 as well: no change";
  EXPECT_TRUE(snapIn->OfflineModel()->HasProject());
  EXPECT_TRUE(snapIn->OfflineModel()->AutoRefresh());
}

class ProjectsRegistry : public SnapInFixture {
 protected:
  void SetUp() override { Start(); }
  platform::Ref<mzblprsx::RgProjects> P() { return snapIn->Projects(); }
};

TEST_F(ProjectsRegistry, OneModelPerLocationAndABuildWithoutProjectOrOfAnUnknownLocation) {
  const auto model = snapIn->OfflineModel();
  const auto again = P()->CreateModel(RgProjectLocationOffline, nullptr,
                                      platform::MakeObject<mzblprsx::RgProjectFactoryOffline>());
  EXPECT_TRUE(platform::SameObject(model, again)) << "parent and factory are ignored";
  EXPECT_FALSE(P()->Project(mzblprsx::RgProjectLocationUnknown));
  EXPECT_EQ(P()->Project(RgProjectLocationOnline)->Location(), RgProjectLocationOnline);

  P()->BuildModel(RgProjectLocationOffline);
  EXPECT_FALSE(snapIn->OfflineModel()->AutoRefresh()) << "no project: auto refresh stays off";
  EXPECT_EQ(env.Application().WaitCursorDepth(), 0);
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
  P()->BuildModel(7);
  ASSERT_EQ(ErrorSources().size(), 1u);
  EXPECT_EQ(ErrorSources()[0], "mzblprsx.RgProjects.BuildModel");
}

TEST_F(ProjectsRegistry, ConnectBeforeInitialisationOnlyRecordsAndAfterItBuildsAndShowsIt) {
  auto plc = env.ConnectPlc(SampleFile("conveyor.plc.xml"));
  const auto data = P()->Project(RgProjectLocationOnline);
  EXPECT_TRUE(platform::SameObject(data->Object(), plc));
  EXPECT_FALSE(data->GUID().empty());
  EXPECT_EQ(data->FileName(), "") << "the online side has no file";
  EXPECT_FALSE(snapIn->OnlineModel()->HasProject()) << "nothing built yet";
  EXPECT_EQ(env.Trace().CallCount("BuildModel"), 0u);
  env.DisconnectPlc();
  EXPECT_FALSE(data->Object());
  EXPECT_EQ(data->GUID(), "");

  Initialized();
  env.ConnectPlc(SampleFile("conveyor.plc.xml"));
  EXPECT_TRUE(snapIn->OnlineModel()->HasProject()) << "a connect after verb one builds";
  EXPECT_EQ(env.Application().ProjectBar()->FrontRegisterName(), "Online SPS");
  env.DisconnectPlc();
  EXPECT_FALSE(snapIn->OnlineModel()->HasProject());
}

TEST_F(ProjectsRegistry, OperationsOnTheOpenProjectAreTracedAndTerminateDestroysItOnce) {
  Initialized();
  env.OpenProject(SampleFile("conveyor.prj.xml"));
  ASSERT_TRUE(snapIn->OfflineModel()->HasProject());
  auto stranger = host::ProjectFile::LoadProject(SampleFile("conveyor.prj.xml"));
  env.Projects().Close().Emit(platform::Ref<platform::Object>(), stranger);
  EXPECT_TRUE(snapIn->OfflineModel()->HasProject()) << "another project's close changes nothing";
  EXPECT_TRUE(
      platform::SameObject(P()->Project(RgProjectLocationOffline)->Object(), env.Project()));

  P()->RefreshModel(RgProjectLocationOffline);
  bool found = false;
  for (const auto& call : env.Trace().Calls()) {
    if (call.procedure == "RefreshModel") {
      found = call.className == "RgProjects" &&
              call.parameters == std::vector<std::string>{"Location=1"};
    }
  }
  EXPECT_TRUE(found) << "traced with the location";
  EXPECT_TRUE(snapIn->OfflineModel()->HasProject());

  const auto model = snapIn->OfflineModel();
  P()->TerminateModel(RgProjectLocationOffline);
  EXPECT_FALSE(P()->Project(RgProjectLocationOffline));
  EXPECT_FALSE(model->HasProject()) << "the tree goes first";
  EXPECT_EQ(env.Trace().CallCount("DestroyModel"), 1u);
  P()->TerminateModel(RgProjectLocationOffline);
  EXPECT_EQ(env.Trace().CallCount("DestroyModel"), 1u) << "a second terminate does nothing";
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

}  // namespace
}  // namespace mztest
