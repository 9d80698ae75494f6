#include "host/framework/DeletedItemSweeper.h"

#include <algorithm>

#include "host/model/ProjectItem.h"
#include "host/project/ProjectObject.h"
#include "mzblprsx/interfaces/RgNotification.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"

namespace host {

namespace {

constexpr int32_t kSearchByObject = 4;

// The project object a root item was made for, or nothing.
platform::Ref<ProjectObject> ProjectOf(const platform::Ref<mzblprsx::RgProjectItem>& item) {
  const auto* node = dynamic_cast<const ProjectItem*>(item.Get());
  return node ? node->FrameworkObject().As<ProjectObject>() : nullptr;
}

}  // namespace

DeletedItemSweeper::~DeletedItemSweeper() {
  for (const Link& link : links_) {
    if (const auto hub = link.hub.lock()) hub->Unsubscribe(link.id);
  }
}

void DeletedItemSweeper::Attach(const platform::Ref<ProjectModel>& model) {
  auto sweeper = platform::MakeObject<DeletedItemSweeper>(model.Shared());
  // The slots own the sweeper and the model owns the slots; they end with the model.
  static_cast<void>(model->ProjectAdd().Connect(
      [sweeper](const platform::Ref<mzblprsx::RgProjectItem>& item) { sweeper->Follow(item); }));
  static_cast<void>(model->ProjectRemove().Connect(
      [sweeper](const platform::Ref<mzblprsx::RgProjectItem>& item) { sweeper->Unfollow(item); }));
}

void DeletedItemSweeper::Follow(const platform::Ref<mzblprsx::RgProjectItem>& projectItem) {
  const auto project = ProjectOf(projectItem);
  const auto hub = project ? project->ProjectHub() : nullptr;
  if (!hub) return;
  const void* identity = platform::Identity(project);
  const bool followed = std::any_of(links_.begin(), links_.end(),
                                    [&](const Link& link) { return link.project == identity; });
  if (followed) return;
  const auto id =
      hub->Subscribe(platform::Self(this), nullptr, NotificationHub::Order::kAfterOthers);
  links_.push_back(Link{identity, hub, id});
}

void DeletedItemSweeper::Unfollow(const platform::Ref<mzblprsx::RgProjectItem>& projectItem) {
  const void* identity = platform::Identity(ProjectOf(projectItem));
  std::erase_if(links_, [&](const Link& link) {
    if (link.project != identity) return false;
    if (const auto hub = link.hub.lock()) hub->Unsubscribe(link.id);
    return true;
  });
}

void DeletedItemSweeper::OnNotify(int32_t code, platform::Ref<platform::Object> object,
                                  const platform::Variant& /*argument*/) {
  if (code == NotificationHub::kRemoved) Sweep(object);
}

void DeletedItemSweeper::OnNotify2(const mzblprsx::RgNotification& notification) {
  for (const auto& entry : notification.entries) {
    if (entry.code != NotificationHub::kDeleted) continue;
    for (const auto& object : entry.objects) Sweep(object);
  }
}

void DeletedItemSweeper::Sweep(const platform::Ref<platform::Object>& object) {
  const auto model = platform::Ref<ProjectModel>(model_.lock());
  if (!model || !object) return;
  const auto list = model->ItemList();
  if (!list->Find(kSearchByObject, platform::Variant(object))) return;
  const auto item = list->FoundItem();
  const auto parent = item->Parent();
  (parent ? parent->Items() : model->Items())->Remove(item);
}

}  // namespace host
