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
  if (when == lastModified_) return;
  lastModified_ = when;
  Changed();
}

void HardwareConfig::SetSize(int32_t size) {
  if (size < 0) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "size " + std::to_string(size) + " is negative");
  }
  if (size == size_) return;
  size_ = size;
  Changed();
}

void HardwareConfig::SetState(int32_t state) {
  if (state == state_) return;
  state_ = state;
  Changed();
}

void HardwareConfig::Changed() {
  Touch();
  NotifySingle(NotificationHub::kChanged);
}

}  // namespace host
