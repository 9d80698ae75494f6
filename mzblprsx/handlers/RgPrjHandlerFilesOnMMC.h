// The handler of the memory card's file list (the node below the card item, whose object is the
// host's memory card service): its item shows the card's date and size and whether the list has
// been loaded ("LoadState": 0 not loaded, -1 loaded, 1 no PLC), and its children are the card's
// files, kept in step with the framework's batched notifications:
//
//   card (64)              -> the node is refreshed
//   files 2 (gone)         -> their items go
//   files 1, 3, 4, 8       -> a file shown already is refreshed, a new one is appended
//
// The list is loaded on request (the details cursor in memory-card mode asks for it):
//
//   auto loader = item->HandlerObject().As<IRgFilesOnMMCLoader>();
//   loader->LoadFiles();        // asks the load service; the files arrive as notifications 1
//
// Trap: every fill writes "LoadState" 0 again, so a notification that refreshes the node (a
// file renamed, the card changed) lets the next LoadFiles ask the card once more; the files it
// reports again only refresh their items. Delete and Save do nothing: files are deleted and
// renamed through their own items.
#pragma once

#include <cstdint>

#include "mzblprsx/cursors/IRgFilesOnMMCLoader.h"
#include "mzblprsx/handlers/RgPrjHandlerBase.h"
#include "mzblprsx/interfaces/IRgObjectEventSink.h"
#include "mzblprsx/interfaces/IRgObjectEventSink2.h"

namespace mzblprsx {

class RgPrjHandlerFilesOnMMC final : public RgPrjHandlerBase,
                                     public IRgObjectEventSink,
                                     public IRgObjectEventSink2,
                                     public IRgFilesOnMMCLoader {
 public:
  static constexpr std::string_view kTypeName = "RgPrjHandlerFilesOnMMC";
  /// Static text of the node's name.
  static constexpr int32_t kTextName = 7;

  std::string_view TypeName() const override { return kTypeName; }

  // IRgFilesOnMMCLoader
  /// Only while "LoadState" is 0: the node's object XML to the load service (flags 16); its
  /// answer -1 or 1 keeps 0, 0 writes -1, 2 writes 1, any other leaves "LoadState" as it is.
  void LoadFiles() override;

  // Library-internal
  /// Appends an item for the file below the node; the new item.
  Ref<RgProjectItem> AddFileItem(const Ref<IRgObject>& file);

  // IRgObjectEventSink: the card's notifications are batched; single ones are ignored.
  void OnNotify(int32_t code, Ref<platform::Object> object, const Variant& argument) override;
  // IRgObjectEventSink2
  void OnNotify2(const RgNotification& notification) override;

 private:
  void FillData(RgProjectItemData& data) override;
  void OnInitialize() override;
  bool HasDocument() const override { return false; }

  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
