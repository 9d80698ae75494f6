#include "host/project/NotificationHub.h"

#include <algorithm>
#include <utility>

#include "host/project/ProjectObject.h"
#include "mzblprsx/interfaces/IRgObjectEventSink.h"
#include "mzblprsx/interfaces/IRgObjectEventSink2.h"
#include "mzblprsx/interfaces/RgNotification.h"
#include "platform/Error.h"

namespace host {

namespace {

const void* IdentityOf(const ProjectObject* object) {
  return object ? dynamic_cast<const void*>(object) : nullptr;
}

// The object and every container above it (or above where it was), nearest first.
std::vector<const void*> ChainOf(ProjectObject& object, const ProjectObject* formerContainer) {
  std::vector<const void*> chain{IdentityOf(&object)};
  platform::Ref<ProjectObject> next =
      formerContainer ? platform::Self(const_cast<ProjectObject*>(formerContainer))
                      : object.Parent();
  for (; next; next = next->Parent()) chain.push_back(IdentityOf(next.Get()));
  return chain;
}

bool InScope(const std::vector<const void*>& chain, const void* scope) {
  return scope == nullptr || std::find(chain.begin(), chain.end(), scope) != chain.end();
}

// "The same object" is the same most-derived address.
const void* TargetIdentity(const platform::Ref<mzblprsx::IRgObject>& object) {
  return platform::Identity(object);
}

// Restores the delivering flag whatever happens inside a delivery.
class DeliveringFlag {
 public:
  explicit DeliveringFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~DeliveringFlag() { flag_ = false; }
  DeliveringFlag(const DeliveringFlag&) = delete;
  DeliveringFlag& operator=(const DeliveringFlag&) = delete;

 private:
  bool& flag_;
};

}  // namespace

NotificationHub::SubscriptionId NotificationHub::Subscribe(
    const platform::Ref<platform::Object>& sink, const platform::Ref<ProjectObject>& scope,
    Order order) {
  if (!sink) {
    throw platform::Error(platform::errc::kObjectNotSet,
                          "Cannot subscribe to project notifications: no sink was given");
  }
  auto subscriber = std::make_shared<Subscriber>();
  subscriber->id = nextId_++;
  subscriber->sink = sink.Shared();
  if (scope && scope->ProjectHub().get() != this) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "Cannot subscribe to notifications about '" + scope->DisplayName() +
                              "': it is not part of this project");
  }
  // A scope of the project itself means everything; holding the project here would also keep
  // it alive through its own hub.
  if (scope && scope->Parent()) {
    subscriber->scope = scope;
    subscriber->scopeIdentity = IdentityOf(scope.Get());
  }
  subscriber->order = order;
  subscribers_.push_back(subscriber);
  return subscriber->id;
}

bool NotificationHub::Unsubscribe(SubscriptionId id) {
  const auto it = std::find_if(subscribers_.begin(), subscribers_.end(),
                               [&](const auto& s) { return s->id == id; });
  if (it == subscribers_.end()) return false;
  (*it)->active = false;  // a delivery in progress holds a snapshot: it must skip this one
  subscribers_.erase(it);
  return true;
}

size_t NotificationHub::SubscriberCount() const {
  return static_cast<size_t>(std::count_if(subscribers_.begin(), subscribers_.end(),
                                           [](const auto& s) { return !s->sink.expired(); }));
}

void NotificationHub::RaiseSingle(int32_t code, ProjectObject& object,
                                  const ProjectObject* formerContainer) {
  Raise(Kind::kSingle, code, object.ClassID(), object, formerContainer);
}

void NotificationHub::RaiseBatched(int32_t code, ProjectObject& object,
                                   const ProjectObject* formerContainer) {
  Raise(Kind::kBatched, code, object.ClassID(), object, formerContainer);
}

void NotificationHub::RaiseBatchedAbout(int32_t code, ProjectObject& source,
                                        ProjectObject& object) {
  Raise(Kind::kBatched, code, source.ClassID(), object, nullptr);
}

void NotificationHub::Raise(Kind kind, int32_t code, std::string sourceClass, ProjectObject& object,
                            const ProjectObject* formerContainer) {
  if (subscribers_.empty()) return;  // nobody listens: loading a large project costs nothing
  Notice notice;
  notice.kind = kind;
  notice.sourceClass = std::move(sourceClass);
  notice.entries.push_back(Entry{
      code,
      {Target{platform::Self<mzblprsx::IRgObject>(&object), ChainOf(object, formerContainer)}}});
  if (batchDepth_ > 0) {
    Collect(std::move(notice));
    return;
  }
  queue_.push_back(std::move(notice));
  Pump();
}

void NotificationHub::Collect(Notice notice) {
  Target& target = notice.entries.front().targets.front();
  const int32_t code = notice.entries.front().code;
  const void* identity = TargetIdentity(target.object);
  if (notice.kind == Kind::kSingle) {
    if (batchIndex_.singles.emplace(code, identity).second) batch_.push_back(std::move(notice));
    return;
  }
  // Only the last notification is merged into, so that the order raised is kept exactly.
  if (batch_.empty() || batch_.back().kind != Kind::kBatched ||
      batch_.back().sourceClass != notice.sourceClass) {
    batch_.push_back(std::move(notice));
    batchIndex_.lastEntry = {identity};
    return;
  }
  auto& entries = batch_.back().entries;
  if (entries.back().code != code) {
    entries.push_back(std::move(notice.entries.front()));
    batchIndex_.lastEntry = {identity};
    return;
  }
  if (batchIndex_.lastEntry.insert(identity).second) {
    entries.back().targets.push_back(std::move(target));
  }
}

void NotificationHub::EndBatch() {
  if (batchDepth_ == 0) return;
  if (--batchDepth_ > 0) return;
  for (auto& notice : batch_) queue_.push_back(std::move(notice));
  batch_.clear();
  batchIndex_ = BatchIndex();
  Pump();
}

void NotificationHub::Pump() {
  if (delivering_) return;  // the delivery in progress takes the queue on
  // A sink may release the project, and with it this hub, while it is being delivered to.
  const auto keepAlive = shared_from_this();
  DeliveringFlag flag(delivering_);
  while (!queue_.empty()) {
    const Notice notice = std::move(queue_.front());
    queue_.pop_front();
    Deliver(notice);
  }
}

void NotificationHub::Deliver(const Notice& notice) {
  const auto snapshot = subscribers_;  // subscribers may come and go during the delivery
  for (const Order order : {Order::kNormal, Order::kAfterOthers}) {
    for (const auto& subscriber : snapshot) {
      if (subscriber->order != order || !subscriber->active) continue;
      const platform::Ref<platform::Object> sink(subscriber->sink.lock());
      if (!sink) continue;
      try {
        DeliverTo(*subscriber, sink, notice);
      } catch (...) {
        ++failures_;
        lastFailure_ = platform::Error::FromCurrentException().Description();
      }
    }
  }
}

void NotificationHub::DeliverTo(const Subscriber& subscriber,
                                const platform::Ref<platform::Object>& sink, const Notice& notice) {
  if (notice.kind == Kind::kSingle) {
    const auto single = sink.As<mzblprsx::IRgObjectEventSink>();
    const Entry& entry = notice.entries.front();
    const Target& target = entry.targets.front();
    if (!single || !InScope(target.chain, subscriber.scopeIdentity)) return;
    single->OnNotify(entry.code, target.object, platform::Variant());
    return;
  }
  const auto batched = sink.As<mzblprsx::IRgObjectEventSink2>();
  if (!batched) return;
  mzblprsx::RgNotification out;
  out.sourceClass = notice.sourceClass;
  for (const Entry& entry : notice.entries) {
    mzblprsx::RgNotificationEntry outEntry{entry.code, {}};
    for (const Target& target : entry.targets) {
      if (InScope(target.chain, subscriber.scopeIdentity))
        outEntry.objects.push_back(target.object);
    }
    if (!outEntry.objects.empty()) out.entries.push_back(std::move(outEntry));
  }
  if (!out.entries.empty()) batched->OnNotify2(out);
}

NotificationBatch::NotificationBatch(const ProjectObject& object)
    : NotificationBatch(object.ProjectHub()) {}

NotificationBatch::NotificationBatch(std::shared_ptr<NotificationHub> hub) : hub_(std::move(hub)) {
  if (hub_) hub_->BeginBatch();
}

NotificationBatch::~NotificationBatch() {
  if (!hub_) return;
  try {
    hub_->EndBatch();
  } catch (...) {  // NOLINT(bugprone-empty-catch): sink failures are caught by the hub already;
                   // what is left (out of memory) must not escape a destructor
  }
}

}  // namespace host
