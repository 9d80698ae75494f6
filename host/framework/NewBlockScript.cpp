#include "host/framework/NewBlockScript.h"

namespace host {

std::optional<NewBlockRequest> NewBlockScript::Next() {
  if (queue_.empty()) return std::nullopt;
  auto answer = std::move(queue_.front());
  queue_.pop_front();
  return answer;
}

void NewBlockScript::Clear() {
  queue_.clear();
  log_.clear();
}

}  // namespace host
