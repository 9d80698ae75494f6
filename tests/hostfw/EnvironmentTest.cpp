// The Environment: which application is current where, and the project and PLC events.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "host/framework/ErrorService.h"
#include "host/framework/FrameworkGlobals.h"
#include "host/framework/TraceService.h"
#include "host/services/OnlineService.h"
#include "host/services/OptionService.h"
#include "host/services/ProjectService.h"
#include "mzblprsx/interfaces/IRgFrameworkGlobals.h"
#include "support/HostTestSupport.h"

namespace {

namespace clsid = mzblprsx::clsid;
using platform::Ref;

Ref<platform::Object> CurrentGlobals() {
  return platform::CreateObject(clsid::kFrameworkGlobals);
}

std::filesystem::path Sample(const char* name) {
  return std::filesystem::path(MZ_SAMPLES_DIR) / name;
}

TEST(EnvironmentCurrentTest, NestedEnvironmentsAreCurrentInTurnAndWithoutOneHostClassesFail) {
  EXPECT_EQ(host::Environment::Current(), nullptr) << "tests start without an application";
  {
    host::Environment outer;
    EXPECT_EQ(host::Environment::Current(), &outer);
    EXPECT_TRUE(SameObject(CurrentGlobals(), outer.GlobalsObject()));
    EXPECT_TRUE(SameObject(CurrentGlobals(), CurrentGlobals())) << "one globals per application";
    {
      host::Environment inner;
      EXPECT_EQ(host::Environment::Current(), &inner);
      EXPECT_TRUE(SameObject(CurrentGlobals(), inner.GlobalsObject()));
      EXPECT_FALSE(SameObject(inner.GlobalsObject(), outer.GlobalsObject()));
    }
    EXPECT_EQ(host::Environment::Current(), &outer) << "the outer one is current again";
  }
  EXPECT_EQ(host::Environment::Current(), nullptr);

  // Without an environment the host classes fail clearly.
  host::Environment::RegisterClasses();
  for (const std::string_view id : {clsid::kFrameworkGlobals, clsid::kServiceFactory}) {
    std::string why;
    EXPECT_EQ(mztest::ErrorOf([&] { platform::CreateObject(id); }, &why),
              platform::errc::kCannotCreate)
        << id;
    EXPECT_NE(why.find("Environment"), std::string::npos) << why;
  }
  // A factory kept past its application refuses service instead of reaching a dead one.
  Ref<mzblprsx::IRgServiceFactory> factory;
  {
    host::Environment env;
    factory = platform::CreateObjectAs<mzblprsx::IRgServiceFactory>(clsid::kServiceFactory);
  }
  EXPECT_THROW(factory->GetService(std::string(clsid::kOptionService), nullptr, nullptr, ""),
               platform::Error);
}

// Records which framework globals it reaches when it dies, as a library object does when it
// unregisters from the trace service.
class Probe : public platform::Object {
 public:
  explicit Probe(const void*& seen) : seen_(seen) {}
  ~Probe() override { seen_ = platform::Identity(CurrentGlobals()); }
  std::string_view TypeName() const override { return "Probe"; }

 private:
  const void*& seen_;
};

TEST(EnvironmentCurrentTest, DestroyingOutOfOrderKeepsTheChainRight) {
  auto first = std::make_unique<host::Environment>();
  auto second = std::make_unique<host::Environment>();
  auto third = std::make_unique<host::Environment>();
  // An object that dies with the second application's option service.
  const void* seenAtDeath = nullptr;
  const void* secondGlobals = platform::Identity(second->GlobalsObject());
  platform::Connection kept = second->Options().OptionsChanged().Connect(
      [probe = platform::MakeObject<Probe>(seenAtDeath)] {});
  second.reset();  // from the middle
  EXPECT_EQ(seenAtDeath, secondGlobals) << "objects dying with an application reach its globals";
  EXPECT_EQ(host::Environment::Current(), third.get());
  third.reset();
  EXPECT_EQ(host::Environment::Current(), first.get()) << "the middle one is skipped";
  first.reset();
  EXPECT_EQ(host::Environment::Current(), nullptr);
}

TEST(EnvironmentCurrentTest, TwoThreadsSeeTheirOwnApplication) {
  host::Environment mine;
  mine.Errors().SetPolicy(host::ErrorPolicy::Fail);
  struct Seen {
    const void* env = nullptr;
    const void* globals = nullptr;
    bool absorbs = false;
    const void* afterwards = reinterpret_cast<const void*>(1);
  };
  Seen seen[2];
  std::vector<std::thread> threads;
  for (Seen& s : seen) {
    threads.emplace_back([&s] {
      {
        host::Environment env;
        s.env = host::Environment::Current();
        const auto globals =
            platform::CreateObjectAs<mzblprsx::IRgFrameworkGlobals>(clsid::kFrameworkGlobals);
        s.globals = platform::Identity(globals);
        globals->ErrorService()->ReportErrorToService(5, "x", "s", "", 0);
        s.absorbs = env.Errors().Reports().size() == 1;
      }
      s.afterwards = host::Environment::Current();
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_NE(seen[0].env, seen[1].env);
  EXPECT_NE(seen[0].globals, seen[1].globals) << "each thread has its own globals";
  EXPECT_NE(seen[0].globals, platform::Identity(mine.GlobalsObject()));
  EXPECT_TRUE(seen[0].absorbs && seen[1].absorbs)
      << "the threads' services are their own, not this thread's failing one";
  EXPECT_EQ(seen[0].afterwards, nullptr);
  EXPECT_EQ(host::Environment::Current(), &mine) << "this thread is untouched";
}

class EnvironmentEventsTest : public ::testing::Test {
 protected:
  EnvironmentEventsTest() {
    opened = env.Projects().Open().Connect(
        [this](Ref<platform::Object> file, Ref<platform::Object> project) {
          log.push_back("open");
          EXPECT_TRUE(SameObject(project, env.Project())) << "the project is open when announced";
          EXPECT_TRUE(SameObject(file, env.Project()->FileObject()));
        });
    closed = env.Projects().Close().Connect(
        [this](Ref<platform::Object> file, Ref<platform::Object> project) {
          log.push_back("close");
          EXPECT_TRUE(SameObject(project, env.Project())) << "still the open project while closing";
          EXPECT_TRUE(file.As<mzblprsx::IRgFileObject>());
        });
    online =
        env.Online().OnEvent().Connect([this](int32_t reason, const platform::Variant& argument) {
          log.push_back("online " + std::to_string(reason));
          EXPECT_TRUE(argument.IsEmpty());
        });
  }

  host::Environment env;
  std::vector<std::string> log;
  platform::ScopedConnection opened, closed, online;
};

TEST_F(EnvironmentEventsTest, OpenCloseConnectDisconnectRaiseTheirEventsForFilesThatLoad) {
  const auto project = env.OpenProject(Sample("conveyor.prj.xml"));
  ASSERT_TRUE(project);
  EXPECT_TRUE(SameObject(env.Project(), project));
  const auto plc = env.ConnectPlc(Sample("conveyor.plc.xml"));
  EXPECT_TRUE(SameObject(env.Online().GetContainer(""), plc));
  env.DisconnectPlc();
  EXPECT_FALSE(env.Plc());
  env.CloseProject();
  EXPECT_FALSE(env.Project());
  env.CloseProject();
  env.DisconnectPlc();
  EXPECT_EQ(log, (std::vector<std::string>{"open", "online 1", "online 3", "online 2", "close"}))
      << "closing and disconnecting twice raise nothing";

  log.clear();
  const auto first = env.OpenProject(Sample("conveyor.prj.xml"));
  const auto second = env.OpenProject(Sample("conveyor.prj.xml"));
  EXPECT_FALSE(SameObject(first, second));
  EXPECT_EQ(log, (std::vector<std::string>{"open", "close", "open"}))
      << "the second closes the first";

  log.clear();
  EXPECT_THROW(env.OpenProject(Sample("no-such-file.prj.xml")), platform::Error);
  EXPECT_THROW(env.OpenProjectText("<project", "broken.prj.xml"), platform::Error);
  EXPECT_THROW(env.ConnectPlcText("<plc", "broken.plc.xml"), platform::Error);
  EXPECT_TRUE(SameObject(env.Project(), second)) << "the open project stays open";
  EXPECT_FALSE(env.Plc());
  EXPECT_TRUE(log.empty()) << "no event for a file that did not load";
}

TEST(EnvironmentShutdownTest, ClosesWithoutEventsAndReleasesTheProjects) {
  auto env = std::make_unique<host::Environment>();
  const std::weak_ptr<platform::Object> project =
      env->OpenProject(Sample("conveyor.prj.xml")).Shared();
  const std::weak_ptr<platform::Object> plc = env->ConnectPlc(Sample("conveyor.plc.xml")).Shared();
  int events = 0;
  // Still connected while the Environment dies.
  platform::ScopedConnection c = env->Projects().Close().Connect(
      [&](Ref<platform::Object>, Ref<platform::Object>) { ++events; });
  platform::ScopedConnection d =
      env->Online().OnEvent().Connect([&](int32_t, const platform::Variant&) { ++events; });
  env.reset();
  EXPECT_EQ(events, 0) << "shutdown closes silently";
  EXPECT_TRUE(project.expired()) << "nothing keeps the project alive";
  EXPECT_TRUE(plc.expired()) << "nothing keeps the PLC alive";
}

}  // namespace
