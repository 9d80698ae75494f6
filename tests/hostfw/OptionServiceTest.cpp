// The option service: defaults, stored values, change events.
#include <gtest/gtest.h>

#include "host/services/OptionService.h"
#include "support/HostTestSupport.h"

namespace {

class OptionServiceTest : public ::testing::Test {
 protected:
  OptionServiceTest() : changed(options.OptionsChanged().Connect([this] { ++changes; })) {}

  host::Environment env;
  host::OptionService& options = env.Options();
  int changes = 0;
  platform::ScopedConnection changed;
};

TEST_F(OptionServiceTest, SetValueStoresAndRaisesEveryTimeLoadNever) {
  options.SetValue("General/Settings/AddressPriority", "1");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(options.Value("general/settings/addresspriority"), platform::Variant("1"))
      << "keys compare without regard to case";
  options.SetValue("General/Settings/AddressPriority", "1");
  EXPECT_EQ(changes, 2) << "an unchanged value still raises";
  options.Load("mzblprsx/Download/Left", int32_t{120});
  EXPECT_EQ(changes, 2) << "Load does not raise";
  EXPECT_EQ(options.Value("mzblprsx/Download/Left"), platform::Variant(int32_t{120}));
  EXPECT_TRUE(options.Has("MZBLPRSX/download/left"));
  EXPECT_EQ(options.Keys().size(), 4u);
}

TEST_F(OptionServiceTest, HandlerSeesTheNewValue) {
  platform::Variant seen;
  platform::ScopedConnection c = options.OptionsChanged().Connect(
      [&] { seen = options.Value("General/Display/ShowSystemBlocks"); });
  options.SetValue("General/Display/ShowSystemBlocks", true);
  EXPECT_EQ(seen, platform::Variant(true)) << "stored before the event is raised";
}

}  // namespace
