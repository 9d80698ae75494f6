// The ordered children of an item, or the root items of a model (positions are 1-based).
//
//   auto items = program->Items();
//   auto category = items->AddNew(categoryObject, /*before=*/items->First(), nullptr);  // on top
//   items->Remove(category);   // handlers of the subtree terminated, ItemRemove for each item
//
// Neighbours: the new item goes directly after `after` when it is given, otherwise directly
// before `before`, otherwise at the end; a neighbour that is not a child of this item is error 5.
// An item's collection is part of the item (a reference to it keeps the item alive); the root
// items' collection knows the model's hidden root weakly (error 91 once the model is gone).
//
// Trap: AddNew and Add below an item that is not in a model's tree are error 5.
#pragma once

#include <cstdint>
#include <memory>

#include "mzblprsx/interfaces/RgProjectItems.h"

namespace host {

class ProjectItem;
class ProjectModel;

class ItemCollection final : public mzblprsx::RgProjectItems {
 public:
  /// `owner` is the item whose children these are (the hidden root for a model's root items).
  explicit ItemCollection(std::weak_ptr<ProjectItem> owner);
  std::string_view TypeName() const override { return "RgProjectItems"; }

  int32_t Count() override;
  /// Error 9 outside 1..Count.
  platform::Ref<mzblprsx::RgProjectItem> Item(int32_t index) override;
  /// Nothing when there are no items.
  platform::Ref<mzblprsx::RgProjectItem> First() override;
  platform::Ref<mzblprsx::RgProjectItem> Last() override;
  int32_t IndexOf(const platform::Ref<mzblprsx::RgProjectItem>& item) override;
  /// Inserts, lets the factory attach the handler, initialises the handler, raises ItemAdd.
  platform::Ref<mzblprsx::RgProjectItem> AddNew(
      platform::Ref<platform::Object> object, platform::Ref<mzblprsx::RgProjectItem> before,
      platform::Ref<mzblprsx::RgProjectItem> after) override;
  /// Inserts an item without parent (parked by the item mover, or removed) and raises ItemAdd
  /// for it and every item below it; its handler is neither terminated nor initialised.
  void Add(platform::Ref<mzblprsx::RgProjectItem> item,
           platform::Ref<mzblprsx::RgProjectItem> before,
           platform::Ref<mzblprsx::RgProjectItem> after) override;
  /// Error 5 when the item is not one of these.
  void Remove(platform::Ref<mzblprsx::RgProjectItem> item) override;
  /// Removes every item, the last first.
  void Clear() override;

 private:
  std::shared_ptr<ProjectItem> Owner(const char* operation) const;
  std::shared_ptr<ProjectModel> ModelOf(const ProjectItem& owner, const char* operation) const;

  std::weak_ptr<ProjectItem> owner_;  // not owned: the item owns this collection
};

}  // namespace host
