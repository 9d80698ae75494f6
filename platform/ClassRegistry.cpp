#include "platform/ClassRegistry.h"

#include <cstdint>

#include "platform/Text.h"

namespace platform {

using text::IsAscii;
using text::LowerAscii;

size_t ClassRegistry::FoldedHash::operator()(std::string_view id) const {
  // FNV-1a over the folded letters: identifiers are short, and this costs a few cycles a byte.
  uint64_t hash = 0xCBF29CE484222325ull;
  for (const char c : id) {
    hash ^= static_cast<unsigned char>(LowerAscii(c));
    hash *= 0x100000001B3ull;
  }
  return static_cast<size_t>(hash);
}

bool ClassRegistry::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

ClassRegistry& ClassRegistry::Instance() {
  static ClassRegistry registry;
  return registry;
}

void ClassRegistry::Register(std::string_view classId, std::string_view progId, Factory factory) {
  std::unique_lock lock(mutex_);
  generation_.fetch_add(1, std::memory_order_release);
  Entry entry{std::string(classId), std::string(progId),
              std::make_shared<const Factory>(std::move(factory))};
  const size_t at = entries_.size();
  entries_.push_back(std::move(entry));
  std::vector<size_t> replaced;
  for (const std::string_view id : {classId, progId}) {
    if (id.empty()) continue;
    size_t& slot = byId_[text::FoldCase(id)];
    if (slot != at && entries_[slot].factory) replaced.push_back(slot);
    slot = at;
  }
  for (const size_t old : replaced) ReleaseIfUnnamed(old);
}

void ClassRegistry::ReleaseIfUnnamed(size_t at) {
  Entry& e = entries_[at];
  for (const std::string& id : {e.classId, e.progId}) {
    if (id.empty()) continue;
    if (const auto it = byId_.find(text::FoldCase(id)); it != byId_.end() && it->second == at) {
      return;
    }
  }
  e.factory.reset();
}

void ClassRegistry::Unregister(std::string_view id) {
  std::unique_lock lock(mutex_);
  generation_.fetch_add(1, std::memory_order_release);
  const auto it = IsAscii(id) ? byId_.find(id) : byId_.find(text::FoldCase(id));
  if (it == byId_.end()) return;
  const Entry& e = entries_[it->second];
  const std::string classId = text::FoldCase(e.classId);
  const std::string progId = text::FoldCase(e.progId);
  // Only drop the names that still point at this entry (a later registration may have replaced
  // one).
  const size_t at = it->second;
  if (auto c = byId_.find(classId); c != byId_.end() && c->second == at) byId_.erase(c);
  if (auto p = byId_.find(progId); p != byId_.end() && p->second == at) byId_.erase(p);
  ReleaseIfUnnamed(at);
  ForgetQueryAnswers();
}

const ClassRegistry::Entry* ClassRegistry::Find(std::string_view id) const {
  // Keys are folded. An ASCII identifier is found as it is (the hash and the comparison fold
  // its letters); only other texts need the full Unicode fold first.
  const auto it = IsAscii(id) ? byId_.find(id) : byId_.find(text::FoldCase(id));
  return it == byId_.end() ? nullptr : &entries_[it->second];
}

bool ClassRegistry::IsRegistered(std::string_view id) const {
  std::shared_lock lock(mutex_);
  return Find(id) != nullptr;
}

Ref<Object> ClassRegistry::Create(std::string_view id) const {
  Ref<Object> object = TryCreate(id);
  if (!object) {
    throw Error(errc::kCannotCreate, "ActiveX component can't create object: class '" +
                                         std::string(id) + "' is not registered");
  }
  return object;
}

ClassRegistry::Factory ClassRegistry::FactoryOf(std::string_view id) const {
  std::shared_lock lock(mutex_);
  const Entry* e = Find(id);
  return e == nullptr || !e->factory ? Factory() : *e->factory;
}

std::shared_ptr<const ClassRegistry::Factory> ClassRegistry::KeptFactoryOf(
    std::string_view id) const {
  // Trees and transfers create tens of thousands of objects of a handful of classes; the
  // factories of recently asked identifiers (as spelt) are kept per thread, without lock or
  // case folding, until the registry changes. Kept weakly: a thread that asks nothing more
  // must not hold a factory past its unregistration, when its code may be unloaded.
  struct Kept {
    std::string id;
    std::weak_ptr<const Factory> factory;  // expired: unknown
  };
  constexpr size_t kKeptLimit = 64;
  thread_local std::vector<Kept> kept;
  thread_local const ClassRegistry* keptRegistry = nullptr;
  thread_local uint64_t keptGeneration = 0;
  const uint64_t generation = Generation();
  if (keptRegistry != this || keptGeneration != generation || kept.size() == kKeptLimit) {
    kept.clear();
    keptRegistry = this;
    keptGeneration = generation;
  }
  for (const Kept& k : kept) {
    if (k.id == id) return k.factory.lock();
  }
  std::shared_ptr<const Factory> factory;
  {
    std::shared_lock lock(mutex_);
    if (const Entry* e = Find(id)) factory = e->factory;
  }
  kept.push_back({std::string(id), factory});
  return factory;
}

Ref<Object> ClassRegistry::TryCreate(std::string_view id) const {
  // Held for the call: the factory may create objects of other classes (and so change the kept
  // ones), and another thread may unregister the class meanwhile.
  const std::shared_ptr<const Factory> factory = KeptFactoryOf(id);
  if (!factory || !*factory) return {};
  // Outside the lock: a factory may create further objects.
  Ref<Object> object = (*factory)();
  if (!object) throw Error(errc::kCannotCreate);
  return object;
}

std::optional<std::string> ClassRegistry::ClassIdOf(std::string_view id) const {
  std::shared_lock lock(mutex_);
  const Entry* e = Find(id);
  if (e == nullptr) return std::nullopt;
  return e->classId;
}

Ref<Object> CreateObject(std::string_view id) {
  return ClassRegistry::Instance().Create(id);
}

Ref<Object> BindToMoniker(std::string_view moniker) {
  constexpr std::string_view kPrefix = "clsid:";
  if (moniker.size() > kPrefix.size() &&
      text::EqualsNoCase(moniker.substr(0, kPrefix.size()), kPrefix)) {
    std::string id(moniker.substr(kPrefix.size()));
    if (!id.empty() && id.front() != '{') id = "{" + id + "}";
    return CreateObject(id);
  }
  throw Error(errc::kCannotCreate, "Cannot bind moniker '" + std::string(moniker) + "'");
}

}  // namespace platform
