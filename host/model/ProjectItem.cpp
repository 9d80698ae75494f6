#include "host/model/ProjectItem.h"

#include <utility>

#include "host/model/ItemCollection.h"
#include "host/model/ItemList.h"
#include "host/model/ProjectModel.h"
#include "mzblprsx/interfaces/IRgProjectItemHandler.h"
#include "platform/CachedQuery.h"

namespace host {

using platform::Object;
using platform::Ref;

namespace {

/// The handler as the handler interface. A tree attaches tens of thousands of handlers of a
/// few classes; each is complete by the time it is attached.
Ref<mzblprsx::IRgProjectItemHandler> HandlerInterface(const Ref<Object>& handler) {
  return platform::CachedQuery<mzblprsx::IRgProjectItemHandler>(handler);
}

}  // namespace

ProjectItem::ProjectItem(std::weak_ptr<ProjectModel> model, Ref<Object> object)
    : model_(std::move(model)),
      object_(std::move(object)),
      objectId_(platform::Identity(object_)) {}

ProjectItem::ProjectItem(HiddenRoot) : hiddenRoot_(true), inTree_(true) {}

ProjectItem::~ProjectItem() {
  // Children that outlive this item (held elsewhere) must not point at it any more.
  for (ProjectItem* child = children_.Empty() ? nullptr : children_.Front().get(); child;) {
    ProjectItem* next = children_.After(*child);
    child->parent_ = nullptr;
    child->place_ = {};
    child = next;
  }
}

std::shared_ptr<ProjectItem> ProjectItem::SharedSelf() {
  if (std::shared_ptr<ProjectItem> self = self_.lock()) return self;
  std::shared_ptr<ProjectItem> self(shared_from_this(), this);
  self_ = self;
  return self;
}

Ref<mzblprsx::RgProjectItemData> ProjectItem::Data() {
  return Ref<mzblprsx::RgProjectItemData>(std::shared_ptr<ItemData>(SharedSelf(), &data_));
}

Ref<mzblprsx::RgProjectItemData> ProjectItem::States() {
  return Ref<mzblprsx::RgProjectItemData>(std::shared_ptr<ItemData>(SharedSelf(), &states_));
}

Ref<mzblprsx::RgProjectItems> ProjectItem::Items() {
  if (!items_) items_.emplace(SharedSelf());
  return Ref<mzblprsx::RgProjectItems>(std::shared_ptr<ItemCollection>(SharedSelf(), &*items_));
}

Ref<mzblprsx::RgProjectItemList> ProjectItem::ChildList() {
  if (!childList_) childList_ = platform::MakeObject<ItemList>(SharedSelf());
  return childList_;
}

Ref<mzblprsx::RgProjectItem> ProjectItem::Parent() {
  if (!parent_ || parent_->hiddenRoot_) return {};
  return Ref<mzblprsx::RgProjectItem>(parent_->SharedSelf());
}

Ref<mzblprsx::RgProjectModel> ProjectItem::Model() {
  return Ref<mzblprsx::RgProjectModel>(model_.lock());
}

void ProjectItem::SetHandler(Ref<Object> handler) {
  if (platform::SameObject(handler, handler_)) return;
  // The old handler stays alive until the indexes let go of its class name.
  const Ref<Object> old = std::exchange(handler_, std::move(handler));
  const std::string_view oldClass = handlerClass_;
  handlerIface_ = HandlerInterface(handler_);
  handlerClass_ = handler_ ? handler_->TypeName() : std::string_view();
  if (!inTree_) return;
  if (auto model = model_.lock()) model->HandlerChanged(*this, oldClass);
}

bool ProjectItem::IsOpen() {
  // A local reference: the handler may let go of the item while it answers.
  const auto handler = handlerIface_;
  return handler ? handler->IsOpen() : false;
}

void ProjectItem::Update() {
  if (!inTree_ || hiddenRoot_) return;
  if (auto model = model_.lock()) model->ItemUpdated(*this);
}

void ProjectItem::InsertChild(size_t at, std::shared_ptr<ProjectItem> child) {
  child->parent_ = this;
  children_.Insert(at, std::move(child));
}

std::shared_ptr<ProjectItem> ProjectItem::EraseChild(ProjectItem& child) {
  auto taken = children_.Erase(child);
  taken->parent_ = nullptr;
  return taken;
}

size_t ProjectItem::Depth() const {
  size_t depth = 0;
  for (const ProjectItem* node = parent_; node; node = node->parent_) ++depth;
  return depth;
}

bool ProjectItem::IsWithin(const ProjectItem& ancestor) const {
  for (const ProjectItem* node = this; node; node = node->parent_) {
    if (node == &ancestor) return true;
  }
  return false;
}

ProjectItem* ProjectItem::NextInTree(const ProjectItem& scope) const {
  if (!children_.Empty()) return children_.Front().get();
  for (const ProjectItem* node = this; node != &scope; node = node->parent_) {
    if (!node->parent_) return nullptr;
    if (ProjectItem* next = node->NextSibling()) return next;
  }
  return nullptr;
}

ProjectItem* ProjectItem::PreviousInTree(const ProjectItem& scope) const {
  if (this == &scope || !parent_) return nullptr;
  ProjectItem* node = PreviousSibling();
  if (!node) return parent_ == &scope ? nullptr : parent_;
  while (!node->children_.Empty()) node = node->children_.Back().get();
  return node;
}

bool ProjectItem::Precedes(const ProjectItem& a, const ProjectItem& b) {
  if (&a == &b) return false;
  const ProjectItem* x = &a;
  const ProjectItem* y = &b;
  size_t dx = a.Depth();
  size_t dy = b.Depth();
  for (; dx > dy; --dx) x = x->parent_;
  if (x == y) return false;  // b is an ancestor of a
  for (; dy > dx; --dy) y = y->parent_;
  if (x == y) return true;  // a is an ancestor of b
  while (x->parent_ != y->parent_) {
    x = x->parent_;
    y = y->parent_;
  }
  if (!x->parent_) return x < y;  // two separate trees: any fixed answer will do
  return x->Position() < y->Position();
}

}  // namespace host
