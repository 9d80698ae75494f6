// The block and category handlers: what they show, accept from the user and write back; and
// the one classification of item types they, the stream handler and the views share.
#include "HandlerFixture.h"

#include "host/project/SymbolTable.h"
#include "host/services/OptionService.h"
#include "mzblprsx/handlers/ItemKind.h"

namespace mztest {
namespace {

using mzblprsx::RgBlockDataErrorBlockExist;
using mzblprsx::RgBlockDataErrorInvalidNumber;
using mzblprsx::RgBlockDataErrorInvalidSymbolCharacter;
using mzblprsx::RgBlockDataErrorOK;
using mzblprsx::RgBlockDataErrorSymbolTooLong;
using mzblprsx::RgEnumBlockDataErrors;

constexpr const char* kAddressPriority = "General/Settings/AddressPriority";

class BlockHandlerTest : public HandlerFixture {
 protected:
  void SetUp() override {
    HandlerFixture::SetUp();
    OpenText(SampleText());
  }
};

TEST_F(BlockHandlerTest, FillWritesTheBlockKeysInOrder) {
  const ItemRef item = BlockItem("FB10");
  EXPECT_EQ(Dump(item),
            "TYPE=RgBlockOffline.FB, NAME=FB10, BLOCKTYPE=10/Long, BLOCKNUMBER=10/Long, "
            "SYMBOL=Motor, HEADERNAME=Motor control, LASTMODIFIED=2026-11-02 08:15:00/Date, "
            "PROGLANGUAGE=LAD, AUTHOR=Line team, SIZE=412/Long, DISPLAY_TYPE=Function block, "
            "DISPLAY_TITLE=FB10:Motor, PROTECTED=False/Boolean, SYSTEM=False/Boolean");
  std::string flags;
  for (const std::string& key : item->Data()->Keys()) {
    flags += std::to_string(item->Data()->Property(key)->Flags());
  }
  EXPECT_EQ(flags, "13133311311333") << "what the user may edit carries 3, the rest 1";
  EXPECT_TRUE(item->States()->Exists("SYMBOLSTATE"));
  EXPECT_TRUE(item->States()->Exists("MAKESTATE"));
  EXPECT_EQ(Value(BlockItem("SFC46"), "SYSTEM"), platform::Variant(true));
  EXPECT_EQ(Value(BlockItem("FC1"), "PROTECTED"), platform::Variant(true));
}

TEST_F(BlockHandlerTest, NumberAndSymbolChecksLeaveTheArgumentAndPriorityOneShowsSymbolFirst) {
  struct NumberRow {
    const char* block;
    int32_t number;
    RgEnumBlockDataErrors expected;
  };
  const NumberRow numbers[] = {
      {"FB10", 10, RgBlockDataErrorOK},  // its own, though it exists
      {"FB10", 11, RgBlockDataErrorBlockExist},   {"FB10", 12, RgBlockDataErrorOK},
      {"FB10", 0, RgBlockDataErrorInvalidNumber}, {"FB10", 65536, RgBlockDataErrorInvalidNumber},
      {"OB1", 255, RgBlockDataErrorOK},           {"OB1", 256, RgBlockDataErrorInvalidNumber},
      {"OB1", 35, RgBlockDataErrorBlockExist},    {"DB10", 11, RgBlockDataErrorBlockExist}};
  for (const NumberRow& row : numbers) {
    SCOPED_TRACE(std::string(row.block) + " " + std::to_string(row.number));
    int32_t number = row.number;
    EXPECT_EQ(BlockHandler(row.block)->CheckBlockNumber(number), row.expected);
    EXPECT_EQ(number, row.number);
  }
  const auto a = [](int times) { return std::string(times, 'a'); };
  std::string umlauts24, umlauts25;
  for (int i = 0; i < 24; ++i) umlauts24 += "\xC3\xA4";
  umlauts25 = umlauts24 + "\xC3\xA4";
  const std::pair<std::string, RgEnumBlockDataErrors> symbols[] = {
      {"", RgBlockDataErrorOK},
      {a(24), RgBlockDataErrorOK},
      {a(25), RgBlockDataErrorSymbolTooLong},
      {umlauts24, RgBlockDataErrorOK},  // characters are counted, not bytes
      {umlauts25, RgBlockDataErrorSymbolTooLong},
      {"Mo\"tor", RgBlockDataErrorInvalidSymbolCharacter},
      {"\"", RgBlockDataErrorInvalidSymbolCharacter},
      {a(30) + "\"", RgBlockDataErrorInvalidSymbolCharacter},
      {"BeltDrive", RgBlockDataErrorOK}};  // a taken symbol is not checked here
  for (const auto& [original, expected] : symbols) {
    SCOPED_TRACE(original);
    std::string symbol = original;
    EXPECT_EQ(BlockHandler("FB10")->CheckBlockSymbol(symbol), expected);
    EXPECT_EQ(symbol, original);
  }

  struct Row {
    platform::Variant priority;
    const char* withSymbol;  // FB10, symbol Motor
  };
  // Each row changes the value, so that the model is refreshed for every one.
  const Row rows[] = {
      {platform::Variant("1"), "Motor:FB10"},        {platform::Variant("0"), "FB10:Motor"},
      {platform::Variant(int32_t{1}), "Motor:FB10"}, {platform::Variant("2"), "FB10:Motor"},
      {platform::Variant("1"), "Motor:FB10"},        {platform::Variant(), "FB10:Motor"},
      {platform::Variant("1"), "Motor:FB10"},        {platform::Variant("first"), "FB10:Motor"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.priority.ToString());
    env.Options().SetValue(kAddressPriority, row.priority);
    EXPECT_EQ(Text(BlockItem("FB10"), "DISPLAY_TITLE"), row.withSymbol);
    EXPECT_EQ(Text(BlockItem("OB35"), "DISPLAY_TITLE"), "OB35") << "no symbol: the name alone";
  }
}

TEST_F(BlockHandlerTest, SaveWritesHeaderAuthorSymbolAndNumberBack) {
  const ItemRef item = BlockItem("FB10");
  const auto data = item->Data();
  data->SetValue("HEADERNAME", platform::Variant("Drive control"), 3);
  data->SetValue("AUTHOR", platform::Variant("Night shift"), 3);
  data->SetValue("SYMBOL", platform::Variant("Drive"), 3);
  data->SetValue("BLOCKNUMBER", platform::Variant(int32_t{12}), 3);
  const std::string saves = Join(env.Application().DocumentLog());
  BlockHandler("FB10")->Save();

  const auto block = HostBlock("FB12");
  ASSERT_TRUE(block) << "renumbered";
  EXPECT_EQ(block->Header(), "Drive control");
  EXPECT_EQ(block->Author(), "Night shift");
  EXPECT_EQ(project->Symbols()->NameOf("FB12"), "Drive");
  EXPECT_NE(Join(env.Application().DocumentLog()), saves) << "the block's document was saved";
  EXPECT_EQ(Text(item, "NAME"), "FB12") << "the renumbering's notification refreshed the item";
  EXPECT_EQ(Names(CategoryItem(2)), "FB12 DB10 FB11 DB11") << "in its place";
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

TEST_F(BlockHandlerTest, RefusedRenumberingWritesNothingElseAndSymbolStateBit64KeepsTheSymbol) {
  auto data = BlockItem("FB10")->Data();
  data->SetValue("HEADERNAME", platform::Variant("Drive control"), 3);
  data->SetValue("SYMBOL", platform::Variant("Drive"), 3);
  data->SetValue("BLOCKNUMBER", platform::Variant(int32_t{11}), 3);  // FB11 exists
  BlockHandler("FB10")->Save();
  EXPECT_EQ(HostBlock("FB10")->Header(), "Motor control");
  EXPECT_EQ(project->Symbols()->NameOf("FB10"), "Motor");
  EXPECT_TRUE(ErrorSources().empty()) << "a refusal is no error: " << Join(ErrorSources());

  HostBlock("FB10")->SetSymbolState(64);
  BlockHandler("FB10")->Refresh();
  data = BlockItem("FB10")->Data();
  data->SetValue("SYMBOL", platform::Variant("Drive"), 3);
  data->SetValue("AUTHOR", platform::Variant("Night shift"), 3);
  BlockHandler("FB10")->Save();
  EXPECT_EQ(project->Symbols()->NameOf("FB10"), "Motor") << "bit 64 keeps the symbol";
  EXPECT_EQ(HostBlock("FB10")->Author(), "Night shift") << "the rest is written";
}

TEST_F(BlockHandlerTest, CategoryHandlersCheckSaveAndDeleteThroughTheProgram) {
  int changes = 0;
  const platform::ScopedConnection changeSink =
      Model()->ItemChange().Connect([&](const ItemRef& item, int32_t) {
        if (platform::SameObject(item, CategoryItem(2))) ++changes;
      });
  const auto handler = CategoryHandler(2);
  EXPECT_EQ(handler->CheckCategoryName(""), mzblprsx::RgCategoryNameErrorMissing);
  EXPECT_EQ(handler->CheckCategoryName("Diagnostics"), mzblprsx::RgCategoryNameErrorExist);
  EXPECT_EQ(handler->CheckCategoryName("diagnostics"), mzblprsx::RgCategoryNameErrorExist);
  EXPECT_EQ(handler->CheckCategoryName("Valves"), mzblprsx::RgCategoryNameErrorOK);

  handler->Save();
  EXPECT_EQ(changes, 0) << "an unchanged name is not written and not redrawn";
  CategoryItem(2)->Data()->SetValue("NAME", platform::Variant("Drives"), 3);
  handler->Save();
  EXPECT_EQ(HostProgram()->FindCategory(2)->Name(), "Drives");
  EXPECT_GE(changes, 1);
  EXPECT_EQ(Text(CategoryItem(2), "NAME"), "Drives");
  EXPECT_FALSE(handler->IsDirty()) << "categories are no documents";
  EXPECT_FALSE(handler->IsOpen());

  HostProgram()->FindCategory(1)->Rename("Everything else");
  CategoryHandler(1)->Refresh();
  EXPECT_EQ(Text(CategoryItem(1), "TYPE"), "RgCategoryDefault") << "the default stays default";
  EXPECT_EQ(Text(CategoryItem(1), "NAME"), "Everything else");
  CategoryHandler(4)->Delete();
  EXPECT_FALSE(HostProgram()->FindCategory(4)) << "Delete deletes the framework's category";
}

namespace kind = mzblprsx::item_kind;

TEST(ItemKind, EachTypeIsOfTheKindsItsRuleSays) {
  struct Row {
    const char* type;
    bool block, offline, online, category, defaultCategory, userCategory, ghost;
  };
  const Row rows[] = {
      {"RgBlockOffline", true, true, false, false, false, false, false},
      {"rgblockonline.SFC", true, false, true, false, false, false, false},  // blocks: any case
      {"RgBlockArchive", true, false, false, false, false, false, false},
      {"RgCategory", false, false, false, true, false, true, false},
      {"RgCategoryDefault", false, false, false, true, true, false, false},
      {"rgcategorydefault", false, false, false, false, false, false, false},  // categories: exact
      {"RgCategoryArchive", false, false, false, false, false, true, false},   // user: contains
      {"RgGhostBlock", false, false, false, false, false, false, true},        // no "RgBlock" in it
      {"", false, false, false, false, false, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.type);
    EXPECT_EQ(kind::IsBlockType(row.type), row.block);
    EXPECT_EQ(kind::IsOfflineBlockType(row.type), row.offline);
    EXPECT_EQ(kind::IsOnlineBlockType(row.type), row.online);
    EXPECT_EQ(kind::IsCategoryType(row.type), row.category);
    EXPECT_EQ(kind::IsDefaultCategoryType(row.type), row.defaultCategory);
    EXPECT_EQ(kind::IsUserCategoryType(row.type), row.userCategory);
    EXPECT_EQ(kind::IsGhostType(row.type), row.ghost);
  }
  EXPECT_FALSE(kind::HasBlockHandler(nullptr)) << "nothing is of no kind";
  EXPECT_FALSE(kind::HasCategoryHandler(nullptr));
  EXPECT_FALSE(kind::HasGhostHandler(nullptr));
}

}  // namespace
}  // namespace mztest
