// The application's trace service: the registry of live instances and a bounded call log.
//
//   env.Trace().LiveCount();        // instances registered and not yet unregistered
//   env.Trace().LiveInstances();    // {"RgProjectSnapin#1", "RgProjects#3", ...}
//
// Every library object registers at creation and unregisters at destruction, so a live count
// of zero after a snap-in is detached and released proves that the object graph was freed.
//
// Trap: an unregistration that matches no live instance is not an error (the library cannot
// handle one in a destructor); it is only counted in UnregisterFaults().
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "mzblprsx/interfaces/IRgTraceService.h"

namespace host {

/// One TraceCall.
struct TraceRecord {
  int32_t level = 0;
  std::string className;
  std::string procedure;
  std::vector<std::string> parameters;
};

class TraceService : public mzblprsx::IRgTraceService {
 public:
  /// How many calls the log keeps; older ones are dropped (the counters keep counting).
  static constexpr size_t kCallLogLimit = 10000;

  std::string_view TypeName() const override { return "TraceService"; }

  /// Hands out the next instance number (1, 2, 3, ...) and records the instance as live.
  void RegisterInstance(int32_t level, const std::string& className, int32_t& instance) override;
  /// Forgets the live instance of that class and number; anything else counts as a fault.
  void UnregisterInstance(int32_t level, const std::string& className, int32_t instance) override;
  void TraceCall(int32_t level, const std::string& className, const std::string& procedure,
                 const std::vector<std::string>& parameters) override;
  /// References held to the object besides the one the argument itself holds; 0 for nothing.
  int32_t GetReferenceCount(const platform::Ref<platform::Object>& object) override;

  /// The live instances as "Class#number", ordered by class name, then by number.
  std::vector<std::string> LiveInstances() const;
  size_t LiveCount() const { return live_.size(); }
  /// Live instances of one class.
  size_t LiveCount(const std::string& className) const;

  int64_t RegisterCount() const { return registers_; }
  int64_t UnregisterCount() const { return unregisters_; }
  /// Unregistrations that matched no live instance (unknown number or another class).
  int64_t UnregisterFaults() const { return unregisterFaults_; }

  /// The last kCallLogLimit calls, oldest first.
  const std::deque<TraceRecord>& Calls() const { return calls_; }
  /// Every TraceCall since creation, including those dropped from the log.
  int64_t CallCount() const { return callCount_; }
  /// Calls of one procedure still in the log.
  size_t CallCount(const std::string& procedure) const;
  void ClearCalls() { calls_.clear(); }

 private:
  int32_t nextInstance_ = 0;
  // Every library object registers: a live instance costs one map entry, its class name is kept
  // once per class (set nodes never move, so the pointers stay valid).
  std::unordered_set<std::string> classNames_;
  std::unordered_map<int32_t, const std::string*> live_;  // instance number -> class name
  int64_t registers_ = 0;
  int64_t unregisters_ = 0;
  int64_t unregisterFaults_ = 0;
  std::deque<TraceRecord> calls_;
  int64_t callCount_ = 0;
};

}  // namespace host
