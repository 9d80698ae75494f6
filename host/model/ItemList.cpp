#include "host/model/ItemList.h"

#include <utility>

#include "host/model/ProjectItem.h"
#include "host/model/ProjectModel.h"

namespace host {

using mzblprsx::RgProjectItem;
using platform::Ref;

ItemList::ItemList(std::weak_ptr<ProjectItem> scope) : scope_(std::move(scope)) {}

bool ItemList::Find(int32_t searchType, const platform::Variant& value) {
  const auto scope = scope_.lock();
  if (!scope) return false;
  const auto model = scope->OwningModel();
  if (!model) return false;
  ProjectItem* found = model->Find(*scope, searchType, value);
  if (!found) return false;
  found_ = found->SharedSelf();
  return true;
}

Ref<RgProjectItem> ItemList::FoundItem() {
  return Ref<RgProjectItem>(found_.lock());
}

int32_t ItemList::Count() {
  const auto scope = scope_.lock();
  if (!scope) return 0;
  const size_t count = scope->IsHiddenRoot() ? scope->SubtreeSize() - 1 : scope->ChildCount();
  return static_cast<int32_t>(count);
}

ProjectItem* ItemList::Member(const Ref<RgProjectItem>& item) const {
  const auto scope = scope_.lock();
  auto* node = dynamic_cast<ProjectItem*>(item.Get());
  if (!scope || !node || node == scope.get()) return nullptr;
  if (scope->IsHiddenRoot()) return node->InTree() && node->IsWithin(*scope) ? node : nullptr;
  return node->ParentNode() == scope.get() ? node : nullptr;
}

Ref<RgProjectItem> ItemList::Previous(const Ref<RgProjectItem>& item) {
  ProjectItem* node = Member(item);
  if (!node) return {};
  const auto scope = scope_.lock();
  if (scope->IsHiddenRoot()) {
    ProjectItem* previous = node->PreviousInTree(*scope);
    return previous ? Ref<RgProjectItem>(previous->SharedSelf()) : Ref<RgProjectItem>();
  }
  ProjectItem* previous = node->PreviousSibling();
  return previous ? Ref<RgProjectItem>(previous->SharedSelf()) : Ref<RgProjectItem>();
}

Ref<RgProjectItem> ItemList::Next(const Ref<RgProjectItem>& item) {
  ProjectItem* node = Member(item);
  if (!node) return {};
  const auto scope = scope_.lock();
  if (scope->IsHiddenRoot()) {
    ProjectItem* next = node->NextInTree(*scope);
    return next ? Ref<RgProjectItem>(next->SharedSelf()) : Ref<RgProjectItem>();
  }
  ProjectItem* next = node->NextSibling();
  return next ? Ref<RgProjectItem>(next->SharedSelf()) : Ref<RgProjectItem>();
}

}  // namespace host
