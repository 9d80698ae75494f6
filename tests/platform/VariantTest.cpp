// Conversions of the automation runtime's Variant.
#include <gtest/gtest.h>

#include "support/CommaLocale.h"
#include "support/ErrorOf.h"

#include <cmath>
#include <limits>

#include "platform/SafeArray.h"
#include "platform/Text.h"
#include "platform/Variant.h"

using platform::DateTime;
using platform::Error;
using platform::Variant;
namespace errc = platform::errc;

namespace {

using platformtest::ErrorOf;

struct IntCase {
  Variant value;
  int32_t expected;
};

TEST(VariantToInt32, RoundsHalfToEven) {
  const IntCase cases[] = {
      {Variant(0.5), 0},   {Variant(1.5), 2},   {Variant(2.5), 2},    {Variant(-0.5), 0},
      {Variant(-1.5), -2}, {Variant(-2.5), -2}, {Variant(2.4999), 2}, {Variant(2.5001), 3},
      {Variant("3.5"), 4}, {Variant("4.5"), 4},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.value.ToInt32(), c.expected) << "value " << c.value.ToString();
  }
}

TEST(VariantToInt32, BooleansAreMinusOneAndZero) {
  EXPECT_EQ(Variant(true).ToInt32(), -1);
  EXPECT_EQ(Variant(false).ToInt32(), 0);
  EXPECT_EQ(Variant("True").ToInt32(), -1) << "Boolean texts convert like Booleans";
  EXPECT_EQ(Variant("false").ToInt32(), 0);
}

TEST(VariantToInt32, OverflowIsErrorSix) {
  EXPECT_EQ(ErrorOf([] { Variant(2147483647.5).ToInt32(); }), errc::kOverflow)
      << "rounds to 2147483648, one past the range";
  EXPECT_EQ(Variant(2147483647.4).ToInt32(), 2147483647);
  EXPECT_EQ(Variant(-2147483648.0).ToInt32(), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(ErrorOf([] { Variant(32767.5).ToInt16(); }), errc::kOverflow);
  EXPECT_EQ(ErrorOf([] { Variant(256).ToByte(); }), errc::kOverflow);
  EXPECT_EQ(ErrorOf([] { Variant(-1).ToByte(); }), errc::kOverflow);
  EXPECT_EQ(ErrorOf([] { Variant(std::nan("")).ToInt32(); }), errc::kOverflow);
  EXPECT_EQ(ErrorOf([] { Variant("-1e309").ToDouble(); }), errc::kOverflow);
  EXPECT_DOUBLE_EQ(Variant("1e-400").ToDouble(), 0) << "too small to hold is zero";
}

TEST(VariantToInt32, TextsThatAreNoNumberAreTypeMismatch) {
  for (const char* text :
       {"", "abc", "12abc", "1 2", "0x10", "inf", "nan", "&H", ".", "1e", "1.5.", "0x1p3"}) {
    EXPECT_EQ(ErrorOf([&] { Variant(text).ToInt32(); }), errc::kTypeMismatch) << text;
    EXPECT_FALSE(Variant(text).IsNumeric()) << text << ": the test agrees with the conversion";
  }
  EXPECT_FALSE(Variant("1e999").IsNumeric()) << "a text too large to convert is no number";
  for (const char* text : {"  42 ", "&H10", "&O17", "1D2", "-1.5E-3", "True"}) {
    EXPECT_TRUE(Variant(text).IsNumeric()) << text;
  }
  EXPECT_EQ(Variant("  42 ").ToInt32(), 42) << "blanks around a number are allowed";
  EXPECT_EQ(Variant("&H10").ToInt32(), 16);
  EXPECT_EQ(Variant("1E3").ToInt32(), 1000);
  EXPECT_EQ(Variant("1D2").ToInt32(), 100) << "D is the runtime's double exponent letter";
}

TEST(VariantToInt32, ObjectsAndNullDoNotConvert) {
  EXPECT_EQ(ErrorOf([] { Variant(platform::NullValue{}).ToInt32(); }), errc::kInvalidNull);
  EXPECT_EQ(ErrorOf([] { Variant(platform::Ref<platform::Object>()).ToInt32(); }),
            errc::kTypeMismatch);
  EXPECT_EQ(Variant().ToInt32(), 0) << "Empty is zero";
}

TEST(VariantToString, FollowsTheRuntimesTexts) {
  EXPECT_EQ(Variant(true).ToString(), "True");
  EXPECT_EQ(Variant(false).ToString(), "False");
  EXPECT_EQ(Variant(int32_t{-17}).ToString(), "-17");
  EXPECT_EQ(Variant(1.5).ToString(), "1.5");
  EXPECT_EQ(Variant(0.1 + 0.2).ToString(), "0.3") << "15 significant digits";
  EXPECT_EQ(Variant(1e20).ToString(), "1E+20");
  EXPECT_EQ(Variant(1.5e-7).ToString(), "1.5E-07");
  EXPECT_EQ(Variant().ToString(), "");
  EXPECT_EQ(Variant(*DateTime::FromParts(2026, 11, 2, 8, 15, 0)).ToString(), "2026-11-02 08:15:00");
}

TEST(VariantConversions, IgnoreTheProcessLocale) {
  const mztest::CommaLocale locale;
  if (!locale.Active()) GTEST_SKIP() << locale.SkipReason();
  EXPECT_EQ(Variant(-1.5e-7).ToString(), "-1.5E-07") << "a host's comma never reaches a text";
  EXPECT_DOUBLE_EQ(Variant(" 2.5D1 ").ToDouble(), 25);
  EXPECT_EQ(ErrorOf([] { Variant("1,5").ToDouble(); }), errc::kTypeMismatch);
  EXPECT_DOUBLE_EQ(platform::text::Val("2.5 kB"), 2.5);
}

TEST(VariantToBool, NumbersAndTexts) {
  EXPECT_TRUE(Variant(-1).ToBool());
  EXPECT_TRUE(Variant(0.001).ToBool());
  EXPECT_FALSE(Variant(0).ToBool());
  EXPECT_TRUE(Variant("TRUE").ToBool());
  EXPECT_TRUE(Variant("1").ToBool());
  EXPECT_FALSE(Variant("0").ToBool());
  EXPECT_EQ(ErrorOf([] { Variant("yes").ToBool(); }), errc::kTypeMismatch);
}

TEST(VariantEquality, ObjectsCompareByIdentity) {
  struct Thing : platform::Object {
    std::string_view TypeName() const override { return "Thing"; }
  };
  auto a = platform::MakeObject<Thing>();
  auto b = platform::MakeObject<Thing>();
  EXPECT_EQ(Variant(a), Variant(a));
  EXPECT_FALSE(Variant(a) == Variant(b));
  EXPECT_FALSE(Variant(int32_t{1}) == Variant(int16_t{1})) << "no conversion in equality";
}

TEST(SafeArray, BoundsAndIndexing) {
  auto a = platform::SafeArray::Create(platform::VarType::Empty, {{1, 3}, {1, 2}});
  EXPECT_EQ(a->LBound(1), 1);
  EXPECT_EQ(a->UBound(1), 3);
  EXPECT_EQ(a->UBound(2), 2);
  a->Set({3, 2}, Variant("x"));
  EXPECT_EQ(a->Get({3, 2}).ToString(), "x");
  EXPECT_TRUE(a->Get({1, 1}).IsEmpty());
  EXPECT_EQ(ErrorOf([&] { a->Get({0, 1}); }), errc::kSubscript);
  EXPECT_EQ(ErrorOf([&] { a->Get({4, 1}); }), errc::kSubscript);
  EXPECT_EQ(ErrorOf([&] { a->Get({1}); }), errc::kSubscript) << "wrong number of indices";
  EXPECT_EQ(ErrorOf([&] { a->UBound(3); }), errc::kSubscript);
}

TEST(SafeArray, ByteArraysKeepBytes) {
  const uint8_t bytes[] = {0, 7, 255};
  auto a = platform::SafeArray::FromBytes(bytes);
  EXPECT_EQ(a->LBound(), 0);
  EXPECT_EQ(a->UBound(), 2);
  EXPECT_EQ(a->Get({2}).ToInt32(), 255);
  EXPECT_EQ(ErrorOf([&] { a->Set({0}, Variant(300)); }), errc::kOverflow);
  auto one = platform::SafeArray::Create(platform::VarType::Byte, {{0, 1}});
  EXPECT_EQ(one->LBound(), one->UBound()) << "a one-element byte array";
}

}  // namespace
