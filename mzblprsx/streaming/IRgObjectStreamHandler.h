// The stream handler contract: the location-specific half of copy, paste, drag, download and
// upload, called by the location's RgObjectStreamService.
//
// The class itself does nothing: every operation answers its neutral value (False, None, Unknown,
// an empty text) so that a location whose handler lacks an operation refuses it instead of
// failing. RgPrjStreamHandlerOffline and RgPrjStreamHandlerOnline override what they offer.
#pragma once

#include <string>

#include "mzblprsx/interfaces/Types.h"
#include "mzblprsx/streaming/RgStreamEnums.h"

namespace mzblprsx {

class RgObjectStreamService;
class RgObjectStreamItems;
class RgProjectItem;
class RgProjectItems;
class IRgDataObject;

class IRgObjectStreamHandler : public virtual Object {
 public:
  /// The stream service that owns the handler.
  virtual Ref<RgObjectStreamService> Parent() = 0;
  virtual void SetParent(Ref<RgObjectStreamService> parent) = 0;

  /// True when the selection may be copied (or moved) as the action says.
  virtual bool CanStreamData(const Ref<RgProjectItems>& /*items*/, int32_t /*action*/) {
    return false;
  }
  /// Where a source identifier comes from (RgEnumStreamDataSource bits).
  virtual int32_t CheckSourceIsSameApplication(const std::string& /*sourceId*/) {
    return RgStreamDataSourceUnknown;
  }
  /// The action a received object allows here (RgEnumStreamServiceDataActions, or 3 for both).
  virtual int32_t GetInsertDataAction(const std::string& /*classId*/, const Variant& /*objectId*/,
                                      int32_t /*source*/) {
    return RgStreamServiceDataActionNone;
  }
  /// Fills streamItems with the items that the selection stands for.
  virtual void GetStreamItems(const Ref<RgProjectItems>& /*items*/, int32_t /*action*/,
                              Ref<RgProjectItems>& /*streamItems*/) {}
  /// The identifier by which a receiver recognises this application and project.
  virtual std::string GetSourceID() { return {}; }
  /// Inserts the checked objects; false stops.
  virtual bool InsertObjects(Ref<RgObjectStreamItems>& /*items*/, int32_t /*action*/,
                             Ref<RgProjectItem>& /*position*/, int32_t /*source*/) {
    return false;
  }
  /// Finishes a move on the sending side once the receiver inserted the objects.
  virtual void InsertObjectsComplete(int32_t /*action*/, const Ref<RgProjectItems>& /*items*/) {}
  /// Writes the objects of the items into the transfer object.
  virtual void StreamObjects(const Ref<IRgDataObject>& /*dataObject*/,
                             const Ref<RgProjectItems>& /*items*/) {}
  /// Checks the received objects and sets each one's action (asking the user on conflicts);
  /// false stops the insert.
  virtual bool CheckObjects(Ref<RgObjectStreamItems>& /*items*/, int32_t /*action*/,
                            Ref<RgProjectItem>& /*position*/, int32_t /*source*/) {
    return false;
  }
};

}  // namespace mzblprsx
