// An item's property sets at their limits: keys of every length (short keys are stored as their
// bytes, long ones by hash and text), sets larger than the scanned part, entries handed out
// while the set grows, and the sets' life as parts of their item.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/model/ItemData.h"
#include "host/model/ProjectModel.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemProperty.h"
#include "mzblprsx/interfaces/RgProjectItems.h"

namespace {

using platform::Variant;

class ItemDataKeysTest : public ::testing::Test {
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

TEST_F(ItemDataKeysTest, KeysOfEveryLengthStayDistinct) {
  // Around the 15-byte border, and long keys that share all but their last byte, or a prefix.
  const std::string fifteen = "ABCDEFGHIJKLMNO";
  StoreAndCheck({"", "A", "AB", fifteen, fifteen + "P", fifteen + "Q", fifteen + "PQ",
                 std::string(200, 'x'), std::string(201, 'x'), std::string(200, 'y'),
                 "ABCDEFGHIJKLMN"});
}

TEST_F(ItemDataKeysTest, KeysWithZeroBytesAreNotCutShort) {
  StoreAndCheck({std::string("A\0", 2), "A", std::string("A\0\0", 3), std::string(15, '\0'),
                 std::string(16, '\0')});
  EXPECT_FALSE(data->Exists(std::string("A\0\0\0", 4)));
}

TEST_F(ItemDataKeysTest, LargeSetsKeepOrderAndLookupsBeyondTheScannedPart) {
  std::vector<std::string> keys;
  for (int i = 0; i < 70; ++i)
    keys.push_back("KEY" + std::to_string(i) + (i % 3 ? "" : "_LONGER_THAN_15"));
  StoreAndCheck(keys);
  data->SetValue("KEY5", Variant("again"), 2);
  EXPECT_EQ(data->Keys(), keys) << "storing again keeps the place, also in a large set";
  EXPECT_EQ(data->Value("KEY5").ToString(), "again");
  EXPECT_FALSE(data->Exists("KEY70"));
  data->Clear();
  EXPECT_EQ(data->Count(), 0);
  StoreAndCheck({"NAME", "TYPE"});
}

TEST_F(ItemDataKeysTest, EntriesHandedOutFollowTheSetWhileItGrows) {
  data->SetValue("FIRST", Variant(int32_t{1}), 1);
  const std::string longKey = "A_KEY_OF_MORE_THAN_FIFTEEN_BYTES";
  data->AddValue(longKey, Variant("long"), 7);
  const auto first = data->Property("FIRST");
  const auto longEntry = data->Property(longKey);
  ASSERT_TRUE(first && longEntry);
  EXPECT_EQ(longEntry->Key(), longKey);
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

TEST(ItemStoresLifeTest, TheSetsLiveAsLongAsAnyoneHoldsThem) {
  auto model = platform::MakeObject<host::ProjectModel>();
  std::weak_ptr<platform::Object> itemAlive;
  platform::Ref<mzblprsx::RgProjectItemData> data;
  platform::Ref<mzblprsx::RgProjectItems> children;
  {
    const auto item = model->Items()->AddNew(nullptr, nullptr, nullptr);
    itemAlive = item.Shared();
    item->Data()->SetValue("NAME", Variant("kept"), 1);
    data = item->Data();
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
