// The operations a view (or a command-line host that loads the library dynamically) uses on a
// cursor, reached through the object that the library's class factory hands out:
//
//   auto cursor = factory->CreateInstance().Cast<mzblprsx::IRgProjectCursor>();
//   cursor->SetOptionService(options);
//   cursor->Attach(model);            // the explorer fills at Attach, the details cursor at
//   Refresh for (int32_t i = 1; i <= cursor->ItemCount(); ++i) Show(cursor->ItemAt(i));
//
// The cursors' own members (Count, Item, ...) remain the classes' interface inside the library.
#pragma once

#include <cstdint>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectModel;
class RgProjectItem;
class IRgOptionService;

class IRgProjectCursor : public virtual Object {
 public:
  virtual void Attach(Ref<RgProjectModel> model) = 0;
  virtual void Detach() = 0;
  virtual void Refresh() = 0;
  virtual void SetOptionService(Ref<IRgOptionService> service) = 0;
  /// Number of listed items (fails while no model is attached).
  virtual int32_t ItemCount() = 0;
  /// The item at a 1-based position.
  virtual Ref<RgProjectItem> ItemAt(int32_t index) = 0;
};

/// The details cursor's own operations for such hosts.
class IRgProjectCursorDetails : public virtual IRgProjectCursor {
 public:
  /// 0 project, 1 program, 2 memory card; takes effect at the next Attach or Refresh.
  virtual void SetMode(int32_t mode) = 0;
  virtual void Sort(const std::vector<std::string>& sortTypes,
                    const std::vector<int32_t>& sortOrders) = 0;
};

}  // namespace mzblprsx
