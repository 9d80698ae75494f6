// A stream handler, in place of a location's own, that records every call the stream service
// makes ("CheckObjects FB10 FB11") and answers as told.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgDataObject.h"
#include "mzblprsx/interfaces/IRgDataObjectItem.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/streaming/IRgObjectStreamHandler.h"
#include "mzblprsx/streaming/RgObjectStreamItem.h"
#include "mzblprsx/streaming/RgObjectStreamItems.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"
#include "platform/ClassRegistry.h"

namespace mztest {

using platform::Ref;
using platform::Variant;

class FakeStreamHandler final : public mzblprsx::IRgObjectStreamHandler {
 public:
  using Items = Ref<mzblprsx::RgObjectStreamItems>;
  std::string_view TypeName() const override { return "FakeStreamHandler"; }
  Ref<mzblprsx::RgObjectStreamService> Parent() override { return parent_; }
  void SetParent(Ref<mzblprsx::RgObjectStreamService> parent) override {
    parent_ = std::move(parent);
  }

  bool CanStreamData(const Ref<mzblprsx::RgProjectItems>& items, int32_t action) override {
    log.push_back("CanStreamData " + std::to_string(items->Count()) + " " + std::to_string(action));
    return true;
  }
  int32_t CheckSourceIsSameApplication(const std::string& sourceId) override {
    log.push_back("CheckSource " + sourceId);
    return 5;
  }
  int32_t GetInsertDataAction(const std::string& classId, const Variant& objectId,
                              int32_t source) override {
    log.push_back("GetInsertDataAction " + objectId.ToString() + " " + std::to_string(source));
    const auto it = insertActions.find(objectId.ToString());
    return classId.empty() || it == insertActions.end() ? 0 : it->second;
  }
  void GetStreamItems(const Ref<mzblprsx::RgProjectItems>& items, int32_t action,
                      Ref<mzblprsx::RgProjectItems>& streamItems) override {
    log.push_back("GetStreamItems " + std::to_string(action));
    for (int32_t i = 1; i <= items->Count(); ++i) streamItems->Add(items->Item(i), {}, {});
  }
  std::string GetSourceID() override { return "{SOURCE}"; }
  bool InsertObjects(Items& items, int32_t, Ref<mzblprsx::RgProjectItem>&, int32_t) override {
    log.push_back("InsertObjects" + Ids(items));
    return insertObjects ? insertObjects(items) : true;
  }
  void InsertObjectsComplete(int32_t action, const Ref<mzblprsx::RgProjectItems>&) override {
    log.push_back("InsertObjectsComplete " + std::to_string(action));
  }
  void StreamObjects(const Ref<mzblprsx::IRgDataObject>& dataObject,
                     const Ref<mzblprsx::RgProjectItems>& items) override {
    log.push_back("StreamObjects " + std::to_string(items->Count()));
    for (int32_t i = 1; i <= items->Count(); ++i) {
      dataObject->AddObject(items->Item(i)->Handler()->Object());
    }
  }
  bool CheckObjects(Items& items, int32_t action, Ref<mzblprsx::RgProjectItem>&,
                    int32_t source) override {
    log.push_back("CheckObjects" + Ids(items) + " action=" + std::to_string(action) +
                  " source=" + std::to_string(source));
    return checkObjects ? checkObjects(items) : true;
  }

  /// " FB10 FB11": the object identifiers of the stream items, in order.
  static std::string Ids(const Items& items) {
    std::string out;
    for (const auto& item : items->NewEnum()) {
      out += " " + item->DataObjectItem()->ObjectID().ToString();
    }
    return out;
  }

  std::vector<std::string> log;
  std::map<std::string, int32_t> insertActions;  // by object identifier
  std::function<bool(Items&)> checkObjects;
  std::function<bool(Items&)> insertObjects;

 private:
  Ref<mzblprsx::RgObjectStreamService> parent_;
};

}  // namespace mztest
