// The class registry: lookups by either identifier without regard to case (ASCII folded in
// place, other texts by the Unicode fold), TryCreate's quiet miss, replacement and removal.
#include <gtest/gtest.h>

#include <cstdint>
#include <future>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "platform/ClassRegistry.h"
#include "support/ErrorOf.h"

namespace {

using platform::ClassRegistry;
using platform::Ref;
using platformtest::ErrorOf;

class Named final : public platform::Object {
 public:
  explicit Named(std::string name) : name(std::move(name)) {}
  std::string_view TypeName() const override { return "Named"; }
  std::string name;
};

/// Registers classes under identifiers of its own and forgets them again afterwards, so that
/// the process-wide registry stays as the other tests expect it.
class ClassRegistryTest : public ::testing::Test {
 protected:
  /// Watches what the factory holds: it belongs to the library that registered the class.
  std::weak_ptr<int> Register(std::string_view classId, std::string_view progId,
                              const std::string& made) {
    auto held = std::make_shared<int>(0);
    registry.Register(classId, progId, [made, held]() -> Ref<platform::Object> {
      return platform::MakeObject<Named>(made);
    });
    registered.emplace_back(classId.empty() ? progId : classId);
    return held;
  }
  void TearDown() override {
    for (const auto& id : registered) registry.Unregister(id);
  }
  static std::string MadeBy(const Ref<platform::Object>& object) {
    const auto named = object.As<Named>();
    return named ? named->name : "<nothing>";
  }

  ClassRegistry& registry = ClassRegistry::Instance();
  std::vector<std::string> registered;
};

TEST_F(ClassRegistryTest, EitherIdentifierFindsTheClassInAnySpellingButNotANearMiss) {
  Register("{0BADC0DE-0000-4000-8000-00000000AB01}", "regtest.Widget", "widget");
  const char* spellings[] = {"{0BADC0DE-0000-4000-8000-00000000AB01}",
                             "{0badc0de-0000-4000-8000-00000000ab01}", "regtest.Widget",
                             "REGTEST.WIDGET", "RegTest.wIdGeT"};
  for (const char* id : spellings) {
    EXPECT_EQ(MadeBy(registry.TryCreate(id)), "widget") << id;
    EXPECT_EQ(MadeBy(registry.Create(id)), "widget") << id;
    EXPECT_TRUE(registry.IsRegistered(id)) << id;
  }
  EXPECT_EQ(registry.ClassIdOf("REGTEST.widget"), "{0BADC0DE-0000-4000-8000-00000000AB01}");
  for (const char* id :
       {"regtest.Widge", "regtest.Widgets", "regtest_Widget", "", " regtest.Widget"}) {
    EXPECT_FALSE(registry.TryCreate(id)) << "'" << id << "' is another identifier";
    EXPECT_EQ(ErrorOf([&] { registry.Create(id); }), platform::errc::kCannotCreate) << id;
  }
  // Other texts than ASCII fold like texts do.
  Register("", "regtest.Straße", "street");
  EXPECT_EQ(MadeBy(registry.TryCreate("REGTEST.STRASSE")), "street")
      << "ß folds to ss, so an ASCII spelling finds it";
  EXPECT_EQ(MadeBy(registry.TryCreate("regtest.STRASSE")), "street");
  EXPECT_EQ(MadeBy(registry.TryCreate("RegTest.Straße")), "street");
  Register("", "regtest.ÉCOLE", "school");
  EXPECT_EQ(MadeBy(registry.TryCreate("regtest.école")), "school");
  EXPECT_FALSE(registry.TryCreate("regtest.ecole")) << "accents are not dropped";
}

TEST_F(ClassRegistryTest, ALaterRegistrationReplacesAndUnregisterForgetsBothNames) {
  const auto first = Register("{0BADC0DE-0000-4000-8000-00000000AB02}", "regtest.Gadget", "first");
  EXPECT_EQ(MadeBy(registry.TryCreate("regtest.gadget")), "first") << "now kept by this thread";
  const auto second =
      Register("{0BADC0DE-0000-4000-8000-00000000AB02}", "regtest.Gadget", "second");
  EXPECT_TRUE(first.expired()) << "a replaced factory is released";
  std::promise<void> asked, unregistered;
  std::thread other([&] {  // asks, and then lives on without asking again
    registry.TryCreate("regtest.Gadget");
    asked.set_value();
    unregistered.get_future().wait();
  });
  asked.get_future().wait();
  EXPECT_EQ(MadeBy(registry.TryCreate("regtest.gadget")), "second");
  registry.Unregister("REGTEST.GADGET");
  EXPECT_TRUE(second.expired()) << "no thread keeps an unregistered factory";
  unregistered.set_value();
  other.join();
  EXPECT_FALSE(registry.TryCreate("regtest.Gadget"));
  EXPECT_FALSE(registry.TryCreate("{0BADC0DE-0000-4000-8000-00000000AB02}"))
      << "the class identifier goes with the program identifier";
}

TEST_F(ClassRegistryTest, AFactoryThatMakesNothingFailsAndAKeptOneLastsUntilTheGeneration) {
  registry.Register("", "regtest.Broken", []() -> Ref<platform::Object> { return {}; });
  registered.emplace_back("regtest.Broken");
  EXPECT_EQ(ErrorOf([&] { registry.TryCreate("regtest.Broken"); }), platform::errc::kCannotCreate)
      << "a known class that cannot be made is an error, not a miss";
  EXPECT_EQ(ErrorOf([&] { registry.Create("regtest.Broken"); }), platform::errc::kCannotCreate);

  SCOPED_TRACE("a kept factory is current until the generation changes");
  Register("", "regtest.Kept", "kept");
  const uint64_t before = registry.Generation();
  const ClassRegistry::Factory factory = registry.FactoryOf("REGTEST.kept");
  ASSERT_TRUE(factory);
  EXPECT_EQ(MadeBy(factory()), "kept");
  EXPECT_FALSE(registry.FactoryOf("regtest.Unknown")) << "an unknown class has no factory";
  EXPECT_EQ(registry.Generation(), before) << "looking up changes nothing";
  Register("", "regtest.Kept", "replaced");
  const uint64_t replaced = registry.Generation();
  EXPECT_NE(replaced, before) << "a registration tells keepers to look again";
  EXPECT_EQ(MadeBy(registry.FactoryOf("regtest.Kept")()), "replaced");
  registry.Unregister("regtest.Kept");
  EXPECT_NE(registry.Generation(), replaced) << "and so does an unregistration";
}

}  // namespace
