// The model's life cycle, the factory and handler calls, events and the AutoRefresh protocol.

#include "model/ModelTest.h"

namespace mztest {
namespace {

TEST_F(ModelTest, ProjectsAreBuiltRefreshedAndRemovedThroughTheFactoryWithTheirEvents) {
  EXPECT_FALSE(model->HasProject());
  model->AddProject(project);
  EXPECT_EQ(Events(),
            "add P@1 add HW@1 add Prog@2 add C1@1 add FB1@1 add FB2@2 add C2@2 add FB3@1 "
            "add Default@3 add FB4@1 project-add P")
      << "each item is announced once it is in place, the project after its whole tree";
  EXPECT_TRUE(model->HasProject());
  EXPECT_EQ(model->ItemList()->Count(), 10);
  connections.emplace_back(model->ProjectRemove().Connect([this](Item) {
    EXPECT_TRUE(model->HasProject()) << "ProjectRemove comes while the tree is still there";
  }));
  model->RefreshProject(project);
  const std::string refreshed = Events();
  EXPECT_TRUE(refreshed.starts_with("remove FB4@1 ")) << refreshed;
  EXPECT_TRUE(refreshed.ends_with("add FB4@1 project-refresh P total")) << refreshed;
  model->RemoveProject(project);
  EXPECT_TRUE(Events().starts_with("project-remove P remove FB4@1"))
      << "announced before the factory removes";
  EXPECT_FALSE(model->HasProject());
  model->RemoveProject(project);
  EXPECT_EQ(Events(), "") << "removing a project that is not there announces nothing";
  model->SetFactory(nullptr);
  for (const auto operation : {&host::ProjectModel::AddProject, &host::ProjectModel::RemoveProject,
                               &host::ProjectModel::RefreshProject}) {
    EXPECT_EQ(ErrorOf([&] { ((*model).*operation)(project); }), platform::errc::kObjectNotSet)
        << "no factory, no tree";
  }
  EXPECT_EQ(Events(), "");
}

TEST_F(ModelTest, AHandlerIsInitializedBeforeItemAddAndWithoutOneTheItemStaysBare) {
  factory->onCreate = [this](FakeHandler& handler) {
    handler.onInitialize = [this](FakeHandler& self) {
      EXPECT_TRUE(self.ProjectItem() && self.Object()) << "factory set item and object first";
      EXPECT_TRUE(model->ItemList()->Find(4, Variant(self.Object())))
          << "the item is already searchable while its handler initialises";
      EXPECT_EQ(Events(), "") << "ItemAdd comes after Initialize";
    };
  };
  const auto item = model->Items()->AddNew(Block("FB9"), nullptr, nullptr);
  EXPECT_EQ(Calls(), "initItem:FB9 initialize:FB9");
  EXPECT_EQ(Events(), "add FB9@1");
  EXPECT_EQ(HandlerOf(item)->initializeCount, 1);
  EXPECT_EQ(item->HandlerObject()->TypeName(), "RgPrjHandlerBlock");
  const auto bare = model->Items()->AddNew(Node("X", {}, ""), nullptr, nullptr);
  EXPECT_FALSE(bare->Handler()) << "the factory found no handler class";
  model->SetFactory(nullptr);
  const auto withoutFactory = model->Items()->AddNew(Block("Y"), nullptr, nullptr);
  EXPECT_FALSE(withoutFactory->Handler()) << "no factory, no handler";
  EXPECT_FALSE(withoutFactory->IsOpen()) << "without a handler an item is not open";
  EXPECT_EQ(Events(), "add X@2 add Y@3");
}

TEST_F(ModelTest, AddNewPlacesBetweenNeighboursAndRemoveTerminatesDeepestFirst) {
  BuildSample();
  struct Case {
    const char* before;
    const char* after;
    const char* order;
  };
  const Case cases[] = {
      {nullptr, nullptr, "FB1 FB2 N"},  // appended
      {"FB1", nullptr, "N FB1 FB2"},    // on top
      {"FB2", nullptr, "FB1 N FB2"},   {nullptr, "FB1", "FB1 N FB2"},
      {nullptr, "FB2", "FB1 FB2 N"},   {"FB1", "FB1", "FB1 N FB2"},  // with both, `after` decides
  };
  for (const auto& c : cases) {
    const auto category = ItemNamed("C1");
    const auto before = c.before ? ItemNamed(c.before) : Item();
    const auto after = c.after ? ItemNamed(c.after) : Item();
    const auto item = category->Items()->AddNew(Block("N"), before, after);
    EXPECT_EQ(ChildNames(model, category), c.order)
        << "before=" << (c.before ? c.before : "-") << " after=" << (c.after ? c.after : "-");
    category->Items()->Remove(item);
  }
  Events();
  const auto c1 = ItemNamed("C1")->Items();
  EXPECT_EQ(ErrorOf([&] { c1->AddNew(Block("N"), ItemNamed("FB3"), {}); }),
            platform::errc::kInvalidCall)
      << "a neighbour below another parent is refused";
  EXPECT_EQ(ErrorOf([&] { c1->Remove(ItemNamed("FB3")); }), platform::errc::kInvalidCall)
      << "FB3 is not a child of C1";
  EXPECT_EQ(ErrorOf([&] { c1->Remove(nullptr); }), platform::errc::kObjectNotSet);
  EXPECT_EQ(ChildNames(model, ItemNamed("C1")), "FB1 FB2") << "refused changes change nothing";
  EXPECT_EQ(Events(), "");
  Calls();
  const auto program = ItemNamed("Prog");
  ItemNamed("P")->Items()->Remove(program);
  EXPECT_EQ(Events(),
            "remove FB4@1 remove Default@3 remove FB3@1 remove C2@2 remove FB2@2 remove FB1@1 "
            "remove C1@1 remove Prog@2");
  EXPECT_EQ(Calls(),
            "terminate:FB4 terminateItem:FB4 terminate:Default terminateItem:Default "
            "terminate:FB3 terminateItem:FB3 terminate:C2 terminateItem:C2 terminate:FB2 "
            "terminateItem:FB2 terminate:FB1 terminateItem:FB1 terminate:C1 terminateItem:C1 "
            "terminate:Prog terminateItem:Prog")
      << "every handler of the subtree exactly once, deepest first";
  EXPECT_FALSE(program->Parent()) << "a removed item has no parent";
  EXPECT_FALSE(program->Model()) << "a removed item has no model";
  EXPECT_FALSE(program->Handler()) << "the factory detached the handler";
  EXPECT_EQ(program->Items()->Count(), 0) << "the subtree was taken apart";
  EXPECT_EQ(ChildNames(model, ItemNamed("P")), "HW");
  size_t alive = 0;
  for (const auto& [name, handler] : factory->handlers) alive += handler.expired() ? 0 : 1;
  EXPECT_EQ(alive, 2u) << "only the project's and the hardware's handlers are left";
}

TEST_F(ModelTest, AFailingHandlerDoesNotStopTheRemoval) {
  factory->onCreate = [](FakeHandler& handler) {
    handler.failTerminate = handler.TypeName() == "RgPrjHandlerCategory";
  };
  BuildSample();
  std::string why;
  EXPECT_EQ(ErrorOf([&] { ItemNamed("P")->Items()->Remove(ItemNamed("Prog")); }, &why),
            platform::errc::kFail)
      << "the handler's failure reaches the caller";
  EXPECT_EQ(why, "terminate failed");
  EXPECT_EQ(ChildNames(model, ItemNamed("P")), "HW") << "the subtree is gone all the same";
  const std::string calls = Calls();
  for (const char* name : {"FB1", "C1", "FB3", "C2", "Default", "Prog"}) {
    EXPECT_NE(calls.find(std::string("terminateItem:") + name), std::string::npos)
        << name << " is detached from its handler despite the failures";
  }
}

TEST_F(ModelTest, TerminateOrDroppingTheModelLeavesNoLiveItemsHandlersOrBackReferences) {
  // The owner holds the model, as the snap-in does, and the handlers hold their items.
  auto owner = platform::MakeObject<FakeObject>("owner", "");
  owner->held = model;
  model->SetOwner(owner);
  std::weak_ptr<platform::Object> ownerAlive = owner.Shared();
  owner.Reset();
  BuildSample();
  std::vector<std::weak_ptr<platform::Object>> items;
  for (auto item = model->Items()->First(); item; item = model->ItemList()->Next(item)) {
    items.push_back(item.Shared());
  }
  ASSERT_EQ(items.size(), 10u);
  model->Terminate();
  EXPECT_FALSE(model->HasProject());
  EXPECT_FALSE(model->Factory()) << "Terminate drops the factory";
  EXPECT_FALSE(model->Owner()) << "Terminate drops the owner";
  EXPECT_TRUE(ownerAlive.expired()) << "the owner-model cycle is broken";
  for (const auto& item : items) EXPECT_TRUE(item.expired()) << "no item outlives Terminate";
  for (const auto& [name, handler] : factory->handlers) {
    EXPECT_TRUE(handler.expired()) << "handler of " << name << " is gone";
  }
  EXPECT_TRUE(Events().starts_with("remove FB4@1 remove Default@3"))
      << "Terminate announces what it removes";
  auto local = platform::MakeObject<host::ProjectModel>();
  local->SetFactory(factory);
  local->AddProject(project);
  std::weak_ptr<platform::Object> root = local->Items()->First().Shared();
  local.Reset();
  EXPECT_TRUE(root.expired()) << "the handler-item cycles must not keep the tree alive";
}

TEST_F(ModelTest, UpdatesAreBatchesOfOneShownWhileInTheTreeAndIsOpenAsksTheHandler) {
  BuildSample();  // the fixture checks that every item event reads AutoRefresh() False
  EXPECT_TRUE(model->AutoRefresh()) << "the flag reads True again after a single change";
  model->SetAutoRefresh(false);
  model->SetAutoRefresh(false);
  ItemNamed("FB1")->Update();
  model->SetAutoRefresh(true);
  model->SetAutoRefresh(true);
  EXPECT_EQ(Events(), "auto 0 change FB1@1 auto 1")
      << "a batch: off, the changes, on; announced only when the flag changes";
  const auto fb2 = ItemNamed("FB2");
  fb2->Update();
  EXPECT_EQ(Events(), "change FB2@2");
  ItemNamed("C1")->Items()->Remove(fb2);
  Events();
  fb2->Update();
  EXPECT_EQ(Events(), "") << "a removed item is shown nowhere";
  const auto fb1 = ItemNamed("FB1");
  EXPECT_FALSE(fb1->IsOpen());
  HandlerOf(fb1)->open = true;
  EXPECT_TRUE(fb1->IsOpen());
  HandlerOf(fb1)->failOpen = true;
  EXPECT_EQ(ErrorOf([&] { fb1->IsOpen(); }), platform::errc::kFail) << "the handler's error";
}

TEST_F(ModelTest, ListenersMayRemoveItemsWhileTheyAreAnnounced) {
  // A listener that takes FB2 out again as soon as it is added, and C2 once FB3 comes.
  connections.emplace_back(model->ItemAdd().Connect([this](Item item, int32_t) {
    if (NameOf(item) == "FB2") item->Parent()->Items()->Remove(item);
    if (NameOf(item) == "FB3") ItemNamed("Prog")->Items()->Remove(item->Parent());
  }));
  model->AddProject(project);
  EXPECT_EQ(ChildNames(model, ItemNamed("C1")), "FB1");
  EXPECT_EQ(ChildNames(model, ItemNamed("Prog")), "C1 Default");
  EXPECT_TRUE(factory->handlers["FB2"].expired()) << "FB2's handler was terminated and freed";
  const std::string events = Events();
  EXPECT_NE(events.find("add FB2@2 remove FB2@2"), std::string::npos) << events;
  EXPECT_NE(events.find("add FB3@1 remove FB3@1 remove C2@2"), std::string::npos) << events;
  EXPECT_TRUE(events.ends_with("add Default@2 add FB4@1 project-add P")) << events;
}

TEST_F(ModelTest, RemovingAnItemAgainWhileItIsLeavingDoesNothing) {
  BuildSample();
  const auto c1 = ItemNamed("C1");
  const auto program = ItemNamed("Prog");
  connections.emplace_back(model->ItemRemove().Connect([&](Item item, int32_t) {
    if (NameOf(item) == "FB1") program->Items()->Remove(c1);  // C1 is already on its way out
  }));
  program->Items()->Remove(c1);
  EXPECT_TRUE(factory->handlers["C1"].expired());
  EXPECT_EQ(Events(), "remove FB2@2 remove FB1@1 remove C1@1");
  EXPECT_EQ(Calls(),
            "terminate:FB2 terminateItem:FB2 terminate:FB1 terminateItem:FB1 terminate:C1 "
            "terminateItem:C1")
      << "each handler exactly once";
}

}  // namespace
}  // namespace mztest
