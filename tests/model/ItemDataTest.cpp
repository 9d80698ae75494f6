// An item's property sets: order of keys, replacing in place, exact keys, values of every kind
// and length, Clear.
#include <gtest/gtest.h>

#include "host/model/ItemData.h"
#include "host/model/ItemProperty.h"
#include "host/model/ProjectModel.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItems.h"

namespace {

using platform::Variant;

class ItemDataTest : public ::testing::Test {
 protected:
  platform::Ref<host::ItemData> data = platform::MakeObject<host::ItemData>();
};

TEST_F(ItemDataTest, KeysKeepTheOrderOfFirstStoring) {
  data->SetValue("TYPE", Variant("RgBlockOffline.FB"), 1);
  data->SetValue("NAME", Variant("FB10"), 3);
  data->SetValue("SIZE", Variant(int32_t{412}), 1);
  data->SetValue("TYPE", Variant("RgBlockOffline.FC"), 3);
  EXPECT_EQ(data->Keys(), (std::vector<std::string>{"TYPE", "NAME", "SIZE"}))
      << "storing a key again keeps its place";
  EXPECT_EQ(data->Value("TYPE", Variant()).ToString(), "RgBlockOffline.FC");
  EXPECT_EQ(data->Property("TYPE")->Flags(), 3) << "the flags of the last store";
}

TEST_F(ItemDataTest, AnAbsentKeyGivesTheFallback) {
  EXPECT_TRUE(data->Value("SIZE").IsEmpty());
  EXPECT_EQ(data->Value("SIZE", Variant(int32_t{0})).ToInt32(), 0);
  EXPECT_FALSE(data->Exists("SIZE"));
  EXPECT_FALSE(data->Property("SIZE")) << "no entry, no property";
}

TEST_F(ItemDataTest, KeysCompareExactly) {
  data->SetValue("NAME", Variant("a"), 1);
  data->SetValue("Name", Variant("b"), 1);
  EXPECT_EQ(data->Count(), 2) << "NAME and Name are two keys";
  EXPECT_FALSE(data->Exists("name"));
}

TEST_F(ItemDataTest, APropertyIsTheStoredEntryItself) {
  data->SetValue("SIZE", Variant(int32_t{1}), 1);
  const auto size = data->Property("SIZE");
  size->SetValue(Variant(int32_t{2}));
  EXPECT_EQ(data->Value("SIZE").ToInt32(), 2) << "a change through the property is stored";
  data->SetValue("SIZE", Variant(int32_t{3}), 1);
  EXPECT_EQ(size->Value().ToInt32(), 3) << "the property shows later stores";
  EXPECT_EQ(size->Key(), "SIZE");
}

TEST_F(ItemDataTest, AddValueTagsTheTypeAndKeepsTheFlags) {
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
}

TEST_F(ItemDataTest, ClearEmptiesTheSetAndLetsGoOfItsEntries) {
  data->SetValue("TYPE", Variant("x"), 1);
  const auto kept = data->Property("TYPE");
  data->Clear();
  EXPECT_EQ(data->Count(), 0);
  EXPECT_TRUE(data->Keys().empty());
  EXPECT_EQ(kept->Value().ToString(), "x") << "an entry handed out keeps its last value";
  data->SetValue("NAME", Variant("y"), 1);
  EXPECT_EQ(data->Keys(), (std::vector<std::string>{"NAME"})) << "order starts afresh";
}

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

TEST(ItemStoresTest, DataAndStatesAreSeparateStores) {
  auto model = platform::MakeObject<host::ProjectModel>();
  const auto item = model->Items()->AddNew(nullptr, nullptr, nullptr);
  item->Data()->SetValue("COMPARESTATE", Variant(int32_t{2}), 1);
  EXPECT_FALSE(item->States()->Exists("COMPARESTATE"));
  item->States()->SetValue("SYMBOLSTATE", Variant(int32_t{64}), 1);
  EXPECT_FALSE(item->Data()->Exists("SYMBOLSTATE"));
  EXPECT_TRUE(SameObject(item->Data(), item->Data())) << "one store per item, not a copy";
  model->Terminate();
}

}  // namespace
