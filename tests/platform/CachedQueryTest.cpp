// Interface queries answered per class: the remembered place of an interface must be that of the
// object's own class, whatever class was asked before, and must answer exactly as a full query.
#include <gtest/gtest.h>

#include <array>
#include <string_view>

#include "platform/CachedQuery.h"
#include "platform/Object.h"
#include "support/ErrorOf.h"

namespace {

struct IName : virtual platform::Object {
  virtual std::string_view Name() const = 0;
};
struct ISize : virtual platform::Object {
  virtual int Size() const = 0;
};

// Two classes that keep IName at different places, and one without it.
struct Small : IName {
  std::string_view TypeName() const override { return "Small"; }
  std::string_view Name() const override { return "small"; }
};
struct Large : ISize, IName {
  std::array<long, 4> padding{};  // moves the parts apart
  std::string_view TypeName() const override { return "Large"; }
  std::string_view Name() const override { return "large"; }
  int Size() const override { return 4; }
};
struct Plain : platform::Object {
  std::string_view TypeName() const override { return "Plain"; }
};

TEST(CachedQuery, EachClassFindsTheInterfaceAtItsOwnPlaceOrNothing) {
  const platform::Ref<platform::Object> small = platform::MakeObject<Small>();
  const platform::Ref<platform::Object> large = platform::MakeObject<Large>();
  // Alternating classes, so that every answer after the first two comes from memory.
  for (int round = 0; round < 3; ++round) {
    const auto a = platform::CachedQuery<IName>(small);
    const auto b = platform::CachedQuery<IName>(large);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->Name(), "small");
    EXPECT_EQ(b->Name(), "large");
    EXPECT_EQ(a.Get(), small.As<IName>().Get()) << "the same part as a full query gives";
    EXPECT_EQ(b.Get(), large.As<IName>().Get());
  }
  EXPECT_EQ(platform::CachedQuery<ISize>(large)->Size(), 4) << "another interface, own answers";
  EXPECT_FALSE(platform::CachedQuery<ISize>(small));

  platform::Ref<platform::Object> object = platform::MakeObject<Large>();
  const auto name = platform::CachedQuery<IName>(object);
  object.Reset();
  EXPECT_EQ(name->Name(), "large") << "the answer keeps the object alive";

  SCOPED_TRACE("a missing interface and nothing");
  const platform::Ref<platform::Object> plain = platform::MakeObject<Plain>();
  EXPECT_FALSE(platform::CachedQuery<IName>(plain));
  EXPECT_FALSE(platform::CachedQuery<IName>(plain)) << "a remembered refusal stays a refusal";
  EXPECT_FALSE(platform::CachedQuery<IName>(platform::Ref<platform::Object>()));

  EXPECT_EQ(platformtest::ErrorOf([&] { platform::CachedCast<IName>(plain); }), 13)
      << "a cast to an interface the object lacks is a type mismatch";
  EXPECT_EQ(platformtest::ErrorOf([] {
              EXPECT_FALSE(platform::CachedCast<IName>(platform::Ref<platform::Object>()));
            }),
            0)
      << "nothing stays nothing";
  EXPECT_EQ(
      platform::CachedCast<IName>(platform::Ref<platform::Object>(platform::MakeObject<Small>()))
          ->Name(),
      "small");
}

}  // namespace
