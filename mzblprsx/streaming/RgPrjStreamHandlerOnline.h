// The online stream handler: the PLC's side of transfers. Receiving, it downloads what is
// dropped or pasted from the offline project onto the PLC (data types and system blocks never
// go; blocks open in an editor or not saved are cancelled with their error, which the service
// lists); sending, it carries the PLC's objects, which the offline handler uploads.
//
//   Created with its stream service by RgProjectServices; the service calls it:
//   service->InsertStreamData(bytes, RgStreamServiceDataActionCopy, position, inserted, source);
//   // inserted: the PLC's hardware configuration and block items that the download touched
//
// A single project, hardware configuration, program or block, or blocks without their program,
// go directly; any other mix (a category alone, a program with blocks) opens the download dialog,
// whose choice is loaded after the editors of the chosen objects saved.
// Trap: the PLC's objects are only ever copied, never moved; InsertObjectsComplete has nothing to
// finish.
#pragma once

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/streaming/RgPrjStreamHandlerBase.h"

namespace mzblprsx {

class RgPrjStreamHandlerOnline final : public RgPrjStreamHandlerBase {
 public:
  static constexpr std::string_view kTypeName = "RgPrjStreamHandlerOnline";

  RgPrjStreamHandlerOnline() : RgPrjStreamHandlerBase(RgProjectLocationOnline) {}
  std::string_view TypeName() const override { return kTypeName; }

  // Receiving
  /// Downloads the offline objects carried; False when nothing was loaded.
  bool InsertObjects(Ref<RgObjectStreamItems>& items, int32_t action, Ref<RgProjectItem>& position,
                     int32_t source) override;
  /// Downloads the data object's objects into the PLC that `target` shows (nothing: the online
  /// model): directly or as the user chooses. True when the load service succeeded.
  bool DownloadObjects(const Ref<IRgDataObject>& dataObject, const Ref<RgProjectItem>& target);
  /// 1 for what may be downloaded (see the file comment), else 0.
  int32_t GetInsertDataAction(const std::string& classId, const Variant& objectId,
                              int32_t source) override;
  /// Cancels data types and system blocks silently, open and unsaved blocks with their error;
  /// then the service tells about those errors. False stops.
  bool CheckObjects(Ref<RgObjectStreamItems>& items, int32_t action, Ref<RgProjectItem>& position,
                    int32_t source) override;

  // Sending (what a selection stands for and the source identity: RgPrjStreamHandlerBase)
  /// Writes the items' objects into the data object; a program with its blocks, an item whose
  /// object has gone as a reference marked "Missing".
  void StreamObjects(const Ref<IRgDataObject>& dataObject,
                     const Ref<RgProjectItems>& items) override;
  /// Nothing: the PLC's objects are copied, not moved.
  void InsertObjectsComplete(int32_t action, const Ref<RgProjectItems>& items) override;

  /// True when an object identifier names a data type or system block, which never go into a
  /// PLC by a download.
  static bool IsNeverDownloaded(const std::string& objectId);

 private:
  /// Data types and system blocks the user chose in the dialog are not downloaded either.
  bool P_MayLoad(const Ref<IRgObject>& object) override;

  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
