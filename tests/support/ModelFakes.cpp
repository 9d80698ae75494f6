#include "support/ModelFakes.h"

#include <sstream>

#include "host/model/ProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "platform/Error.h"

namespace modeltest {

using mzblprsx::RgProjectModel;

Ref<FakeObject> Node(const std::string& name, std::vector<Ref<FakeObject>> children,
                     const std::string& handlerClass) {
  auto node = platform::MakeObject<FakeObject>(name, handlerClass);
  node->children = std::move(children);
  return node;
}

Ref<FakeObject> Block(const std::string& name) {
  return Node(name, {}, "RgPrjHandlerBlock");
}

Ref<FakeObject> SampleProject() {
  const auto category = [](const std::string& name, std::vector<Ref<FakeObject>> blocks) {
    return Node(name, std::move(blocks), "RgPrjHandlerCategory");
  };
  return Node("P",
              {Node("HW", {}, "RgPrjHandlerHw"),
               Node("Prog",
                    {category("C1", {Block("FB1"), Block("FB2")}), category("C2", {Block("FB3")}),
                     category("Default", {Block("FB4")})},
                    "RgPrjHandlerProgram")},
              "RgPrjHandlerProject");
}

bool FakeHandler::IsOpen() {
  if (failOpen) throw platform::Error(platform::errc::kFail, "the document cannot be asked");
  return open;
}

void FakeHandler::Initialize() {
  ++initializeCount;
  journal_.push_back("initialize:" + NameOf(item_));
  if (onInitialize) onInitialize(*this);
}

void FakeHandler::Terminate() {
  ++terminateCount;
  journal_.push_back("terminate:" + NameOf(item_));
  item_.Reset();
  object_.Reset();
  if (failTerminate) throw platform::Error(platform::errc::kFail, "terminate failed");
}

Item FakeFactory::AddProject(Ref<RgProjectModel> model, Ref<platform::Object> project) {
  const auto object = project.As<FakeObject>();
  if (!model || !object) return {};
  auto root = model->Items()->AddNew(project, nullptr, nullptr);
  Fill(root, object);
  return root;
}

void FakeFactory::Fill(const Item& item, const Ref<FakeObject>& object) {
  for (const auto& child : object->children) {
    Fill(item->Items()->AddNew(child, nullptr, nullptr), child);
  }
}

void FakeFactory::InitializeItem(Item item, Ref<platform::Object> object) {
  const auto fake = object.As<FakeObject>();
  journal_.push_back("initItem:" + NameOf(item));
  if (!fake || fake->HandlerClass().empty()) return;
  auto handler = platform::MakeObject<FakeHandler>(fake->HandlerClass(), journal_);
  if (onCreate) onCreate(*handler);
  handlers[fake->Name()] = handler.Shared();
  item->SetHandler(handler);
  item->Handler()->SetObject(object);
  item->Handler()->SetProjectItem(item);
}

void FakeFactory::RefreshProject(Ref<RgProjectModel> model, Ref<platform::Object> project) {
  RemoveProject(model, project);
  AddProject(model, project);
}

void FakeFactory::RemoveProject(Ref<RgProjectModel> model, Ref<platform::Object> project) {
  const auto list = model->ItemList();
  if (!list->Find(4, Variant(project))) return;
  const auto item = list->FoundItem();
  item->Items()->Clear();
  model->Items()->Remove(item);
}

void FakeFactory::TerminateItem(Item item) {
  journal_.push_back("terminateItem:" + NameOf(item));
  if (const auto handler = item->Handler()) {
    handler->SetObject(nullptr);
    handler->SetProjectItem(nullptr);
  }
  item->SetHandler(nullptr);
}

int32_t ErrorOf(const std::function<void()>& body) {
  try {
    body();
  } catch (const platform::Error& e) {
    return e.Number();
  }
  return 0;
}

std::string NameOf(const Item& item) {
  const auto* node = dynamic_cast<const host::ProjectItem*>(item.Get());
  if (!node) return "?";
  const auto object = node->FrameworkObject().As<FakeObject>();
  return object ? object->Name() : "?";
}

FakeHandler* HandlerOf(const Item& item) {
  return item ? dynamic_cast<FakeHandler*>(item->HandlerObject().Get()) : nullptr;
}

std::string ChildNames(const Ref<RgProjectModel>& model, const Item& parent) {
  const auto items = parent ? parent->Items() : model->Items();
  std::string names;
  for (int32_t i = 1; i <= items->Count(); ++i) {
    names += (i > 1 ? " " : "") + NameOf(items->Item(i));
  }
  return names;
}

namespace {

void CollectPreOrder(const Ref<mzblprsx::RgProjectItems>& items, const Item& parent,
                     const Ref<RgProjectModel>& model, std::vector<Item>& out,
                     const std::string& when) {
  for (int32_t i = 1; i <= items->Count(); ++i) {
    const auto item = items->Item(i);
    EXPECT_EQ(items->IndexOf(item), i) << when << ": position of " << NameOf(item);
    EXPECT_TRUE(platform::SameObject(item->Parent(), parent))
        << when << ": parent of " << NameOf(item);
    EXPECT_TRUE(platform::SameObject(item->Model(), model))
        << when << ": model of " << NameOf(item);
    out.push_back(item);
    const auto children = item->Items();
    EXPECT_EQ(item->ChildList()->Count(), children->Count()) << when << ": child list count";
    CollectPreOrder(children, item, model, out, when);
  }
}

}  // namespace

void ExpectConsistent(const Ref<RgProjectModel>& model, const std::string& when) {
  std::vector<Item> order;
  CollectPreOrder(model->Items(), nullptr, model, order, when);
  const auto list = model->ItemList();
  ASSERT_EQ(list->Count(), static_cast<int32_t>(order.size())) << when << ": model list count";
  for (size_t i = 0; i < order.size(); ++i) {
    const Item expectedNext = i + 1 < order.size() ? order[i + 1] : Item();
    const Item expectedPrevious = i > 0 ? order[i - 1] : Item();
    EXPECT_TRUE(platform::SameObject(list->Next(order[i]), expectedNext))
        << when << ": pre-order after " << NameOf(order[i]);
    EXPECT_TRUE(platform::SameObject(list->Previous(order[i]), expectedPrevious))
        << when << ": pre-order before " << NameOf(order[i]);
  }
  // The first item in pre-order of every handler class and every object must be what Find gives.
  std::map<std::string, Item> firstByClass;
  std::map<const void*, Item> firstByObject;
  for (const auto& item : order) {
    if (const auto handler = item->HandlerObject()) {
      firstByClass.emplace(std::string(handler->TypeName()), item);
    }
    const auto* node = dynamic_cast<const host::ProjectItem*>(item.Get());
    if (node->ObjectIdentity()) firstByObject.emplace(node->ObjectIdentity(), item);
    EXPECT_TRUE(list->Find(1, Variant(item))) << when << ": find item " << NameOf(item);
  }
  for (const auto& [name, item] : firstByClass) {
    EXPECT_TRUE(list->Find(2, Variant(name)) && SameObject(list->FoundItem(), item))
        << when << ": find handler class " << name;
  }
  for (const auto& [identity, item] : firstByObject) {
    const auto* node = dynamic_cast<const host::ProjectItem*>(item.Get());
    EXPECT_TRUE(list->Find(4, Variant(node->FrameworkObject())) &&
                SameObject(list->FoundItem(), item))
        << when << ": find object of " << NameOf(item);
  }
}

ModelTest::ModelTest()
    : factory(platform::MakeObject<FakeFactory>(journal)),
      model(platform::MakeObject<host::ProjectModel>()),
      project(SampleProject()) {
  model->Initialize();
  model->SetFactory(factory);
  const auto onItem = [this](const char* kind, bool inTree) {
    return [this, kind, inTree](Item item, int32_t position) {
      Record(std::string(kind) + " " + NameOf(item) + "@" + std::to_string(position));
      const std::string when = std::string(kind) + " " + NameOf(item);
      EXPECT_FALSE(model->AutoRefresh()) << when << ": views must follow this event in place";
      EXPECT_EQ(model->ItemList()->Find(1, Variant(item)), inTree)
          << when << ": the event must see the item " << (inTree ? "in" : "out of") << " the tree";
      if (inTree) {
        const auto parent = item->Parent();
        const auto siblings = parent ? parent->Items() : model->Items();
        EXPECT_EQ(siblings->IndexOf(item), position) << when << ": reported position";
      }
      if (checkAfterEachEvent) ExpectConsistent(model, when);
    };
  };
  connections_.emplace_back(model->ItemAdd().Connect(onItem("add", true)));
  connections_.emplace_back(model->ItemChange().Connect(onItem("change", true)));
  connections_.emplace_back(model->ItemRemove().Connect(onItem("remove", false)));
  connections_.emplace_back(
      model->ProjectAdd().Connect([this](Item item) { Record("project-add " + NameOf(item)); }));
  connections_.emplace_back(model->ProjectRemove().Connect(
      [this](Item item) { Record("project-remove " + NameOf(item)); }));
  connections_.emplace_back(model->ProjectRefresh().Connect(
      [this](Item item) { Record("project-refresh " + NameOf(item)); }));
  connections_.emplace_back(
      model->AutoRefreshEvent().Connect([this](bool on) { Record(on ? "auto 1" : "auto 0"); }));
  connections_.emplace_back(model->TotalRefresh().Connect([this] { Record("total"); }));
}

ModelTest::~ModelTest() {
  connections.clear();
  connections_.clear();
  model->Terminate();
}

void ModelTest::Record(std::string text) {
  events_.push_back(std::move(text));
}

std::string ModelTest::Events() {
  std::string text;
  for (const auto& event : events_) text += (text.empty() ? "" : " ") + event;
  events_.clear();
  return text;
}

std::string ModelTest::Calls() {
  std::string text;
  for (; journalSeen_ < journal.size(); ++journalSeen_) {
    text += (text.empty() ? "" : " ") + journal[journalSeen_];
  }
  return text;
}

Item ModelTest::ItemNamed(const std::string& name) {
  const auto list = model->ItemList();
  return list->Find(4, Variant(ObjectNamed(name))) ? list->FoundItem() : Item();
}

Ref<FakeObject> ModelTest::ObjectNamed(const std::string& name) {
  std::vector<Ref<FakeObject>> pending{project};
  while (!pending.empty()) {
    const auto object = pending.back();
    pending.pop_back();
    if (object->Name() == name) return object;
    pending.insert(pending.end(), object->children.begin(), object->children.end());
  }
  return {};
}

void ModelTest::BuildSample() {
  model->AddProject(project);
  Events();
  Calls();
}

}  // namespace modeltest
