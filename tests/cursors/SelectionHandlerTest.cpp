// The selection handler over a real model's items: events, range, Find, replacing the selection.
#include "cursors/CursorTest.h"
#include "mzblprsx/cursors/RgProjectSelectionHandler.h"

namespace mztest {
namespace {

class Selection : public CursorTest<mzblprsx::RgProjectSelectionHandler> {
 protected:
  void SetUp() override {
    Build(Obj("P", "RgProjectOffline", {Obj("C1", "RgCategory", {Fb(1), Fb(2), Fb(3)})}));
    auto& s = *cursor;
    const auto log = [this](std::string text) { events += text + " "; };
    const auto keep = [this](auto&&... connections) { (c.push_back(std::move(connections)), ...); };
    keep(s.DocumentItemChange().Connect([=](const Item& i) { log("doc " + NameOf(i)); }),
         s.FocusItemChange().Connect([=](const Item& i) { log("focus " + NameOf(i)); }),
         s.SelectionChange().Connect([=] { log("change"); }),
         s.HideSelection().Connect([=] { log("hide"); }),
         s.ShowSelection().Connect([=] { log("show"); }),
         s.AddRangeSelection().Connect(
             [=](const Item& a, const Item& b) { log("range " + NameOf(a) + "-" + NameOf(b)); }));
  }
  // The selected items' names, "|" and the events since the last call.
  std::string Selected() {
    std::string out;
    for (int32_t i = 1; i <= cursor->SelectedItems()->Count(); ++i)
      out += NameOf(cursor->SelectedItems()->Item(i)) + " ";
    return out + "|" + std::exchange(events, "");
  }

  std::string events;
  std::vector<platform::ScopedConnection> c;
};

TEST_F(Selection, ChangesRaiseEventsFindSearchesOnlyTheSelectionAndReplaceIsSilent) {
  for (const char* name : {"FB1", "FB1", "FB2"}) cursor->SetDocumentItem(ItemNamed(name));
  for (const char* name : {"FB1", "FB1"}) cursor->SetFocusItem(ItemNamed(name));
  for (const bool on : {true, true, false, false}) cursor->SetFocus(on);
  cursor->SelectedItems()->Add(ItemNamed("FB2"), {}, {});
  cursor->SelectRange(ItemNamed("FB1"));
  EXPECT_EQ(Selected(), "FB2 |doc FB1 doc FB2 focus FB1 show hide ") << "no anchor: no range";
  cursor->SetShiftSelectionItem(ItemNamed("FB1"));
  cursor->SelectRange(ItemNamed("FB1"));
  EXPECT_EQ(Selected(), "FB1 |change ") << "the anchor itself, and no AddRangeSelection";
  cursor->SelectRange(ItemNamed("FB3"));
  EXPECT_EQ(Selected(), "|range FB1-FB3 change ") << "cleared, for the owner to fill";

  for (const char* n : {"FB2", "C1", "FB3"}) cursor->SelectedItems()->Add(ItemNamed(n), {}, {});
  const auto found = [&](int32_t kind, Variant value) {
    return cursor->Find(kind, value) ? NameOf(cursor->FoundItem()) : "-";
  };
  EXPECT_EQ(found(1, ItemNamed("C1")) + found(1, ItemNamed("FB1")) +
                found(2, "RgPrjHandlerRgBlockOffline.FB") + found(2, "rgprjhandlerrgcategory") +
                found(4, ObjectNamed("FB3")),
            "C1-FB2-FB3");  // FB1 is not selected; the first of two; class names with their case
  EXPECT_EQ(found(3, ItemNamed("C1")) + found(5, ItemNamed("C1")), "--");
  EXPECT_FALSE(cursor->FoundItem()) << "cleared by the failed search";
  cursor->ReplaceSelectedItems(nullptr);
  EXPECT_EQ(Selected(), "FB2 C1 FB3 |");
  cursor->ReplaceSelectedItems(ItemNamed("C1")->Items());
  EXPECT_EQ(Selected(), "FB1 FB2 FB3 |") << "any collection, in its order";
  platform::ScopedConnection drop = cursor->SelectionChange().Connect([&] { cursor.Reset(); });
  cursor->SelectionChangeComplete();
  EXPECT_FALSE(cursor) << "released by the owner inside its event, without harm";
}

}  // namespace
}  // namespace mztest
