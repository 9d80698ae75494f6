#include "host/project/HardwareConfig.h"

#include <utility>

#include "host/project/NotificationHub.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/Error.h"

namespace host {

HardwareConfig::HardwareConfig(bool online, std::string name)
    : ProjectDocument(online ? mzblprsx::clsid::kHwConfigOnline : mzblprsx::clsid::kHwConfigOffline,
                      "HW", std::move(name)),
      online_(online) {}

void HardwareConfig::SetLastModified(platform::DateTime when) {
  if (!Assign(lastModified_, when)) return;
  Changed();
}

void HardwareConfig::SetSize(int32_t size) {
  if (!Assign(size_, CheckedSize(size))) return;
  Changed();
}

void HardwareConfig::SetState(int32_t state) {
  if (state == state_) return;
  state_ = state;
  Changed();
}

bool HardwareConfig::ComparesEqual(const HardwareConfig& other) const {
  return Name() == other.Name() && size_ == other.size_ && state_ == other.state_;
}

void HardwareConfig::Changed() {
  Touch();
  NotifySingle(NotificationHub::kChanged);
}

}  // namespace host
