#include "host/app/Companion.h"

#include <memory>

namespace host {
namespace {
thread_local std::weak_ptr<Companion> lastCreated;
}  // namespace

platform::Ref<Companion> Companion::LastCreated() {
  return lastCreated.lock();
}

void Companion::NoteCreated(const platform::Ref<Companion>& companion) {
  lastCreated = companion.Shared();
}

}  // namespace host
