// Takes items out of a project tree whose framework objects the framework deleted when no
// handler did it: the library deletes a symbol table or a station through the framework and
// leaves it to the framework to take the item away.
//
//   auto model = platform::MakeObject<host::ProjectModel>();
//   host::DeletedItemSweeper::Attach(model);   // for the model's whole life
//
// When a project enters the model (ProjectAdd) the sweeper subscribes to that project's
// notification hub, after every other listener (NotificationHub::Order::kAfterOthers); when it
// leaves (ProjectRemove) it unsubscribes. On a single notification 128 (an object removed from
// its project: the symbol table deleted through its storage owner, the hardware configuration
// deleted by its snap-in) and on a batched notification 2 (blocks, memory card files deleted),
// each object that still has an item, the library's handlers having had their turn, loses it
// with its subtree through its parent's Items (handlers terminated, ItemRemove raised).
//
// Trap: it holds the model weakly and lives in the model's signals, like CategorySync.
#pragma once

#include <memory>
#include <vector>

#include "host/model/ProjectModel.h"
#include "host/project/NotificationHub.h"
#include "mzblprsx/interfaces/IRgObjectEventSink.h"
#include "mzblprsx/interfaces/IRgObjectEventSink2.h"

namespace host {

class DeletedItemSweeper : public mzblprsx::IRgObjectEventSink,
                           public mzblprsx::IRgObjectEventSink2 {
 public:
  explicit DeletedItemSweeper(const std::shared_ptr<ProjectModel>& model) : model_(model) {}
  ~DeletedItemSweeper() override;

  std::string_view TypeName() const override { return "DeletedItemSweeper"; }

  /// Attaches a new sweeper to the model's project events for as long as the model lives.
  static void Attach(const platform::Ref<ProjectModel>& model);

  void OnNotify(int32_t code, platform::Ref<platform::Object> object,
                const platform::Variant& argument) override;
  void OnNotify2(const mzblprsx::RgNotification& notification) override;

  /// Starts and stops following the project of a root item.
  void Follow(const platform::Ref<mzblprsx::RgProjectItem>& projectItem);
  void Unfollow(const platform::Ref<mzblprsx::RgProjectItem>& projectItem);

 private:
  struct Link {
    const void* project = nullptr;
    std::weak_ptr<NotificationHub> hub;
    NotificationHub::SubscriptionId id = 0;
  };
  void Sweep(const platform::Ref<platform::Object>& object);

  std::weak_ptr<ProjectModel> model_;
  std::vector<Link> links_;
};

}  // namespace host
