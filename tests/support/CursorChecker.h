// Checks a cursor against its model after every event it raises (made before Attach, so that it
// sees the first), and records the events ("add FB1@3 remove C1@2 total auto 1 project-add P").
// Expected: the filtered tree in pre-order, of the items whose ItemAdd the model delivered; the
// same set for a sorted cursor (not `ordered`). Each item is listed once, at the position it
// reports, and an event's item is where the event says; an item out of the tree may stay listed
// only until its removal is announced.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "mzblprsx/cursors/RgProjectCursorBase.h"
#include "support/FakeObject.h"

namespace mztest {

class CursorChecker {
 public:
  using Filter = std::function<bool(const Item&)>;
  CursorChecker(Model model, Ref<mzblprsx::RgProjectCursorBase> cursor, Filter filter,
                bool ordered = true)
      : filter(std::move(filter)), model_(std::move(model)), cursor_(cursor), ordered_(ordered) {
    Reset();
    Keep(model_->ItemAdd().Connect([this](Item i, int32_t) { announced_.insert(Id(i)); }));
    Keep(model_->ItemRemove().Connect([this](Item i, int32_t) { announced_.erase(Id(i)); }));
    using Positioned = platform::Signal<Item, int32_t>;
    for (const auto& [signal, kind] :
         std::vector<std::pair<Positioned*, std::string>>{{&cursor->ItemAdd(), "add"},
                                                          {&cursor->ItemChange(), "change"},
                                                          {&cursor->ItemRemove(), "remove"}}) {
      Keep(signal->Connect([this, kind](Item item, int32_t position) {
        Record(kind + " " + NameOf(item) + "@" + std::to_string(position));
        EXPECT_TRUE(SameObject(cursor_->Item(Variant(position)), item)) << events_.back();
        Check(kind == "remove" ? item : Item());
      }));
    }
    Keep(cursor->TotalRefresh().Connect([this] {
      Record("total");
      CheckNow();
    }));
    Keep(cursor->AutoRefresh().Connect([this](bool on) { Record(on ? "auto 1" : "auto 0"); }));
    Keep(cursor->ProjectAdd().Connect([this](Item i) { Record("project-add " + NameOf(i)); }));
    Keep(cursor->ProjectRemove().Connect([this](Item i) { Record("project-rm " + NameOf(i)); }));
  }

  std::string Events() {  // since the last call
    std::string out;
    for (const auto& e : events_) out += (out.empty() ? "" : " ") + e;
    events_.clear();
    return out;
  }
  void CheckNow() {
    Reset();
    Check({});
  }

  Filter filter;
  std::set<const void*> stale;  ///< allowed to differ from the filter (listed before a change)
  int checks = 0;

 private:
  static const void* Id(const Item& item) { return platform::Identity(item); }
  void Keep(platform::Connection c) { connections_.emplace_back(std::move(c)); }
  void Record(std::string event) { events_.push_back(std::move(event)); }
  void Reset() {
    announced_.clear();
    for (const auto& item : PreOrder(model_)) announced_.insert(Id(item));
  }
  void Check(const Item& removing) {
    ++checks;
    const std::string when = events_.empty() ? "check" : events_.back();
    const auto listed = cursor_->NewEnum();
    std::vector<Item> actual;
    std::vector<Item> expected;
    for (size_t i = 0; i < listed.size(); ++i) {
      ASSERT_EQ(cursor_->Index(listed[i]), static_cast<int32_t>(i + 1)) << when << ": duplicate?";
      if (!model_->ItemList()->Find(1, Variant(listed[i]))) {
        EXPECT_TRUE(SameObject(listed[i], removing) || announced_.count(Id(listed[i])) != 0)
            << when << ": " << NameOf(listed[i]) << " left the tree but is still listed";
      } else if (stale.count(Id(listed[i])) == 0) {
        actual.push_back(listed[i]);
      }
    }
    for (const auto& item : PreOrder(model_)) {
      if (announced_.count(Id(item)) && !stale.count(Id(item)) && filter(item)) {
        expected.push_back(item);
      }
    }
    if (!ordered_) {
      const auto byId = [](const Item& a, const Item& b) { return Id(a) < Id(b); };
      std::sort(actual.begin(), actual.end(), byId);
      std::sort(expected.begin(), expected.end(), byId);
    }
    EXPECT_TRUE(std::equal(actual.begin(), actual.end(), expected.begin(), expected.end(),
                           [](const Item& a, const Item& b) { return SameObject(a, b); }))
        << when << ": the cursor lists\n  " << Names(actual) << "\nthe model says\n  "
        << Names(expected);
  }

  Model model_;
  Ref<mzblprsx::RgProjectCursorBase> cursor_;
  bool ordered_;
  std::set<const void*> announced_;
  std::vector<std::string> events_;
  std::vector<platform::ScopedConnection> connections_;
};

}  // namespace mztest
