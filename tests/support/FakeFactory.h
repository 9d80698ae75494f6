// A model factory over fake objects: it builds an object's children below its item and
// attaches a FakeHandler of the object's handler class (a FakeFilesHandler for the card's
// container), journalling its calls ("initItem:FB1", "terminateItem:FB1") unless told not to.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "mzblprsx/interfaces/IRgProjectModelFactory.h"
#include "support/FakeFilesHandler.h"

namespace mztest {

class FakeFactory final : public mzblprsx::IRgProjectModelFactory {
 public:
  /// `record` keeps the journal and the handler map; a benchmark-sized model goes without.
  explicit FakeFactory(bool record = true)
      : journal(record ? std::make_shared<Journal>() : nullptr) {}
  std::string_view TypeName() const override { return "FakeFactory"; }

  Item AddProject(Model model, Ref<platform::Object> project) override {
    const auto object = project.As<FakeObject>();
    if (!model || !object) return {};
    const Item root = model->Items()->AddNew(project, nullptr, nullptr);
    AddChildren(root, object);
    return root;
  }
  void InitializeItem(Item item, Ref<platform::Object> object) override {
    if (journal) journal->push_back("initItem:" + NameOf(item));
    const auto fake = object.As<FakeObject>();
    if (!fake || fake->handlerClass.empty()) return;
    const Ref<FakeHandler> handler =
        fake->handlerClass == "RgPrjHandlerFilesOnMMC" && loadingFilesHandler
            ? Ref<FakeHandler>(platform::MakeObject<FakeFilesHandler>(journal))
            : platform::MakeObject<FakeHandler>(fake->handlerClass, journal);
    if (onCreate) onCreate(*handler);
    if (journal) handlers[fake->name] = handler.Shared();
    item->SetHandler(handler);
    handler->SetObject(object);
    handler->SetProjectItem(item);
  }
  void RefreshProject(Model model, Ref<platform::Object> project) override {
    RemoveProject(model, project);
    AddProject(model, project);
  }
  void RemoveProject(Model model, Ref<platform::Object> project) override {
    if (const Item item = ItemOf(model, project)) {
      item->Items()->Clear();
      model->Items()->Remove(item);
    }
  }
  void TerminateItem(Item item) override {
    if (journal) journal->push_back("terminateItem:" + NameOf(item));
    if (const auto handler = item->Handler()) {
      handler->SetObject(nullptr);
      handler->SetProjectItem(nullptr);
    }
    item->SetHandler(nullptr);
  }

  std::shared_ptr<Journal> journal;
  /// Every handler handed out, by object name (weakly: the items own them).
  std::map<std::string, std::weak_ptr<FakeHandler>> handlers;
  /// Called with every new handler before it is attached (to set failures and hooks).
  std::function<void(FakeHandler&)> onCreate;
  bool loadingFilesHandler = true;  ///< the card's container handler can load
};

}  // namespace mztest
