#include "host/framework/TraceService.h"

#include <algorithm>
#include <tuple>

namespace host {

void TraceService::RegisterInstance(int32_t /*level*/, const std::string& className,
                                    int32_t& instance) {
  instance = ++nextInstance_;
  auto name = classNames_.find(className);
  if (name == classNames_.end()) name = classNames_.insert(className).first;
  live_.emplace(instance, &*name);
  ++registers_;
}

void TraceService::UnregisterInstance(int32_t /*level*/, const std::string& className,
                                      int32_t instance) {
  ++unregisters_;
  const auto found = live_.find(instance);
  if (found == live_.end() || *found->second != className) {
    ++unregisterFaults_;
    return;
  }
  live_.erase(found);
}

void TraceService::TraceCall(int32_t level, const std::string& className,
                             const std::string& procedure,
                             const std::vector<std::string>& parameters) {
  ++callCount_;
  if (calls_.size() == kCallLogLimit) calls_.pop_front();
  calls_.push_back(TraceRecord{level, className, procedure, parameters});
}

int32_t TraceService::GetReferenceCount(const platform::Ref<platform::Object>& object) {
  if (!object) return 0;
  return static_cast<int32_t>(object.Shared().use_count() - 1);
}

std::vector<std::string> TraceService::LiveInstances() const {
  std::vector<std::pair<const std::string*, int32_t>> order;
  order.reserve(live_.size());
  for (const auto& [number, className] : live_) order.emplace_back(className, number);
  std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
    return std::tie(*a.first, a.second) < std::tie(*b.first, b.second);
  });
  std::vector<std::string> result;
  result.reserve(order.size());
  for (const auto& [className, number] : order) {
    result.push_back(*className + "#" + std::to_string(number));
  }
  return result;
}

size_t TraceService::LiveCount(const std::string& className) const {
  return static_cast<size_t>(std::count_if(
      live_.begin(), live_.end(), [&](const auto& entry) { return *entry.second == className; }));
}

size_t TraceService::CallCount(const std::string& procedure) const {
  return static_cast<size_t>(std::count_if(calls_.begin(), calls_.end(), [&](const TraceRecord& r) {
    return r.procedure == procedure;
  }));
}

}  // namespace host
