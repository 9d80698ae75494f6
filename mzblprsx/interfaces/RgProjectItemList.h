// A searchable list of items: the whole model's, or an item's children.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {
class RgProjectItem;

class RgProjectItemList : public virtual platform::Object {
 public:
  /// Search types: 1 the item itself, 2 the handler's class name (text), 4 the framework object.
  /// True when found; FoundItem then gives the item.
  virtual bool Find(int32_t searchType, const Variant& value) = 0;
  virtual Ref<RgProjectItem> FoundItem() = 0;
  virtual int32_t Count() = 0;
  /// The item before / after a given one in this list, or nothing.
  virtual Ref<RgProjectItem> Previous(const Ref<RgProjectItem>& item) = 0;
  virtual Ref<RgProjectItem> Next(const Ref<RgProjectItem>& item) = 0;
};

}  // namespace mzblprsx
