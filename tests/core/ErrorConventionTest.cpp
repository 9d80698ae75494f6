// The one error path: location stamping, propagation level by level, absorbed defaults.
#include "SnapInFixture.h"

#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectUserCommands.h"
#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/models/RgProjects.h"

namespace mztest {
namespace {

using mzblprsx::RgProjectSnapin;
using platform::Error;

class ErrorConvention : public SnapInFixture {};

TEST_F(ErrorConvention, TwoLevelFailureReachesTheServiceInnerThenOuter) {
  Start();
  env.Errors().SetPolicy(host::ErrorPolicy::Fail);
  // The commands lose their snap-in: running a command now fails inside the commands object,
  // which the snap-in called.
  snapIn->Commands()->SetProjectSnapIn(nullptr);
  EXPECT_THROW(snapIn->OnCommand(77), Error) << "a failing service lets the error travel on";
  ASSERT_EQ(ErrorSources().size(), 2u);
  EXPECT_EQ(ErrorSources()[0], "mzblprsx.RgProjectUserCommands.IRgSICommandTarget_OnCommand");
  EXPECT_EQ(ErrorSources()[1], "mzblprsx.RgProjectSnapin.IRgSICommandTarget_OnCommand");
  EXPECT_EQ(env.Errors().Reports()[1].number, platform::errc::kObjectNotSet)
      << "the number travels unchanged";
  env.Errors().SetPolicy(host::ErrorPolicy::Absorb);
  snapIn->Commands()->SetProjectSnapIn(snapIn);
}

TEST_F(ErrorConvention, AbsorbedFailuresReturnDefaults) {
  auto bare = platform::MakeObject<RgProjectSnapin>();  // never initialised
  EXPECT_EQ(bare->GetStaticText(5), "") << "a text function returns an empty text";
  EXPECT_FALSE(bare->DoVerb(1, platform::Variant(), false)) << "a Boolean function returns False";
  Start();
  EXPECT_FALSE(snapIn->Services()->RgObjectStreamService(7))
      << "an object function returns nothing";
  EXPECT_EQ(ErrorSources().size(), 3u);
  EXPECT_EQ(ErrorSources().back(), "mzblprsx.RgProjectServices.Property Get RgObjectStreamService");
  bare.Reset();
}

TEST_F(ErrorConvention, EmptyNamesStillGiveBothDots) {
  Error error(platform::errc::kInvalidCall, "boom", "old source");
  mzblprsx::ReportError(error, "", "");
  ASSERT_EQ(ErrorSources().size(), 1u);
  EXPECT_EQ(ErrorSources()[0], "mzblprsx..");
  EXPECT_EQ(error.Source(), "mzblprsx..") << "the source is replaced, not extended";
  EXPECT_EQ(env.Errors().Reports()[0].description, "boom");
}

TEST_F(ErrorConvention, StandardExceptionsBecomeErrors) {
  struct Thrower : platform::Object {
    std::string_view TypeName() const override { return "Thrower"; }
  };
  Thrower t;
  env.Errors().SetPolicy(host::ErrorPolicy::Fail);
  try {
    mzblprsx::Guard(t, "Run", [] { throw std::runtime_error("disk full"); });
    FAIL() << "the service fails the call";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), platform::errc::kFail);
    EXPECT_EQ(e.Description(), "disk full");
    EXPECT_EQ(e.Source(), "mzblprsx.Thrower.Run");
  }
}

}  // namespace
}  // namespace mztest
