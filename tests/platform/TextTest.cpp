// Text comparison without regard to case, UTF-16LE byte forms, Val and dates.
#include <gtest/gtest.h>

#include "support/ErrorOf.h"

#include <cmath>
#include <limits>

#include "platform/DateTime.h"
#include "platform/Text.h"

namespace text = platform::text;
using platform::DateTime;
using platformtest::ErrorOf;

namespace {

TEST(TextCompare, EqualsContainsAndStartsWithFoldUnicodeFully) {
  EXPECT_TRUE(text::EqualsNoCase("RgBlockOffline", "rgblockoffline"));
  EXPECT_TRUE(text::EqualsNoCase("Straße", "STRASSE")) << "full case folding";
  EXPECT_TRUE(text::EqualsNoCase("ÄÖÜ", "äöü"));
  EXPECT_FALSE(text::EqualsNoCase("Motor", "Motor "));
  EXPECT_LT(text::CompareNoCase("abc", "ABD"), 0);
  EXPECT_GT(text::CompareNoCase("b", "A"), 0);
  EXPECT_EQ(text::CompareNoCase("", ""), 0);
  EXPECT_TRUE(text::ContainsNoCase("RgBlockOffline.FB", "rgblockoffline"));
  EXPECT_FALSE(text::ContainsNoCase("RgCategory", "Block"));
  EXPECT_TRUE(text::ContainsNoCase("anything", "")) << "the empty text occurs everywhere";
  EXPECT_TRUE(text::ContainsNoCase("xxRGBLOCKx", "rgBlock")) << "found past the first letter";
  EXPECT_FALSE(text::ContainsNoCase("Rg", "RgBlock")) << "a needle longer than the text";
  EXPECT_TRUE(text::ContainsNoCase("Die STRASSE", "straße")) << "non-ASCII texts fold fully";

  EXPECT_TRUE(text::StartsWithNoCase("rgblockoffline.FB", "RgBlock"));
  EXPECT_FALSE(text::StartsWithNoCase("xRgBlock", "RgBlock")) << "only at the start";
  EXPECT_FALSE(text::StartsWithNoCase("Rg", "RgBlock"));
  EXPECT_TRUE(text::StartsWithNoCase("ÄRGER", "är"));
  EXPECT_TRUE(text::StartsWithNoCase("FB1", "")) << "the empty prefix begins everything";
}

TEST(Utf16, RoundTripsAndSurvivesDamage) {
  const std::string s = "Motor Ä €";
  const auto bytes = text::ToUtf16LE(s);
  ASSERT_EQ(bytes.size(), 18u);
  EXPECT_EQ(bytes[0], 'M');
  EXPECT_EQ(bytes[1], 0);
  EXPECT_EQ(text::FromUtf16LE(bytes), s);
  // An odd trailing byte is dropped; a lone surrogate becomes U+FFFD.
  EXPECT_EQ(text::FromUtf16LE(std::vector<uint8_t>{'A', 0, 'B'}), "A");
  EXPECT_EQ(text::FromUtf16LE(std::vector<uint8_t>{0x00, 0xD8, 'x', 0}), "\xEF\xBF\xBDx");
  EXPECT_EQ(text::SanitizeUtf8("a\xFF"), "a\xEF\xBF\xBD");
}

TEST(Val, ReadsTheLeadingNumberAndHexIsUpperCaseWithoutLeadingZeros) {
  // Blanks inside the number are skipped, 16-bit hexadecimal literals are signed and an exponent
  // without digits is not read.
  const std::pair<const char*, double> rows[] = {
      {"12abc", 12}, {"  1 2 3", 123}, {"-2.5e1x", -25}, {"abc", 0}, {"", 0},
      {"&HFF", 255}, {"&HFFFF", -1},   {"&O17", 15},     {"1e", 1},
  };
  for (const auto& [texts, value] : rows) EXPECT_DOUBLE_EQ(text::Val(texts), value) << texts;
  EXPECT_EQ(text::Hex(static_cast<int32_t>(0x80004005)), "80004005");
  EXPECT_EQ(text::Hex(255), "FF");
  EXPECT_EQ(text::Hex(-1), "FFFFFFFF");
}

TEST(DateTimeText, ParsesAndPrintsThePatternExactly) {
  const auto d = DateTime::Parse("2026-11-02 08:15:00");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->ToString(), "2026-11-02 08:15:00");
  EXPECT_EQ(DateTime().ToString(), "1900-01-01 00:00:00") << "the default date";
  for (const char* bad :
       {"2026-11-02", "2026-13-01 00:00:00", "2026-02-30 00:00:00", "2026-11-02T08:15:00",
        "2026-11-02 24:00:00", "２０２６-11-02 08:15:00", "2026-11-02 08:15:00 "}) {
    EXPECT_FALSE(DateTime::Parse(bad)) << bad;
  }
  EXPECT_TRUE(DateTime::Parse("2024-02-29 23:59:59")) << "leap day";
}

TEST(DateTimeSerial, MatchesTheRuntimesDayNumbersInTheYears100To9999) {
  EXPECT_DOUBLE_EQ(DateTime().ToSerial(), 2.0) << "1 January 1900 is day 2";
  const auto noon = *DateTime::FromParts(1899, 12, 30, 12);
  EXPECT_DOUBLE_EQ(noon.ToSerial(), 0.5);
  const auto before = *DateTime::FromParts(1899, 12, 29, 6);
  EXPECT_DOUBLE_EQ(before.ToSerial(), -1.25) << "the fraction counts from the day's start";
  EXPECT_EQ(DateTime::FromSerial(-1.25), before);
  EXPECT_EQ(DateTime::FromSerial(noon.ToSerial()), noon);
  EXPECT_LT(DateTime(), noon.FromSerial(3.0));

  SCOPED_TRACE("outside the years 100 to 9999 is overflow");
  EXPECT_EQ(DateTime::FromSerial(-657434.5), *DateTime::FromParts(100, 1, 1, 12))
      << "the first day, its fraction counted from the day's start";
  EXPECT_EQ(DateTime::FromSerial(2958465.5), *DateTime::FromParts(9999, 12, 31, 12));
  EXPECT_EQ(DateTime::FromSerial(2958465.99998), *DateTime::FromParts(9999, 12, 31, 23, 59, 58));
  constexpr double kInf = std::numeric_limits<double>::infinity();
  // 2958465.999999999 rounds to the first second of the year 10000.
  for (const double serial :
       {-657435.0, 2958466.0, 2958465.999999999, 1e300, -kInf, std::nan("")}) {
    EXPECT_EQ(ErrorOf([&] { DateTime::FromSerial(serial); }), platform::errc::kOverflow) << serial;
  }
}

}  // namespace
