// The PLC that the workstation is connected to (kProjectOnline): a project container with the
// children hardware configuration (kHwConfigOnline), memory card and program (kProgramOnline),
// in that order, each optional. The PLC's program has blocks and no categories.
//
// The object identifier and the container identifier are the PLC's GUID.
//
// A PLC may have a limited load memory (bytes; nothing: unlimited): a download whose blocks
// would not fit into it is refused (LoadService).
#pragma once

#include <cstdint>
#include <optional>
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

  /// The load memory in bytes; nothing when it is unlimited.
  std::optional<int64_t> LoadMemory() const { return loadMemory_; }
  /// Error 5 for a negative size.
  void SetLoadMemory(std::optional<int64_t> bytes);

 private:
  std::optional<int64_t> loadMemory_;
};

}  // namespace host
