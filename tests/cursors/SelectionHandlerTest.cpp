// The selection handler over items of a real model: which changes raise which events, the range
// protocol with its anchor, Find by its three kinds, and replacing the selection.
#include "cursors/CursorTest.h"
#include "mzblprsx/core/LibraryClasses.h"
#include "mzblprsx/cursors/RgProjectSelectionHandler.h"

namespace mztest {
namespace {

class Selection : public CursorTest<mzblprsx::RgProjectSelectionHandler> {
 protected:
  void SetUp() override {
    Build(Obj("P", "RgProjectOffline", {Obj("C1", "RgCategory", {Fb(1), Fb(2), Fb(3)})}));
    auto& s = *cursor;
    const auto log = [this](std::string text) { events += (events.empty() ? "" : " ") + text; };
    c = {s.DocumentItemChange().Connect([=](const Item& i) { log("doc " + NameOf(i)); }),
         s.FocusItemChange().Connect([=](const Item& i) { log("focus " + NameOf(i)); }),
         s.SelectionChange().Connect([=] { log("change"); }),
         s.HideSelection().Connect([=] { log("hide"); }),
         s.ShowSelection().Connect([=] { log("show"); }),
         s.HideInsertionBarEvent().Connect([=] { log("hidebar"); }),
         s.ShowInsertionBarEvent().Connect(
             [=](const Item& i, int32_t at) { log("bar " + NameOf(i) + std::to_string(at)); }),
         s.AddRangeSelection().Connect(
             [=](const Item& a, const Item& b) { log("range " + NameOf(a) + "-" + NameOf(b)); })};
  }
  void Select(std::initializer_list<const char*> names) {
    for (const char* n : names) cursor->SelectedItems()->Add(ItemNamed(n), nullptr, nullptr);
  }
  std::string Selected() {
    std::vector<Item> items;
    for (int32_t i = 1; i <= cursor->SelectedItems()->Count(); ++i)
      items.push_back(cursor->SelectedItems()->Item(i));
    return Names(items);
  }
  void TearDown() override {
    c.clear();
    CursorTest::TearDown();
  }
  std::string Events() { return std::exchange(events, ""); }

  std::string events;
  std::vector<platform::ScopedConnection> c;
};

TEST_F(Selection, SettersRaiseOnlyForAnotherObjectOrValue) {
  for (const char* name : {"FB1", "FB1", "FB2"}) cursor->SetDocumentItem(ItemNamed(name));
  for (const char* name : {"FB1", "FB1"}) cursor->SetFocusItem(ItemNamed(name));
  cursor->SetFocusItem(nullptr);
  for (const bool on : {true, true, false, false}) cursor->SetFocus(on);
  cursor->SetShiftSelectionItem(ItemNamed("FB3"));
  cursor->SelectionChangeComplete();
  cursor->HideInsertionBar();
  cursor->ShowInsertionBar(ItemNamed("C1"), mzblprsx::RgInsertionBarPositionBottom);
  EXPECT_EQ(Events(), "doc FB1 doc FB2 focus FB1 focus ? show hide change hidebar bar C11");
  EXPECT_EQ(NameOf(cursor->DocumentItem()), "FB2");
  EXPECT_FALSE(cursor->FocusItem());
  EXPECT_EQ(NameOf(cursor->ShiftSelectionItem()), "FB3");
  EXPECT_TRUE(mzblprsx::FindLibraryClass("MZBLPRSX.RgProjectSelectionHandler"));
}

TEST_F(Selection, SelectRangeNeedsAnAnchorAndLeavesTheRangeToTheOwner) {
  Select({"FB2"});
  cursor->SelectRange(ItemNamed("FB1"));
  cursor->SetShiftSelectionItem(ItemNamed("FB1"));
  cursor->SelectRange(nullptr);
  EXPECT_EQ(Events() + "|" + Selected(), "|FB2") << "no anchor or no item: nothing at all";
  cursor->SelectRange(ItemNamed("FB1"));
  EXPECT_EQ(Events() + "|" + Selected(), "change|FB1") << "the anchor itself";
  platform::ScopedConnection fill = cursor->AddRangeSelection().Connect([&](Item, Item) {
    Select({"FB1", "FB2", "FB3"});
    cursor->SetShiftSelectionItem(nullptr);
  });
  cursor->SelectRange(ItemNamed("FB3"));
  EXPECT_EQ(Events() + "|" + Selected(), "range FB1-FB3 change|FB1 FB2 FB3");
}

TEST_F(Selection, FindSearchesTheSelectionOnlyByThreeKinds) {
  Select({"FB2", "C1", "FB3"});
  const auto found = [&](int32_t kind, Variant value) {
    return cursor->Find(kind, value) ? NameOf(cursor->FoundItem()) : "-";
  };
  EXPECT_EQ(found(1, ItemNamed("C1")), "C1");
  EXPECT_EQ(found(1, ItemNamed("FB1")), "-") << "not selected";
  EXPECT_EQ(found(2, "RgPrjHandlerRgBlockOffline.FB"), "FB2") << "the first of two";
  EXPECT_EQ(found(2, "rgprjhandlerrgcategory"), "-") << "case matters";
  EXPECT_EQ(found(4, ObjectNamed("FB3")), "FB3");
  for (const int32_t kind : {3, 5, 0}) {
    ASSERT_TRUE(cursor->Find(1, ItemNamed("C1")));
    EXPECT_FALSE(cursor->Find(kind, ItemNamed("C1"))) << kind;
    EXPECT_FALSE(cursor->FoundItem()) << kind;
  }
  EXPECT_EQ(Events(), "");
}

TEST_F(Selection, ReplaceSelectedItemsCopiesInOrderWithoutEvents) {
  Select({"FB1"});
  const auto items = cursor->SelectedItems();
  cursor->ReplaceSelectedItems(nullptr);
  cursor->ReplaceSelectedItems(items);
  EXPECT_EQ(Selected(), "FB1") << "nothing, or the selection itself, changes nothing";
  const auto other = platform::CreateObjectAs<mzblprsx::RgProjectItems>(mzblprsx::clsid::kProjectItems);
  for (const char* n : {"FB3", "C1"}) other->Add(ItemNamed(n), nullptr, nullptr);
  cursor->ReplaceSelectedItems(other);
  EXPECT_EQ(Selected(), "FB3 C1");
  other->Clear();
  cursor->ReplaceSelectedItems(other);
  EXPECT_EQ(Selected() + "|" + Events(), "|");
  EXPECT_TRUE(SameObject(cursor->SelectedItems(), items)) << "never replaced";
}

}  // namespace
}  // namespace mztest
