// One node of a project tree: its two property sets, its children, its handler and the
// framework object it was created for.
//
//   auto block = category->Items()->AddNew(blockObject, nullptr, nullptr);  // appended
//   block->Data()->SetValue("NAME", "FB10", 3);
//   block->Update();                        // ItemChange(block, its position)
//
// Ownership: a parent holds its children strongly, a child knows its parent by a plain pointer
// that the parent clears when it lets go, and the model only weakly, so a tree forms no cycle.
// The handler is held strongly until the factory's TerminateItem clears it.
// Every structural change goes through ProjectModel, which keeps positions, subtree sizes and
// the search indexes right; the node accessors below are for the model component's own classes.
//
// Trap: Parent() and Model() of an item that was removed are nothing, and its handler is gone;
// an item that the item mover parked outside the tree keeps its handler and its model.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "host/model/ChildSequence.h"
#include "host/model/ItemCollection.h"
#include "host/model/ItemData.h"
#include "mzblprsx/interfaces/RgProjectItem.h"

namespace host {

class ItemList;
class ProjectModel;

class ProjectItem final : public mzblprsx::RgProjectItem {
 public:
  /// An item created by the model for a framework object (which may be nothing).
  ProjectItem(std::weak_ptr<ProjectModel> model, platform::Ref<platform::Object> object);
  /// The hidden node above the root items of a model; never handed out.
  struct HiddenRoot {};
  explicit ProjectItem(HiddenRoot);
  ~ProjectItem() override;
  std::string_view TypeName() const override { return "RgProjectItem"; }

  platform::Ref<mzblprsx::RgProjectItemData> Data() override;
  platform::Variant DataValue(const std::string& key,
                              const platform::Variant& fallback = platform::Variant()) override {
    return data_.Value(key, fallback);
  }
  platform::Ref<mzblprsx::RgProjectItemData> States() override;
  platform::Ref<mzblprsx::RgProjectItems> Items() override;
  /// Count, Previous and Next walk the direct children; Find searches the whole subtree.
  platform::Ref<mzblprsx::RgProjectItemList> ChildList() override;
  /// Nothing for a root item and for an item outside the tree.
  platform::Ref<mzblprsx::RgProjectItem> Parent() override;
  /// Nothing once the item was removed.
  platform::Ref<mzblprsx::RgProjectModel> Model() override;
  platform::Ref<mzblprsx::IRgProjectItemHandler> Handler() override { return handlerIface_; }
  platform::Ref<platform::Object> HandlerObject() override { return handler_; }
  /// Attaches the handler (nothing detaches it) and re-files the item under its class name,
  /// which is the handler's TypeName (a class name: it must not change while attached).
  void SetHandler(platform::Ref<platform::Object> handler) override;
  /// The handler's IsOpen; False without a handler; the handler's errors propagate.
  bool IsOpen() override;
  /// Raises ItemChange(item, position) while the item is in its model's tree; else nothing.
  void Update() override;

  // --- Node accessors for the model component -------------------------------------------
  /// The framework object the item was created for (the key of search type 4).
  const platform::Ref<platform::Object>& FrameworkObject() const { return object_; }
  /// Identity of the framework object; nullptr when there is none.
  const void* ObjectIdentity() const { return objectId_; }
  /// The handler's class name (the key of search type 2); empty without a handler.
  std::string_view HandlerClass() const { return handlerClass_; }

  /// The parent node: the model's hidden root for a root item, nullptr outside a tree.
  ProjectItem* ParentNode() const { return parent_; }
  bool IsHiddenRoot() const { return hiddenRoot_; }
  /// True while the item hangs below its model's hidden root (and so is searchable).
  bool InTree() const { return inTree_; }
  std::shared_ptr<ProjectModel> OwningModel() const { return model_.lock(); }

  size_t ChildCount() const { return children_.Size(); }
  /// The child at a 0-based position below ChildCount(). O(1) in a walk by position.
  const std::shared_ptr<ProjectItem>& ChildAt(size_t index) const { return children_.At(index); }
  /// 0-based position among the siblings; the item must have a parent node. O(1) unless a
  /// sibling before it was inserted or removed since the last position asked for.
  size_t Position() const { return parent_->children_.PositionOf(*this); }
  /// The siblings after and before this item, nullptr at the ends; the item must have a parent
  /// node. O(1), no position needed.
  ProjectItem* NextSibling() const { return parent_->children_.After(*this); }
  ProjectItem* PreviousSibling() const { return parent_->children_.Before(*this); }
  /// This item and all its descendants.
  size_t SubtreeSize() const { return subtreeSize_; }
  /// True when the item is `ancestor` or lies below it.
  bool IsWithin(const ProjectItem& ancestor) const;
  /// Tree pre-order (parents before children) within the subtree of `scope`; nullptr at its end.
  /// `scope` itself is never answered.
  ProjectItem* NextInTree(const ProjectItem& scope) const;
  ProjectItem* PreviousInTree(const ProjectItem& scope) const;
  /// True when `a` comes before `b` in tree pre-order (both in one tree). O(depth).
  static bool Precedes(const ProjectItem& a, const ProjectItem& b);

  std::shared_ptr<ProjectItem> SharedSelf();

 private:
  friend class ChildSequence;
  friend class ProjectModel;

  void InsertChild(size_t at, std::shared_ptr<ProjectItem> child);
  std::shared_ptr<ProjectItem> EraseChild(ProjectItem& child);
  size_t Depth() const;

  // The item itself, for SharedSelf: read beside the other fields a walk uses, where the
  // object's own weak reference lies at the far end of the item.
  std::weak_ptr<ProjectItem> self_;
  std::weak_ptr<ProjectModel> model_;
  ProjectItem* parent_ = nullptr;  // not owned; cleared by the parent when it lets go
  ChildSequence children_;
  // The children's collection and the property sets live inside the item, beside the children:
  // a view walks them for every item in a row, and keeping them in the item's own memory saves
  // a cache miss each. They are handed out as parts of the item (a reference keeps it alive).
  std::optional<ItemCollection> items_;  // made on first use
  ItemData data_;
  // Among the parent's children, written by them; a slot found moved is written back.
  mutable ChildSequence::Place place_;
  size_t subtreeSize_ = 1;
  bool hiddenRoot_ = false;
  bool inTree_ = false;
  bool parked_ = false;    // taken out by the item mover, kept by the model
  bool removing_ = false;  // inside Remove: a second Remove of it does nothing

  platform::Ref<platform::Object> object_;
  const void* objectId_ = nullptr;
  platform::Ref<platform::Object> handler_;
  platform::Ref<mzblprsx::IRgProjectItemHandler> handlerIface_;
  std::string_view handlerClass_;  // the held handler's TypeName
  size_t objectSlot_ = 0;          // places in the model's search indexes
  size_t classSlot_ = 0;

  ItemData states_;
  platform::Ref<ItemList> childList_;
};

}  // namespace host
