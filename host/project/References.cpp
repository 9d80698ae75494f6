#include "host/project/References.h"

#include <utility>

#include "mzblprsx/interfaces/ClassIds.h"

namespace host {

References::References(std::string name)
    : ProjectDocument(mzblprsx::clsid::kReferences, "REFERENCES", std::move(name)) {}

}  // namespace host
