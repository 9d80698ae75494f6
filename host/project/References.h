// The cross references of a project: a named document of the project (kReferences). The object
// identifier is "REFERENCES". Its content lives in the host's editors, not in the project file.
#pragma once

#include <string>
#include <string_view>

#include "host/project/ProjectDocument.h"

namespace host {

class References : public ProjectDocument {
 public:
  explicit References(std::string name);

  std::string_view TypeName() const override { return "References"; }
};

}  // namespace host
