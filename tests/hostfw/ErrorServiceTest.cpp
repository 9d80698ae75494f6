// The error service's headless message boxes: where their answers come from.
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

TEST_F(ErrorServiceTest, ScriptedAnswersComeFirstThenTheAnswererThenTheStylesDefault) {
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

  // The default answer follows the style.
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

}  // namespace
