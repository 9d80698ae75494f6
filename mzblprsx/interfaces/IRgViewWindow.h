// A window of the host application showing a view or a document.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgViewRegister.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgViewWindow : public virtual platform::Object {
 public:
  virtual std::string Name() = 0;
  /// The register of that name; fails when the window has none.
  virtual Ref<IRgViewRegister> Register(const std::string& name) = 0;
  virtual void SetDocumentTitle(const std::string& title) = 0;
  virtual std::string DocumentTitle() = 0;
};

}  // namespace mzblprsx
