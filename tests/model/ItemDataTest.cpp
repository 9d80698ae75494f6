// An item's property sets: key order, exact keys of every length (short ones stored as their
// bytes, long ones by hash and text), large sets, values of every kind, entries handed out while
// the set grows, Clear, and the sets' life as parts of their item.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/model/ItemData.h"
#include "host/model/ItemProperty.h"
#include "host/model/ProjectModel.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemProperty.h"
#include "mzblprsx/interfaces/RgProjectItems.h"

namespace {

using platform::Variant;

class ItemDataTest : public ::testing::Test {
 protected:
  /// Stores every key with its position as the value, then checks each reads back.
  void StoreAndCheck(const std::vector<std::string>& keys) {
    for (size_t i = 0; i < keys.size(); ++i) {
      data->SetValue(keys[i], Variant(static_cast<int32_t>(i)), 1);
    }
    ASSERT_EQ(data->Count(), static_cast<int32_t>(keys.size())) << "every key is its own entry";
    for (size_t i = 0; i < keys.size(); ++i) {
      EXPECT_EQ(data->Value(keys[i], Variant(int32_t{-1})).ToInt32(), static_cast<int32_t>(i))
          << "key '" << keys[i] << "' (" << keys[i].size() << " bytes)";
    }
    EXPECT_EQ(data->Keys(), keys) << "keys come back whole and in order";
  }

  platform::Ref<host::ItemData> data = platform::MakeObject<host::ItemData>();
};

TEST_F(ItemDataTest, TextsOfEveryLengthAndKindChangesKeepTheirValues) {
  // Short texts live in the entry itself, longer ones in a value of their own; a key may go
  // from one to the other and to other kinds of value, also while the set grows and moves.
  const std::string fits(39, 'x');
  const std::string longer = std::string(39, 'y') + "z";
  const std::string zeros("a\0b\0", 4);
  const std::vector<Variant> values = {
      Variant(fits),       Variant(longer), Variant(""), Variant(zeros),
      Variant(int32_t{7}), Variant(fits),   Variant(),   Variant(platform::NullValue{}),
      Variant(longer)};
  for (size_t step = 0; step < values.size(); ++step) {
    const std::string key = "K" + std::to_string(step);
    for (size_t i = 0; i <= step; ++i) data->SetValue(key, values[(step + i) % values.size()], 1);
    data->AddValue(key, values[step], 4);  // the last store of each key is values[step]
  }
  for (size_t step = 0; step < values.size(); ++step) {
    const std::string key = "K" + std::to_string(step);
    EXPECT_TRUE(data->Value(key) == values[step]) << key;
  }
  EXPECT_EQ(data->Value("K3").ToString(), zeros) << "zero bytes are kept";
  EXPECT_EQ(data->Keys().front(), "K0") << "keys read back whole";
  const auto handedOut = data->Property("K0");
  EXPECT_EQ(handedOut->Value().ToString(), fits) << "a text in place is handed out whole";
  data->SetValue("K0", Variant(longer), 2);
  EXPECT_EQ(handedOut->Value().ToString(), longer);
  data->SetValue("K5", Variant(int32_t{1}), 1);
  EXPECT_EQ(data->Value("K5").ToInt32(), 1) << "a text in place replaced by a number";
}

TEST_F(ItemDataTest, AddValueKeepsTheFlagsAndEntriesHandedOutFollowTheSetWhileItGrows) {
  data->AddValue("LoadState", Variant(int16_t{-1}), 2);
  const auto entry = data->Property("LoadState").As<host::ItemProperty>();
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->Type(), 2);
  EXPECT_EQ(entry->Flags(), 0);
  data->SetValue("LoadState", Variant(int16_t{0}), 1);
  data->AddValue("LoadState", Variant(int16_t{1}), 5);
  EXPECT_EQ(entry->Flags(), 1) << "AddValue replaces value and type, not flags";
  EXPECT_EQ(entry->Type(), 5);
  EXPECT_EQ(data->Value("LoadState").ToInt32(), 1);
  data->SetValue("FIRST", Variant(int32_t{1}), 1);
  const std::string longKey = "A_KEY_OF_MORE_THAN_FIFTEEN_BYTES";
  data->AddValue(longKey, Variant("long"), 7);
  const auto first = data->Property("FIRST");
  const auto longEntry = data->Property(longKey);
  ASSERT_TRUE(first && longEntry);
  EXPECT_EQ(longEntry->Key(), longKey);
  EXPECT_EQ(first->Key(), "FIRST");
  for (int i = 0; i < 40; ++i) data->SetValue("MORE" + std::to_string(i), Variant(i), 1);
  data->SetValue("FIRST", Variant(int32_t{2}), 3);
  data->SetValue(longKey, Variant("longer"), 2);
  EXPECT_EQ(first->Value().ToInt32(), 2) << "the entry is still the stored one";
  EXPECT_EQ(first->Flags(), 3);
  EXPECT_EQ(longEntry->Value().ToString(), "longer");
  EXPECT_TRUE(SameObject(data->Property("FIRST"), first)) << "handed out once, then the same";
  first->SetValue(Variant(int32_t{9}));
  EXPECT_EQ(data->Value("FIRST").ToInt32(), 9);
  EXPECT_EQ(data->Value("MORE39").ToInt32(), 39) << "entries after the handed-out ones";
}

TEST_F(ItemDataTest, KeysOfEveryLengthStayDistinct) {
  // Around the 15-byte border, and long keys that share all but their last byte, or a prefix.
  const std::string fifteen = "ABCDEFGHIJKLMNO";
  StoreAndCheck({"", "A", "AB", fifteen, fifteen + "P", fifteen + "Q", fifteen + "PQ",
                 std::string(200, 'x'), std::string(201, 'x'), std::string(200, 'y'),
                 "ABCDEFGHIJKLMN", "NAME", "Name"});
  EXPECT_FALSE(data->Exists("name")) << "keys compare exactly";
}

TEST_F(ItemDataTest, KeysWithZeroBytesAreNotCutShort) {
  StoreAndCheck({std::string("A\0", 2), "A", std::string("A\0\0", 3), std::string(15, '\0'),
                 std::string(16, '\0')});
  EXPECT_FALSE(data->Exists(std::string("A\0\0\0", 4)));
}

TEST_F(ItemDataTest, LargeSetsKeepOrderAndLookupsBeyondTheScannedPart) {
  std::vector<std::string> keys;
  for (int i = 0; i < 70; ++i)
    keys.push_back("KEY" + std::to_string(i) + (i % 3 ? "" : "_LONGER_THAN_15"));
  StoreAndCheck(keys);
  data->SetValue("KEY5", Variant("again"), 2);
  EXPECT_EQ(data->Keys(), keys) << "storing again keeps the place, also in a large set";
  EXPECT_EQ(data->Value("KEY5").ToString(), "again");
  EXPECT_FALSE(data->Exists("KEY70"));
  const auto kept = data->Property("KEY5");
  data->Clear();
  EXPECT_EQ(data->Count(), 0);
  EXPECT_TRUE(data->Keys().empty());
  EXPECT_EQ(kept->Value().ToString(), "again") << "an entry handed out keeps its last value";
  StoreAndCheck({"NAME", "TYPE"});  // order starts afresh
}

TEST(ItemStoresTest, DataAndStatesAreSeparateStoresThatLiveAsLongAsAnyoneHoldsThem) {
  auto model = platform::MakeObject<host::ProjectModel>();
  std::weak_ptr<platform::Object> itemAlive;
  platform::Ref<mzblprsx::RgProjectItemData> data;
  platform::Ref<mzblprsx::RgProjectItems> children;
  {
    const auto item = model->Items()->AddNew(nullptr, nullptr, nullptr);
    itemAlive = item.Shared();
    item->Data()->SetValue("NAME", Variant("kept"), 1);
    item->States()->SetValue("SYMBOLSTATE", Variant(int32_t{64}), 1);
    EXPECT_FALSE(item->States()->Exists("NAME"));
    EXPECT_FALSE(item->Data()->Exists("SYMBOLSTATE"));
    data = item->Data();
    EXPECT_TRUE(SameObject(item->Data(), data)) << "one store per item, not a copy";
    children = item->Items();
    EXPECT_TRUE(SameObject(item->Items(), children)) << "one collection per item";
    model->Items()->Remove(item);
  }
  EXPECT_FALSE(itemAlive.expired()) << "a held property set keeps its item";
  EXPECT_EQ(data->Value("NAME").ToString(), "kept");
  EXPECT_EQ(children->Count(), 0);
  data.Reset();
  children.Reset();
  EXPECT_TRUE(itemAlive.expired()) << "and lets it go with the last reference";
  model->Terminate();
}

}  // namespace
