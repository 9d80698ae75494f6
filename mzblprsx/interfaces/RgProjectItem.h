// One node of a project tree.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgProjectItemHandler.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {
class RgProjectModel;

class RgProjectItem : public virtual platform::Object {
 public:
  virtual Ref<RgProjectItemData> Data() = 0;
  /// Data()->Value(key, fallback) in one call: views read a few values of every item in a row,
  /// and a component can answer this without handing out its data object each time.
  virtual Variant DataValue(const std::string& key, const Variant& fallback = Variant()) {
    return Data()->Value(key, fallback);
  }
  /// A second keyed store, of numbers (compare states and the like).
  virtual Ref<RgProjectItemData> States() = 0;
  virtual Ref<RgProjectItems> Items() = 0;
  virtual Ref<RgProjectItemList> ChildList() = 0;
  virtual Ref<RgProjectItem> Parent() = 0;
  virtual Ref<RgProjectModel> Model() = 0;
  virtual Ref<IRgProjectItemHandler> Handler() = 0;
  /// The same handler as its own class (for class tests), or nothing.
  virtual Ref<platform::Object> HandlerObject() = 0;
  virtual void SetHandler(Ref<platform::Object> handler) = 0;
  /// The open flag: the handler's IsOpen (False without handler).
  virtual bool IsOpen() = 0;
  /// The item's data changed: raises ItemChange so that views redraw it.
  virtual void Update() = 0;
};

}  // namespace mzblprsx
