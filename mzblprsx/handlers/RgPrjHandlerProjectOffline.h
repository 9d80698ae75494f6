// The handler of the offline project's root item: it shows the type "RgProjectOffline", the
// project's name and its display title, and keeps the project's direct children current on the
// framework's single notifications.
//
//   project changed (4, 256)                      -> the project item is filled again
//   hardware configuration changed (0, 4, 64, ...) -> its item, then the project item
//   variable tables / documentation (64, 128)     -> their item
//
// Initialize subscribes the handler to the notifications of the whole project; Terminate ends
// the subscription, and notifications that still arrive without an item are ignored.
// Trap: the subscription holds this handler; a handler that is never terminated stays alive.
#pragma once

#include "mzblprsx/handlers/RgPrjHandlerBase.h"
#include "mzblprsx/interfaces/IRgObjectEventSink.h"

namespace mzblprsx {

class RgPrjHandlerProjectOffline final : public RgPrjHandlerBase, public IRgObjectEventSink {
 public:
  static constexpr std::string_view kTypeName = "RgPrjHandlerProjectOffline";
  std::string_view TypeName() const override { return kTypeName; }

  // IRgObjectEventSink
  void OnNotify(int32_t code, Ref<platform::Object> object, const Variant& argument) override;

 private:
  void FillData(RgProjectItemData& data) override;
  void OnInitialize() override;
  /// Refreshes the handler of the item that shows the object, when there is one; true if so.
  bool P_RefreshChildOf(const Ref<platform::Object>& object);

  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
