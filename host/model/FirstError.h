// Keeps the first failure of a multi-step operation so that the operation can finish its other
// steps and fail afterwards.
//
//   FirstError failure;
//   for (auto& item : items) {
//     try { Step(item); } catch (...) { failure.Capture(); }
//   }
//   failure.Rethrow();   // the first failure, converted to platform::Error; nothing if none
//
// The model uses it wherever a structural change must be completed even when a handler or a
// listener fails part-way: the tree and its indexes are never left half changed.
#pragma once

#include <exception>

namespace host {

class FirstError {
 public:
  /// Records the exception being handled unless one is already recorded (call inside catch).
  void Capture() noexcept;
  bool Failed() const { return static_cast<bool>(first_); }
  /// Throws the recorded failure as platform::Error; returns when nothing was recorded.
  void Rethrow();

 private:
  std::exception_ptr first_;
};

}  // namespace host
