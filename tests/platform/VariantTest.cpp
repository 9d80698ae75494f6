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
using platform::Variant;
namespace errc = platform::errc;

namespace {

using platformtest::ErrorOf;

struct IntCase {
  Variant value;
  int32_t expected;
};

TEST(VariantToInt32, RoundsHalfToEvenAndReadsBooleansAndNumberTexts) {
  // Boolean texts convert like Booleans, blanks around a number are allowed, D is the runtime's
  // double exponent letter and Empty is zero.
  const IntCase cases[] = {
      {Variant(0.5), 0},      {Variant(1.5), 2},     {Variant(2.5), 2},      {Variant(-0.5), 0},
      {Variant(-1.5), -2},    {Variant(-2.5), -2},   {Variant(2.4999), 2},   {Variant(2.5001), 3},
      {Variant("3.5"), 4},    {Variant("4.5"), 4},   {Variant(true), -1},    {Variant(false), 0},
      {Variant("True"), -1},  {Variant("false"), 0}, {Variant("  42 "), 42}, {Variant("&H10"), 16},
      {Variant("1E3"), 1000}, {Variant("1D2"), 100}, {Variant(), 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.value.ToInt32(), c.expected) << "value " << c.value.ToString();
  }
  EXPECT_EQ(Variant(2147483647.4).ToInt32(), 2147483647);
  EXPECT_EQ(Variant(-2147483648.0).ToInt32(), std::numeric_limits<int32_t>::min());
}

TEST(VariantToInt32, OverflowIsErrorSixAndNoNumbersDoNotConvert) {
  EXPECT_EQ(ErrorOf([] { Variant(2147483647.5).ToInt32(); }), errc::kOverflow)
      << "rounds to 2147483648, one past the range";
  EXPECT_EQ(ErrorOf([] { Variant(32767.5).ToInt16(); }), errc::kOverflow);
  EXPECT_EQ(ErrorOf([] { Variant(256).ToByte(); }), errc::kOverflow);
  EXPECT_EQ(ErrorOf([] { Variant(-1).ToByte(); }), errc::kOverflow);
  EXPECT_EQ(ErrorOf([] { Variant(std::nan("")).ToInt32(); }), errc::kOverflow);
  EXPECT_EQ(ErrorOf([] { Variant("-1e309").ToDouble(); }), errc::kOverflow);
  EXPECT_DOUBLE_EQ(Variant("1e-400").ToDouble(), 0) << "too small to hold is zero";
  EXPECT_EQ(ErrorOf([] { Variant(platform::NullValue{}).ToInt32(); }), errc::kInvalidNull);
  EXPECT_EQ(ErrorOf([] { Variant(platform::Ref<platform::Object>()).ToInt32(); }),
            errc::kTypeMismatch);
  // Texts that are no number are a type mismatch.
  for (const char* text :
       {"", "abc", "12abc", "1 2", "0x10", "inf", "nan", "&H", ".", "1e", "1.5.", "0x1p3"}) {
    EXPECT_EQ(ErrorOf([&] { Variant(text).ToInt32(); }), errc::kTypeMismatch) << text;
    EXPECT_FALSE(Variant(text).IsNumeric()) << text << ": the test agrees with the conversion";
  }
  EXPECT_FALSE(Variant("1e999").IsNumeric()) << "a text too large to convert is no number";
  for (const char* text : {"  42 ", "&H10", "&O17", "1D2", "-1.5E-3", "True"}) {
    EXPECT_TRUE(Variant(text).IsNumeric()) << text;
  }
}

TEST(VariantToString, FollowsTheRuntimesTextsAndBooleans) {
  // 0.1 + 0.2 shows with 15 significant digits.
  const std::pair<Variant, const char*> texts[] = {
      {Variant(true), "True"},        {Variant(false), "False"},
      {Variant(int32_t{-17}), "-17"}, {Variant(1.5), "1.5"},
      {Variant(0.1 + 0.2), "0.3"},    {Variant(1e20), "1E+20"},
      {Variant(1.5e-7), "1.5E-07"},   {Variant(), ""},
  };
  for (const auto& [value, text] : texts) EXPECT_EQ(value.ToString(), text);
  EXPECT_EQ(Variant(*DateTime::FromParts(2026, 11, 2, 8, 15, 0)).ToString(), "2026-11-02 08:15:00");

  for (const Variant& yes : {Variant(-1), Variant(0.001), Variant("TRUE"), Variant("1")}) {
    EXPECT_TRUE(yes.ToBool()) << yes.ToString();
  }
  EXPECT_FALSE(Variant(0).ToBool());
  EXPECT_FALSE(Variant("0").ToBool());
  EXPECT_EQ(ErrorOf([] { Variant("yes").ToBool(); }), errc::kTypeMismatch);
}

TEST(VariantConversions, IgnoreTheProcessLocale) {
  const mztest::CommaLocale locale;
  if (!locale.Active()) GTEST_SKIP() << locale.SkipReason();
  EXPECT_EQ(Variant(-1.5e-7).ToString(), "-1.5E-07") << "a host's comma never reaches a text";
  EXPECT_DOUBLE_EQ(Variant(" 2.5D1 ").ToDouble(), 25);
  EXPECT_EQ(ErrorOf([] { Variant("1,5").ToDouble(); }), errc::kTypeMismatch);
  EXPECT_DOUBLE_EQ(platform::text::Val("2.5 kB"), 2.5);
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

TEST(SafeArray, BoundsIndexingAndBytes) {
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

  const uint8_t bytes[] = {0, 7, 255};
  auto b = platform::SafeArray::FromBytes(bytes);
  EXPECT_EQ(b->LBound(), 0);
  EXPECT_EQ(b->UBound(), 2);
  EXPECT_EQ(b->Get({2}).ToInt32(), 255);
  EXPECT_EQ(ErrorOf([&] { b->Set({0}, Variant(300)); }), errc::kOverflow);
  auto one = platform::SafeArray::Create(platform::VarType::Byte, {{0, 1}});
  EXPECT_EQ(one->LBound(), one->UBound()) << "a one-element byte array";
}

}  // namespace
