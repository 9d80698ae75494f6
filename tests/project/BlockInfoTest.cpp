// The block information object (names, numbers, listing order and languages) through
// IRgBlockInfo as the library sees it, created through the class registry; a block's date text.
#include <gtest/gtest.h>

#include <optional>

#include "host/project/ProjectClasses.h"
#include "host/services/BlockService.h"
#include "mzblprsx/interfaces/IRgBlockInfo.h"
#include "platform/DateTime.h"
#include "support/HostTestSupport.h"

namespace host {
namespace {

using platform::MakeObject;
using platform::Ref;

class BlockInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterProjectClasses();
    info_ = platform::CreateObjectAs<mzblprsx::IRgBlockInfo>(mzblprsx::clsid::kBlockInfo);
  }
  Ref<mzblprsx::IRgBlockInfo> info_;
};

TEST_F(BlockInfoTest, TypeAndLanguageTablesGiveNamesSortIndexNumberRangeAndTexts) {
  const struct {
    int32_t code;
    const char* name;
    int32_t sortIndex;
    int32_t maxNumber;
  } rows[] = {
      {1, "VAT", 9, 65535},  {8, "OB", 1, 255},     {9, "DB", 4, 65535},
      {10, "FB", 2, 65535},  {11, "SFB", 6, 65535}, {12, "UDT", 5, 65535},
      {13, "SFC", 7, 65535}, {14, "FC", 3, 65535},  {15, "SDB", 8, 65535},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(info_->BlockTypeName(row.code), row.name);
    EXPECT_EQ(info_->SortIndex(row.code), row.sortIndex);
    EXPECT_FALSE(info_->IsValidNumber(row.code, 0)) << "0 is below every range";
    EXPECT_TRUE(info_->IsValidNumber(row.code, 1));
    EXPECT_TRUE(info_->IsValidNumber(row.code, row.maxNumber));
    EXPECT_FALSE(info_->IsValidNumber(row.code, row.maxNumber + 1));
    EXPECT_FALSE(info_->IsValidNumber(row.code, -1));
  }
  // Unknown codes: no name, no valid number, sort index 0.
  for (int32_t code : {0, 2, 7, 16, -1}) {
    SCOPED_TRACE(code);
    EXPECT_EQ(info_->BlockTypeName(code), "");
    EXPECT_FALSE(info_->IsValidNumber(code, 1));
    EXPECT_EQ(info_->SortIndex(code), 0);
  }

  const std::pair<int32_t, const char*> languages[] = {
      {0, ""}, {1, "LAD"}, {2, "FBD"}, {3, "STL"}, {4, "SCL"}, {5, "GRAPH"}, {6, "DB"}};
  for (const auto& [code, text] : languages) {
    EXPECT_EQ(info_->LanguageText(code), text);
    EXPECT_EQ(BlockInfo::LanguageFromText(text), code) << text;
  }
  EXPECT_EQ(BlockInfo::LanguageFromText("scl"), 4) << "texts compare without regard to case";
  EXPECT_EQ(info_->LanguageText(7), "") << "unknown codes have no text";
  EXPECT_EQ(info_->LanguageText(-1), "");
  EXPECT_FALSE(BlockInfo::LanguageFromText("COBOL").has_value());
}

TEST_F(BlockInfoTest, ParseBlockNameSplitsWholeTypeNamesAndPlainNumbers) {
  const struct {
    const char* text;
    int32_t type;
    int32_t number;
  } parsed[] = {
      {"FB10", 10, 10},  {"fb10", 10, 10},  // letters without regard to case
      {"Fb10", 10, 10},  {"SFB3", 11, 3},   // the whole letter run is the type, not "S" + "FB"
      {"SFC46", 13, 46}, {"SDB0", 15, 0},   // parsing does not judge the number
      {"OB256", 8, 256}, {"UDT65535", 12, 65535}, {"VAT1", 1, 1}, {"DB2147483647", 9, 2147483647},
  };
  for (const auto& row : parsed) {
    SCOPED_TRACE(row.text);
    int32_t type = -7;
    int32_t number = -7;
    EXPECT_TRUE(info_->ParseBlockName(row.text, type, number));
    EXPECT_EQ(type, row.type);
    EXPECT_EQ(number, row.number);
  }
  // Beyond 32 bits, blanks, signs, a leading zero (one name per block), a part missing, letters.
  for (const char* text : {"DB2147483648", "FB 10", " FB10", "FB10 ", "FB+10", "FB-10", "FB010",
                           "FB", "10", "S3", "FBX10", "FB1x", ""}) {
    SCOPED_TRACE(text);
    int32_t type = -7;
    int32_t number = -7;
    EXPECT_FALSE(info_->ParseBlockName(text, type, number));
    EXPECT_EQ(type, -7) << "a failed parse leaves the outputs alone";
    EXPECT_EQ(number, -7);
  }
}

TEST_F(BlockInfoTest, HasBlockAcceptsAProgramOrWhatStandsForOne) {
  const auto project = ProjectFile::ParseProject(mztest::ProjectXml(), "t.prj.xml");
  const auto program = project->Program();
  EXPECT_TRUE(info_->HasBlock(program, BlockInfo::kFb, 10));
  EXPECT_TRUE(info_->HasBlock(project, BlockInfo::kFb, 10)) << "the project holding it";
  EXPECT_FALSE(info_->HasBlock(program, BlockInfo::kFc, 10)) << "type and number both count";
  EXPECT_FALSE(info_->HasBlock(program, BlockInfo::kFb, 12));
  EXPECT_TRUE(info_->HasBlock(ProjectFile::ParsePlc(mztest::PlcXml(), "p"), BlockInfo::kFb, 10));
  EXPECT_FALSE(info_->HasBlock(ProjectFile::ParsePlc(mztest::PlcText(""), "p"), BlockInfo::kFb, 10))
      << "a PLC without program holds none";

  // The block service is bound to a program and stands for it.
  EXPECT_TRUE(
      info_->HasBlock(MakeObject<BlockService>(program, nullptr, "Offline"), BlockInfo::kDb, 10));
  EXPECT_FALSE(
      info_->HasBlock(MakeObject<BlockService>(nullptr, nullptr, "Offline"), BlockInfo::kDb, 10))
      << "a source without program holds no block";

  EXPECT_EQ(mztest::ErrorOf([&] { info_->HasBlock(nullptr, BlockInfo::kFb, 1); }),
            platform::errc::kObjectNotSet);
  EXPECT_EQ(mztest::ErrorOf([&] { info_->HasBlock(program->FindBlockById("FB10"), 10, 1); }),
            platform::errc::kTypeMismatch)
      << "a block is no program";
}

// The runtime's date text, written by the block itself, in and beyond the range (a damaged file).
TEST(BlockDateTextTest, TextHasFixedFieldsAcrossTheRange) {
  const auto block = MakeObject<Block>(false, BlockInfo::kFb, 1);
  const struct {
    int year, month, day, hour, minute, second;
    const char* text;
  } cases[] = {
      {2026, 11, 2, 8, 15, 0, "2026-11-02 08:15:00"},
      {1900, 1, 1, 0, 0, 0, "1900-01-01 00:00:00"},
      {1899, 12, 30, 0, 0, 0, "1899-12-30 00:00:00"},
      {1899, 12, 29, 23, 59, 59, "1899-12-29 23:59:59"},
      {100, 1, 1, 0, 0, 1, "0100-01-01 00:00:01"},
      {9999, 12, 31, 23, 59, 59, "9999-12-31 23:59:59"},
      {2000, 2, 29, 12, 0, 0, "2000-02-29 12:00:00"},
      {1999, 10, 9, 9, 9, 9, "1999-10-09 09:09:09"},
  };
  for (const auto& c : cases) {
    const std::optional<platform::DateTime> date =
        platform::DateTime::FromParts(c.year, c.month, c.day, c.hour, c.minute, c.second);
    ASSERT_TRUE(date) << c.text;
    block->SetLastModified(*date);
    EXPECT_EQ(block->LastModifiedText(), c.text);
    EXPECT_EQ(block->LastModifiedText(), date->ToString()) << "the runtime's own text form";
  }
  for (const int64_t seconds : {int64_t{-80000000000}, int64_t{-59926608000}, int64_t{260000000000},
                                int64_t{-1}, int64_t{86399}, int64_t{86400}}) {
    const auto date = platform::DateTime::FromSeconds(seconds);
    block->SetLastModified(date);
    EXPECT_EQ(block->LastModifiedText(), date.ToString()) << seconds << " seconds";
  }
}

}  // namespace
}  // namespace host
