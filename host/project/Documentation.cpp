#include "host/project/Documentation.h"

#include <utility>

#include "mzblprsx/interfaces/ClassIds.h"

namespace host {

Documentation::Documentation(std::string name)
    : ProjectDocument(mzblprsx::clsid::kDocumentation, "DOCUMENTATION", std::move(name)) {}

}  // namespace host
