// Test doubles for the cursors: framework objects carrying the values their handler writes into
// the item data, a factory and handlers filling items from them, a fixture with a real model of
// the reference host, and a checker that validates a cursor against its model after each event.
//
//   Build(Obj("P", "RgProjectOffline", {Obj("C1", "RgCategory", {Fb(1)})}));
//   CursorChecker checker(model, cursor, filter);   // before Attach: it must see events first
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "host/Environment.h"
#include "host/framework/ErrorService.h"
#include "host/framework/TraceService.h"
#include "host/model/ProjectItem.h"
#include "mzblprsx/cursors/IRgFilesOnMMCLoader.h"
#include "mzblprsx/cursors/RgProjectCursorBase.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/IRgOptionService.h"
#include "mzblprsx/interfaces/IRgProjectItemHandler.h"
#include "mzblprsx/interfaces/IRgProjectModelFactory.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/ClassRegistry.h"
#include "platform/Error.h"

namespace cursortest {

using platform::Ref;
using platform::Variant;
using Item = Ref<mzblprsx::RgProjectItem>;
using Props = std::map<std::string, Variant>;
using Model = Ref<mzblprsx::RgProjectModel>;

/// A framework object: `props` is what its handler writes (at Initialize and Refresh),
/// `children` what the factory builds.
class FakeObject final : public mzblprsx::IRgObject {
 public:
  FakeObject(std::string name, std::string handlerClass)
      : name(std::move(name)), handlerClass(std::move(handlerClass)) {}
  std::string_view TypeName() const override { return "FakeObject"; }
  std::string ClassID() override { return "{FAKE}"; }
  std::string ObjectID() override { return name; }
  std::string DisplayName() override { return name; }
  void Delete() override {}

  const std::string name;
  const std::string handlerClass;
  Props props;
  std::vector<Ref<FakeObject>> children;
};

class FakeHandler : public mzblprsx::IRgProjectItemHandler {
 public:
  explicit FakeHandler(std::string className) : className_(std::move(className)) {}
  std::string_view TypeName() const override { return className_; }
  bool IsDirty() override { return false; }
  bool IsOpen() override { return false; }
  Ref<mzblprsx::IRgObject> Object() override { return object_; }
  void SetObject(Ref<platform::Object> o) override { object_ = o.Cast<mzblprsx::IRgObject>(); }
  Item ProjectItem() override { return item_; }
  void SetProjectItem(Item item) override { item_ = std::move(item); }
  void Delete() override {}
  void Initialize() override {
    item_->Data()->Clear();
    for (const auto& [key, value] : object_.Cast<FakeObject>()->props) {
      item_->Data()->SetValue(key, value, 1);
    }
  }
  void Refresh() override {
    Initialize();
    item_->Update();
  }
  void Save() override {}
  void Terminate() override {
    item_.Reset();
    object_.Reset();
  }

 private:
  std::string className_;
  Ref<mzblprsx::IRgObject> object_;
  Item item_;
};

class FakeFactory final : public mzblprsx::IRgProjectModelFactory {
 public:
  std::string_view TypeName() const override { return "FakeFactory"; }
  Item AddProject(Model model, Ref<platform::Object> project) override {
    const Item root = model->Items()->AddNew(project, nullptr, nullptr);
    Fill(root, project.Cast<FakeObject>());
    return root;
  }
  void InitializeItem(Item item, Ref<platform::Object> object) override;
  void RefreshProject(Model, Ref<platform::Object>) override {}
  void RemoveProject(Model model, Ref<platform::Object> project) override {
    if (model->ItemList()->Find(4, Variant(project))) {
      model->Items()->Remove(model->ItemList()->FoundItem());
    }
  }
  void TerminateItem(Item item) override {
    if (const auto handler = item->Handler()) handler->Terminate();
    item->SetHandler(nullptr);
  }
  /// Builds the object's children below its item, each as one change of the model.
  static void Fill(const Item& item, const Ref<FakeObject>& object) {
    for (const auto& c : object->children) Fill(item->Items()->AddNew(c, nullptr, nullptr), c);
  }

  bool loadingFilesHandler = true;  ///< the card's container handler can load
};

/// The card's file container handler: LoadFiles adds the queued `files` and counts the calls.
class FakeFilesHandler final : public FakeHandler, public mzblprsx::IRgFilesOnMMCLoader {
 public:
  FakeFilesHandler() : FakeHandler("RgPrjHandlerFilesOnMMC") {}
  void LoadFiles() override {
    ++loads;
    for (const auto& f : files) FakeFactory::Fill(ProjectItem()->Items()->AddNew(f, {}, {}), f);
    files.clear();
  }
  int loads = 0;
  std::vector<Ref<FakeObject>> files;
};

inline void FakeFactory::InitializeItem(Item item, Ref<platform::Object> object) {
  const auto fake = object.Cast<FakeObject>();
  Ref<FakeHandler> handler = fake->handlerClass == "RgPrjHandlerFilesOnMMC" && loadingFilesHandler
                                 ? Ref<FakeHandler>(platform::MakeObject<FakeFilesHandler>())
                                 : platform::MakeObject<FakeHandler>(fake->handlerClass);
  item->SetHandler(handler);
  handler->SetObject(object);
  handler->SetProjectItem(item);
}

/// An object with "TYPE" and "NAME" (its name), then `extra`.
inline Ref<FakeObject> Obj(const std::string& name, const std::string& type,
                           std::vector<Ref<FakeObject>> children = {}, Props extra = {}) {
  auto object = platform::MakeObject<FakeObject>(
      name, type == "RgFilesOnMMC" ? "RgPrjHandlerFilesOnMMC" : "RgPrjHandler" + type);
  object->props = {{"TYPE", Variant(type)}, {"NAME", Variant(name)}};
  for (auto& [key, value] : extra) object->props[key] = std::move(value);
  object->children = std::move(children);
  return object;
}

/// An offline block of a type code (8 OB, 9 DB, 10 FB, 12 UDT, 13 SFC, 14 FC), named "FB10".
inline Ref<FakeObject> Block(int32_t type, int32_t number, Props extra = {}) {
  const std::string text = type == 8    ? "OB"
                           : type == 9  ? "DB"
                           : type == 10 ? "FB"
                           : type == 12 ? "UDT"
                           : type == 13 ? "SFC"
                                        : "FC";
  Props props{{"BLOCKTYPE", Variant(type)}, {"BLOCKNUMBER", Variant(number)}, {"SYSTEM", false}};
  for (auto& [key, value] : extra) props[key] = std::move(value);
  return Obj(text + std::to_string(number), "RgBlockOffline." + text, {}, std::move(props));
}
inline Ref<FakeObject> Fb(int32_t number, Props extra = {}) {
  return Block(10, number, std::move(extra));
}
inline Ref<FakeObject> SystemBlock(int32_t number) {
  return Block(13, number, {{"SYSTEM", Variant(true)}});
}

/// The name of the framework object an item was made for.
inline std::string NameOf(const Item& item) {
  const auto* node = dynamic_cast<const host::ProjectItem*>(item.Get());
  const auto object = node ? node->FrameworkObject().As<FakeObject>() : Ref<FakeObject>();
  return object ? object->name : "?";
}
inline std::string Names(const std::vector<Item>& items) {
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : " ") + NameOf(item);
  return out;
}
inline void PreOrder(const Ref<mzblprsx::RgProjectItems>& items, std::vector<Item>& out) {
  for (int32_t i = 1; i <= items->Count(); ++i) {
    out.push_back(items->Item(i));
    PreOrder(out.back()->Items(), out);
  }
}
inline std::vector<Item> PreOrder(const Model& model) {
  std::vector<Item> out;
  PreOrder(model->Items(), out);
  return out;
}
/// The number of the platform::Error that `body` throws; 0 when it throws none.
inline int32_t ErrorOf(const std::function<void()>& body) {
  try {
    body();
  } catch (const platform::Error& e) {
    return e.Number();
  }
  return 0;
}

/// Validates a cursor after every event it raises and records the events compactly
/// ("add FB1@3 remove C1@2 total auto 1 project-add P").
///
/// Expected: the tree in pre-order, filtered, restricted to the items whose ItemAdd the model
/// has delivered (a subtree entering the tree is announced item by item). `ordered`: exactly
/// that sequence; otherwise the same set (a sorted cursor). A listed item out of the tree is
/// allowed only while its removal is not yet announced, or for the ItemRemove being raised.
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
      Reset();
      Check({});
    }));
    Keep(cursor->AutoRefresh().Connect([this](bool on) { Record(on ? "auto 1" : "auto 0"); }));
    Keep(cursor->ProjectAdd().Connect([this](Item i) { Record("project-add " + NameOf(i)); }));
    Keep(cursor->ProjectRemove().Connect([this](Item i) { Record("project-rm " + NameOf(i)); }));
  }

  /// The events since the last call.
  std::string Events() {
    std::string out;
    for (const auto& e : events_) out += (out.empty() ? "" : " ") + e;
    events_.clear();
    return out;
  }
  /// Checks the whole list now.
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

/// An application of the reference host with a model built by the fake factory. Errors travel
/// on (ErrorPolicy::Fail); a test that expects none finds none, and every library object is
/// released at its end.
class CursorTest : public ::testing::Test {
 protected:
  CursorTest() {
    env.Errors().SetPolicy(host::ErrorPolicy::Fail);
    model->Initialize();
    model->SetFactory(factory);
  }
  ~CursorTest() override { model->Terminate(); }
  void TearDown() override {
    EXPECT_TRUE(!expectNoErrors || ErrorSources().empty()) << ErrorSources().front();
    EXPECT_EQ(env.Trace().LiveCount(), 0u) << "every library object is released";
  }

  /// Builds the project with AutoRefresh off, as the models registry does, then switches it on.
  void Build(const Ref<FakeObject>& projectObject) {
    project = projectObject;
    model->SetAutoRefresh(false);
    model->AddProject(project);
    model->SetAutoRefresh(true);
  }
  Ref<FakeObject> ObjectNamed(const std::string& name) {
    std::vector<Ref<FakeObject>> pending{project};
    while (!pending.empty()) {
      const auto object = pending.back();
      pending.pop_back();
      if (object->name == name) return object;
      pending.insert(pending.end(), object->children.begin(), object->children.end());
    }
    return {};
  }
  Item ItemNamed(const std::string& name) {
    const auto list = model->ItemList();
    return list->Find(4, Variant(ObjectNamed(name))) ? list->FoundItem() : Item();
  }
  /// A new item for `object` below the parent's item, directly after `after` (or appended).
  Item AddBelow(const std::string& parent, const Ref<FakeObject>& object,
                const std::string& after = "") {
    auto& siblings = ObjectNamed(parent)->children;
    const auto at = std::find_if(siblings.begin(), siblings.end(),
                                 [&](const auto& o) { return o->name == after; });
    siblings.insert(at == siblings.end() ? at : at + 1, object);
    const Item item = ItemNamed(parent)->Items()->AddNew(object, nullptr, ItemNamed(after));
    FakeFactory::Fill(item, object);
    return item;
  }
  void RemoveItem(const std::string& name) {
    const Item item = ItemNamed(name);
    item->Parent()->Items()->Remove(item);
  }
  std::vector<std::string> ErrorSources() const {
    std::vector<std::string> out;
    for (const auto& report : env.Errors().Reports()) out.push_back(report.source);
    return out;
  }

  mutable host::Environment env;
  Ref<mzblprsx::IRgOptionService> options =
      env.SharedService(mzblprsx::clsid::kOptionService).Cast<mzblprsx::IRgOptionService>();
  Ref<FakeFactory> factory = platform::MakeObject<FakeFactory>();
  Model model = platform::CreateObjectAs<mzblprsx::RgProjectModel>(mzblprsx::clsid::kProjectModel);
  Ref<FakeObject> project;
  bool expectNoErrors = true;
};

/// A cursor of that class on the fixture's model, released before the end-of-test checks.
template <class Cursor>
class CursorFixture : public CursorTest {
 protected:
  void TearDown() override {
    checker.reset();
    cursor.Reset();
    CursorTest::TearDown();
  }
  std::string Listed() {
    if constexpr (requires { cursor->NewEnum(); })
      return Names(cursor->NewEnum());
    else
      return Names(cursor->Items());
  }

  Ref<Cursor> cursor = platform::MakeObject<Cursor>();
  std::unique_ptr<CursorChecker> checker;
};

}  // namespace cursortest
