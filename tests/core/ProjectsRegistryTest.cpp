// The models registry: one model per location, following the project and online services.
#include "SnapInFixture.h"

#include "host/app/ViewWindow.h"
#include "host/project/OfflineProject.h"
#include "host/project/PlcProject.h"
#include "host/project/ProjectFile.h"
#include "host/services/ProjectService.h"
#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/RgProjectData.h"
#include "mzblprsx/models/RgProjectFactoryOffline.h"
#include "mzblprsx/models/RgProjects.h"

namespace mztest {
namespace {

using mzblprsx::RgProjectLocationOffline;
using mzblprsx::RgProjectLocationOnline;

class ProjectsRegistry : public SnapInFixture {
 protected:
  void SetUp() override { Start(); }
  platform::Ref<mzblprsx::RgProjects> P() { return snapIn->Projects(); }
};

TEST_F(ProjectsRegistry, CreateModelTwiceGivesTheSameModel) {
  const auto model = snapIn->OfflineModel();
  const auto again = P()->CreateModel(RgProjectLocationOffline, nullptr,
                                      platform::MakeObject<mzblprsx::RgProjectFactoryOffline>());
  EXPECT_TRUE(platform::SameObject(model, again)) << "parent and factory are ignored";
  EXPECT_FALSE(P()->Project(mzblprsx::RgProjectLocationUnknown));
  EXPECT_EQ(P()->Project(RgProjectLocationOnline)->Location(), RgProjectLocationOnline);
}

TEST_F(ProjectsRegistry, CloseOfAnotherProjectChangesNothing) {
  Initialized();
  env.OpenProject(SampleFile("conveyor.prj.xml"));
  ASSERT_TRUE(snapIn->OfflineModel()->HasProject());
  auto stranger = host::ProjectFile::LoadProject(SampleFile("conveyor.prj.xml"));
  env.Projects().Close().Emit(platform::Ref<platform::Object>(), stranger);
  EXPECT_TRUE(snapIn->OfflineModel()->HasProject());
  EXPECT_TRUE(
      platform::SameObject(P()->Project(RgProjectLocationOffline)->Object(), env.Project()));
}

TEST_F(ProjectsRegistry, ConnectBeforeInitialisationOnlyRecords) {
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
}

TEST_F(ProjectsRegistry, ConnectAfterInitialisationBuildsAndShowsTheOnlineRegister) {
  Initialized();
  env.ConnectPlc(SampleFile("conveyor.plc.xml"));
  EXPECT_TRUE(snapIn->OnlineModel()->HasProject());
  EXPECT_EQ(env.Application().ProjectBar()->FrontRegisterName(), "Online SPS");
  env.DisconnectPlc();
  EXPECT_FALSE(snapIn->OnlineModel()->HasProject());
}

TEST_F(ProjectsRegistry, BuildWithoutProjectLeavesAutoRefreshOff) {
  P()->BuildModel(RgProjectLocationOffline);
  EXPECT_FALSE(snapIn->OfflineModel()->AutoRefresh());
  EXPECT_EQ(env.Application().WaitCursorDepth(), 0);
}

TEST_F(ProjectsRegistry, BuildOfAnUnknownLocationFails) {
  P()->BuildModel(7);
  ASSERT_EQ(ErrorSources().size(), 1u);
  EXPECT_EQ(ErrorSources()[0], "mzblprsx.RgProjects.BuildModel");
}

TEST_F(ProjectsRegistry, TerminateDestroysTheTreeFirstAndOnlyOnce) {
  Initialized();
  env.OpenProject(SampleFile("conveyor.prj.xml"));
  const auto model = snapIn->OfflineModel();
  P()->TerminateModel(RgProjectLocationOffline);
  EXPECT_FALSE(P()->Project(RgProjectLocationOffline));
  EXPECT_FALSE(model->HasProject());
  EXPECT_EQ(env.Trace().CallCount("DestroyModel"), 1u);
  P()->TerminateModel(RgProjectLocationOffline);
  EXPECT_EQ(env.Trace().CallCount("DestroyModel"), 1u) << "a second terminate does nothing";
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

TEST_F(ProjectsRegistry, ModelOperationsAreTracedWithTheirLocation) {
  Initialized();
  env.OpenProject(SampleFile("conveyor.prj.xml"));
  P()->RefreshModel(RgProjectLocationOffline);
  bool found = false;
  for (const auto& call : env.Trace().Calls()) {
    if (call.procedure == "RefreshModel") {
      found = call.className == "RgProjects" &&
              call.parameters == std::vector<std::string>{"Location=1"};
    }
  }
  EXPECT_TRUE(found);
  EXPECT_TRUE(snapIn->OfflineModel()->HasProject());
}

}  // namespace
}  // namespace mztest
