// A handler that behaves like the library's: it holds its item until Terminate, writes its
// object's values into the item data at Initialize and Refresh, and records its calls in the
// factory's journal ("initialize:FB1", "terminate:FB1"); failures and hooks on request.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgProjectItemHandler.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "platform/Error.h"
#include "support/FakeObject.h"

namespace mztest {

/// The ordered record of factory and handler calls.
using Journal = std::vector<std::string>;

class FakeHandler : public mzblprsx::IRgProjectItemHandler {
 public:
  FakeHandler(std::string className, std::shared_ptr<Journal> journal)
      : className_(std::move(className)), journal_(std::move(journal)) {}
  std::string_view TypeName() const override { return className_; }
  bool IsDirty() override { return false; }
  bool IsOpen() override {
    if (failOpen) throw platform::Error(platform::errc::kFail, "the document cannot be asked");
    return open;
  }
  Ref<mzblprsx::IRgObject> Object() override { return object_; }
  void SetObject(Ref<platform::Object> o) override { object_ = o.Cast<mzblprsx::IRgObject>(); }
  Item ProjectItem() override { return item_; }
  void SetProjectItem(Item item) override { item_ = std::move(item); }
  void Delete() override {}
  void Initialize() override {
    ++initializeCount;
    Log("initialize:");
    Fill();
    if (onInitialize) onInitialize(*this);
  }
  void Refresh() override {
    Fill();
    item_->Update();
  }
  void Save() override {}
  void Terminate() override {
    Log("terminate:");
    item_.Reset();
    object_.Reset();
    if (failTerminate) throw platform::Error(platform::errc::kFail, "terminate failed");
  }

  bool open = false;
  bool failOpen = false;
  bool failTerminate = false;
  std::function<void(FakeHandler&)> onInitialize;
  int initializeCount = 0;

 private:
  void Log(const char* call) {
    if (journal_) journal_->push_back(call + NameOf(item_));
  }
  void Fill() {
    const auto object = object_.As<FakeObject>();
    if (!item_ || !object) return;
    item_->Data()->Clear();
    for (const auto& [key, value] : object->props) item_->Data()->SetValue(key, value, 1);
  }

  std::string className_;
  std::shared_ptr<Journal> journal_;
  Ref<mzblprsx::IRgObject> object_;
  Item item_;
};

/// The handler the fake factory attached to an item, or nullptr.
inline FakeHandler* HandlerOf(const Item& item) {
  return item ? dynamic_cast<FakeHandler*>(item->HandlerObject().Get()) : nullptr;
}

}  // namespace mztest
