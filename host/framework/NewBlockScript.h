// The answers that the new-block dialog gives in this host, queued by tests and by the command
// line before the library opens the dialog; one per Environment (Environment::NewBlocks()).
//
//   env.NewBlocks().Push(fc7);      // a NewBlockRequest for FC7
//   env.NewBlocks().PushCancel();
//   ... the library runs the dialog twice: FC7 is created, then the user cancels ...
//   env.NewBlocks().Log();   // {"FC7", "cancelled"}
//
// Trap: an empty queue answers "cancelled", as a user closing the dialog would.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "host/services/NewBlockRequest.h"

namespace host {

class NewBlockScript {
 public:
  /// Queues one answer: create this block.
  void Push(NewBlockRequest request) { queue_.emplace_back(std::move(request)); }
  /// Queues one answer: cancel.
  void PushCancel() { queue_.emplace_back(std::nullopt); }
  /// The next answer; nothing for cancel (also when the queue is empty).
  std::optional<NewBlockRequest> Next();
  size_t Pending() const { return queue_.size(); }

  /// Records how a dialog ended: the created block's name, "cancelled" or "failed: <why>".
  void Record(std::string outcome) { log_.push_back(std::move(outcome)); }
  const std::vector<std::string>& Log() const { return log_; }
  void Clear();

 private:
  std::deque<std::optional<NewBlockRequest>> queue_;
  std::vector<std::string> log_;
};

}  // namespace host
