// The error service: both policies, headless message boxes, command brackets.
#include <gtest/gtest.h>

#include <tuple>

#include "host/framework/ErrorService.h"
#include "mzblprsx/interfaces/IRgErrorService.h"
#include "mzblprsx/interfaces/IRgFrameworkGlobals.h"
#include "support/HostTestSupport.h"

namespace {

using host::ErrorPolicy;

class ErrorServiceTest : public ::testing::Test {
 protected:
  // The service as the library reaches it: through the registry's framework globals.
  platform::Ref<mzblprsx::IRgErrorService> Service() {
    return platform::CreateObjectAs<mzblprsx::IRgFrameworkGlobals>(
               mzblprsx::clsid::kFrameworkGlobals)
        ->ErrorService();
  }

  host::Environment env;
  host::ErrorService& errors = env.Errors();
};

TEST_F(ErrorServiceTest, AbsorbRecordsEveryReportInOrderAndReturns) {
  EXPECT_EQ(errors.Policy(), ErrorPolicy::Absorb) << "a new application absorbs errors";
  EXPECT_NO_THROW(Service()->ReportErrorToService(13, "Type mismatch", "mzblprsx.A.B", "", 0));
  EXPECT_NO_THROW(Service()->ReportErrorToService(91, "", "mzblprsx.C.D", "help.chm", 7));
  ASSERT_EQ(errors.Reports().size(), 2u);
  EXPECT_EQ(errors.Reports()[0].source, "mzblprsx.A.B");
  EXPECT_EQ(errors.Reports()[1].number, 91);
  EXPECT_EQ(errors.Reports()[1].description, "") << "recorded exactly as reported";
  EXPECT_EQ(errors.Reports()[1].helpFile, "help.chm");
  EXPECT_EQ(errors.Reports()[1].helpContext, 7);
  errors.ClearReports();
  EXPECT_TRUE(errors.Reports().empty());
}

TEST_F(ErrorServiceTest, FailThrowsTheSameFiveValuesAndStillRecords) {
  errors.SetPolicy(ErrorPolicy::Fail);
  struct Case {
    int32_t number;
    const char* description;
  };
  // An empty description must not be replaced by the runtime's standard text on the way back.
  for (const Case c : {Case{5, "bad call"}, Case{91, ""}, Case{platform::errc::kFail, "x"}}) {
    try {
      Service()->ReportErrorToService(c.number, c.description, "mzblprsx.Cls.Proc", "f.hlp", 42);
      ADD_FAILURE() << "Fail must throw for error " << c.number;
    } catch (const platform::Error& e) {
      EXPECT_EQ(e.Number(), c.number);
      EXPECT_EQ(e.Description(), c.description) << "description travels unchanged";
      EXPECT_EQ(e.Source(), "mzblprsx.Cls.Proc");
      EXPECT_EQ(e.HelpFile(), "f.hlp");
      EXPECT_EQ(e.HelpContext(), 42);
    }
  }
  EXPECT_EQ(errors.Reports().size(), 3u) << "failing reports are recorded too";
}

TEST_F(ErrorServiceTest, ShowMessageFillsInsertsAndRecordsTheAnswer) {
  const int32_t answer =
      Service()->ShowMessage(77, "cmnerr", 1037, 0, {"Insert objects", "FB1,\r\nFB2"}, 0);
  EXPECT_EQ(answer, 1) << "an OK box answers OK";
  ASSERT_EQ(errors.Messages().size(), 1u);
  const host::MessageRecord& m = errors.Messages()[0];
  EXPECT_EQ(m.ownerWindow, 77);
  EXPECT_EQ(m.module, "cmnerr");
  EXPECT_EQ(m.number, 1037);
  EXPECT_EQ(m.text.rfind("Insert objects:", 0), 0u) << m.text;
  EXPECT_NE(m.text.find("FB1,\r\nFB2"), std::string::npos) << "the names are inserted: " << m.text;
  EXPECT_EQ(m.text.find('%'), std::string::npos) << "no insert is left unfilled: " << m.text;
}

TEST_F(ErrorServiceTest, ScriptedAnswersComeFirstThenTheAnswererThenTheDefault) {
  errors.PushAnswer(7);
  errors.PushAnswer(2);
  int32_t asked = 0;
  errors.SetAnswerer([&](const host::MessageRecord& m) {
    ++asked;
    return m.number == 1048 ? 7 : 6;
  });
  EXPECT_EQ(Service()->ShowMessage(0, "cmnerr", 1038, 0, {"t", "n"}, 4), 7) << "queue first";
  EXPECT_EQ(Service()->ShowMessage(0, "cmnerr", 1038, 0, {"t", "n"}, 4), 2) << "in order";
  EXPECT_EQ(asked, 0) << "the answerer waits while answers are queued";
  EXPECT_EQ(Service()->ShowMessage(0, "cmnerr", 1048, 0, {"t", "n"}, 4), 7);
  EXPECT_EQ(asked, 1);
  errors.SetAnswerer({});
  EXPECT_EQ(Service()->ShowMessage(0, "cmnerr", 1048, 0, {"t", "n"}, 4), 6) << "default: Yes";
  EXPECT_EQ(errors.Messages().back().answer, 6);
}

TEST_F(ErrorServiceTest, DefaultAnswerFollowsTheStyle) {
  struct Case {
    int32_t style;
    int32_t answer;
  };
  const Case cases[] = {{0, 1},     {1, 1},     {3, 6},     {4, 6},        {2, 3},    {5, 4},
                        {0x101, 2}, {0x203, 2}, {0x104, 7}, {0x40 | 4, 6}, {0x300, 1}};
  for (const Case& c : cases) {
    EXPECT_EQ(host::ErrorService::DefaultAnswer(c.style), c.answer) << "style " << c.style;
  }
  EXPECT_THROW(host::ErrorService::DefaultAnswer(7), platform::Error) << "no such button set";
}

TEST_F(ErrorServiceTest, UnknownModuleNumberOrStyleIsAClearError) {
  for (const auto& [module, number, named] :
       {std::tuple{"nosuchmodule", 1037, "nosuchmodule"}, std::tuple{"cmnerr", 4711, "4711"}}) {
    std::string why;
    EXPECT_NE(mztest::ErrorOf([&] { Service()->ShowMessage(0, module, number, 0, {}, 0); }, &why),
              0);
    EXPECT_NE(why.find(named), std::string::npos) << why;
  }
  EXPECT_THROW(Service()->ShowMessage(0, "cmnerr", 1037, 0, {}, 9), platform::Error);
  errors.PushAnswer(1);
  EXPECT_THROW(Service()->ShowMessage(0, "cmnerr", 9999, 0, {}, 0), platform::Error);
  EXPECT_EQ(errors.PendingAnswers(), 1u) << "a failed message does not use up an answer";
  EXPECT_TRUE(errors.Messages().empty()) << "nothing was shown";
  EXPECT_EQ(Service()->ShowMessage(0, "COMP-if_v3", 8000, 0, {}, 0), 1)
      << "module names compare without regard to case";
}

TEST_F(ErrorServiceTest, CommandContextsNestAndAnUnmatchedEndFails) {
  Service()->BeginCommandContext("Outer");
  Service()->BeginCommandContext("Inner");
  EXPECT_EQ(errors.CommandContexts(), (std::vector<std::string>{"Outer", "Inner"}));
  Service()->EndCommandContext();
  Service()->EndCommandContext();
  EXPECT_TRUE(errors.CommandContexts().empty());
  EXPECT_EQ(errors.CommandLog(),
            (std::vector<std::string>{"Begin Outer", "Begin Inner", "End Inner", "End Outer"}));
  EXPECT_THROW(Service()->EndCommandContext(), platform::Error) << "no context is open";
  EXPECT_EQ(errors.CommandLog().size(), 4u) << "the failed end is not logged";
}

}  // namespace
