// The variable-table service of one side: the offline project's variable tables or the PLC's
// variable access. For now it only keeps what it is bound to.
//
// Handed out by the online connection, one per variable-tables object (and one for the PLC);
// the connection keeps them, so asking twice for the same child gives the same service.
// Trap: the offline one is bound to the child object it was asked for, the online one to the
// PLC's project container.
#pragma once

#include "host/services/BoundService.h"

namespace host {

class VarTableService : public BoundService {
 public:
  using BoundService::BoundService;

  std::string_view TypeName() const override { return "VarTableService"; }
};

}  // namespace host
