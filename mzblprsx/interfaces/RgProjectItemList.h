// A searchable list of items: the whole model's, or an item's children.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {
class RgProjectItem;

/// Search types of RgProjectItemList::Find.
namespace find_by {
inline constexpr int32_t kItem = 1;          // the item itself
inline constexpr int32_t kHandlerClass = 2;  // the class name of the item's handler (text)
inline constexpr int32_t kObject = 4;        // the item's framework object
}  // namespace find_by

class RgProjectItemList : public virtual platform::Object {
 public:
  /// Searches by one of the find_by types. True when found; FoundItem then gives the item.
  virtual bool Find(int32_t searchType, const Variant& value) = 0;
  virtual Ref<RgProjectItem> FoundItem() = 0;
  virtual int32_t Count() = 0;
  /// The item before / after a given one in this list, or nothing.
  virtual Ref<RgProjectItem> Previous(const Ref<RgProjectItem>& item) = 0;
  virtual Ref<RgProjectItem> Next(const Ref<RgProjectItem>& item) = 0;
};

}  // namespace mzblprsx
