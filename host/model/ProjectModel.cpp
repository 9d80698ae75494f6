#include "host/model/ProjectModel.h"

#include <string>
#include <utility>

#include "host/model/FirstError.h"
#include "host/model/ItemCollection.h"
#include "host/model/ItemList.h"
#include "host/model/ProjectItem.h"
#include "platform/Error.h"

namespace host {

using mzblprsx::RgProjectItem;
using platform::Error;
using platform::Object;
using platform::Ref;
using platform::Variant;

namespace {

constexpr const char* kSource = "mzblpexx.RgProjectModel";

[[noreturn]] void Fail(int32_t number, const std::string& where, const std::string& what) {
  throw Error(number, where + ": " + what, kSource);
}

Ref<RgProjectItem> AsRef(ProjectItem& item) {
  return Ref<RgProjectItem>(item.SharedSelf());
}

/// The item and everything below it, in pre-order, held so that listeners cannot free them.
std::vector<std::shared_ptr<ProjectItem>> CollectSubtree(ProjectItem& top) {
  std::vector<std::shared_ptr<ProjectItem>> nodes;
  nodes.reserve(top.SubtreeSize());
  for (ProjectItem* node = &top; node; node = node->NextInTree(top)) {
    nodes.push_back(node->SharedSelf());
  }
  return nodes;
}

}  // namespace

/// Marks the delivery of the item events of one change made while AutoRefresh is on.
class ProjectModel::BatchOfOne {
 public:
  explicit BatchOfOne(ProjectModel& model) : model_(model), active_(model.autoRefresh_) {
    if (active_) ++model_.batchOfOne_;
  }
  ~BatchOfOne() {
    if (active_) --model_.batchOfOne_;
  }
  BatchOfOne(const BatchOfOne&) = delete;
  BatchOfOne& operator=(const BatchOfOne&) = delete;

 private:
  ProjectModel& model_;
  bool active_;
};

ProjectModel::ProjectModel()
    : root_(platform::MakeObject<ProjectItem>(ProjectItem::HiddenRoot{}).Shared()),
      byObject_(&ProjectItem::objectSlot_),
      byHandlerClass_(&ProjectItem::classSlot_) {}

ProjectModel::~ProjectModel() {
  // A model dropped without Terminate: nobody can be told any more, but the handlers that hold
  // their items must not keep whole trees alive, so the items let go of them.
  auto dropHandlers = [](ProjectItem& top) {
    for (ProjectItem* node = &top; node; node = node->NextInTree(top)) {
      node->handler_.Reset();
      node->handlerIface_.Reset();
      node->handlerClass_ = {};
    }
  };
  dropHandlers(*root_);
  for (const auto& item : parked_) dropHandlers(*item);
}

const std::weak_ptr<ProjectModel>& ProjectModel::WeakSelf() {
  if (self_.expired()) self_ = std::shared_ptr<ProjectModel>(shared_from_this(), this);
  return self_;
}

ProjectItem& ProjectModel::RootNode() {
  if (root_->model_.expired()) root_->model_ = WeakSelf();
  return *root_;
}

Ref<mzblprsx::RgProjectItems> ProjectModel::Items() {
  if (!rootItems_) rootItems_ = platform::MakeObject<ItemCollection>(RootNode().SharedSelf());
  return rootItems_;
}

Ref<mzblprsx::RgProjectItemList> ProjectModel::ItemList() {
  if (!itemList_) itemList_ = platform::MakeObject<host::ItemList>(RootNode().SharedSelf());
  return itemList_;
}

void ProjectModel::SetAutoRefresh(bool on) {
  if (on == autoRefresh_) return;
  autoRefresh_ = on;
  autoRefreshEvent_.Emit(on);
}

bool ProjectModel::HasProject() {
  return root_->ChildCount() > 0;
}

int32_t ProjectModel::ItemCount() const {
  return static_cast<int32_t>(root_->SubtreeSize() - 1);
}

void ProjectModel::Terminate() {
  FirstError failure;
  while (root_->ChildCount() > 0) {
    const auto item = root_->children_.Back();
    RemoveSubtree(item, failure);
    if (root_->ChildCount() > 0 && root_->children_.Back() == item) break;  // cannot happen
  }
  while (!parked_.empty()) {
    const auto item = parked_.back();
    parked_.pop_back();
    item->parked_ = false;
    RemoveSubtree(item, failure);
    item->model_.reset();
  }
  factory_.Reset();
  owner_.Reset();
  failure.Rethrow();
}

void ProjectModel::AddProject(Ref<Object> project) {
  const auto factory = factory_;  // the factory may be dropped while it works
  if (!factory) Fail(platform::errc::kObjectNotSet, "AddProject", "the model has no factory");
  RootNode();
  Ref<RgProjectItem> item = factory->AddProject(platform::Self(this), project);
  if (!item) item = RootItemOf(project);
  if (item) projectAdd_.Emit(item);
}

void ProjectModel::RemoveProject(Ref<Object> project) {
  const auto factory = factory_;
  if (!factory) Fail(platform::errc::kObjectNotSet, "RemoveProject", "the model has no factory");
  if (auto item = RootItemOf(project)) projectRemove_.Emit(Ref<RgProjectItem>(item));
  factory->RemoveProject(platform::Self(this), project);
}

void ProjectModel::RefreshProject(Ref<Object> project) {
  const auto factory = factory_;
  if (!factory) Fail(platform::errc::kObjectNotSet, "RefreshProject", "the model has no factory");
  factory->RefreshProject(platform::Self(this), project);
  if (auto item = RootItemOf(project)) projectRefresh_.Emit(Ref<RgProjectItem>(item));
  totalRefresh_.Emit();
}

std::shared_ptr<ProjectItem> ProjectModel::RootItemOf(const Ref<Object>& project) {
  const void* identity = platform::Identity(project);
  if (!identity) return {};
  for (size_t i = 0; i < root_->ChildCount(); ++i) {
    if (root_->ChildAt(i)->objectId_ == identity) return root_->ChildAt(i);
  }
  return {};
}

// --- Structure ----------------------------------------------------------------------------

void ProjectModel::CheckParent(const ProjectItem& parent, const char* operation) {
  if (&parent == root_.get()) return;
  if (parent.inTree_ && parent.model_.lock().get() == this) return;
  Fail(platform::errc::kInvalidCall, operation,
       "the parent item is not in this project model's tree");
}

size_t ProjectModel::PlaceOf(const ProjectItem& parent, ProjectItem* before, ProjectItem* after,
                             const char* operation) {
  if (after) {
    if (after->parent_ != &parent) {
      Fail(platform::errc::kInvalidCall, operation,
           "the neighbour to insert after is not a child of the parent item");
    }
    return after->Position() + 1;
  }
  if (before) {
    if (before->parent_ != &parent) {
      Fail(platform::errc::kInvalidCall, operation,
           "the neighbour to insert before is not a child of the parent item");
    }
    return before->Position();
  }
  return parent.ChildCount();
}

void ProjectModel::IndexItem(ProjectItem& item) {
  if (item.objectId_) byObject_.Insert(item.objectId_, &item);
  if (!item.handlerClass_.empty()) byHandlerClass_.Insert(item.handlerClass_, &item);
}

void ProjectModel::UnindexItem(ProjectItem& item) {
  if (item.objectId_) byObject_.Erase(item.objectId_, &item);
  if (!item.handlerClass_.empty()) byHandlerClass_.Erase(item.handlerClass_, &item);
}

void ProjectModel::Link(ProjectItem& parent, const std::shared_ptr<ProjectItem>& item, size_t at) {
  parent.InsertChild(at, item);
  for (ProjectItem* node = &parent; node; node = node->parent_) {
    node->subtreeSize_ += item->subtreeSize_;
  }
  const auto& self = WeakSelf();
  for (ProjectItem* node = item.get(); node; node = node->NextInTree(*item)) {
    node->model_ = self;
    node->inTree_ = true;
    node->parked_ = false;
    IndexItem(*node);
  }
}

void ProjectModel::Unlink(const std::shared_ptr<ProjectItem>& item) {
  if (item->inTree_) {
    for (ProjectItem* node = item.get(); node; node = node->NextInTree(*item)) {
      UnindexItem(*node);
      node->inTree_ = false;
    }
  }
  ProjectItem* parent = item->parent_;
  parent->EraseChild(*item);
  for (ProjectItem* node = parent; node; node = node->parent_) {
    node->subtreeSize_ -= item->subtreeSize_;
  }
}

void ProjectModel::Park(const std::shared_ptr<ProjectItem>& item) {
  item->parked_ = true;
  parked_.push_back(item);
}

void ProjectModel::Raise(ItemSignal& signal, ProjectItem& item, int32_t position) {
  BatchOfOne batch(*this);
  signal.Emit(AsRef(item), position);
}

void ProjectModel::AnnounceAdded(ProjectItem& top, FirstError& failure) {
  for (const auto& node : CollectSubtree(top)) {
    // A listener may have changed the tree meanwhile: announce only what is still in it.
    if (!node->inTree_) continue;
    try {
      Raise(itemAdd_, *node, static_cast<int32_t>(node->Position() + 1));
    } catch (...) {
      failure.Capture();
    }
  }
}

void ProjectModel::AnnounceLeft(const std::vector<std::shared_ptr<ProjectItem>>& subtree,
                                int32_t topPosition, FirstError& failure) {
  for (auto it = subtree.rbegin(); it != subtree.rend(); ++it) {
    ProjectItem& node = **it;
    const bool top = it + 1 == subtree.rend();
    if (!top && !node.parent_) continue;
    try {
      Raise(itemRemove_, node, top ? topPosition : static_cast<int32_t>(node.Position() + 1));
    } catch (...) {
      failure.Capture();
    }
  }
}

void ProjectModel::RemoveSubtree(const std::shared_ptr<ProjectItem>& item, FirstError& failure) {
  ProjectItem& node = *item;
  if (node.removing_) return;  // already on its way out (a handler removed it again)
  node.removing_ = true;
  while (node.ChildCount() > 0) {
    const auto child = node.children_.Back();
    RemoveSubtree(child, failure);
    if (node.ChildCount() > 0 && node.children_.Back() == child) break;  // child busy leaving
  }
  if (const auto handler = node.handlerIface_) {
    try {
      handler->Terminate();
    } catch (...) {
      failure.Capture();
    }
  }
  if (const auto factory = factory_) {
    try {
      factory->TerminateItem(AsRef(node));
    } catch (...) {
      failure.Capture();
    }
  }
  // Without a factory (or when it failed) the model lets go of the handler itself.
  if (node.handler_) node.SetHandler(nullptr);
  if (node.parent_) {
    const bool wasInTree = node.inTree_;
    const auto position = static_cast<int32_t>(node.Position() + 1);
    Unlink(item);
    node.model_.reset();
    if (wasInTree) {
      try {
        Raise(itemRemove_, node, position);
      } catch (...) {
        failure.Capture();
      }
    }
  }
  node.removing_ = false;
}

std::shared_ptr<ProjectItem> ProjectModel::AddNew(ProjectItem& parent, Ref<Object> object,
                                                  ProjectItem* before, ProjectItem* after) {
  CheckParent(parent, "AddNew");
  const size_t at = PlaceOf(parent, before, after, "AddNew");
  auto item = platform::MakeObject<ProjectItem>(WeakSelf(), std::move(object)).Shared();
  Link(parent, item, at);
  FirstError failure;
  if (const auto factory = factory_) {
    try {
      factory->InitializeItem(AsRef(*item), item->object_);
    } catch (...) {
      failure.Capture();
    }
  }
  if (!failure.Failed()) {
    if (const auto handler = item->handlerIface_) {
      try {
        handler->Initialize();
      } catch (...) {
        failure.Capture();
      }
    }
  }
  // Only the item itself: children that its handler added were announced by their own AddNew.
  if (item->inTree_) {
    try {
      Raise(itemAdd_, *item, static_cast<int32_t>(item->Position() + 1));
    } catch (...) {
      failure.Capture();
    }
  }
  failure.Rethrow();
  return item;
}

void ProjectModel::Insert(ProjectItem& parent, const std::shared_ptr<ProjectItem>& item,
                          ProjectItem* before, ProjectItem* after) {
  CheckParent(parent, "Add");
  if (item->parent_ || item->hiddenRoot_) {
    Fail(platform::errc::kInvalidCall, "Add",
         "the item already has a parent; the item mover moves items between parents");
  }
  const auto owner = item->model_.lock();
  if (owner && owner.get() != this) {
    Fail(platform::errc::kInvalidCall, "Add", "the item belongs to another project model");
  }
  const size_t at = PlaceOf(parent, before, after, "Add");
  if (item->parked_) std::erase(parked_, item);
  Link(parent, item, at);
  FirstError failure;
  AnnounceAdded(*item, failure);
  failure.Rethrow();
}

void ProjectModel::Remove(ProjectItem& parent, ProjectItem& item) {
  CheckParent(parent, "Remove");
  if (item.parent_ != &parent) {
    Fail(platform::errc::kInvalidCall, "Remove", "the item is not a child of this item");
  }
  FirstError failure;
  RemoveSubtree(item.SharedSelf(), failure);
  failure.Rethrow();
}

void ProjectModel::Clear(ProjectItem& parent) {
  CheckParent(parent, "Clear");
  FirstError failure;
  while (parent.ChildCount() > 0) {
    const auto child = parent.children_.Back();
    RemoveSubtree(child, failure);
    if (parent.ChildCount() > 0 && parent.children_.Back() == child) break;
  }
  failure.Rethrow();
}

void ProjectModel::Move(const std::shared_ptr<ProjectItem>& item, ProjectItem* newParent,
                        ProjectItem* before, ProjectItem* after) {
  ProjectItem& node = *item;
  const auto owner = node.model_.lock();
  if (owner && owner.get() != this) {
    Fail(platform::errc::kInvalidCall, "Move", "the item belongs to another project model");
  }
  if (!node.parent_) {  // parked or removed: a move into the tree is an insertion
    if (newParent) Insert(*newParent, item, before, after);
    return;
  }
  if (!node.inTree_) {
    Fail(platform::errc::kInvalidCall, "Move", "the item lies below an item outside the tree");
  }
  if (newParent) {
    CheckParent(*newParent, "Move");
    if (newParent->IsWithin(node)) {
      Fail(platform::errc::kInvalidCall, "Move", "an item cannot move below itself");
    }
    if (before == &node || after == &node) return;  // next to itself: it stays where it is
    PlaceOf(*newParent, before, after, "Move");     // checks the neighbour before anything moves
  }
  const auto subtree = CollectSubtree(node);
  const auto oldPosition = static_cast<int32_t>(node.Position() + 1);
  Unlink(item);
  FirstError failure;
  AnnounceLeft(subtree, oldPosition, failure);
  if (!newParent) {
    Park(item);
    failure.Rethrow();
    return;
  }
  if (!newParent->inTree_ || newParent->removing_) {  // a listener removed it meanwhile
    Park(item);
    failure.Rethrow();
    Fail(platform::errc::kInvalidCall, "Move",
         "the new parent left the tree while the item was moving; the item was parked");
  }
  // Listeners may have moved the neighbours meanwhile; then the item goes to the end.
  if (after && after->parent_ != newParent) after = nullptr;
  if (before && before->parent_ != newParent) before = nullptr;
  Link(*newParent, item, PlaceOf(*newParent, before, after, "Move"));
  AnnounceAdded(node, failure);
  failure.Rethrow();
}

void ProjectModel::HandlerChanged(ProjectItem& item, std::string_view oldClass) {
  if (!oldClass.empty()) byHandlerClass_.Erase(oldClass, &item);
  if (!item.handlerClass_.empty()) byHandlerClass_.Insert(item.handlerClass_, &item);
}

void ProjectModel::ItemUpdated(ProjectItem& item) {
  Raise(itemChange_, item, static_cast<int32_t>(item.Position() + 1));
}

// --- Search -------------------------------------------------------------------------------

template <class Index, class Key, class Matches>
ProjectItem* ProjectModel::FindIn(Index& index, const Key& key, ProjectItem& scope,
                                  Matches matches) {
  const auto candidates = index.Items(key);
  if (candidates.empty()) return nullptr;
  ProjectItem* first = index.First(key);
  if (&scope == root_.get()) return first;
  if (first != &scope && first->IsWithin(scope)) return first;
  // The first of the whole model lies elsewhere: look at whichever is smaller, the items under
  // the key or the subtree.
  if (candidates.size() <= scope.subtreeSize_) {
    ProjectItem* best = nullptr;
    for (ProjectItem* candidate : candidates) {
      if (candidate == &scope || !candidate->IsWithin(scope)) continue;
      if (!best || ProjectItem::Precedes(*candidate, *best)) best = candidate;
    }
    return best;
  }
  for (ProjectItem* node = scope.NextInTree(scope); node; node = node->NextInTree(scope)) {
    if (matches(*node)) return node;
  }
  return nullptr;
}

ProjectItem* ProjectModel::Find(ProjectItem& scope, int32_t searchType, const Variant& value) {
  if (!scope.inTree_) return nullptr;  // the indexes cover the tree only
  switch (searchType) {
    case mzblprsx::find_by::kItem: {
      if (!value.IsObject()) return nullptr;
      const auto object = value.ToObject();
      auto* item = dynamic_cast<ProjectItem*>(object.Get());
      if (!item || item == &scope || !item->inTree_ || item->hiddenRoot_) return nullptr;
      if (item->model_.lock().get() != this || !item->IsWithin(scope)) return nullptr;
      return item;
    }
    case mzblprsx::find_by::kHandlerClass: {
      if (value.Type() != platform::VarType::String) return nullptr;
      const std::string text = value.ToString();
      const std::string_view name = text;
      return FindIn(byHandlerClass_, name, scope,
                    [&](const ProjectItem& node) { return node.handlerClass_ == name; });
    }
    case mzblprsx::find_by::kObject: {
      if (!value.IsObject()) return nullptr;
      const void* identity = platform::Identity(value.ToObject());
      if (!identity) return nullptr;
      return FindIn(byObject_, identity, scope,
                    [&](const ProjectItem& node) { return node.objectId_ == identity; });
    }
    default:
      return nullptr;
  }
}

}  // namespace host
