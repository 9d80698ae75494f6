// What the streaming tests over a running snap-in share: the offline stream service, selections
// as the model hands them out, fresh data objects, the numbers of messages and errors reported.
#pragma once

#include <string>
#include <vector>

#include "handlers/HandlerFixture.h"
#include "host/framework/DataObject.h"
#include "host/model/ItemReferenceList.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/streaming/RgObjectStreamItem.h"
#include "mzblprsx/streaming/RgObjectStreamItems.h"
#include "mzblprsx/streaming/RgObjectStreamService.h"

namespace mztest {

using platform::Ref;
using platform::Variant;

/// The numbers of the messages shown or the errors reported.
template <class Entries>
std::vector<int32_t> Numbers(const Entries& entries) {
  std::vector<int32_t> out;
  for (const auto& entry : entries) out.push_back(entry.number);
  return out;
}

class StreamTest : public HandlerFixture {
 protected:
  /// Opens the project and takes the offline stream service of the snap-in.
  void Open(const std::string& text) {
    OpenText(text);
    service = snapIn->Services()->RgObjectStreamService(mzblprsx::RgProjectLocationOffline);
  }
  void TearDown() override {
    service.Reset();
    HandlerFixture::TearDown();
  }

  static Ref<host::ItemReferenceList> Selection(const std::vector<ItemRef>& items) {
    auto list = platform::MakeObject<host::ItemReferenceList>();
    for (const auto& item : items) list->Add(item, nullptr, nullptr);
    return list;
  }
  static Ref<host::DataObject> NewData() { return platform::MakeObject<host::DataObject>(); }
  /// Inserts the bytes below `position`; `inserted` holds what the service hands out.
  bool Insert(const std::vector<uint8_t>& bytes, int32_t action, int32_t source = 0,
              ItemRef position = nullptr) {
    inserted.Reset();
    return service->InsertStreamData(bytes, action, position, inserted, source);
  }
  std::vector<int32_t> MessageNumbers() const { return Numbers(env.Errors().Messages()); }
  std::vector<int32_t> ReportedNumbers() const { return Numbers(env.Errors().Reports()); }

  Ref<mzblprsx::RgObjectStreamService> service;
  Ref<mzblprsx::RgProjectItems> inserted;
};

}  // namespace mztest
