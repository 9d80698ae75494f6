// The objects of one transfer, in the order of the data object they were taken from, each under
// the key "<class identifier>|<object identifier as text>".
//
//   auto items = platform::MakeObject<RgObjectStreamItems>();
//   items->AttachDataObject(dataObject);          // one item per entry, with its initial action
//   for (const auto& item : items->NewEnum()) ...
//   items->Remove(item);                          // the entry leaves the data object too
//
// Keys are unique; like every keyed collection of the framework they compare without regard to
// case, so "FB10" and "fb10" of one class are the same object.
// Trap: the lists made by GetErrorItems and GetItemsByObjectType share their items with this one
// but have no data object: removing from them leaves the data object as it is.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/Types.h"
#include "platform/KeyedCollection.h"

namespace mzblprsx {

class IRgDataObject;
class IRgDataObjectItem;
class RgObjectStreamItem;

class RgObjectStreamItems final : public Object {
 public:
  static constexpr std::string_view kTypeName = "RgObjectStreamItems";

  RgObjectStreamItems() = default;
  std::string_view TypeName() const override { return kTypeName; }

  int32_t Count() const { return items_.Count(); }
  /// The data object the items belong to; nothing before AttachDataObject and in derived lists.
  Ref<IRgDataObject> DataObject() const { return dataObject_; }
  /// The items in insertion order, as a snapshot: removing while walking it is safe.
  std::vector<Ref<RgObjectStreamItem>> NewEnum() const;
  /// Replaces the items by one per entry of the data object, in its order, and keeps the data
  /// object. Fails on two entries with the same key (the items made so far stay).
  void AttachDataObject(const Ref<IRgDataObject>& dataObject);
  /// The item of that class identifier and object identifier; nothing when there is none.
  Ref<RgObjectStreamItem> Find(const std::string& objectType, const Variant& objectId);
  /// A new list (no data object) of the items with that error, in order.
  Ref<RgObjectStreamItems> GetErrorItems(int32_t error);
  /// A new list (no data object) of the items of exactly that class identifier; never nothing.
  Ref<RgObjectStreamItems> GetItemsByObjectType(const std::string& classId);
  /// The number of items of exactly that class identifier (kept as items come and go: a check
  /// asks it before walking the list, which may be long).
  int32_t GetObjectTypeCount(const std::string& classId);
  /// Removes the item, and its entry from the attached data object; fails for an item that is
  /// not in the list.
  void Remove(const Ref<RgObjectStreamItem>& item);
  /// Removes every item (the data object keeps its entries).
  void Clear();

  // Library-internal
  /// Adds an existing item under its key; a key already in the list fails (457).
  void AddItem(const Ref<RgObjectStreamItem>& item);
  /// The key of an entry: class identifier, "|", object identifier as text.
  static std::string KeyOf(const std::string& classId, const Variant& objectId);

 private:
  /// Makes and adds the item of one entry, with the action an entry starts with.
  void P_Add(const Ref<IRgDataObjectItem>& dataObjectItem);

  InstanceTrace trace_{kTypeName};
  platform::KeyedCollection<Ref<RgObjectStreamItem>> items_;
  std::unordered_map<std::string, int32_t> classCounts_;  // items per class identifier
  Ref<IRgDataObject> dataObject_;
};

}  // namespace mzblprsx
