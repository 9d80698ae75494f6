// The documents of a program: the objects of the program that open in editors, found by their
// document type and name.
#pragma once

#include <string>

#include "mzblprsx/interfaces/IRgDocument.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgProgramDocuments : public virtual platform::Object {
 public:
  /// The document of that type key (a class identifier, e.g. clsid::kBlockOffline) and name
  /// ("FB12"); nothing for any other key or when the program has no such object.
  virtual Ref<IRgDocument> Item(const std::string& documentTypeKey, const std::string& name) = 0;
};

}  // namespace mzblprsx
