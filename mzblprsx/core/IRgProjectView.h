// A project view as its commands see it. Implemented outside the library.
#pragma once

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectUserCommands;
class IRgProjectViewController;

class IRgProjectView : public virtual Object {
 public:
  virtual Ref<RgProjectUserCommands> Commands() = 0;
  virtual Ref<IRgProjectViewController> Controller() = 0;
  virtual Ref<Object> Cursor() = 0;
  virtual RgEnumProjectLocation ProjectLocation() = 0;
  virtual Ref<Object> SelectionHandler() = 0;
  virtual Variant DoVerb(int32_t verb, Variant& arguments) = 0;
};

}  // namespace mzblprsx
