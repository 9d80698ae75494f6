#include "host/model/ItemCollection.h"

#include <string>
#include <utility>

#include "host/model/ProjectItem.h"
#include "host/model/ProjectModel.h"
#include "platform/Error.h"

namespace host {

using mzblprsx::RgProjectItem;
using platform::Error;
using platform::Ref;

namespace {

constexpr const char* kSource = "mzblpexx.RgProjectItems";

[[noreturn]] void Fail(int32_t number, const char* operation, const std::string& what) {
  throw Error(number, std::string(operation) + ": " + what, kSource);
}

/// A neighbour argument: nothing, or an item of this component.
ProjectItem* Neighbour(const Ref<RgProjectItem>& item, const char* operation) {
  if (!item) return nullptr;
  auto* node = dynamic_cast<ProjectItem*>(item.Get());
  if (!node) {
    Fail(platform::errc::kInvalidCall, operation,
         "a neighbour is not an item of the project model component");
  }
  return node;
}

/// The item argument, which must be given and be an item of this component.
ProjectItem& Subject(const Ref<RgProjectItem>& item, const char* operation) {
  if (!item) Fail(platform::errc::kObjectNotSet, operation, "no item was given");
  auto* node = dynamic_cast<ProjectItem*>(item.Get());
  if (!node) {
    Fail(platform::errc::kInvalidCall, operation,
         "the item is not an item of the project model component");
  }
  return *node;
}

}  // namespace

ItemCollection::ItemCollection(std::weak_ptr<ProjectItem> owner) : owner_(std::move(owner)) {}

std::shared_ptr<ProjectItem> ItemCollection::Owner(const char* operation) const {
  auto owner = owner_.lock();
  if (!owner) {
    Fail(platform::errc::kObjectNotSet, operation, "the item of this collection no longer exists");
  }
  return owner;
}

std::shared_ptr<ProjectModel> ItemCollection::ModelOf(const ProjectItem& owner,
                                                      const char* operation) const {
  auto model = owner.OwningModel();
  if (!model || !owner.InTree()) {
    Fail(platform::errc::kInvalidCall, operation, "the item is not in a project model's tree");
  }
  return model;
}

int32_t ItemCollection::Count() {
  return static_cast<int32_t>(Owner("Count")->ChildCount());
}

Ref<RgProjectItem> ItemCollection::Item(int32_t index) {
  const auto owner = Owner("Item");
  const auto count = static_cast<int32_t>(owner->ChildCount());
  if (index < 1 || index > count) {
    Fail(platform::errc::kSubscript, "Item",
         "position " + std::to_string(index) + " is outside 1.." + std::to_string(count));
  }
  return Ref<RgProjectItem>(owner->ChildAt(static_cast<size_t>(index - 1)));
}

Ref<RgProjectItem> ItemCollection::First() {
  const auto owner = Owner("First");
  if (owner->ChildCount() == 0) return {};
  return Ref<RgProjectItem>(owner->ChildAt(0));
}

Ref<RgProjectItem> ItemCollection::Last() {
  const auto owner = Owner("Last");
  if (owner->ChildCount() == 0) return {};
  return Ref<RgProjectItem>(owner->ChildAt(owner->ChildCount() - 1));
}

int32_t ItemCollection::IndexOf(const Ref<RgProjectItem>& item) {
  const auto owner = Owner("IndexOf");
  const auto* node = dynamic_cast<const ProjectItem*>(item.Get());
  if (!node || node->ParentNode() != owner.get()) return 0;
  return static_cast<int32_t>(node->Position() + 1);
}

Ref<RgProjectItem> ItemCollection::AddNew(Ref<platform::Object> object, Ref<RgProjectItem> before,
                                          Ref<RgProjectItem> after) {
  const auto owner = Owner("AddNew");
  const auto model = ModelOf(*owner, "AddNew");
  return Ref<RgProjectItem>(model->AddNew(*owner, std::move(object), Neighbour(before, "AddNew"),
                                          Neighbour(after, "AddNew")));
}

void ItemCollection::Add(Ref<RgProjectItem> item, Ref<RgProjectItem> before,
                         Ref<RgProjectItem> after) {
  const auto owner = Owner("Add");
  ProjectItem& node = Subject(item, "Add");
  const auto model = ModelOf(*owner, "Add");
  model->Insert(*owner, node.SharedSelf(), Neighbour(before, "Add"), Neighbour(after, "Add"));
}

void ItemCollection::Remove(Ref<RgProjectItem> item) {
  const auto owner = Owner("Remove");
  ProjectItem& node = Subject(item, "Remove");
  if (node.ParentNode() != owner.get()) {
    Fail(platform::errc::kInvalidCall, "Remove", "the item is not one of these items");
  }
  ModelOf(*owner, "Remove")->Remove(*owner, node);
}

void ItemCollection::Clear() {
  const auto owner = Owner("Clear");
  if (owner->ChildCount() == 0) return;
  ModelOf(*owner, "Clear")->Clear(*owner);
}

}  // namespace host
