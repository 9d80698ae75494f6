// The ordered children of an item, or the root items of a model (1-based).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {
class RgProjectItem;

class RgProjectItems : public virtual platform::Object {
 public:
  virtual int32_t Count() = 0;
  /// The item at a 1-based position; error 9 outside the range.
  virtual Ref<RgProjectItem> Item(int32_t index) = 0;
  virtual Ref<RgProjectItem> First() = 0;
  virtual Ref<RgProjectItem> Last() = 0;
  /// 1-based position of the item among these, 0 when it is not one of them.
  virtual int32_t IndexOf(const Ref<RgProjectItem>& item) = 0;
  /// Creates the item for a framework object between the neighbours (both nothing: appended);
  /// the model's factory attaches the handler, then the handler is initialised and ItemAdd raised.
  virtual Ref<RgProjectItem> AddNew(Ref<platform::Object> object, Ref<RgProjectItem> before,
                                    Ref<RgProjectItem> after) = 0;
  /// Inserts an existing item that has no parent (detached by the item mover or by Remove with
  /// keep) between the neighbours.
  virtual void Add(Ref<RgProjectItem> item, Ref<RgProjectItem> before,
                   Ref<RgProjectItem> after) = 0;
  /// Removes the item and its subtree: handlers terminated, ItemRemove raised.
  virtual void Remove(Ref<RgProjectItem> item) = 0;
  /// Removes every item.
  virtual void Clear() = 0;
};

}  // namespace mzblprsx
