// The block service of one program (offline or online): creating, renumbering, deleting and
// comparing blocks. For now it only keeps its program.
//
// Created by the service factory, a new one per request, bound to the context it was asked for.
// Trap: the service belongs to the request; do not keep it past the project it is bound to.
#pragma once

#include "host/services/BoundService.h"

namespace host {

class BlockService : public BoundService {
 public:
  using BoundService::BoundService;

  std::string_view TypeName() const override { return "BlockService"; }
};

}  // namespace host
