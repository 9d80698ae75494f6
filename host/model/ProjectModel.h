// The project model component's model: the tree of one location, built through the library's
// factory, with search indexes and the model events every view follows.
//
//   auto model = platform::CreateObjectAs<RgProjectModel>(clsid::kProjectModel);
//   model->Initialize();
//   model->SetFactory(factory);          // and SetOwner(snapIn)
//   model->AddProject(project);          // factory builds the tree; ProjectAdd(project item)
//   model->Terminate();                  // every handler terminated, factory and owner dropped
//
// Events. Every change the model makes is announced, item by item, whatever AutoRefresh says:
// ItemAdd(item, position) once the item is in place, ItemRemove(item, position it had) once it
// is out, ItemChange(item, position) on Update. When a subtree leaves the tree (Remove, or a
// move by the item mover) every item of it is announced, deepest first and the last child
// first, so the subtree's top item comes last; Remove announces each item right after
// unlinking it, once its handler is terminated. A subtree that enters the tree (AddNew, Add,
// a move) is announced top item first, then its descendants in pre-order. So a flat view that
// follows the events by item alone stays exact, and every event sees the tree as it now is.
//
// AutoRefresh. The flag is True at creation. The library switches it off around a batch of
// changes and back on afterwards; the views act on item events only while it reads False and
// rebuild from the tree when it turns True.
// SetAutoRefresh raises AutoRefreshEvent(on) only when the value changes: switching it on
// twice in a row rebuilds the views once. The item events of a single change made while the
// flag is on are delivered as a batch of one: during their delivery AutoRefresh() reads False,
// so the views apply that one change in place (no rebuild, no AutoRefresh event), and
// afterwards it reads True again. Hence the views are right after every batch (they rebuild
// on True) and after every single change (they followed it), at the cost of that change only.
// TotalRefresh is raised once after RefreshProject has re-read a tree, after ProjectRefresh.
//
// Failures. A structural change is always completed, whatever the handlers, the factory or
// the listeners throw on the way; the first failure is then thrown to the caller.
// Indexes. Search by object and by handler class is a hash lookup (the first match in tree
// pre-order is cached per key); an item's children are a ChildSequence, so inserting or
// removing anywhere, a child's position and the child at a position stay cheap also for the
// 65,535 blocks of one program arriving in any order, and appending stays O(1).
//
// Trap: a listener that reads AutoRefresh() inside an item event of a single change sees
// False; remembering that value there and restoring it later leaves the flag off.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/model/ItemIndex.h"
#include "mzblprsx/interfaces/RgProjectModel.h"

namespace host {

class FirstError;
class ItemCollection;
class ItemList;
class ProjectItem;

class ProjectModel final : public mzblprsx::RgProjectModel {
 public:
  ProjectModel();
  ~ProjectModel() override;
  std::string_view TypeName() const override { return "RgProjectModel"; }

  platform::Ref<platform::Object> Owner() override { return owner_; }
  void SetOwner(platform::Ref<platform::Object> owner) override { owner_ = std::move(owner); }
  platform::Ref<mzblprsx::IRgProjectModelFactory> Factory() override { return factory_; }
  void SetFactory(platform::Ref<mzblprsx::IRgProjectModelFactory> factory) override {
    factory_ = std::move(factory);
  }
  platform::Ref<mzblprsx::RgProjectItems> Items() override;
  platform::Ref<mzblprsx::RgProjectItemList> ItemList() override;
  /// The flag; False while the item events of a single change are being delivered.
  bool AutoRefresh() override { return autoRefresh_ && batchOfOne_ == 0; }
  /// Raises AutoRefreshEvent(on) when the value changes; nothing otherwise.
  void SetAutoRefresh(bool on) override;
  /// True while the model has a root item.
  bool HasProject() override;
  /// Nothing to prepare: the model works from creation; kept for the component's life cycle.
  void Initialize() override {}
  /// Removes every item (handlers terminated, ItemRemove raised), also the parked ones, then
  /// drops the factory and the owner. The model can be used again afterwards.
  void Terminate() override;
  /// The factory's AddProject, then ProjectAdd(its item). Error 91 without a factory.
  void AddProject(platform::Ref<platform::Object> project) override;
  /// ProjectRemove(the project's root item) when there is one, then the factory's RemoveProject.
  void RemoveProject(platform::Ref<platform::Object> project) override;
  /// The factory's RefreshProject, then ProjectRefresh(the project's root item), TotalRefresh.
  void RefreshProject(platform::Ref<platform::Object> project) override;

  platform::Signal<platform::Ref<mzblprsx::RgProjectItem>, int32_t>& ItemAdd() override {
    return itemAdd_;
  }
  platform::Signal<platform::Ref<mzblprsx::RgProjectItem>, int32_t>& ItemChange() override {
    return itemChange_;
  }
  platform::Signal<platform::Ref<mzblprsx::RgProjectItem>, int32_t>& ItemRemove() override {
    return itemRemove_;
  }
  platform::Signal<platform::Ref<mzblprsx::RgProjectItem>>& ProjectAdd() override {
    return projectAdd_;
  }
  platform::Signal<platform::Ref<mzblprsx::RgProjectItem>>& ProjectRemove() override {
    return projectRemove_;
  }
  platform::Signal<platform::Ref<mzblprsx::RgProjectItem>>& ProjectRefresh() override {
    return projectRefresh_;
  }
  platform::Signal<bool>& AutoRefreshEvent() override { return autoRefreshEvent_; }
  platform::Signal<>& TotalRefresh() override { return totalRefresh_; }

  // --- Structural operations of the component's own classes ----------------------------
  // `parent` is an item of this model's tree or the hidden root; neighbours as ItemCollection.

  /// Number of items in the tree.
  int32_t ItemCount() const;
  /// The node above the root items.
  ProjectItem& RootNode();
  std::shared_ptr<ProjectItem> AddNew(ProjectItem& parent, platform::Ref<platform::Object> object,
                                      ProjectItem* before, ProjectItem* after);
  /// Inserts an item without parent (parked here, or removed from any model).
  void Insert(ProjectItem& parent, const std::shared_ptr<ProjectItem>& item, ProjectItem* before,
              ProjectItem* after);
  /// Removes the item and its subtree; a child of `parent` only.
  void Remove(ProjectItem& parent, ProjectItem& item);
  void Clear(ProjectItem& parent);
  /// Moves an item of this model below `newParent`, handler kept; nullptr parks the item
  /// outside the tree until Insert puts it back (or Terminate ends it).
  void Move(const std::shared_ptr<ProjectItem>& item, ProjectItem* newParent, ProjectItem* before,
            ProjectItem* after);
  /// The first item in pre-order below `scope` (all items for the hidden root) that matches.
  ProjectItem* Find(ProjectItem& scope, int32_t searchType, const platform::Variant& value);
  /// Called by an item in the tree whose handler changed.
  void HandlerChanged(ProjectItem& item, std::string_view oldClass);
  /// Called by Update of an item in the tree.
  void ItemUpdated(ProjectItem& item);

 private:
  class BatchOfOne;
  using ItemSignal = platform::Signal<platform::Ref<mzblprsx::RgProjectItem>, int32_t>;

  const std::weak_ptr<ProjectModel>& WeakSelf();
  void CheckParent(const ProjectItem& parent, const char* operation);
  size_t PlaceOf(const ProjectItem& parent, ProjectItem* before, ProjectItem* after,
                 const char* operation);
  void Link(ProjectItem& parent, const std::shared_ptr<ProjectItem>& item, size_t at);
  void Unlink(const std::shared_ptr<ProjectItem>& item);
  void IndexItem(ProjectItem& item);
  void UnindexItem(ProjectItem& item);
  void Raise(ItemSignal& signal, ProjectItem& item, int32_t position);
  void AnnounceAdded(ProjectItem& top, FirstError& failure);
  void AnnounceLeft(const std::vector<std::shared_ptr<ProjectItem>>& subtree, int32_t topPosition,
                    FirstError& failure);
  void RemoveSubtree(const std::shared_ptr<ProjectItem>& item, FirstError& failure);
  void Park(const std::shared_ptr<ProjectItem>& item);
  std::shared_ptr<ProjectItem> RootItemOf(const platform::Ref<platform::Object>& project);
  template <class Index, class Key, class Matches>
  ProjectItem* FindIn(Index& index, const Key& key, ProjectItem& scope, Matches matches);

  std::weak_ptr<ProjectModel> self_;
  std::shared_ptr<ProjectItem> root_;
  std::vector<std::shared_ptr<ProjectItem>> parked_;
  ItemIndex<const void*> byObject_;
  ItemIndex<std::string, std::string_view> byHandlerClass_;
  platform::Ref<ItemCollection> rootItems_;
  platform::Ref<host::ItemList> itemList_;
  platform::Ref<platform::Object> owner_;
  platform::Ref<mzblprsx::IRgProjectModelFactory> factory_;
  bool autoRefresh_ = true;
  int batchOfOne_ = 0;  // > 0 while the item events of a single change are delivered

  ItemSignal itemAdd_;
  ItemSignal itemChange_;
  ItemSignal itemRemove_;
  platform::Signal<platform::Ref<mzblprsx::RgProjectItem>> projectAdd_;
  platform::Signal<platform::Ref<mzblprsx::RgProjectItem>> projectRemove_;
  platform::Signal<platform::Ref<mzblprsx::RgProjectItem>> projectRefresh_;
  platform::Signal<bool> autoRefreshEvent_;
  platform::Signal<> totalRefresh_;
};

}  // namespace host
