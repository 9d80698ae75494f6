// The service factory and the other classes the host registers: which requests give the
// application's own services, which give new bound ones, and what fails.
#include <gtest/gtest.h>

#include "host/framework/ObjectArray.h"
#include "host/services/BlockService.h"
#include "host/services/HardwareService.h"
#include "host/services/LoadService.h"
#include "host/services/OptionService.h"
#include "host/services/SymbolService.h"
#include "mzblprsx/interfaces/IRgObjectArray.h"
#include "platform/Text.h"
#include "support/HostTestSupport.h"

namespace {

namespace clsid = mzblprsx::clsid;
using platform::Ref;

class ServiceFactoryTest : public ::testing::Test, public mztest::HostProject {
 protected:
  Ref<platform::Object> Get(std::string_view classId, Ref<platform::Object> offline = nullptr,
                            Ref<platform::Object> online = nullptr, const std::string& name = "") {
    // A new factory per request, as the library does.
    return platform::CreateObjectAs<mzblprsx::IRgServiceFactory>(clsid::kServiceFactory)
        ->GetService(std::string(classId), std::move(offline), std::move(online), name);
  }
};

TEST_F(ServiceFactoryTest, ApplicationServicesAreTheSameObjectOnEveryRequest) {
  for (const std::string_view id :
       {clsid::kOptionService, clsid::kProjectService, clsid::kOnlineService, clsid::kLoadService,
        clsid::kTooltips, clsid::kMMCService}) {
    const auto first = Get(id);
    ASSERT_TRUE(first) << id;
    EXPECT_TRUE(SameObject(first, Get(id))) << id;
    EXPECT_TRUE(SameObject(first, env.SharedService(id))) << id;
  }
  EXPECT_TRUE(SameObject(Get(clsid::kOptionService), platform::Self(&env.Options())));
  const std::string lower = platform::text::FoldCase(clsid::kLoadService);
  EXPECT_TRUE(SameObject(Get(lower), platform::Self(&env.Load())))
      << "class identifiers compare without regard to case";
}

TEST_F(ServiceFactoryTest, BoundServicesAreNewAndKeepTheirContext) {
  const auto blocks =
      Get(clsid::kBlockService, program, nullptr, "Offline").Cast<host::BlockService>();
  const auto again = Get(clsid::kBlockService, program, nullptr, "Offline");
  EXPECT_FALSE(SameObject(blocks, again)) << "a new block service per request";
  EXPECT_TRUE(SameObject(blocks->Context(), program));
  EXPECT_EQ(blocks->LocationName(), "Offline");
  EXPECT_FALSE(blocks->IsOnline());

  const auto plcProgram = plc->Program();
  const auto online =
      Get(clsid::kBlockService, nullptr, plcProgram, "Online").Cast<host::BlockService>();
  EXPECT_TRUE(online->IsOnline());
  EXPECT_TRUE(SameObject(online->OnlineContext(), plcProgram));

  const auto station = project->Hardware();  // 2048 bytes
  const auto hardware =
      Get(clsid::kHardwareService, station, nullptr, "Offline").Cast<host::HardwareService>();
  EXPECT_EQ(hardware->StationSize(), 2048);

  const auto symbols = Get(clsid::kSymbolService, project).Cast<host::SymbolService>();
  EXPECT_TRUE(SameObject(symbols->Context(), project));
}

TEST_F(ServiceFactoryTest, BoundServiceWithoutOrWithAWrongContextAndAnUnknownServiceFail) {
  const auto station = project->Hardware();
  struct Case {
    std::string_view service;
    Ref<platform::Object> context;
  };
  const Case cases[] = {{clsid::kBlockService, nullptr},
                        {clsid::kBlockService, project},
                        {clsid::kHardwareService, project},
                        {clsid::kSymbolService, station},
                        {clsid::kSymbolService, platform::MakeObject<host::ObjectArray>()}};
  for (const Case& c : cases) {
    EXPECT_THROW(Get(c.service, c.context), platform::Error) << c.service;
  }
  // An unknown service fails naming the class.
  const std::string id = "{00000000-0000-0000-0000-000000000042}";
  std::string why;
  EXPECT_NE(mztest::ErrorOf([&] { Get(id); }, &why), 0) << "an unknown service must fail";
  EXPECT_NE(why.find(id), std::string::npos) << why;
  EXPECT_THROW(Get(clsid::kCategoryService), platform::Error)
      << "the category service is created through the registry, not the factory";
}

TEST(ObjectArrayTest, KeepsOrderAndChecksPositions) {
  host::ObjectArray list;
  const auto a = platform::MakeObject<host::Program>(false, "A");
  const auto b = platform::MakeObject<host::Program>(false, "B");
  list.Add(a);
  list.Add(b);
  list.Add(a);
  EXPECT_EQ(list.Count(), 3) << "the same object may be listed twice";
  list.Remove(1);
  EXPECT_TRUE(SameObject(list.Item(1), b));
  EXPECT_TRUE(SameObject(list.Item(2), a));
  for (const int32_t bad : {0, 3, -1}) {
    EXPECT_EQ(mztest::ErrorOf([&] { list.Item(bad); }), platform::errc::kSubscript) << bad;
  }
  EXPECT_THROW(list.Remove(3), platform::Error);
  EXPECT_THROW(list.Add(nullptr), platform::Error);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
