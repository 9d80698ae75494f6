// An item's children against a plain vector under random insertions and removals: the block
// sequence (small blocks, so that splits and merges happen all the time), and the model's.

#include <random>

#include "host/model/ChildSequence.h"
#include "model/ModelTest.h"

namespace mztest {
namespace {

using host::ChildSequence;
using host::ProjectItem;

std::shared_ptr<ProjectItem> NewChild() {
  return std::make_shared<ProjectItem>(std::weak_ptr<host::ProjectModel>(),
                                       Ref<platform::Object>());
}

/// Every child both ways, each at its position and found there.
void ExpectSame(const ChildSequence& sequence, const std::vector<ProjectItem*>& oracle) {
  ASSERT_EQ(sequence.Size(), oracle.size());
  ASSERT_EQ(sequence.Empty(), oracle.empty());
  if (oracle.empty()) return;
  EXPECT_EQ(sequence.Front().get(), oracle.front());
  EXPECT_EQ(sequence.Back().get(), oracle.back());
  const ProjectItem* forward = sequence.Front().get();
  for (size_t i = 0; i < oracle.size(); ++i, forward = sequence.After(*forward)) {
    ASSERT_EQ(forward, oracle[i]) << "walking forwards, at " << i;
    EXPECT_EQ(sequence.PositionOf(*oracle[i]), i);
  }
  const ProjectItem* backward = sequence.Back().get();
  for (size_t i = oracle.size(); i-- > 0; backward = sequence.Before(*backward)) {
    ASSERT_EQ(backward, oracle[i]) << "walking backwards, at " << i;
    EXPECT_EQ(sequence.At(i).get(), oracle[i]);
  }
  EXPECT_TRUE(forward == nullptr && backward == nullptr) << "nothing beyond the ends";
}

class ChildSequenceOracle : public ::testing::TestWithParam<uint32_t> {};

TEST_P(ChildSequenceOracle, RandomInsertionsAndRemovalsKeepOrderPositionsAndLookups) {
  ChildSequence sequence(GetParam());
  std::vector<std::shared_ptr<ProjectItem>> pool;  // keeps the children alive
  std::vector<ProjectItem*> oracle;
  ExpectSame(sequence, oracle);
  std::mt19937 random(GetParam());
  const auto pick = [&](size_t count) {
    // The ends are where a sequence goes wrong most easily: ask for them often.
    const auto roll = random() % 8;
    return roll == 0 ? 0 : roll == 1 ? count - 1 : random() % count;
  };
  for (int round = 0; round < 3; ++round) {
    for (int step = 0; step < 6000; ++step) {
      const bool growing = step < 3000;
      if (oracle.empty() || random() % 10 < (growing ? 7U : 3U)) {
        const size_t at = random() % 8 == 0 ? oracle.size() : pick(oracle.size() + 1);
        pool.push_back(NewChild());
        sequence.Insert(at, pool.back());
        oracle.insert(oracle.begin() + static_cast<std::ptrdiff_t>(at), pool.back().get());
      } else {
        const size_t at = pick(oracle.size());
        const auto taken = sequence.Erase(*oracle[at]);
        ASSERT_EQ(taken.get(), oracle[at]) << "step " << step << ": the child given back";
        oracle.erase(oracle.begin() + static_cast<std::ptrdiff_t>(at));
      }
      if (!oracle.empty()) {  // right after the change, while positions are stale
        const size_t probe = pick(oracle.size());
        const size_t lookup = pick(oracle.size());
        ASSERT_EQ(sequence.PositionOf(*oracle[probe]), probe) << "step " << step;
        ASSERT_EQ(sequence.At(lookup).get(), oracle[lookup]) << "step " << step;
      }
      if (step % 499 == 0) ExpectSame(sequence, oracle);
    }
    ExpectSame(sequence, oracle);
  }
  for (; !oracle.empty(); oracle.pop_back()) sequence.Erase(*oracle.back());
  ExpectSame(sequence, oracle);
}

INSTANTIATE_TEST_SUITE_P(BlockCapacities, ChildSequenceOracle,
                         ::testing::Values(4U, 8U, ChildSequence::kBlockCapacity));

TEST_F(ModelTest, ChildrenInsertedNextToRandomNeighboursAndRemovedKeepTheirOrder) {
  checkAfterEachEvent = false;  // every event's position is still checked against IndexOf
  const auto parent = model->Items()->AddNew(Node("Prog"), nullptr, nullptr);
  const auto children = parent->Items();
  std::vector<Item> oracle;
  std::mt19937 random(2026);
  for (int i = 0; i < 2500; ++i) {
    if (oracle.size() > 1 && random() % 5 == 0) {
      const size_t at = random() % oracle.size();
      children->Remove(oracle[at]);
      oracle.erase(oracle.begin() + static_cast<std::ptrdiff_t>(at));
      continue;
    }
    size_t at = oracle.size();
    Item before;
    Item after;
    if (!oracle.empty()) {
      const size_t neighbour = random() % oracle.size();
      const bool goesAfter = random() % 2 == 0;
      (goesAfter ? after : before) = oracle[neighbour];
      at = neighbour + (goesAfter ? 1 : 0);
    }
    const auto item = children->AddNew(Block("B" + std::to_string(i)), before, after);
    oracle.insert(oracle.begin() + static_cast<std::ptrdiff_t>(at), item);
    ASSERT_EQ(children->IndexOf(item), static_cast<int32_t>(at + 1)) << "insertion " << i;
  }
  EXPECT_EQ(ChildNames(model, parent), Names(oracle));
  ExpectConsistent(model, "after the random insertions and removals");
}

}  // namespace
}  // namespace mztest
