// Registers the project classes that the library creates by class identifier: the block
// information object (clsid::kBlockInfo, "mzframex.RgBlockInfo") and the comparison of two
// stations (clsid::kHwCompare). Called by the Environment.
#pragma once

namespace host {

/// Idempotent; a later registration of the same identifiers replaces these.
void RegisterProjectClasses();

}  // namespace host
