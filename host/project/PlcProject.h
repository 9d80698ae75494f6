// The PLC that the workstation is connected to (kProjectOnline): a project container with the
// children hardware configuration (kHwConfigOnline), memory card and program (kProgramOnline),
// in that order, each optional. The PLC's program has blocks and no categories.
//
// The object identifier and the container identifier are the PLC's GUID.
#pragma once

#include <string>
#include <string_view>

#include "host/project/ProjectRoot.h"

namespace host {

class HardwareConfig;
class MemoryCard;
class Program;

class PlcProject : public ProjectRoot {
 public:
  PlcProject(std::string guid, std::string name);

  std::string_view TypeName() const override { return "PlcProject"; }

  // The children; nothing for each one the PLC does not have.
  platform::Ref<HardwareConfig> Hardware() const;
  platform::Ref<host::MemoryCard> MemoryCard() const;
  platform::Ref<host::Program> Program() const;
};

}  // namespace host
