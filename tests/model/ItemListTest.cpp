// Searching and walking item lists: the search kinds, a child list's scope, changes, the size.

#include "model/ModelTest.h"

namespace mztest {
namespace {

class ItemListTest : public ModelTest {
 protected:
  /// The name of what the list finds, "-" when it finds nothing.
  static std::string Found(const Ref<mzblprsx::RgProjectItemList>& list, int32_t type,
                           const Variant& value) {
    return list->Find(type, value) ? NameOf(list->FoundItem()) : "-";
  }
};

TEST_F(ItemListTest, FindsTheFirstInPreOrderInTheListsScopeAndFollowsChanges) {
  BuildSample();
  const auto list = model->ItemList();
  struct Case {
    int32_t type;
    Variant value;
    const char* found;
  };
  const Case cases[] = {
      {1, Variant(ItemNamed("FB3")), "FB3"},
      {2, Variant("RgPrjHandlerCategory"), "C1"},
      {2, Variant("RgPrjHandlerBlock"), "FB1"},
      {2, Variant("RgPrjHandlerProject"), "P"},
      {2, Variant("rgprjhandlercategory"), "-"},  // class names compare exactly
      {2, Variant("RgPrjHandlerGhost"), "-"},
      {2, Variant(int32_t{2}), "-"},  // a class name is text
      {4, Variant(ObjectNamed("FB4")), "FB4"},
      {4, Variant(Block("FB4")), "-"},  // another object with the same name
      {4, Variant("FB4"), "-"},
      {4, Variant(), "-"},
      {3, Variant(ObjectNamed("FB4")), "-"},  // unknown search type
      {1, Variant(ObjectNamed("FB4")), "-"},  // an object is not an item
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Found(list, c.type, c.value), c.found)
        << "type " << c.type << " value " << c.value.ToString();
  }
  EXPECT_EQ(NameOf(list->FoundItem()), "FB4") << "a failed search keeps the last find";

  const auto program = ItemNamed("Prog");
  const auto children = program->ChildList();
  EXPECT_EQ(children->Count(), 3);
  EXPECT_EQ(Found(children, 4, Variant(ObjectNamed("FB3"))), "FB3") << "a block below a category";
  EXPECT_EQ(Found(children, 2, Variant("RgPrjHandlerCategory")), "C1");
  EXPECT_EQ(Found(children, 2, Variant("RgPrjHandlerProgram")), "-")
      << "the list's own item is out";
  EXPECT_EQ(Found(children, 1, Variant(program)), "-");
  EXPECT_EQ(Found(ItemNamed("C2")->ChildList(), 2, Variant("RgPrjHandlerBlock")), "FB3")
      << "the first of the subtree, although FB1 comes first in the model";
  EXPECT_EQ(Found(ItemNamed("HW")->ChildList(), 4, Variant(ObjectNamed("FB1"))), "-");
  EXPECT_EQ(NameOf(children->Next(ItemNamed("C1"))), "C2") << "siblings, not pre-order";
  EXPECT_EQ(NameOf(children->Previous(ItemNamed("Default"))), "C2");
  EXPECT_FALSE(children->Previous(ItemNamed("C1")));
  EXPECT_FALSE(children->Next(ItemNamed("Default")));
  EXPECT_FALSE(children->Next(ItemNamed("FB1"))) << "a grandchild is not walked";

  const auto fb3 = ObjectNamed("FB3");  // of two items of one object the earlier is found
  const auto again = ItemNamed("C1")->Items()->AddNew(fb3, nullptr, nullptr);
  ASSERT_TRUE(list->Find(4, Variant(fb3)));
  EXPECT_TRUE(SameObject(list->FoundItem(), again)) << "C1 comes before C2 in the tree";
  ItemNamed("C1")->Items()->Remove(again);
  ASSERT_TRUE(list->Find(4, Variant(fb3)));
  EXPECT_EQ(NameOf(list->FoundItem()->Parent()), "C2") << "then the one below C2";

  const auto c1 = ItemNamed("C1");
  const auto fb1 = ItemNamed("FB1");
  ItemNamed("Prog")->Items()->Remove(c1);
  EXPECT_EQ(Found(list, 2, Variant("RgPrjHandlerCategory")), "C2") << "C1 left, C2 is first";
  EXPECT_EQ(Found(list, 2, Variant("RgPrjHandlerBlock")), "FB3");
  EXPECT_EQ(Found(list, 4, Variant(ObjectNamed("FB1"))), "-") << "removed items are not found";
  EXPECT_EQ(Found(list, 1, Variant(fb1)), "-");
  EXPECT_FALSE(list->Next(fb1)) << "an item outside the list has no neighbours";

  const auto fb4 = ItemNamed("FB4");
  fb4->SetHandler(platform::MakeObject<FakeHandler>("RgPrjHandlerGhost", factory->journal));
  EXPECT_EQ(Found(list, 2, Variant("RgPrjHandlerGhost")), "FB4") << "re-filed under its class";
  fb4->SetHandler(nullptr);
  EXPECT_EQ(Found(list, 2, Variant("RgPrjHandlerGhost")), "-");
  EXPECT_EQ(Found(list, 4, Variant(ObjectNamed("FB4"))), "FB4") << "the object stays the key";
  ExpectConsistent(model, "after the handler changes");
}

TEST_F(ItemListTest, ACategoryOf65535BlocksBuildsAndFindsItsItems) {
  checkAfterEachEvent = false;
  constexpr int kBlocks = 65535;
  auto category = Node("Blocks", {}, "RgPrjHandlerCategory");
  category->children.reserve(kBlocks);
  for (int i = 1; i <= kBlocks; ++i) category->children.push_back(Block("B" + std::to_string(i)));
  project = Node("Big", {Node("Prog", {category}, "RgPrjHandlerProgram")});
  int added = 0;
  connections.emplace_back(model->ItemAdd().Connect([&](Item, int32_t) { ++added; }));

  model->AddProject(project);
  EXPECT_EQ(added, kBlocks + 3);
  Events();

  const auto list = model->ItemList();
  ASSERT_TRUE(list->Find(4, Variant(category->children[39999])));
  const auto block = list->FoundItem();
  const auto blocks = block->Parent()->Items();
  EXPECT_EQ(blocks->IndexOf(block), 40000);
  const auto ghost = blocks->AddNew(Node("Ghost", {}, "RgPrjHandlerGhost"), nullptr, block);
  EXPECT_EQ(blocks->IndexOf(ghost), 40001);
  EXPECT_EQ(blocks->IndexOf(blocks->Item(kBlocks + 1)), kBlocks + 1) << "positions moved up";
  ASSERT_TRUE(ItemNamed("Prog")->ChildList()->Find(2, Variant("RgPrjHandlerGhost")));
  EXPECT_EQ(list->Next(block), ghost);
  blocks->Clear();
  EXPECT_EQ(list->Count(), 3) << "Big, Prog and the category are left";
}

}  // namespace
}  // namespace mztest
