// A reference-host model with the fake factory whose events are recorded ("add P@1 add HW@1")
// and after each of which the whole model is checked; sample P { HW, Prog { C1 {FB1, FB2},
// C2 {FB3}, Default {FB4} } }.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "host/model/ProjectModel.h"
#include "support/FakeFactory.h"

namespace mztest {

inline Ref<FakeObject> SampleProject() {
  const auto category = [](const std::string& name, std::vector<Ref<FakeObject>> blocks) {
    return Node(name, std::move(blocks), "RgPrjHandlerCategory");
  };
  const auto program = Node("Prog",
                            {category("C1", {Block("FB1"), Block("FB2")}),
                             category("C2", {Block("FB3")}), category("Default", {Block("FB4")})},
                            "RgPrjHandlerProgram");
  return Node("P", {Node("HW", {}, "RgPrjHandlerHw"), program}, "RgPrjHandlerProject");
}

namespace detail {
inline void CollectPreOrder(const Ref<mzblprsx::RgProjectItems>& items, const Item& parent,
                            const Model& model, std::vector<Item>& out, const std::string& when) {
  for (int32_t i = 1; i <= items->Count(); ++i) {
    const auto item = items->Item(i);
    EXPECT_EQ(items->IndexOf(item), i) << when << ": position of " << NameOf(item);
    EXPECT_TRUE(SameObject(item->Parent(), parent)) << when << ": parent of " << NameOf(item);
    EXPECT_TRUE(SameObject(item->Model(), model)) << when << ": model of " << NameOf(item);
    out.push_back(item);
    EXPECT_EQ(item->ChildList()->Count(), item->Items()->Count()) << when << ": child list count";
    CollectPreOrder(item->Items(), item, model, out, when);
  }
}
}  // namespace detail

/// Parents, positions, counts, the model list's pre-order both ways, and that every search kind
/// finds the first matching item in pre-order.
inline void ExpectConsistent(const Model& model, const std::string& when) {
  std::vector<Item> order;
  detail::CollectPreOrder(model->Items(), nullptr, model, order, when);
  const auto list = model->ItemList();
  ASSERT_EQ(list->Count(), static_cast<int32_t>(order.size())) << when << ": model list count";
  std::map<std::string, Item> firstByClass;
  std::map<const void*, Item> firstByObject;
  for (size_t i = 0; i < order.size(); ++i) {
    const Item& item = order[i];
    EXPECT_TRUE(SameObject(list->Next(item), i + 1 < order.size() ? order[i + 1] : Item()))
        << when << ": pre-order after " << NameOf(item);
    EXPECT_TRUE(SameObject(list->Previous(item), i > 0 ? order[i - 1] : Item()))
        << when << ": pre-order before " << NameOf(item);
    if (const auto handler = item->HandlerObject())
      firstByClass.emplace(std::string(handler->TypeName()), item);
    const auto* node = dynamic_cast<const host::ProjectItem*>(item.Get());
    if (node->ObjectIdentity()) firstByObject.emplace(node->ObjectIdentity(), item);
    EXPECT_TRUE(list->Find(1, Variant(item))) << when << ": find item " << NameOf(item);
  }
  for (const auto& [name, item] : firstByClass) {
    EXPECT_TRUE(list->Find(2, Variant(name)) && SameObject(list->FoundItem(), item))
        << when << ": find handler class " << name;
  }
  for (const auto& [identity, item] : firstByObject) {
    const auto& object = dynamic_cast<const host::ProjectItem*>(item.Get())->FrameworkObject();
    EXPECT_TRUE(SameObject(ItemOf(model, object), item))
        << when << ": find object of " << NameOf(item);
  }
}

class ModelTest : public ::testing::Test {
 protected:
  ModelTest() {
    model->Initialize();
    model->SetFactory(factory);
    const auto onItem = [this](const char* kind, bool inTree) {
      return [this, kind, inTree](Item item, int32_t position) {
        const std::string when = std::string(kind) + " " + NameOf(item);
        events_.push_back(when + "@" + std::to_string(position));
        EXPECT_FALSE(model->AutoRefresh()) << when << ": views must follow this event in place";
        EXPECT_EQ(model->ItemList()->Find(1, Variant(item)), inTree)
            << when << ": the event must see the item " << (inTree ? "in" : "out of")
            << " the tree";
        if (inTree) {
          const auto siblings = item->Parent() ? item->Parent()->Items() : model->Items();
          EXPECT_EQ(siblings->IndexOf(item), position) << when << ": reported position";
        }
        if (checkAfterEachEvent) ExpectConsistent(model, when);
      };
    };
    const auto onProject = [this](const char* kind) {
      return [this, kind](Item item) { events_.push_back(kind + NameOf(item)); };
    };
    Keep(model->ItemAdd().Connect(onItem("add", true)));
    Keep(model->ItemChange().Connect(onItem("change", true)));
    Keep(model->ItemRemove().Connect(onItem("remove", false)));
    Keep(model->ProjectAdd().Connect(onProject("project-add ")));
    Keep(model->ProjectRemove().Connect(onProject("project-remove ")));
    Keep(model->ProjectRefresh().Connect(onProject("project-refresh ")));
    Keep(model->AutoRefreshEvent().Connect(
        [this](bool on) { events_.push_back(on ? "auto 1" : "auto 0"); }));
    Keep(model->TotalRefresh().Connect([this] { events_.push_back("total"); }));
  }
  ~ModelTest() override {
    connections.clear();
    connections_.clear();
    model->Terminate();
  }

  /// The recorded events and the factory's journal since the last call, space-separated.
  std::string Events() { return Drain(events_, seenEvents_); }
  std::string Calls() { return Drain(*factory->journal, seenCalls_); }
  Ref<FakeObject> ObjectNamed(const std::string& name) { return FindObject(project, name); }
  /// The item of the framework object with that name (model-wide search by object).
  Item ItemNamed(const std::string& name) { return ItemOf(model, ObjectNamed(name)); }
  void BuildSample() {
    model->AddProject(project);
    Events();
    Calls();
  }

  Ref<FakeFactory> factory = platform::MakeObject<FakeFactory>();
  Ref<host::ProjectModel> model = platform::MakeObject<host::ProjectModel>();
  Ref<FakeObject> project = SampleProject();
  bool checkAfterEachEvent = true;
  std::vector<platform::ScopedConnection> connections;

 private:
  static std::string Drain(const std::vector<std::string>& log, size_t& seen) {
    std::string text;
    for (; seen < log.size(); ++seen) text += (text.empty() ? "" : " ") + log[seen];
    return text;
  }
  void Keep(platform::Connection c) { connections_.emplace_back(std::move(c)); }
  std::vector<std::string> events_;
  size_t seenEvents_ = 0;
  size_t seenCalls_ = 0;
  std::vector<platform::ScopedConnection> connections_;
};

}  // namespace mztest
