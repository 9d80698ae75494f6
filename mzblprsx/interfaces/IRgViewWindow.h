// A window of the host application showing a view or a document.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgViewRegister.h"
#include "mzblprsx/interfaces/Types.h"
#include "platform/Error.h"

namespace mzblprsx {

class IRgViewWindow : public virtual platform::Object {
 public:
  virtual std::string Name() = 0;
  /// The register of that name; fails when the window has none.
  virtual Ref<IRgViewRegister> Register(const std::string& name) = 0;
  /// The register of that name, or nothing when the window has none; a host should answer it
  /// without raising an error. This default asks Register and takes its failure as "none".
  virtual Ref<IRgViewRegister> FindRegister(const std::string& name) {
    try {
      return Register(name);
    } catch (const platform::Error&) {
      return {};
    }
  }
  virtual void SetDocumentTitle(const std::string& title) = 0;
  virtual std::string DocumentTitle() = 0;
};

}  // namespace mzblprsx
