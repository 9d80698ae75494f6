// The hardware (station configuration) service of one side, bound to a hardware configuration:
// it reports the station's size (IRgHardwareService).
//
// Created by the service factory, a new one per request.
// Trap: StationSize reads the configuration at each call; it does not keep the value.
#pragma once

#include <cstdint>

#include "host/services/BoundService.h"
#include "mzblprsx/interfaces/IRgHardwareService.h"

namespace host {

class HardwareService : public BoundService, public virtual mzblprsx::IRgHardwareService {
 public:
  using BoundService::BoundService;

  std::string_view TypeName() const override { return "HardwareService"; }

  /// The size of the station the service is bound to; 0 when its context is not one of the
  /// host's hardware configurations.
  int32_t StationSize() override;
};

}  // namespace host
