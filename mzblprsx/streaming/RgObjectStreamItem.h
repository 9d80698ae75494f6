// One object of one transfer: the data object entry that carries it, what is to happen to it, the
// properties the checking handler read for it, and why it cannot be handled.
//
//   Ref<RgObjectStreamItem> item = items->Find(std::string(clsid::kBlockOffline), "FB10");
//   if (item->Action() == RgDataObjectItemActionRename) ...
//
// Only the library writes these; the outside reads DataObjectItem, Action and Data.
// Trap: Data is nothing until the checking handler gives the item a property set.
#pragma once

#include <cstdint>
#include <string>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/Types.h"
#include "mzblprsx/streaming/RgStreamEnums.h"

namespace mzblprsx {

class IRgDataObjectItem;
class RgProjectItemData;

class RgObjectStreamItem final : public Object {
 public:
  static constexpr std::string_view kTypeName = "RgObjectStreamItem";

  RgObjectStreamItem() = default;
  std::string_view TypeName() const override { return kTypeName; }

  /// The entry of the object inside the attached data object.
  Ref<IRgDataObjectItem> DataObjectItem() const { return dataObjectItem_; }
  /// What is to happen to the object (RgEnumDataObjectItemAction).
  int32_t Action() const { return action_; }
  /// The properties under which the object will be inserted; nothing until a handler sets them.
  Ref<RgProjectItemData> Data() const { return data_; }

  // Library-internal
  void SetDataObjectItem(Ref<IRgDataObjectItem> item);
  /// The entry's class identifier, kept with the item: a check compares it for every item of a
  /// long transfer, and the entry's own answer is a fresh copy each time.
  const std::string& ClassID() const { return classId_; }
  void SetAction(int32_t action) { action_ = action; }
  void SetData(Ref<RgProjectItemData> data) { data_ = std::move(data); }
  /// Why the object cannot be handled (RgEnumDataObjectItemError); None while it can.
  int32_t ItemError() const { return itemError_; }
  void SetItemError(int32_t error) { itemError_ = error; }

 private:
  InstanceTrace trace_{kTypeName};
  Ref<IRgDataObjectItem> dataObjectItem_;
  std::string classId_;
  int32_t action_ = RgDataObjectItemActionCancel;
  Ref<RgProjectItemData> data_;
  int32_t itemError_ = RgDataObjectItemErrorNone;
};

}  // namespace mzblprsx
