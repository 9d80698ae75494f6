// The documentation of a project: a named document of the project (kDocumentation). The object
// identifier is "DOCUMENTATION". Its content lives in the host's editors, not in the project file.
#pragma once

#include <string>
#include <string_view>

#include "host/project/ProjectDocument.h"

namespace host {

class Documentation : public ProjectDocument {
 public:
  explicit Documentation(std::string name);

  std::string_view TypeName() const override { return "Documentation"; }
};

}  // namespace host
