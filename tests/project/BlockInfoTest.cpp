// The block information object: names, numbers, listing order and languages, through
// IRgBlockInfo as the library sees it (created through the class registry).
#include <gtest/gtest.h>

#include "host/project/IProgramSource.h"
#include "host/project/ProjectClasses.h"
#include "mzblprsx/interfaces/IRgBlockInfo.h"
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

struct TypeRow {
  int32_t code;
  const char* name;
  int32_t sortIndex;
  int32_t maxNumber;
};

TEST_F(BlockInfoTest, TypeTableGivesNameSortIndexAndNumberRange) {
  const TypeRow rows[] = {
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
}

TEST_F(BlockInfoTest, UnknownTypeCodesHaveNoNameNoValidNumberAndSortIndexZero) {
  for (int32_t code : {0, 2, 7, 16, -1}) {
    SCOPED_TRACE(code);
    EXPECT_EQ(info_->BlockTypeName(code), "");
    EXPECT_FALSE(info_->IsValidNumber(code, 1));
    EXPECT_EQ(info_->SortIndex(code), 0);
  }
}

struct ParseRow {
  const char* text;
  bool ok;
  int32_t type;
  int32_t number;
};

TEST_F(BlockInfoTest, ParseBlockNameSplitsWholeTypeNamesAndPlainNumbers) {
  const ParseRow rows[] = {
      {"FB10", true, 10, 10},
      {"fb10", true, 10, 10},  // letters without regard to case
      {"Fb10", true, 10, 10},
      {"SFB3", true, 11, 3},  // the whole letter run is the type, never "S" + "FB"
      {"SFC46", true, 13, 46},
      {"SDB0", true, 15, 0},  // parsing does not judge the number
      {"OB256", true, 8, 256},
      {"UDT65535", true, 12, 65535},
      {"VAT1", true, 1, 1},
      {"DB2147483647", true, 9, 2147483647},
      {"DB2147483648", false, 0, 0},  // beyond 32 bits
      {"FB 10", false, 0, 0},         // no blanks
      {" FB10", false, 0, 0},
      {"FB10 ", false, 0, 0},
      {"FB+10", false, 0, 0},  // no sign
      {"FB-10", false, 0, 0},
      {"FB010", false, 0, 0},  // no leading zero: one name per block
      {"FB", false, 0, 0},
      {"10", false, 0, 0},
      {"S3", false, 0, 0},
      {"FBX10", false, 0, 0},
      {"FB1x", false, 0, 0},
      {"", false, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    int32_t type = -7;
    int32_t number = -7;
    EXPECT_EQ(info_->ParseBlockName(row.text, type, number), row.ok);
    if (row.ok) {
      EXPECT_EQ(type, row.type);
      EXPECT_EQ(number, row.number);
    } else {
      EXPECT_EQ(type, -7) << "a failed parse leaves the outputs alone";
      EXPECT_EQ(number, -7);
    }
  }
}

TEST_F(BlockInfoTest, LanguageCodesMapToTheirTextsBothWays) {
  const std::pair<int32_t, const char*> rows[] = {{0, ""},    {1, "LAD"},   {2, "FBD"}, {3, "STL"},
                                                  {4, "SCL"}, {5, "GRAPH"}, {6, "DB"}};
  for (const auto& [code, text] : rows) {
    EXPECT_EQ(info_->LanguageText(code), text);
    EXPECT_EQ(BlockInfo::LanguageFromText(text), code) << text;
  }
  EXPECT_EQ(BlockInfo::LanguageFromText("scl"), 4) << "texts compare without regard to case";
  EXPECT_EQ(info_->LanguageText(7), "") << "unknown codes have no text";
  EXPECT_EQ(info_->LanguageText(-1), "");
  EXPECT_FALSE(BlockInfo::LanguageFromText("COBOL").has_value());
}

TEST_F(BlockInfoTest, HasBlockAcceptsAProgramOrTheProjectHoldingIt) {
  auto project = MakeObject<OfflineProject>("{G}", "P");
  auto program = MakeObject<Program>(false, "Program");
  project->AddObject(program);
  program->AddBlock(MakeObject<Block>(false, BlockInfo::kFb, 10));

  EXPECT_TRUE(info_->HasBlock(program, BlockInfo::kFb, 10));
  EXPECT_TRUE(info_->HasBlock(project, BlockInfo::kFb, 10));
  EXPECT_FALSE(info_->HasBlock(program, BlockInfo::kFc, 10)) << "type and number both count";
  EXPECT_FALSE(info_->HasBlock(program, BlockInfo::kFb, 11));

  auto plc = MakeObject<PlcProject>("{H}", "PLC");
  EXPECT_FALSE(info_->HasBlock(plc, BlockInfo::kFb, 10)) << "a PLC without program holds none";
  auto online = MakeObject<Program>(true, "Program");
  plc->AddObject(online);
  online->AddBlock(MakeObject<Block>(true, BlockInfo::kFb, 10));
  EXPECT_TRUE(info_->HasBlock(plc, BlockInfo::kFb, 10));
}

// A stand-in for the block service, which is bound to a program.
class BoundService : public IProgramSource {
 public:
  explicit BoundService(Ref<Program> program) : program_(std::move(program)) {}
  std::string_view TypeName() const override { return "BoundService"; }
  Ref<Program> SourceProgram() override { return program_; }

 private:
  Ref<Program> program_;
};

TEST_F(BlockInfoTest, HasBlockAcceptsAnObjectStandingForAProgram) {
  auto program = MakeObject<Program>(false, "Program");
  program->AddBlock(MakeObject<Block>(false, BlockInfo::kDb, 1));
  EXPECT_TRUE(info_->HasBlock(MakeObject<BoundService>(program), BlockInfo::kDb, 1));
  EXPECT_FALSE(info_->HasBlock(MakeObject<BoundService>(nullptr), BlockInfo::kDb, 1))
      << "a source without program holds no block";
}

TEST_F(BlockInfoTest, HasBlockRejectsNothingAndObjectsThatAreNoProgram) {
  try {
    info_->HasBlock(nullptr, BlockInfo::kFb, 1);
    FAIL() << "nothing is no program";
  } catch (const platform::Error& error) {
    EXPECT_EQ(error.Number(), platform::errc::kObjectNotSet);
  }
  try {
    info_->HasBlock(MakeObject<Block>(false, BlockInfo::kFb, 1), BlockInfo::kFb, 1);
    FAIL() << "a block is no program";
  } catch (const platform::Error& error) {
    EXPECT_EQ(error.Number(), platform::errc::kTypeMismatch);
  }
}

}  // namespace
}  // namespace host
