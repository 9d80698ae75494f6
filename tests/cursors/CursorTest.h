// A reference-host application with a model built by the fake factory and a cursor of the tested
// class. Errors travel on; unless a test expects some there are none, and nothing outlives it.
#pragma once

#include <memory>

#include "host/Environment.h"
#include "host/framework/ErrorService.h"
#include "host/framework/TraceService.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgOptionService.h"
#include "platform/ClassRegistry.h"
#include "support/CursorChecker.h"
#include "support/FakeFactory.h"

namespace mztest {

constexpr const char* kShowSystem = "General/Display/ShowSystemBlocks";

template <class Cursor>
class CursorTest : public ::testing::Test {
 protected:
  CursorTest() {
    env.Errors().SetPolicy(host::ErrorPolicy::Fail);
    model->Initialize();
    model->SetFactory(factory);
  }
  ~CursorTest() override { model->Terminate(); }
  void TearDown() override {
    checker.reset();
    cursor.Reset();
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
  Ref<FakeObject> ObjectNamed(const std::string& name) { return FindObject(project, name); }
  Item ItemNamed(const std::string& name) { return ItemOf(model, ObjectNamed(name)); }
  /// A new item for `object` below the parent's item, directly after `after` (or appended).
  Item AddBelow(const std::string& parent, const Ref<FakeObject>& object,
                const std::string& after = "") {
    auto& siblings = ObjectNamed(parent)->children;
    const auto at = std::find_if(siblings.begin(), siblings.end(),
                                 [&](const auto& o) { return o->name == after; });
    siblings.insert(at == siblings.end() ? at : at + 1, object);
    const Item item = ItemNamed(parent)->Items()->AddNew(object, nullptr, ItemNamed(after));
    AddChildren(item, object);
    return item;
  }
  void RemoveItem(const std::string& name) {
    const Item item = ItemNamed(name);
    item->Parent()->Items()->Remove(item);
  }
  /// Stores the object's new value and lets its handler refresh the item.
  void Change(const std::string& name, const std::string& key, Variant value) {
    ObjectNamed(name)->Set(key, std::move(value));
    ItemNamed(name)->Handler()->Refresh();
  }
  std::vector<std::string> ErrorSources() const {
    std::vector<std::string> out;
    for (const auto& report : env.Errors().Reports()) out.push_back(report.source);
    return out;
  }
  std::string Listed() {
    if constexpr (requires { cursor->NewEnum(); })
      return Names(cursor->NewEnum());
    else
      return Names(cursor->Items());
  }

  mutable host::Environment env;
  Ref<mzblprsx::IRgOptionService> options =
      env.SharedService(mzblprsx::clsid::kOptionService).Cast<mzblprsx::IRgOptionService>();
  Ref<FakeFactory> factory = platform::MakeObject<FakeFactory>();
  Model model = platform::CreateObjectAs<mzblprsx::RgProjectModel>(mzblprsx::clsid::kProjectModel);
  Ref<FakeObject> project;
  bool expectNoErrors = true;
  Ref<Cursor> cursor = platform::MakeObject<Cursor>();
  std::unique_ptr<CursorChecker> checker;
};

}  // namespace mztest
