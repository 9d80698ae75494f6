#include "mzblprsx/streaming/RgObjectStreamItems.h"

#include <array>
#include <string_view>

#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgDataObject.h"
#include "mzblprsx/interfaces/IRgDataObjectItem.h"
#include "mzblprsx/streaming/RgObjectStreamItem.h"

namespace mzblprsx {

namespace {

// Objects of the PLC side travel as references and are read from the PLC when inserted, so an
// entry without content is still something to insert.
bool IsReadFromPlc(std::string_view classId) {
  static constexpr std::array<std::string_view, 5> kOnline = {
      clsid::kProjectOnline, clsid::kHwConfigOnline, clsid::kMemoryCard, clsid::kProgramOnline,
      clsid::kBlockOnline};
  for (std::string_view online : kOnline) {
    if (classId == online) return true;
  }
  return false;
}

}  // namespace

std::string RgObjectStreamItems::KeyOf(const std::string& classId, const Variant& objectId) {
  return classId + "|" + objectId.ToString();
}

std::vector<Ref<RgObjectStreamItem>> RgObjectStreamItems::NewEnum() const {
  return {items_.begin(), items_.end()};
}

void RgObjectStreamItems::AttachDataObject(const Ref<IRgDataObject>& dataObject) {
  Guard(*this, "AttachDataObject", [&] {
    dataObject_.Reset();
    Clear();
    const int32_t count = dataObject->ItemCount();
    for (int32_t i = 1; i <= count; ++i) P_Add(dataObject->Item(i));
    dataObject_ = dataObject;
  });
}

Ref<RgObjectStreamItem> RgObjectStreamItems::Find(const std::string& objectType,
                                                  const Variant& objectId) {
  Ref<RgObjectStreamItem> result;
  Guard(*this, "Find", [&] {
    const std::string key = KeyOf(objectType, objectId);
    if (items_.Exists(key)) result = items_.Item(key);
  });
  return result;
}

Ref<RgObjectStreamItems> RgObjectStreamItems::GetErrorItems(int32_t error) {
  auto result = platform::MakeObject<RgObjectStreamItems>();
  Guard(*this, "GetErrorItems", [&] {
    for (const Ref<RgObjectStreamItem>& item : items_) {
      if (item->ItemError() == error) result->AddItem(item);
    }
  });
  return result;
}

Ref<RgObjectStreamItems> RgObjectStreamItems::GetItemsByObjectType(const std::string& classId) {
  auto result = platform::MakeObject<RgObjectStreamItems>();
  Guard(*this, "GetItemsByObjectType", [&] {
    for (const Ref<RgObjectStreamItem>& item : items_) {
      if (item->ClassID() == classId) result->AddItem(item);
    }
  });
  return result;
}

int32_t RgObjectStreamItems::GetObjectTypeCount(const std::string& classId) {
  const auto it = classCounts_.find(classId);
  return it == classCounts_.end() ? 0 : it->second;
}

void RgObjectStreamItems::Remove(const Ref<RgObjectStreamItem>& item) {
  Guard(*this, "Remove", [&] {
    const Ref<IRgDataObjectItem> entry = item->DataObjectItem();
    const std::string classId = item->ClassID();
    const Variant objectId = entry->ObjectID();
    const std::string key = KeyOf(classId, objectId);
    // Another object under the same key is not this item: it stays where it is.
    if (!items_.Exists(key) || !SameObject(items_.Item(key), item)) {
      throw platform::Error(platform::errc::kInvalidCall,
                            "The stream item " + key + " is not in this list");
    }
    items_.Remove(key);
    if (const auto it = classCounts_.find(classId); it != classCounts_.end() && --it->second == 0) {
      classCounts_.erase(it);
    }
    // The entry leaves the data object too, so that writing it out no longer carries the object.
    if (dataObject_) dataObject_->RemoveItem(classId, objectId);
  });
}

void RgObjectStreamItems::Clear() {
  items_.Clear();
  classCounts_.clear();
}

void RgObjectStreamItems::AddItem(const Ref<RgObjectStreamItem>& item) {
  Guard(*this, "AddItem", [&] {
    const Ref<IRgDataObjectItem> entry = item->DataObjectItem();
    const std::string& classId = item->ClassID();
    const std::string key = KeyOf(classId, entry->ObjectID());
    if (items_.Exists(key)) {
      throw platform::Error(platform::errc::kDuplicateKey,
                            "The transfer holds the object " + key + " twice");
    }
    items_.Add(item, key);
    ++classCounts_[classId];
  });
}

void RgObjectStreamItems::P_Add(const Ref<IRgDataObjectItem>& dataObjectItem) {
  Guard(*this, "P_Add", [&] {
    auto item = platform::MakeObject<RgObjectStreamItem>();
    item->SetDataObjectItem(dataObjectItem);
    const bool insert = dataObjectItem->HasData() || IsReadFromPlc(dataObjectItem->ClassID());
    item->SetAction(insert ? RgDataObjectItemActionInsert : RgDataObjectItemActionCancel);
    AddItem(item);
  });
}

}  // namespace mzblprsx
