// The stream service of one location: everything of copy, cut, paste, drag, download and upload
// that does not depend on the location (clipboard formats, the three byte forms, the object XML,
// where received data comes from, objects whose source has gone, blocks that could not be saved
// or are open in an editor), around the location's stream handler, which does the rest.
//
//   Sending:   if (service->CanStreamData(selection, RgStreamServiceDataActionCopy)) {
//                auto items = service->GetStreamItems(selection, RgStreamServiceDataActionCopy);
//                clipboard[service->GetFormat(RgStreamServiceFormatObjectList)] =
//                    service->StreamItemList(items);   // likewise ObjectData and ObjectSource
//              }
//   Receiving: int32_t source = service->CheckSourceFromSameApplication(sourceBytes);
//              int32_t action = service->CanInsertStreamData(listBytes, source);
//              service->InsertStreamData(dataBytes, action, position, inserted, source);
//
// The list and source byte forms are UTF-16LE text ended by one NUL character. Reading them back
// is forgiving by design, since the bytes come from other programs: an odd trailing byte is
// dropped, unpaired surrogates read as U+FFFD, the text ends at the first NUL, and blanks around
// it are dropped.
// Trap: the handler points back at its service (Parent); whoever creates the pair must clear
// that reference before letting go of the service, or both stay alive.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/Types.h"
#include "mzblprsx/streaming/IRgObjectStreamServiceHost.h"

namespace platform {
class SafeArray;
}

namespace mzblprsx {

class RgProjectSnapin;
class IRgObjectStreamHandler;
class IRgObjectArray;
class IRgDataObject;
class IRgDataObjectItem;
class RgObjectStreamItems;
class RgProjectItem;
class RgProjectItems;
class RgProjectModel;

class RgObjectStreamService final : public IRgObjectStreamServiceHost {
 public:
  static constexpr std::string_view kTypeName = "RgObjectStreamService";
  /// Clipboard format names of the object list and the object source.
  static constexpr std::string_view kObjectListFormatName = "rgCFObjectList";
  static constexpr std::string_view kObjectSourceFormatName = "rgCFObjectSource";
  /// Text numbers and message numbers of the user messages.
  static constexpr int32_t kTextInsertObjects = 821;
  static constexpr int32_t kMessageMissingSource = 1037;
  static constexpr int32_t kMessageFlushCopy = 1038;
  static constexpr int32_t kMessageFlushLoad = 1039;
  static constexpr int32_t kMessageFlushNoneCopied = 1040;
  static constexpr int32_t kMessageFlushNoneLoaded = 1041;
  static constexpr int32_t kMessageFlushMove = 1042;
  static constexpr int32_t kMessageOpenedNone = 1047;
  static constexpr int32_t kMessageOpenedCopy = 1048;
  static constexpr int32_t kMessageOpenedMove = 1049;

  RgObjectStreamService() = default;
  std::string_view TypeName() const override { return kTypeName; }

  // _RgObjectStreamService
  Ref<RgProjectSnapin> ProjectSnapIn();
  void SetProjectSnapIn(Ref<RgProjectSnapin> snapIn);
  Ref<IRgObjectStreamHandler> StreamHandler();
  void SetStreamHandler(Ref<IRgObjectStreamHandler> handler);
  /// The action of the first object of the received list that the handler would insert (None
  /// when there is none); fails for a list that holds no object.
  int32_t CanInsertStreamData(std::span<const uint8_t> listBytes, int32_t source = 0) override;
  /// False for action None and for nothing or no items; otherwise the handler decides.
  bool CanStreamData(const Ref<RgProjectItems>& items, int32_t action) override;
  /// Where the received source bytes come from (RgEnumStreamDataSource bits), as the handler
  /// recognises the source identifier in them.
  int32_t CheckSourceFromSameApplication(std::span<const uint8_t> sourceBytes) override;
  /// The clipboard format number of a byte form, the same on every call; 0 for an unknown form.
  int16_t GetFormat(int32_t format) override;
  /// The items that the selection stands for (the handler's choice); never nothing.
  Ref<RgProjectItems> GetStreamItems(const Ref<RgProjectItems>& items, int32_t action) override;
  /// The object data bytes of the items (the data object's own form); a single zero byte when
  /// there is nothing to carry.
  std::vector<uint8_t> StreamItemData(const Ref<RgProjectItems>& items) override;
  /// The object list bytes of the items; no bytes at all for nothing.
  std::vector<uint8_t> StreamItemList(const Ref<RgProjectItems>& items) override;
  /// The object source bytes: this side's source identifier.
  std::vector<uint8_t> StreamObjectSource() override;
  /// Checks and inserts the received objects through the handler. False when there is nothing
  /// to carry (one byte), the bytes are not a data object, or the handler stops; True for a data
  /// object without entries. On success `insertedItems` receives the created project items.
  bool InsertStreamData(std::span<const uint8_t> dataBytes, int32_t action,
                        Ref<RgProjectItem>& position, Ref<RgProjectItems>& insertedItems,
                        int32_t source = 0) override;
  /// Lets the handler finish a move on the sending side (not for None or no items).
  void InsertStreamDataComplete(int32_t action, const Ref<RgProjectItems>& items) override;
  /// The object XML of the item's framework object; "" for nothing.
  std::string GetProjectItemXML(const Ref<RgProjectItem>& item);
  /// The object XML of the items' framework objects, in order, skipping items without one;
  /// "" for nothing or no items.
  std::string GetProjectItemsXML(const Ref<RgProjectItems>& items);
  /// The object XML of the objects of the array, in order; fails for an empty array.
  std::string GetRgObjectsXML(const Ref<IRgObjectArray>& objects);
  /// The object XML of the entries of a data object (none counts as open); fails for no entries.
  std::string GetRgDataObjectItemsXML(const Ref<IRgDataObject>& dataObject);
  /// The object XML of an object data array (first index 1 to 3: class identifier, object
  /// identifier, open flag; second index over the objects); "" when the argument is not such an
  /// array.
  std::string GetRgObjectDataXML(const Variant& objectData);
  /// The project items created by the running insert; nothing outside InsertObjects.
  Ref<RgProjectItems> InsertedItems();

  // Library-internal, for the stream handlers
  /// True to go on, False to stop: tells about (or asks on) the items whose block could not be
  /// saved before the transfer. `location` is the calling handler's, `action` the request's.
  bool CheckBlockFlushErrors(const Ref<RgObjectStreamItems>& items, int32_t location,
                             int32_t action);
  /// False when the sender marked the entry as a block its editor could not save.
  bool CheckBlockFlushed(const Ref<IRgDataObjectItem>& item);
  /// True to go on, False to stop: tells about (or asks on) the items whose target block is open
  /// in an editor.
  bool CheckBlockOpenErrors(const Ref<RgObjectStreamItems>& items, int32_t action);
  /// True when the entry's object exists in the project of the location and is open in an editor.
  bool CheckBlockOpened(const Ref<IRgDataObjectItem>& item, int32_t location);
  /// Sets the flags of the sides whose objects the data object carries; leaves the others.
  void GetObjectLocations(const Ref<IRgDataObject>& dataObject, bool& offline, bool& online);
  /// The actions the item allows: 1 copy, 2 move, 3 both, 0 none.
  int32_t GetItemStreamDataAction(const Ref<RgProjectItem>& item);
  /// Adds a reference marked "Missing" for an item whose object has gone (when its type is one
  /// that can be named).
  void StreamMissingObject(const Ref<IRgDataObject>& dataObject, const Ref<RgProjectItem>& item);
  /// The entry of that class and object identifier; nothing when absent.
  Ref<IRgDataObjectItem> GetDataObjectItem(const Ref<IRgDataObject>& dataObject,
                                           const std::string& classId, const Variant& objectId);

  // Pure readers and writers of outside bytes and text (no snap-in, no host needed).
  /// The byte form of a text: UTF-16LE followed by one NUL character.
  static std::vector<uint8_t> MakeByteForm(std::string_view text);
  /// The text of a received list or source byte form (see the file comment); never fails.
  static std::string ReadByteForm(std::span<const uint8_t> bytes);
  /// Reads object XML into an object data array (1 to 3, 1 to n): class identifier and object
  /// identifier as text, the open flag as Boolean or Empty when the object has none. Error 9
  /// when the text names no object (not XML at all included), 13 for an open flag that is no
  /// Boolean.
  static std::shared_ptr<platform::SafeArray> ReadObjectDataXML(std::string_view xml);
  /// Writes an object data array as object XML; "" when it is not dimensioned (1 to 3, any).
  static std::string WriteObjectDataXML(const Variant& objectData);

 private:
  std::shared_ptr<platform::SafeArray> GetRgObjectDataFromXML(const std::string& xml);
  void P_CheckMissingObjects(const Ref<RgObjectStreamItems>& items);
  void P_GetMissingObjectData(const Ref<RgProjectItem>& item, std::string& classId,
                              Variant& objectId, std::string& name);
  std::string P_GetErrorObjectInfo(const Ref<IRgDataObjectItem>& item);
  /// The names of the items for a message: at most seven, then "...", one per line.
  std::string P_JoinErrorObjectInfo(const Ref<RgObjectStreamItems>& items);
  /// Shows a message of the common module with the caption text and the names; its answer.
  int32_t P_ShowMessage(int32_t number, const std::string& names, bool ask);
  /// Switches AutoRefresh off on the snap-in's models that read True; the ones switched.
  std::vector<Ref<RgProjectModel>> P_PauseAutoRefresh();
  /// Switches AutoRefresh back on for the models P_PauseAutoRefresh switched off.
  void P_ResumeAutoRefresh(const std::vector<Ref<RgProjectModel>>& paused);
  /// The shared steps of CheckBlockFlushErrors and CheckBlockOpenErrors.
  bool P_CheckErrorItems(const Ref<RgObjectStreamItems>& items, int32_t error, int32_t note,
                         int32_t question);
  Ref<RgProjectItems> P_NewProjectItems();
  Ref<IRgDataObject> P_NewDataObject();

  InstanceTrace trace_{kTypeName};
  Ref<RgProjectSnapin> snapIn_;
  Ref<IRgObjectStreamHandler> handler_;
  Ref<RgProjectItems> insertedItems_;
  int16_t listFormat_ = 0;
  int16_t dataFormat_ = 0;
  int16_t sourceFormat_ = 0;
};

}  // namespace mzblprsx
