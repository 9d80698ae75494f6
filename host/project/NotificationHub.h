// The framework notifications of one project (the offline project or the PLC): who listens, and
// the delivery of what changed in the form the library's handlers expect.
//
//   auto id = project->Notifications().Subscribe(sink);     // IRgObjectEventSink and/or ...2
//   {
//     NotificationBatch batch(*program);                     // several changes, one delivery
//     program->RemoveBlocks(blocks);                         // one notification 2, all blocks
//   }
//   project->Notifications().Unsubscribe(id);
//
// Project objects raise their own notifications where they change (Program, Block, Category,
// SymbolTable, ProjectRoot, HardwareConfig, MemoryCard, MMCFile); callers never raise them
// again, they only group changes with a NotificationBatch. The table, by class of the object:
//
//   kind     class of the object        code    raised when
//   batched  block (offline or online)  1       the block was added to a program
//                                       2       the block was removed from its program
//                                       128     the block was renumbered
//            project block              8192    header, author, language, size, date,
//                                               protection, system flag, body, owner or
//                                               unknown attributes changed
//            PLC block                  4       the same for a block of the PLC (a load
//                                               that replaced it, Program::LoadBlock)
//   batched  program (block container)  256     a category was added, removed or renamed, or
//                                               the default category changed
//                                       131072  a symbol was set, moved or removed, or the
//                                               symbol table came or went (offline only);
//                                               the entry names the blocks whose symbols
//                                               changed, or the program itself when the
//                                               change may concern any block
//   batched  memory card                64      name, date or size changed
//   batched  memory card file           1 / 2   added to / removed from the card
//                                       4 / 8   renamed / type, size or date changed
//   single   project (offline or PLC)   4       renamed
//                                       256     a child was added to or removed from it
//   single   any other child of a       64      renamed; for the hardware configuration also
//            project (hardware                  its date, size or state changed
//            configuration, symbols,    128     removed from the project (deleted)
//            variable tables, references,
//            documentation, program)
//
// Category member lists and the stored category order change without notification: they
// follow the tree, which the library changes itself.
//
// Kinds. Single notifications go to sinks that implement IRgObjectEventSink, as OnNotify(code,
// object, Empty); batched ones to sinks that implement IRgObjectEventSink2, as OnNotify2 with
// the source class (the class of the objects) and entries of a code and its objects. A sink
// gets only the kinds it implements, so a sink implementing both never hears a change twice.
//
// Delivery. Normal subscribers in subscription order, then those subscribed kAfterOthers (the
// host's own followers, which clean up what no handler did). A notification raised while the
// hub delivers another is queued and delivered after it, never re-entrantly. A subscriber
// removed during a delivery gets nothing more, not even the rest of the current one; one added
// during a delivery first hears the next notification. Sinks are held weakly: a sink that died
// without unsubscribing is skipped. A sink's failure does not reach the code that changed the
// project (its change is done): it is counted in DeliveryFailures and delivery goes on.
//
// Batches. While a NotificationBatch is open, raised notifications are collected; when the
// outermost batch ends they are delivered in the order raised, consecutive batched ones of the
// same class merged into one notification (consecutive entries of one code merged into one
// entry, each object once), repeated single ones dropped.
//
// Scope. A subscriber may be limited to one object of the project: it then hears only about
// that object and the objects inside it (a deleted block still counts as inside its program).
//
// Trap: with no subscriber, raising does nothing at all; a sink that subscribes later does not
// hear what happened before.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "mzblprsx/interfaces/IRgObject.h"
#include "platform/Ref.h"

namespace host {

class ProjectObject;

class NotificationHub : public std::enable_shared_from_this<NotificationHub> {
 public:
  using SubscriptionId = uint64_t;
  enum class Order { kNormal, kAfterOthers };
  enum class Kind { kSingle, kBatched };

  /// Notification codes of the table above.
  static constexpr int32_t kCreated = 1;
  static constexpr int32_t kDeleted = 2;
  static constexpr int32_t kRenamed = 4;
  static constexpr int32_t kFileChanged = 8;
  static constexpr int32_t kChanged = 64;
  static constexpr int32_t kRemoved = 128;
  static constexpr int32_t kRenumbered = 128;
  static constexpr int32_t kStructureChanged = 256;
  static constexpr int32_t kBlockChanged = 8192;
  static constexpr int32_t kPlcBlockChanged = 4;
  static constexpr int32_t kSymbolsChanged = 131072;

  NotificationHub() = default;
  NotificationHub(const NotificationHub&) = delete;
  NotificationHub& operator=(const NotificationHub&) = delete;

  /// Adds a listener; `sink` should implement IRgObjectEventSink, IRgObjectEventSink2 or both
  /// (one implementing neither hears nothing). `scope` limits it to an object and what is
  /// inside it (nothing, or the project itself: everything). Error 91 for no sink.
  SubscriptionId Subscribe(const platform::Ref<platform::Object>& sink,
                           const platform::Ref<ProjectObject>& scope = nullptr,
                           Order order = Order::kNormal);
  /// Ends a subscription; false when it is not (or no longer) one of this hub.
  bool Unsubscribe(SubscriptionId id);
  size_t SubscriberCount() const;

  /// Raises a single notification about the object. `formerContainer` names where an object
  /// that just left the project was, so that scoped listeners still place it.
  void RaiseSingle(int32_t code, ProjectObject& object,
                   const ProjectObject* formerContainer = nullptr);
  /// Raises a batched notification entry about the object; the source class is its class.
  void RaiseBatched(int32_t code, ProjectObject& object,
                    const ProjectObject* formerContainer = nullptr);
  /// Raises a batched notification of the source's class whose entry names `object` (an object
  /// inside the source): 131072 of a program naming the block whose symbol changed.
  void RaiseBatchedAbout(int32_t code, ProjectObject& source, ProjectObject& object);

  /// Opens and closes a batch (NotificationBatch does both); batches nest.
  void BeginBatch() { ++batchDepth_; }
  void EndBatch();
  /// True while a notification is being delivered.
  bool Delivering() const { return delivering_; }
  /// How many sink calls failed, and the description of the last failure.
  int32_t DeliveryFailures() const { return failures_; }
  const std::string& LastFailure() const { return lastFailure_; }

 private:
  struct PairHash {
    size_t operator()(const std::pair<int32_t, const void*>& key) const noexcept {
      return std::hash<const void*>()(key.second) ^ static_cast<size_t>(key.first);
    }
  };
  struct Target {
    platform::Ref<mzblprsx::IRgObject> object;
    std::vector<const void*> chain;  // the object and what holds (or held) it, by identity
  };
  struct Entry {
    int32_t code = 0;
    std::vector<Target> targets;
  };
  struct Notice {
    Kind kind = Kind::kSingle;
    std::string sourceClass;
    std::vector<Entry> entries;
  };
  /// The objects of the batch's last entry, and the single notifications collected, so that
  /// a batch of k changes is merged in O(k), not O(k * k).
  struct BatchIndex {
    std::unordered_set<const void*> lastEntry;
    std::unordered_set<std::pair<int32_t, const void*>, PairHash> singles;
  };
  struct Subscriber {
    SubscriptionId id = 0;
    std::weak_ptr<platform::Object> sink;
    platform::Ref<ProjectObject> scope;  // nothing: the whole project
    const void* scopeIdentity = nullptr;
    Order order = Order::kNormal;
    bool active = true;
  };

  void Raise(Kind kind, int32_t code, std::string sourceClass, ProjectObject& object,
             const ProjectObject* formerContainer);
  void Collect(Notice notice);
  void Pump();
  void Deliver(const Notice& notice);
  void DeliverTo(const Subscriber& subscriber, const platform::Ref<platform::Object>& sink,
                 const Notice& notice);

  std::vector<std::shared_ptr<Subscriber>> subscribers_;
  SubscriptionId nextId_ = 1;
  int batchDepth_ = 0;
  std::vector<Notice> batch_;
  BatchIndex batchIndex_;
  std::deque<Notice> queue_;
  bool delivering_ = false;
  int32_t failures_ = 0;
  std::string lastFailure_;
};

/// Groups the notifications raised during its lifetime into one delivery (see the hub).
///
///   NotificationBatch batch(*program);   // the program's project's hub; none: does nothing
class NotificationBatch {
 public:
  /// The batch of the hub of the project that holds `object` (none outside a project).
  explicit NotificationBatch(const ProjectObject& object);
  explicit NotificationBatch(std::shared_ptr<NotificationHub> hub);
  ~NotificationBatch();
  NotificationBatch(const NotificationBatch&) = delete;
  NotificationBatch& operator=(const NotificationBatch&) = delete;

 private:
  std::shared_ptr<NotificationHub> hub_;
};

}  // namespace host
