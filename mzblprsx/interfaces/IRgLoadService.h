// The host's load service: load state of an update list; download and upload.
//
//   int32_t result = -1;
//   loadService->Download(objectXml, 0, result);   // not negative: the objects are in the PLC
//
// Each load names its objects with the object XML (ROOT with one RGOBJECT per object); what a
// listed project or program stands for is the host's.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgLoadService : public virtual platform::Object {
 public:
  /// The load state of the objects named by the object XML `updateList`; flags 16 asks the
  /// service to notify its listeners.
  virtual int32_t LoadState(const std::string& updateList, int32_t flags) = 0;
  /// Loads the listed objects of the project into the connected PLC; `result` not negative on
  /// success. Flags: 0.
  virtual void Download(const std::string& objectXml, int32_t flags, int32_t& result) = 0;
  /// Loads the listed objects of the PLC into the project; `result` not negative on success.
  virtual void Upload(const std::string& objectXml, int32_t flags, int32_t& result) = 0;
};

}  // namespace mzblprsx
