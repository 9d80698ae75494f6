// The trace service: the live-instance registry, the bounded call log, reference counts.
#include <gtest/gtest.h>

#include "host/framework/ObjectArray.h"
#include "host/framework/TraceService.h"
#include "support/HostTestSupport.h"

namespace {

class TraceServiceTest : public ::testing::Test {
 protected:
  int32_t Register(const std::string& className) {
    int32_t number = -1;
    trace.RegisterInstance(1, className, number);
    return number;
  }

  host::Environment env;
  host::TraceService& trace = env.Trace();
};

TEST_F(TraceServiceTest, RegistryHandsOutIncreasingNumbersAndListsLiveInstancesSorted) {
  const int32_t a = Register("RgProjects");
  const int32_t b = Register("RgProjectSnapin");
  const int32_t c = Register("RgProjects");
  EXPECT_LT(a, b);
  EXPECT_LT(b, c);
  EXPECT_EQ(trace.LiveCount(), 3u);
  EXPECT_EQ(trace.LiveCount("RgProjects"), 2u);
  // Ordered by class, then by number (not as text: #10 after #9).
  for (int i = 0; i < 8; ++i) Register("Z");
  const auto live = trace.LiveInstances();
  EXPECT_EQ(live.front(), "RgProjectSnapin#" + std::to_string(b));
  EXPECT_EQ(live[1], "RgProjects#" + std::to_string(a));
  EXPECT_EQ(live.back(), "Z#11") << "numbers sort numerically";

  trace.UnregisterInstance(1, "RgProjects", a);
  EXPECT_EQ(trace.LiveCount("RgProjects"), 1u);
  EXPECT_EQ(trace.UnregisterFaults(), 0);
  EXPECT_EQ(trace.RegisterCount(), 11);
  EXPECT_EQ(trace.UnregisterCount(), 1);
}

TEST_F(TraceServiceTest, MismatchedUnregistrationsAreIgnoredButCounted) {
  const int32_t a = Register("RgProjects");
  trace.UnregisterInstance(1, "RgProjects", a + 100);  // unknown number
  trace.UnregisterInstance(1, "RgOther", a);           // another class's name
  EXPECT_EQ(trace.LiveCount(), 1u) << "the live instance is untouched";
  trace.UnregisterInstance(1, "RgProjects", a);
  trace.UnregisterInstance(1, "RgProjects", a);  // twice
  EXPECT_EQ(trace.LiveCount(), 0u);
  EXPECT_EQ(trace.UnregisterFaults(), 3);
}

TEST_F(TraceServiceTest, CallLogKeepsTheLastCallsAndCountsAll) {
  trace.TraceCall(1, "RgProjects", "BuildModel", {"Location=1"});
  ASSERT_EQ(trace.Calls().size(), 1u);
  EXPECT_EQ(trace.Calls()[0].className, "RgProjects");
  EXPECT_EQ(trace.Calls()[0].parameters, std::vector<std::string>{"Location=1"});
  const size_t limit = host::TraceService::kCallLogLimit;
  for (size_t i = 0; i < limit + 5; ++i) trace.TraceCall(1, "C", "P" + std::to_string(i), {});
  EXPECT_EQ(trace.Calls().size(), limit) << "the log is bounded";
  EXPECT_EQ(trace.CallCount(), static_cast<int64_t>(limit + 6)) << "the counter is not";
  EXPECT_EQ(trace.Calls().front().procedure, "P5") << "the oldest calls are dropped";
  EXPECT_EQ(trace.CallCount("BuildModel"), 0u);
  EXPECT_EQ(trace.CallCount("P7"), 1u);
}

TEST_F(TraceServiceTest, ReferenceCountExcludesTheArgumentItself) {
  EXPECT_EQ(trace.GetReferenceCount(nullptr), 0) << "nothing has no references";
  platform::Ref<platform::Object> object = platform::MakeObject<host::ObjectArray>();
  EXPECT_EQ(trace.GetReferenceCount(object), 0) << "only the argument refers to it";
  const platform::Ref<platform::Object> other = object;
  EXPECT_EQ(trace.GetReferenceCount(object), 1);
  const platform::Ref<mzblprsx::IRgObjectArray> typed = object.As<mzblprsx::IRgObjectArray>();
  EXPECT_EQ(trace.GetReferenceCount(object), 2) << "a reference through an interface counts";
}

}  // namespace
