// The cursors' keyed item list against a plain vector under random operations that move it
// between its plain sequence and its tree, and the errors of the collection it stands for.
#include <numeric>
#include <random>

#include "cursors/CursorTest.h"
#include "mzblprsx/cursors/RgCursorItemList.h"
#include "support/SyntheticModel.h"

namespace mztest {
namespace {

using mzblprsx::RgCursorItemList;

class CursorItemList : public CursorTest<RgCursorItemList> {
 protected:
  mzbench::SyntheticModel synthetic{250};
  std::vector<Item> pool = PreOrder(synthetic.Model());
};

TEST_F(CursorItemList, RandomOperationsAgreeWithAPlainVector) {
  std::vector<Item> expected;
  std::mt19937 random(11);
  for (int step = 0; step < 3000; ++step) {
    const auto action = random() % 20;
    const Item item = pool[random() % pool.size()];
    if (action < 12 && !cursor->Contains(item)) {
      const size_t at = action < 5 ? expected.size() : random() % (expected.size() + 1);
      if (action < 5) {
        cursor->Append(item);
      } else {
        EXPECT_EQ(cursor->InsertAfter(item, at ? expected[at - 1] : Item()), int32_t(at + 1));
      }
      expected.insert(expected.begin() + std::ptrdiff_t(at), item);
    } else if (action < 18 && !expected.empty()) {
      const size_t at = random() % expected.size();
      cursor->Remove(expected[at]);
      expected.erase(expected.begin() + std::ptrdiff_t(at));
    } else if (action == 18) {
      std::shuffle(expected.begin(), expected.end(), random);
      cursor->Assign(expected);
    } else if (random() % 4 == 0) {
      // Emptied and refilled in its own memory, as a cursor's rebuild does.
      std::vector<Item> taken;
      cursor->TakeItems(taken);
      ASSERT_EQ(taken.size(), expected.size()) << step;
      ASSERT_EQ(cursor->Count(), 0) << step;
      for (const auto& kept : expected) cursor->Append(kept);
    } else {
      std::vector<uint32_t> order(expected.size());
      std::iota(order.begin(), order.end(), 0u);
      std::shuffle(order.begin(), order.end(), random);
      cursor->Reorder(order);
      std::vector<Item> reordered;
      for (const uint32_t from : order) reordered.push_back(expected[from]);
      expected = std::move(reordered);
    }
    const auto at = std::find(expected.begin(), expected.end(), item);
    ASSERT_EQ(cursor->IndexOf(item), at == expected.end() ? 0 : at - expected.begin() + 1) << step;
    if (!expected.empty()) {
      const size_t probe = random() % expected.size();
      ASSERT_TRUE(SameObject(cursor->Item(int32_t(probe + 1)), expected[probe])) << step;
    }
  }
  ASSERT_EQ(Listed(), Names(expected));
}

TEST_F(CursorItemList, KeysAndFailures) {
  cursor->Assign({pool[0], pool[1]});
  const std::string key = RgCursorItemList::KeyOf(pool[1]);
  EXPECT_EQ(key, "OBJ " + std::to_string(reinterpret_cast<uintptr_t>(platform::Identity(pool[1]))));
  EXPECT_TRUE(SameObject(cursor->ItemByKey(key), pool[1]));
  const std::vector<Item> twice{pool[2], pool[3], pool[2]};
  const std::vector<uint32_t> same{1, 1}, short_{1}, outside{1, 2};
  const std::pair<int32_t, std::function<void()>> failures[] = {
      {457, [&] { cursor->Append(pool[0]); }},
      {457, [&] { cursor->InsertAfter(pool[1], nullptr); }},
      {91, [&] { cursor->Append(nullptr); }},
      {5, [&] { cursor->InsertAfter(pool[2], pool[3]); }},
      {5, [&] { cursor->Remove(pool[2]); }},
      {9, [&] { cursor->Item(3); }},
      {5, [&] { cursor->ItemByKey("OBJ 42"); }},
      {457, [&] { cursor->Assign(twice); }},
      {5, [&] { cursor->Reorder(same); }},
      {5, [&] { cursor->Reorder(short_); }},
      {5, [&] { cursor->Reorder(outside); }},
  };
  for (const auto& [error, call] : failures) EXPECT_EQ(ErrorOf(call), error);
  EXPECT_EQ(Listed(), "Synthetic Station") << "a refused operation changes nothing";
}

}  // namespace
}  // namespace mztest
