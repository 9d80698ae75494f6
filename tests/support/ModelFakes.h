// Test doubles around the project model: framework objects that describe a tree, a factory and
// handlers that behave like the library's (handler holds its item until Terminate), a journal
// of the calls, and a fixture that records every model event and checks the whole model after
// each one.
//
//   auto project = Tree("P", {Node("HW"), Node("Prog", {Node("C1", {Block("FB1")})})});
//   model->AddProject(project);   // events() == "add P@1 add HW@1 ... project-add P"
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/model/ProjectModel.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/IRgProjectItemHandler.h"
#include "mzblprsx/interfaces/IRgProjectModelFactory.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "platform/Signal.h"

namespace modeltest {

using platform::Ref;
using platform::Variant;
using Item = Ref<mzblprsx::RgProjectItem>;

/// A framework object; `handlerClass` names the handler the fake factory attaches (none when
/// empty) and `children` what the factory builds below its item.
class FakeObject final : public mzblprsx::IRgObject {
 public:
  FakeObject(std::string name, std::string handlerClass)
      : name_(std::move(name)), handlerClass_(std::move(handlerClass)) {}
  std::string_view TypeName() const override { return "FakeObject"; }
  std::string ClassID() override { return "{FAKE}"; }
  std::string ObjectID() override { return name_; }
  std::string DisplayName() override { return name_; }
  void Delete() override {}

  const std::string& Name() const { return name_; }
  const std::string& HandlerClass() const { return handlerClass_; }
  std::vector<Ref<FakeObject>> children;
  /// Whatever the object keeps alive (an owner holding its model, as the snap-in does).
  Ref<platform::Object> held;

 private:
  std::string name_;
  std::string handlerClass_;
};

Ref<FakeObject> Node(const std::string& name, std::vector<Ref<FakeObject>> children = {},
                     const std::string& handlerClass = "RgPrjHandlerFolder");
Ref<FakeObject> Block(const std::string& name);
/// The sample tree: P { HW, Prog { C1 {FB1, FB2}, C2 {FB3}, Default {FB4} } }.
Ref<FakeObject> SampleProject();

/// The ordered record of factory and handler calls ("initItem:FB1", "terminate:FB1", ...).
using Journal = std::vector<std::string>;

class FakeHandler final : public mzblprsx::IRgProjectItemHandler {
 public:
  FakeHandler(std::string className, Journal& journal)
      : className_(std::move(className)), journal_(journal) {}
  std::string_view TypeName() const override { return className_; }

  bool IsDirty() override { return false; }
  bool IsOpen() override;
  Ref<mzblprsx::IRgObject> Object() override { return object_; }
  void SetObject(Ref<platform::Object> object) override {
    object_ = object.Cast<mzblprsx::IRgObject>();
  }
  Ref<mzblprsx::RgProjectItem> ProjectItem() override { return item_; }
  void SetProjectItem(Ref<mzblprsx::RgProjectItem> item) override { item_ = std::move(item); }
  void Delete() override {}
  void Initialize() override;
  void Refresh() override {}
  void Save() override {}
  void Terminate() override;

  bool open = false;
  bool failOpen = false;
  bool failTerminate = false;
  std::function<void(FakeHandler&)> onInitialize;
  int initializeCount = 0;
  int terminateCount = 0;

 private:
  std::string className_;
  Journal& journal_;
  Ref<mzblprsx::IRgObject> object_;
  Ref<mzblprsx::RgProjectItem> item_;  // held until Terminate, as the library's handlers do
};

class FakeFactory final : public mzblprsx::IRgProjectModelFactory {
 public:
  explicit FakeFactory(Journal& journal) : journal_(journal) {}
  std::string_view TypeName() const override { return "FakeFactory"; }

  Item AddProject(Ref<mzblprsx::RgProjectModel> model, Ref<platform::Object> project) override;
  void InitializeItem(Item item, Ref<platform::Object> object) override;
  void RefreshProject(Ref<mzblprsx::RgProjectModel> model, Ref<platform::Object> project) override;
  void RemoveProject(Ref<mzblprsx::RgProjectModel> model, Ref<platform::Object> project) override;
  void TerminateItem(Item item) override;

  /// Every handler handed out, by object name (weakly: the items own them).
  std::map<std::string, std::weak_ptr<FakeHandler>> handlers;
  /// Called with every new handler before it is attached (to set failures and hooks).
  std::function<void(FakeHandler&)> onCreate;

 private:
  void Fill(const Item& item, const Ref<FakeObject>& object);
  Journal& journal_;
};

/// The number of the platform::Error that `body` throws; 0 when it throws none.
int32_t ErrorOf(const std::function<void()>& body);

/// The name of the framework object an item was made for ("?" for none).
std::string NameOf(const Item& item);
/// The handler the fake factory attached to an item, or nullptr.
FakeHandler* HandlerOf(const Item& item);
/// Names of an item's children (of the model's roots for nothing), "A B C".
std::string ChildNames(const Ref<mzblprsx::RgProjectModel>& model, const Item& parent);

/// Checks the whole model: parents, positions, counts, pre-order walk of the model list both
/// ways, and that every search kind finds the first matching item in pre-order.
void ExpectConsistent(const Ref<mzblprsx::RgProjectModel>& model, const std::string& when);

/// A fixture that owns a model with the fake factory, records its events as one compact text
/// and checks the model after every event.
class ModelTest : public ::testing::Test {
 protected:
  ModelTest();
  ~ModelTest() override;

  /// The recorded events since the last call, space-separated ("add FB1@2 remove C1@1").
  std::string Events();
  /// The journal since the last call, space-separated.
  std::string Calls();
  /// The item of the framework object with that name (model-wide search by object).
  Item ItemNamed(const std::string& name);
  Ref<FakeObject> ObjectNamed(const std::string& name);
  void BuildSample();

  Journal journal;
  Ref<FakeFactory> factory;
  Ref<host::ProjectModel> model;
  Ref<FakeObject> project;
  bool checkAfterEachEvent = true;
  /// Connections of a test, ended before the model terminates.
  std::vector<platform::ScopedConnection> connections;

 private:
  void Record(std::string text);
  std::vector<std::string> events_;
  size_t journalSeen_ = 0;
  std::vector<platform::ScopedConnection> connections_;
};

}  // namespace modeltest
