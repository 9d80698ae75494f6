// The one error path: location stamping, propagation level by level, absorbed defaults; and the
// framework globals library objects reach, those of the application current on their thread.
#include "SnapInFixture.h"

#include <thread>

#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectUserCommands.h"
#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/cursors/RgCursorItemList.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/models/RgProjects.h"

namespace mztest {
namespace {

using mzblprsx::RgCursorItemList;
using mzblprsx::RgProjectSnapin;
using platform::Error;

class ErrorConvention : public SnapInFixture {};

TEST_F(ErrorConvention, TwoLevelFailureReachesTheServiceInnerThenOuterAndAbsorbedOnesGiveDefaults) {
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
  env.Errors().ClearReports();
  auto bare = platform::MakeObject<RgProjectSnapin>();  // never initialised
  EXPECT_EQ(bare->GetStaticText(5), "") << "a text function returns an empty text";
  EXPECT_FALSE(bare->DoVerb(1, platform::Variant(), false)) << "a Boolean function returns False";
  EXPECT_FALSE(snapIn->Services()->RgObjectStreamService(7))
      << "an object function returns nothing";
  EXPECT_EQ(ErrorSources().size(), 3u);
  EXPECT_EQ(ErrorSources().back(), "mzblprsx.RgProjectServices.Property Get RgObjectStreamService");
  bare.Reset();
}

TEST_F(ErrorConvention, EmptyNamesStillGiveBothDotsAndStandardExceptionsBecomeErrors) {
  Error error(platform::errc::kInvalidCall, "boom", "old source");
  mzblprsx::ReportError(error, "", "");
  ASSERT_EQ(ErrorSources().size(), 1u);
  EXPECT_EQ(ErrorSources()[0], "mzblprsx..");
  EXPECT_EQ(error.Source(), "mzblprsx..") << "the source is replaced, not extended";
  EXPECT_EQ(env.Errors().Reports()[0].description, "boom");

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

TEST(FrameworkGlobalsTest, EachApplicationSeesOnlyTheObjectsOfItsThreadMadeWhileItIsCurrent) {
  for (int round = 0; round < 3; ++round) {
    host::Environment env;
    {
      const auto first = platform::MakeObject<RgCursorItemList>();
      const auto second = platform::MakeObject<RgCursorItemList>();
      EXPECT_EQ(env.Trace().LiveCount(), 2u)
          << "application " << round << " counts the objects made while it is current";
    }
    EXPECT_EQ(env.Trace().LiveCount(), 0u) << "and sees them go, round " << round;
  }
  host::Environment mine;
  const auto here = platform::MakeObject<RgCursorItemList>();
  size_t seenThere = 0;
  std::thread other([&seenThere] {
    host::Environment theirs;
    const auto there = platform::MakeObject<RgCursorItemList>();
    seenThere = theirs.Trace().LiveCount();
  });
  other.join();
  EXPECT_EQ(seenThere, 1u) << "the other thread's object registered there";
  EXPECT_EQ(mine.Trace().LiveCount(), 1u) << "and only this thread's object here";
}

}  // namespace
}  // namespace mztest
