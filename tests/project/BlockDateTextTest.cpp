// A block's date as the library reads it: the text form of the runtime's dates, written by the
// block itself, for dates across the whole range a block can carry.
#include <gtest/gtest.h>

#include <optional>

#include "platform/DateTime.h"
#include "support/HostTestSupport.h"

namespace {

using host::Block;
using host::BlockInfo;
using platform::DateTime;

struct DateCase {
  int year, month, day, hour, minute, second;
  const char* text;
};

class BlockDateTextTest : public ::testing::Test {
 protected:
  platform::Ref<Block> block = platform::MakeObject<Block>(false, BlockInfo::kFb, 1);
};

TEST_F(BlockDateTextTest, TextHasFixedFieldsAcrossTheRange) {
  const DateCase cases[] = {
      {2026, 11, 2, 8, 15, 0, "2026-11-02 08:15:00"},
      {1900, 1, 1, 0, 0, 0, "1900-01-01 00:00:00"},
      {1899, 12, 30, 0, 0, 0, "1899-12-30 00:00:00"},
      {1899, 12, 29, 23, 59, 59, "1899-12-29 23:59:59"},
      {100, 1, 1, 0, 0, 1, "0100-01-01 00:00:01"},
      {9999, 12, 31, 23, 59, 59, "9999-12-31 23:59:59"},
      {2000, 2, 29, 12, 0, 0, "2000-02-29 12:00:00"},
      {1999, 10, 9, 9, 9, 9, "1999-10-09 09:09:09"},
  };
  for (const DateCase& c : cases) {
    const std::optional<DateTime> date =
        DateTime::FromParts(c.year, c.month, c.day, c.hour, c.minute, c.second);
    ASSERT_TRUE(date) << c.text;
    block->SetLastModified(*date);
    EXPECT_EQ(block->LastModifiedText(), c.text);
    EXPECT_EQ(block->LastModifiedText(), date->ToString()) << "the runtime's own text form";
  }
}

TEST_F(BlockDateTextTest, DatesOutsideFourDigitYearsReadAsTheRuntimeWritesThem) {
  // Serials far before year 1 and after 9999 (a damaged file can carry them).
  for (const int64_t seconds : {int64_t{-80000000000}, int64_t{-59926608000}, int64_t{260000000000},
                                int64_t{-1}, int64_t{86399}, int64_t{86400}}) {
    const DateTime date = DateTime::FromSeconds(seconds);
    block->SetLastModified(date);
    EXPECT_EQ(block->LastModifiedText(), date.ToString()) << seconds << " seconds";
  }
}

}  // namespace
