// What every item handler shares: the held framework object and project item, the fill
// mechanics (clear the property set, let the class write its keys), Refresh and Terminate, the
// document flags, and the framework notification subscription of the handlers that listen.
//
//   class RgPrjHandlerReferences final : public RgPrjHandlerBase {
//     void FillData(RgProjectItemData& data) override { FillTypeAndName(data, "RgXRef", 1, 1); }
//   };
//
// A concrete class names itself in TypeName (the model finds items by handler class name),
// writes its own keys in FillData and overrides OnDelete / OnSave where its object can be
// deleted or saved. Every public operation runs under the common error path with the name of
// the contract's procedure ("IRgProjectItemHandler_Refresh"); the fill runs as "GetData".
//
// Trap: the handler holds its item and object strongly until Terminate; the model component
// calls Terminate before it drops an item, and a handler that is never terminated keeps both.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/IRgProjectItemHandler.h"
#include "platform/DateTime.h"

namespace mzblprsx {

class IRgDocument;
class IRgNotifySubscription;
class RgProjectItemData;
class RgProjectSnapin;

class RgPrjHandlerBase : public IRgProjectItemHandler {
 public:
  ~RgPrjHandlerBase() override;

  // IRgProjectItemHandler
  /// The object's modified flag; False when the object is no framework document.
  bool IsDirty() override;
  /// The object's open flag; False when the object is no framework document.
  bool IsOpen() override;
  Ref<IRgObject> Object() override;
  /// Holds the object as IRgObject (and, when it is one, as a framework document); error 13
  /// (reported) for anything else.
  void SetObject(Ref<platform::Object> object) override;
  Ref<RgProjectItem> ProjectItem() override;
  void SetProjectItem(Ref<RgProjectItem> item) override;
  void Delete() override;
  /// Fills the item's property set.
  void Initialize() override;
  /// Fills the property set again, then lets the views redraw the item (Update).
  void Refresh() override;
  void Save() override;
  /// Drops the item and the object and ends a notification subscription.
  void Terminate() override;

 protected:
  RgPrjHandlerBase() = default;

  /// The class's fill procedure: clears the item's property set, then FillData.
  void GetData();
  /// Writes the class's keys into the cleared property set.
  virtual void FillData(RgProjectItemData& data) = 0;
  /// Initialize's work; by default the fill.
  virtual void OnInitialize() { GetData(); }
  /// Refresh's work; by default the fill followed by Update.
  virtual void OnRefresh();
  /// Terminate's work beyond dropping item, object and subscription.
  virtual void OnTerminate() {}
  virtual void OnDelete() {}
  virtual void OnSave() {}
  /// False for handlers whose items never stand for an editor document (IsDirty, IsOpen).
  virtual bool HasDocument() const { return true; }

  /// "TYPE" and "NAME" (the object's display name) with their flags.
  void FillTypeAndName(RgProjectItemData& data, std::string_view type, int32_t typeFlags,
                       int32_t nameFlags);
  /// A date in the framework's text form "YYYY-MM-DD HH:MM:SS"; error 13 for any other text.
  static platform::DateTime DateFromText(const std::string& text);
  /// The snap-in that owns the item's model; error 91 without an item.
  Ref<RgProjectSnapin> SnapIn();

  /// Subscribes this handler (an IRgObjectEventSink) to the notifications of the whole project.
  void StartNotifications();
  /// Ends the subscription; nothing when there is none.
  void EndNotifications();

  /// Both held until Terminate (the item owns this handler, so that breaks the cycle).
  Ref<RgProjectItem> item_;
  Ref<IRgObject> object_;

 private:
  /// The object as a framework document, nothing when it is none; error 91 without object.
  Ref<IRgDocument> P_Document();

  // The object's document side, found once when the object is set: the window titles ask
  // every item whether it is open after each build of the tree.
  Ref<IRgDocument> document_;
  Ref<IRgNotifySubscription> subscription_;
};

}  // namespace mzblprsx
