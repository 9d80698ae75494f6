#include "host/services/HardwareService.h"

#include "host/project/HardwareConfig.h"

namespace host {

int32_t HardwareService::StationSize() {
  const auto station = Context().As<HardwareConfig>();
  return station ? station->Size() : 0;
}

}  // namespace host
