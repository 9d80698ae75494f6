// The host's error service: receives every reported error and decides whether it travels on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgErrorService : public virtual platform::Object {
 public:
  /// Returns normally to absorb the error; throws (a platform::Error carrying the five values) to
  /// let it propagate to the reporting procedure's caller.
  virtual void ReportErrorToService(int32_t number, const std::string& description,
                                    const std::string& source, const std::string& helpFile,
                                    int32_t helpContext) = 0;
  /// Shows numbered message `number` of message module `module` ("cmnerr") with the arguments
  /// filled in; returns the button pressed (1 OK, 2 Cancel, 6 Yes, 7 No).
  virtual int32_t ShowMessage(int64_t ownerWindow, const std::string& module, int32_t number,
                              int32_t reserved, const std::vector<std::string>& arguments,
                              int32_t buttonStyle) = 0;
  virtual void BeginCommandContext(const std::string& title) = 0;
  virtual void EndCommandContext() = 0;
};

}  // namespace mzblprsx
