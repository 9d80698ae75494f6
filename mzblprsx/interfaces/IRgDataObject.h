// The framework's transfer object: the objects of one copy, cut, drag, download or upload, in
// order, each as an IRgDataObjectItem, written to and read from bytes.
//
//   auto data = platform::CreateObjectAs<IRgDataObject>(clsid::kDataObject);
//   data->AddObject(block);
//   std::vector<uint8_t> bytes = data->SaveBytes();   // onto the clipboard under DataFormat()
//   fresh->LoadBytes(bytes);                          // fails on damaged bytes, changing nothing
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgObject;
class IRgDataObjectItem;

class IRgDataObject : public virtual platform::Object {
 public:
  virtual int32_t ItemCount() = 0;
  /// The entry at a 1-based position (error 9 outside 1..ItemCount).
  virtual Ref<IRgDataObjectItem> Item(int32_t index) = 0;
  /// The entry of a class and object identifier; nothing when there is none. Keys compare
  /// without regard to case, as the stream items' keys do, so one object is one entry however
  /// it is spelt: adding or reading a second entry whose key differs only in case is refused.
  virtual Ref<IRgDataObjectItem> ItemByKey(const std::string& classId, const Variant& objectId) = 0;
  /// Adds the object with its content; fails when the object cannot travel or is already held.
  virtual Ref<IRgDataObjectItem> AddObject(Ref<IRgObject> object) = 0;
  /// Adds a reference without content; fails when the key is already held.
  virtual Ref<IRgDataObjectItem> AddReference(const std::string& classId, const Variant& objectId,
                                              const std::string& name) = 0;
  /// Removes the entry of a class and object identifier (nothing happens when there is none).
  virtual void RemoveItem(const std::string& classId, const Variant& objectId) = 0;
  /// The whole object as bytes.
  virtual std::vector<uint8_t> SaveBytes() = 0;
  /// Replaces the content with the object read from bytes; fails with a clear error on bytes that
  /// are not such an object, leaving the content as it was.
  virtual void LoadBytes(std::span<const uint8_t> bytes) = 0;
  /// The clipboard format number under which the bytes travel.
  virtual int16_t DataFormat() = 0;
};

}  // namespace mzblprsx
