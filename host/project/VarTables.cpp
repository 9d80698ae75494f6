#include "host/project/VarTables.h"

#include <utility>

#include "mzblprsx/interfaces/ClassIds.h"

namespace host {

VarTables::VarTables(std::string name)
    : ProjectDocument(mzblprsx::clsid::kVarTables, "VARTABLES", std::move(name)) {}

}  // namespace host
