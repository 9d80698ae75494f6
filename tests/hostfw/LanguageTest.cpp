// The language manager, its access objects and the host's text tables.
#include <gtest/gtest.h>

#include "host/framework/HostTexts.h"
#include "host/framework/LanguageManager.h"
#include "mzblprsx/interfaces/IRgLanguageAccess.h"
#include "support/HostTestSupport.h"

namespace {

class LanguageTest : public ::testing::Test {
 protected:
  host::Environment env;
  host::LanguageManager& languages = env.Languages();
};

TEST_F(LanguageTest, EveryTextTheLibraryAsksForExists) {
  const auto access = languages.GetLanguageAccess("mzprui_");
  // Every number the snap-in shows; a missing one would be a blank caption or name.
  std::vector<int32_t> numbers = {4,    5,    7,    121,  202,  821,  1008, 1009, 1017,
                                  1018, 2100, 2101, 2106, 2110, 2111, 5007, 5008};
  for (int32_t n = 520; n <= 535; ++n) numbers.push_back(n);
  for (int32_t n = 550; n <= 558; ++n) numbers.push_back(n);
  for (int32_t n = 1000; n <= 1006; ++n) numbers.push_back(n);
  for (const int32_t n : numbers) EXPECT_FALSE(access->GetText(n).empty()) << "text " << n;
  EXPECT_EQ(access->GetText(526), "OK");
  EXPECT_NE(access->GetText(4), access->GetText(5)) << "the two placeholders are told apart";
}

TEST(HostTextsTest, EveryMessageTheLibraryShowsExistsAndItsInsertsAreFilled) {
  const host::TextTable* common = host::texts::MessageModule("cmnerr");
  ASSERT_NE(common, nullptr);
  for (int32_t n = 1037; n <= 1049; ++n) {
    ASSERT_TRUE(common->count(n)) << "message " << n;
    const std::string_view text = common->at(n);
    EXPECT_NE(text.find("%1"), std::string_view::npos) << "title insert of " << n;
    EXPECT_NE(text.find("%2"), std::string_view::npos) << "names insert of " << n;
  }
  const host::TextTable* component = host::texts::MessageModule("Comp-IF_V3");
  ASSERT_NE(component, nullptr);
  EXPECT_TRUE(component->count(8000));
  EXPECT_EQ(host::texts::MessageModule("mzprui_"), nullptr) << "not a message module";
  EXPECT_EQ(host::texts::LanguageModule("cmnerr"), nullptr) << "not a language module";

  // Inserts are filled in.
  struct Case {
    const char* pattern;
    std::vector<std::string> arguments;
    const char* expected;
  };
  const Case cases[] = {
      {"%1: %2", {"a", "b"}, "a: b"},
      {"%2 %1 %2", {"a", "b"}, "b a b"},
      {"100%% sure", {}, "100% sure"},
      {"%3 missing", {"a"}, " missing"},
      {"%x stays, %0 stays, end %", {"a"}, "%x stays, %0 stays, end %"},
      {"%10=j %1", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}, "j=j a"},
      {"%1%2", {"%2", "x"}, "%2x"},  // an argument is not expanded again
  };
  for (const Case& c : cases) {
    EXPECT_EQ(host::texts::FormatMessage(c.pattern, c.arguments), c.expected) << c.pattern;
  }
}

}  // namespace
