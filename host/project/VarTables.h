// The variable tables of a project (the node under which the host lists them): a named document of
// the project (kVarTables). The object identifier is "VARTABLES". Its content lives in the host's
// editors, not in the project file.
#pragma once

#include <string>
#include <string_view>

#include "host/project/ProjectDocument.h"

namespace host {

class VarTables : public ProjectDocument {
 public:
  explicit VarTables(std::string name);

  std::string_view TypeName() const override { return "VarTables"; }
};

}  // namespace host
