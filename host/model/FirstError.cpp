#include "host/model/FirstError.h"

#include <utility>

#include "platform/Error.h"

namespace host {

void FirstError::Capture() noexcept {
  if (!first_) first_ = std::current_exception();
}

void FirstError::Rethrow() {
  if (!first_) return;
  auto failure = std::exchange(first_, nullptr);
  try {
    std::rethrow_exception(failure);
  } catch (...) {
    throw platform::Error::FromCurrentException();
  }
}

}  // namespace host
