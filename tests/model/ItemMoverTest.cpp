// The item mover: across parents and within one, handlers kept, queue order, parking, failures.

#include "host/model/ItemMover.h"
#include "host/model/ModelClasses.h"
#include "model/ModelTest.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/ClassRegistry.h"

namespace mztest {
namespace {

class ItemMoverTest : public ModelTest {
 protected:
  void SetUp() override {
    BuildSample();
    mover = platform::MakeObject<host::ItemMover>();
  }
  Item Named(const char* name) { return name ? ItemNamed(name) : Item(); }
  Ref<host::ItemMover> mover;
};

TEST_F(ItemMoverTest, MovesAcrossParentsKeepTheHandlerAndASubtreeIsAnnouncedItemByItem) {
  const auto fb1 = ItemNamed("FB1");
  FakeHandler* handler = HandlerOf(fb1);
  mover->SetParents(ItemNamed("C1"), ItemNamed("C2"));
  mover->AddItem(fb1, nullptr, ItemNamed("FB3"));
  mover->Execute();
  EXPECT_EQ(Events(), "remove FB1@1 add FB1@2");
  EXPECT_EQ(ChildNames(model, ItemNamed("C1")), "FB2");
  EXPECT_EQ(ChildNames(model, ItemNamed("C2")), "FB3 FB1");
  EXPECT_EQ(Calls(), "") << "no Terminate, no Initialize: the handler just comes along";
  EXPECT_EQ(HandlerOf(fb1), handler);
  EXPECT_TRUE(SameObject(handler->ProjectItem(), fb1));
  EXPECT_EQ(NameOf(ItemNamed("C2")->ChildList()->Previous(fb1)), "FB3");
  EXPECT_EQ(mover->Pending(), 0u) << "Execute empties the queue";

  const auto program = ItemNamed("Prog");
  mover->SetParents(program, program);
  mover->AddItem(ItemNamed("C2"), nullptr, ItemNamed("Default"));
  mover->Execute();
  EXPECT_EQ(ChildNames(model, program), "C1 Default C2");
  EXPECT_EQ(ChildNames(model, ItemNamed("C2")), "FB3 FB1") << "the children come along";
  EXPECT_EQ(Events(), "remove FB1@2 remove FB3@1 remove C2@2 add C2@3 add FB3@1 add FB1@2")
      << "a flat view following the events by item stays exact";
  EXPECT_EQ(NameOf(model->ItemList()->Next(ItemNamed("FB4"))), "C2");
}

TEST_F(ItemMoverTest, ReordersWithinOneParentAtExactPositions) {
  for (const char* name : {"B", "C", "D"}) {
    const auto block = Block(name);
    ObjectNamed("C1")->children.push_back(block);  // so that ItemNamed finds it
    ItemNamed("C1")->Items()->AddNew(block, nullptr, nullptr);
  }
  Events();
  // C1 now holds FB1 FB2 B C D; each row starts again from that order.
  struct Case {
    const char* item;
    const char* before;
    const char* after;
    const char* order;
    const char* events;
  };
  const Case cases[] = {
      {"FB1", nullptr, "C", "FB2 B C FB1 D", "remove FB1@1 add FB1@4"},
      {"D", "FB1", nullptr, "D FB1 FB2 B C", "remove D@5 add D@1"},
      {"FB2", nullptr, nullptr, "FB1 B C D FB2", "remove FB2@2 add FB2@5"},
      {"B", nullptr, "FB2", "FB1 FB2 B C D", "remove B@3 add B@3"},
      {"C", "C", nullptr, "FB1 FB2 B C D", ""},  // next to itself: stays, no events
  };
  for (const auto& c : cases) {
    const auto category = ItemNamed("C1");
    mover->SetParents(category, category);
    mover->AddItem(ItemNamed(c.item), Named(c.before), Named(c.after));
    mover->Execute();
    EXPECT_EQ(ChildNames(model, category), c.order) << "moving " << c.item;
    EXPECT_EQ(Events(), c.events) << "moving " << c.item;
    // Back to the starting order for the next row.
    for (const char* name : {"FB1", "FB2", "B", "C", "D"}) {
      mover->AddItem(ItemNamed(name), nullptr, nullptr);
    }
    mover->Execute();
    Events();
  }
}

TEST_F(ItemMoverTest, QueuedItemsMoveInQueueOrderAndAFailingEntryDoesNotStopTheOthers) {
  mover->SetParents(ItemNamed("C1"), ItemNamed("Default"));
  mover->AddItem(ItemNamed("FB1"), nullptr, nullptr);
  mover->AddItem(ItemNamed("FB2"), nullptr, nullptr);
  mover->Execute();
  EXPECT_EQ(ChildNames(model, ItemNamed("Default")), "FB4 FB1 FB2");
  EXPECT_EQ(Events(), "remove FB1@1 add FB1@2 remove FB2@1 add FB2@3");
  mover->Execute();
  EXPECT_EQ(Events(), "") << "an empty queue moves nothing";
  mover->SetParents(ItemNamed("Default"), ItemNamed("C2"));
  mover->AddItem(ItemNamed("FB3"), nullptr, nullptr);  // not a child of Default
  mover->AddItem(ItemNamed("FB2"), nullptr, nullptr);
  EXPECT_EQ(ErrorOf([&] { mover->Execute(); }), platform::errc::kInvalidCall)
      << "the wrong entry is reported";
  EXPECT_EQ(ChildNames(model, ItemNamed("C2")), "FB3 FB2") << "the valid entry was moved";
  EXPECT_EQ(mover->Pending(), 0u);
}

TEST_F(ItemMoverTest, RefusesMovesThatBreakTheTreeAndParksItemsWithTheirHandler) {
  struct Case {
    const char* oldParent;
    const char* newParent;
    const char* item;
    const char* after;
    int32_t error;
  };
  const Case cases[] = {
      {"Prog", "C1", "C1", nullptr, platform::errc::kInvalidCall},    // below itself
      {"P", "FB1", "Prog", nullptr, platform::errc::kInvalidCall},    // below its own descendant
      {"C1", "C2", "FB1", "FB4", platform::errc::kInvalidCall},       // neighbour elsewhere
      {"C1", "C2", nullptr, nullptr, platform::errc::kObjectNotSet},  // no item
  };
  for (const auto& c : cases) {
    mover->SetParents(ItemNamed(c.oldParent), ItemNamed(c.newParent));
    mover->AddItem(Named(c.item), nullptr, Named(c.after));
    EXPECT_EQ(ErrorOf([&] { mover->Execute(); }), c.error) << (c.item ? c.item : "nothing");
  }
  EXPECT_EQ(ErrorOf([&] { ItemNamed("C2")->Items()->Add(ItemNamed("FB1"), nullptr, nullptr); }),
            platform::errc::kInvalidCall)
      << "an item with a parent is moved by the mover, not added";
  EXPECT_EQ(Events(), "") << "refused moves change nothing";

  const auto fb1 = ItemNamed("FB1");
  const auto fb2 = ItemNamed("FB2");
  mover->SetParents(ItemNamed("C1"), nullptr);
  mover->AddItem(fb1, nullptr, nullptr);
  mover->AddItem(fb2, nullptr, nullptr);
  mover->Execute();
  EXPECT_EQ(Events(), "remove FB1@1 remove FB2@1");
  EXPECT_FALSE(fb1->Parent());
  EXPECT_TRUE(SameObject(fb1->Model(), model)) << "a parked item still belongs to its model";
  EXPECT_FALSE(model->ItemList()->Find(1, Variant(fb1))) << "but is not in the tree";
  ASSERT_TRUE(fb1->Handler());

  ItemNamed("C2")->Items()->Add(fb1, ItemNamed("FB3"), nullptr);
  EXPECT_EQ(Events(), "add FB1@1");
  EXPECT_EQ(ChildNames(model, ItemNamed("C2")), "FB1 FB3");
  EXPECT_EQ(Calls(), "") << "putting it back does not initialise it again";

  std::weak_ptr<FakeHandler> parkedHandler = factory->handlers["FB2"];
  model->Terminate();
  EXPECT_TRUE(parkedHandler.expired()) << "Terminate ends parked items too";
  EXPECT_NE(Calls().find("terminate:FB2 terminateItem:FB2"), std::string::npos);
}

TEST(ModelClassesTest, TheModelAndTheMoverAreCreatableByBothIdentifiers) {
  host::RegisterModelClasses();
  for (const auto id :
       {mzblprsx::clsid::kProjectModel, std::string_view("mzblpexx.RgProjectModel")}) {
    const auto model = platform::CreateObjectAs<mzblprsx::RgProjectModel>(id);
    EXPECT_EQ(model->TypeName(), "RgProjectModel") << id;
    EXPECT_TRUE(model->AutoRefresh()) << id;
  }
  for (const auto id : {mzblprsx::clsid::kItemMover, std::string_view("mzblpexx.RgItemMover")}) {
    EXPECT_EQ(platform::CreateObjectAs<mzblprsx::IRgItemMover>(id)->TypeName(), "RgItemMover")
        << id;
  }
}

}  // namespace
}  // namespace mztest
