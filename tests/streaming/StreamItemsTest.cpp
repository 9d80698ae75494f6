// The stream items of one transfer: keys, order, initial actions, derived lists and removal.
#include <gtest/gtest.h>

#include "host/framework/ErrorService.h"
#include "host/framework/TraceService.h"
#include "streaming/StreamTest.h"
#include "support/FakeStreamHandler.h"

namespace mztest {
namespace {

namespace clsid = mzblprsx::clsid;
using mzblprsx::RgObjectStreamItem;
using mzblprsx::RgObjectStreamItems;
using platform::Variant;

class StreamItemsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    items.Reset();
    EXPECT_EQ(env.Trace().LiveCount(), 0u) << "stream items keep no library object alive";
  }

  void Reference(std::string_view classId, const std::string& id) {
    data->AddReference(std::string(classId), Variant(id), "name of " + id);
  }
  /// Attaches the data object; the items' object identifiers: " FB10 FB11".
  std::string Attach() {
    items->AttachDataObject(data);
    return FakeStreamHandler::Ids(items);
  }
  Ref<RgObjectStreamItem> Find(const std::string& id) {
    return items->Find(std::string(clsid::kBlockOffline), Variant(id));
  }
  std::vector<int32_t> ReportedNumbers() const { return Numbers(env.Errors().Reports()); }

  mutable host::Environment env;
  Ref<host::DataObject> data = platform::MakeObject<host::DataObject>();
  Ref<RgObjectStreamItems> items = platform::MakeObject<RgObjectStreamItems>();
};

TEST_F(StreamItemsTest, InitialActionDependsOnContentAndOnTheSideTheObjectIsReadFrom) {
  env.OpenProjectText(
      "<project name=\"P\" guid=\"{11111111-2222-3333-4444-555555555555}\"><program "
      "name=\"Program\"><block type=\"FB\" number=\"10\"/></program></project>",
      "p.prj.xml");
  data->AddObject(env.Project()->Program()->FindBlockById("FB10"));
  const std::pair<std::string_view, int32_t> references[] = {
      {clsid::kBlockOffline, mzblprsx::RgDataObjectItemActionCancel},
      {clsid::kCategory, mzblprsx::RgDataObjectItemActionCancel},
      {clsid::kMMCFile, mzblprsx::RgDataObjectItemActionCancel},
      {clsid::kBlockOnline, mzblprsx::RgDataObjectItemActionInsert},
      {clsid::kProgramOnline, mzblprsx::RgDataObjectItemActionInsert},
      {clsid::kProjectOnline, mzblprsx::RgDataObjectItemActionInsert},
      {clsid::kHwConfigOnline, mzblprsx::RgDataObjectItemActionInsert},
      {clsid::kMemoryCard, mzblprsx::RgDataObjectItemActionInsert}};
  for (const auto& [classId, action] : references) Reference(classId, "X");
  Attach();
  ASSERT_EQ(items->Count(), 1 + static_cast<int32_t>(std::size(references)));
  EXPECT_TRUE(platform::SameObject(items->DataObject(), data));
  const auto all = items->NewEnum();
  EXPECT_EQ(all[0]->Action(), mzblprsx::RgDataObjectItemActionInsert) << "carried with content";
  for (size_t i = 0; i < std::size(references); ++i) {
    EXPECT_EQ(all[i + 1]->Action(), references[i].second) << "reference to " << references[i].first;
  }
  for (const auto& item : all) {
    EXPECT_EQ(item->ItemError(), mzblprsx::RgDataObjectItemErrorNone);
    EXPECT_FALSE(item->Data()) << "no handler has looked at the object yet";
  }
}

TEST_F(StreamItemsTest, KeysJoinClassAndIdentifierTextAndAreUnique) {
  Reference(clsid::kBlockOffline, "17");
  Reference(clsid::kBlockOnline, "17");
  Attach();
  ASSERT_TRUE(items->Find(std::string(clsid::kBlockOffline), Variant(int32_t{17})))
      << "a number finds the object whose identifier is its decimal text";
  EXPECT_EQ(
      items->Find(std::string(clsid::kBlockOnline), Variant("17"))->DataObjectItem()->ClassID(),
      clsid::kBlockOnline);
  EXPECT_FALSE(Find("18"));
  EXPECT_FALSE(items->Find("", Variant("17")));
  EXPECT_TRUE(env.Errors().Reports().empty()) << "an unknown key is no failure";

  auto twin = platform::MakeObject<RgObjectStreamItem>();
  twin->SetDataObjectItem(data->Item(1));
  items->AddItem(twin);
  EXPECT_EQ(items->Count(), 2);
  EXPECT_EQ(ReportedNumbers(), (std::vector<int32_t>{457}));
}

TEST_F(StreamItemsTest, DerivedListsShareItemsFilterExactlyAndAreNeverNothing) {
  Reference(clsid::kCategory, "1");
  Reference(clsid::kBlockOffline, "FB10");
  Reference(clsid::kBlockOffline, "FB11");
  Attach();
  Find("FB11")->SetItemError(mzblprsx::RgDataObjectItemErrorOpenedBlock);

  const auto blocks = items->GetItemsByObjectType(std::string(clsid::kBlockOffline));
  EXPECT_EQ(FakeStreamHandler::Ids(blocks), " FB10 FB11");
  EXPECT_FALSE(blocks->DataObject()) << "a derived list belongs to no data object";
  EXPECT_TRUE(platform::SameObject(blocks->NewEnum()[0], Find("FB10")));
  EXPECT_EQ(items->GetObjectTypeCount(std::string(clsid::kBlockOffline)), 2);
  std::string lower(clsid::kBlockOffline);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(items->GetObjectTypeCount(lower), 0) << "class identifiers compare exactly";
  const auto none = items->GetItemsByObjectType(std::string(clsid::kBlockOnline));
  ASSERT_TRUE(none);
  EXPECT_EQ(none->Count(), 0);
  EXPECT_EQ(
      FakeStreamHandler::Ids(items->GetErrorItems(mzblprsx::RgDataObjectItemErrorOpenedBlock)),
      " FB11");
}

TEST_F(StreamItemsTest, RemoveKeepsTheRestInOrderAndTakesTheEntryOutOfTheDataObject) {
  for (const char* id : {"OB1", "FB10", "FB11", "DB10"}) Reference(clsid::kBlockOffline, id);
  Attach();
  items->Remove(Find("FB10"));
  EXPECT_EQ(FakeStreamHandler::Ids(items), " OB1 FB11 DB10");
  EXPECT_TRUE(Find("DB10")) << "keys after the removed one still find their items";
  EXPECT_EQ(data->ItemCount(), 3);
  EXPECT_FALSE(data->ItemByKey(std::string(clsid::kBlockOffline), Variant("FB10")));

  const auto derived = items->GetItemsByObjectType(std::string(clsid::kBlockOffline));
  derived->Remove(Find("OB1"));
  EXPECT_EQ(items->Count(), 3) << "removing from a derived list leaves the original";
  EXPECT_EQ(data->ItemCount(), 3) << "and the data object";
  EXPECT_EQ(derived->GetObjectTypeCount(std::string(clsid::kBlockOffline)), 2);
  EXPECT_EQ(items->GetObjectTypeCount(std::string(clsid::kBlockOffline)), 3)
      << "each list counts its own items";

  auto stranger = platform::MakeObject<RgObjectStreamItem>();  // same key, other object
  stranger->SetDataObjectItem(data->Item(1));
  items->Remove(stranger);
  EXPECT_EQ(items->Count(), 3);
  EXPECT_EQ(items->GetObjectTypeCount(std::string(clsid::kBlockOffline)), 3)
      << "a refused removal counts nothing off";
  EXPECT_EQ(ReportedNumbers(), (std::vector<int32_t>{5}));

  items->Clear();
  EXPECT_EQ(items->Count(), 0);
  EXPECT_EQ(items->GetObjectTypeCount(std::string(clsid::kBlockOffline)), 0);
  EXPECT_EQ(data->ItemCount(), 3) << "Clear forgets items, not the objects they stand for";
}

}  // namespace
}  // namespace mztest
