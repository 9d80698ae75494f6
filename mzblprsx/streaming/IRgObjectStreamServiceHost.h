// The operations of a location's stream service that a host calls to carry project objects, in
// the order it calls them. A host that loads the library at run time (prjsnap) is not linked to
// RgObjectStreamService and reaches it only through this interface.
//
//   Sending:   if (service->CanStreamData(selection, RgStreamServiceDataActionCopy)) {
//                auto items = service->GetStreamItems(selection, RgStreamServiceDataActionCopy);
//                clipboard[service->GetFormat(RgStreamServiceFormatObjectList)] =
//                    service->StreamItemList(items);   // likewise ObjectData and ObjectSource
//              }
//   Receiving: int32_t source = service->CheckSourceFromSameApplication(sourceBytes);
//              int32_t action = service->CanInsertStreamData(listBytes, source);
//              service->InsertStreamData(dataBytes, action, position, inserted, source);
//              senderService->InsertStreamDataComplete(action, items);   // after a move
//
// Trap: the format numbers are the process's; bytes that travel further (a file, another
// process) must go with the formats' names.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectItem;
class RgProjectItems;

class IRgObjectStreamServiceHost : public virtual Object {
 public:
  /// False for action None and for nothing or no items; otherwise whether the location's
  /// handler lets the selection go with that action.
  virtual bool CanStreamData(const Ref<RgProjectItems>& items, int32_t action) = 0;
  /// The items that the selection stands for; never nothing (empty for action None).
  virtual Ref<RgProjectItems> GetStreamItems(const Ref<RgProjectItems>& items, int32_t action) = 0;
  /// The object list bytes of the items; no bytes at all for nothing.
  virtual std::vector<uint8_t> StreamItemList(const Ref<RgProjectItems>& items) = 0;
  /// The object data bytes of the items; a single byte when there is nothing to carry.
  virtual std::vector<uint8_t> StreamItemData(const Ref<RgProjectItems>& items) = 0;
  /// The object source bytes: the identifier by which a receiver recognises this side.
  virtual std::vector<uint8_t> StreamObjectSource() = 0;
  /// The clipboard format number of a byte form (RgEnumStreamServiceFormats); 0 for an unknown
  /// form.
  virtual int16_t GetFormat(int32_t format) = 0;
  /// Where received source bytes come from (RgEnumStreamDataSource bits).
  virtual int32_t CheckSourceFromSameApplication(std::span<const uint8_t> sourceBytes) = 0;
  /// The action to insert the received list with (None: nothing insertable); fails for a list
  /// that names no object.
  virtual int32_t CanInsertStreamData(std::span<const uint8_t> listBytes, int32_t source) = 0;
  /// Checks (asking the user on conflicts) and inserts the received objects at the position.
  /// False when nothing could be carried or the checks stopped; on success `insertedItems`
  /// receives the project items created.
  virtual bool InsertStreamData(std::span<const uint8_t> dataBytes, int32_t action,
                                Ref<RgProjectItem>& position, Ref<RgProjectItems>& insertedItems,
                                int32_t source) = 0;
  /// Lets the sending side finish a move once the receiver has inserted the items.
  virtual void InsertStreamDataComplete(int32_t action, const Ref<RgProjectItems>& items) = 0;
};

}  // namespace mzblprsx
