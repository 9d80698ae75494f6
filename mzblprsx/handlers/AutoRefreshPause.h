// Switches a model's automatic refresh off for a batch of changes and back on when the batch
// ends, but only if it was on: a batch that starts inside someone else's (the model reads False)
// leaves it so, and the caller who switched it off switches it on.
//
//   AutoRefreshPause pause(model);
//   pause.SwitchOff();        // before the first change; again does nothing
//   ...                       // changes; the views follow them item by item
//                             // end of scope: on again, the views rebuild
#pragma once

#include <utility>

#include "mzblprsx/interfaces/RgProjectModel.h"

namespace mzblprsx {

class AutoRefreshPause {
 public:
  explicit AutoRefreshPause(Ref<RgProjectModel> model)
      : model_(std::move(model)), wasOn_(model_ && model_->AutoRefresh()) {}
  ~AutoRefreshPause() {
    try {
      if (switchedOff_) model_->SetAutoRefresh(true);
    } catch (...) {  // NOLINT(bugprone-empty-catch): the batch's own error comes first
    }
  }
  AutoRefreshPause(const AutoRefreshPause&) = delete;
  AutoRefreshPause& operator=(const AutoRefreshPause&) = delete;

  /// Switches it off when it was on and is not off yet.
  void SwitchOff() {
    if (switchedOff_ || !wasOn_) return;
    model_->SetAutoRefresh(false);
    switchedOff_ = true;
  }
  /// Whether it was on when the pause began.
  bool WasOn() const { return wasOn_; }

 private:
  Ref<RgProjectModel> model_;
  bool wasOn_;
  bool switchedOff_ = false;
};

}  // namespace mzblprsx
