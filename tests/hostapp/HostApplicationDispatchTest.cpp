// Verb and command dispatch of the host application to its snap-ins, and the snap-in list.
#include <gtest/gtest.h>

#include "host/app/CommandUI.h"
#include "hostapp/AppTestDoubles.h"

namespace hostapp_test {
namespace {

using host::HostApplication;

class DispatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"A", "B", "C"}) {
      snapIns.push_back(platform::MakeObject<FakeSnapIn>(name, journal));
      app->AddSnapIn(name, snapIns.back());
    }
  }
  void TearDown() override { app->Clear(); }

  /// "-+-": B answers True, A and C False.
  void Answers(std::string_view answers) {
    for (size_t i = 0; i < snapIns.size(); ++i) snapIns[i]->answer = answers[i] == '+';
  }
  /// The snap-ins the journal shows, as "AB".
  std::string Called() const {
    std::string who;
    for (const auto& entry : *journal) who += entry.front();
    return who;
  }

  Ref<HostApplication> app = platform::MakeObject<HostApplication>();
  Journal journal = std::make_shared<std::vector<std::string>>();
  std::vector<Ref<FakeSnapIn>> snapIns;
};

TEST_F(DispatchTest, VerbReachesSnapInsByMode) {
  const struct {
    std::string_view answers;
    bool broadcast;
    bool result;
    std::string called;
  } cases[] = {
      {"---", true, false, "ABC"}, {"-+-", true, true, "ABC"},   {"-++", false, true, "AB"},
      {"+++", false, true, "A"},   {"---", false, false, "ABC"},
  };
  for (const auto& c : cases) {
    journal->clear();
    Answers(c.answers);
    const std::string what = std::string(c.answers) + (c.broadcast ? " broadcast" : " first taker");
    EXPECT_EQ(app->DoVerb(7, platform::Variant(int32_t{3}), c.broadcast), c.result) << what;
    EXPECT_EQ(Called(), c.called) << what;
  }
  const auto& last = app->VerbDispatches().back();
  EXPECT_EQ(last.snapIn, "C");
  EXPECT_EQ(last.arguments, platform::Variant(int32_t{3})) << "each dispatch is recorded";
}

TEST_F(DispatchTest, FailingSnapInEndsOnlyAFirstTakerDispatch) {
  snapIns[1]->failWith = platform::errc::kFail;
  EXPECT_THROW(app->DoVerb(116, {}, true), platform::Error) << "the error reaches the caller";
  EXPECT_EQ(journal->back(), "C:verb 116") << "but only after C has heard the broadcast";
  EXPECT_TRUE(app->VerbDispatches()[1].failed);
  journal->clear();
  snapIns[2]->answer = true;
  EXPECT_THROW(app->DoVerb(5, {}, false), platform::Error);
  EXPECT_EQ(Called(), "AB") << "C is not asked";
}

TEST_F(DispatchTest, ListChangedDuringDispatchAffectsOnlyLaterDispatches) {
  snapIns[0]->onVerb = [&] { app->RemoveSnapIn("C"); };
  app->DoVerb(9, {}, true);
  EXPECT_EQ(Called(), "ABC") << "the dispatch under way still reaches C";
  journal->clear();
  app->DoVerb(9, {}, true);
  EXPECT_EQ(Called(), "AB");
}

TEST_F(DispatchTest, CommandGoesToTheFirstResponsibleSnapInThatHandlesIt) {
  for (auto& snapIn : snapIns) snapIn->responsible = {40001};
  snapIns[0]->handles = false;
  app->DoCommand(40001, true);
  EXPECT_EQ(*journal, (std::vector<std::string>{"A:command 40001", "B:command 40001"}))
      << "A declines, B handles it, C is not asked";
  EXPECT_EQ(app->CommandLog()[0].handledBy, "B");
  EXPECT_TRUE(app->CommandLog()[0].asynchronous);

  journal->clear();
  app->DoCommand(40002, false);
  EXPECT_TRUE(journal->empty()) << "nobody is responsible, so OnCommand is never called";
  EXPECT_EQ(app->CommandLog()[1].handledBy, "");
}

TEST_F(DispatchTest, CommandUIIsUpdatedByTheResponsibleSnapIn) {
  snapIns[2]->responsible = {40001};
  snapIns[2]->enable = false;
  auto claimed = app->UpdateCommandUI(40001);
  EXPECT_TRUE(claimed->Updated() && !claimed->Enabled()) << "C disabled it";
  EXPECT_FALSE(app->UpdateCommandUI(40009)->Updated()) << "nobody answers for 40009";
}

TEST_F(DispatchTest, SnapInListLookupAndMisuse) {
  EXPECT_TRUE(platform::SameObject(app->SnapIn("b"), snapIns[1])) << "names ignore case";
  EXPECT_FALSE(app->SnapIn("SnapInHWConfig")) << "unknown names give nothing";
  EXPECT_THROW(app->AddSnapIn("a", platform::MakeObject<FakeSnapIn>("X", journal)), platform::Error)
      << "names are unique";
  EXPECT_THROW(app->AddSnapIn("D", {}), platform::Error);
  app->RemoveSnapIn("nobody");
  EXPECT_EQ(app->SnapInNames(), (std::vector<std::string>{"A", "B", "C"}));
}

TEST(HostApplicationLifetime, ClearBreaksTheCycleWithSnapInsThatKeepTheHost) {
  std::weak_ptr<platform::Object> appAlive;
  std::weak_ptr<platform::Object> snapInAlive;
  {
    auto app = platform::MakeObject<HostApplication>();
    auto snapIn =
        platform::MakeObject<FakeSnapIn>("A", std::make_shared<std::vector<std::string>>());
    snapIn->Init({}, app);
    app->AddSnapIn("A", snapIn);
    app->SetActiveExplorerControl(snapIn);
    appAlive = app.Shared();
    snapInAlive = snapIn.Shared();
    app->Clear();
  }
  EXPECT_TRUE(snapInAlive.expired()) << "the host no longer holds the snap-in";
  EXPECT_TRUE(appAlive.expired()) << "so the snap-in's reference to the host is the last one";
}

}  // namespace
}  // namespace hostapp_test
