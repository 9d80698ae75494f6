// The controller behind a project view, as its commands see it. Implemented outside the library.
#pragma once

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectUserCommands;
class RgProjectSnapin;
class RgObjectStreamService;

class IRgProjectViewController : public virtual Object {
 public:
  virtual Ref<RgProjectUserCommands> Commands() = 0;
  virtual Ref<Object> Cursor() = 0;
  /// The view's selection handler (an RgProjectSelectionHandler).
  virtual Ref<Object> SelectionHandler() = 0;
  virtual Ref<RgProjectSnapin> SnapIn() = 0;
  virtual Ref<RgObjectStreamService> StreamService() = 0;
  virtual void EditBegin() = 0;
  virtual void ViewActivate(bool hasFocus) = 0;
  virtual void ViewResize() = 0;
};

}  // namespace mzblprsx
