// The handler of the online tree's root item, the connected PLC: it shows the type
// "RgProjectOnline", the PLC's name, and the neutral date (1 January 1900) and size (0), and keeps
// the PLC's hardware configuration item current on the framework's single notifications:
//
//   hardware configuration of the PLC changed (0, 4, 64, 128, 4096, 8192)
//       -> the project's compare status is recomputed, then the configuration's item refreshes
//
// Initialize subscribes the handler to the notifications before it fills; Terminate ends the
// subscription, and notifications that still arrive without an item are ignored.
// Trap: the subscription holds this handler weakly; only Terminate ends it.
#pragma once

#include "mzblprsx/handlers/RgPrjHandlerBase.h"
#include "mzblprsx/interfaces/IRgObjectEventSink.h"

namespace mzblprsx {

class RgPrjHandlerProjectOnline final : public RgPrjHandlerBase, public IRgObjectEventSink {
 public:
  static constexpr std::string_view kTypeName = "RgPrjHandlerProjectOnline";
  std::string_view TypeName() const override { return kTypeName; }

  // IRgObjectEventSink
  void OnNotify(int32_t code, Ref<platform::Object> object, const Variant& argument) override;

 private:
  void FillData(RgProjectItemData& data) override;
  void OnInitialize() override;
  /// Lets the status controller compare the two projects' hardware again.
  void P_RecomputeStatus();

  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
