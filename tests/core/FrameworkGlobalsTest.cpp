// Library objects reach the framework globals of the application current on their thread when
// they are made and when they die, also when applications come and go on one thread.
#include <gtest/gtest.h>

#include <thread>

#include "host/Environment.h"
#include "host/framework/TraceService.h"
#include "mzblprsx/cursors/RgCursorItemList.h"
#include "mzblprsx/interfaces/RgProjectItem.h"

namespace {

using mzblprsx::RgCursorItemList;

TEST(FrameworkGlobalsTest, EachApplicationOnAThreadSeesOnlyItsOwnObjects) {
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
}

TEST(FrameworkGlobalsTest, AnotherThreadRegistersWithItsOwnApplication) {
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
