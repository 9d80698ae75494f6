#include "host/model/ItemMover.h"

#include <string>
#include <utility>

#include "host/model/FirstError.h"
#include "host/model/ProjectItem.h"
#include "host/model/ProjectModel.h"
#include "platform/Error.h"

namespace host {

using mzblprsx::RgProjectItem;
using platform::Error;
using platform::Ref;

namespace {

constexpr const char* kSource = "mzblpexx.RgItemMover";

[[noreturn]] void Fail(int32_t number, const std::string& what) {
  throw Error(number, "Execute: " + what, kSource);
}

/// An item argument as an item of this component: nullptr for nothing.
ProjectItem* Node(const Ref<RgProjectItem>& item, const char* role) {
  if (!item) return nullptr;
  auto* node = dynamic_cast<ProjectItem*>(item.Get());
  if (!node) {
    Fail(platform::errc::kInvalidCall,
         std::string("the ") + role + " is not an item of the project model component");
  }
  return node;
}

}  // namespace

void ItemMover::SetParents(Ref<RgProjectItem> oldParent, Ref<RgProjectItem> newParent) {
  oldParent_ = std::move(oldParent);
  newParent_ = std::move(newParent);
}

void ItemMover::AddItem(Ref<RgProjectItem> item, Ref<RgProjectItem> before,
                        Ref<RgProjectItem> after) {
  queue_.push_back(Entry{std::move(item), std::move(before), std::move(after)});
}

void ItemMover::Execute() {
  // Taken out first: a listener may queue new moves while these are carried out.
  const auto queue = std::exchange(queue_, {});
  FirstError failure;
  for (const Entry& entry : queue) {
    try {
      MoveOne(entry);
    } catch (...) {
      failure.Capture();
    }
  }
  failure.Rethrow();
}

void ItemMover::MoveOne(const Entry& entry) {
  ProjectItem* item = Node(entry.item, "queued item");
  if (!item) Fail(platform::errc::kObjectNotSet, "a queued item is nothing");
  ProjectItem* oldParent = Node(oldParent_, "old parent");
  ProjectItem* newParent = Node(newParent_, "new parent");
  if (oldParent && item->ParentNode() != oldParent) {
    Fail(platform::errc::kInvalidCall, "a queued item is not a child of the old parent");
  }
  auto model = item->OwningModel();
  if (!model && newParent) model = newParent->OwningModel();
  if (!model) {
    Fail(platform::errc::kInvalidCall, "neither the item nor the new parent is in a project model");
  }
  model->Move(item->SharedSelf(), newParent, Node(entry.before, "neighbour to insert before"),
              Node(entry.after, "neighbour to insert after"));
}

}  // namespace host
