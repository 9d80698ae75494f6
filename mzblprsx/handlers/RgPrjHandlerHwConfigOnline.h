// The handler of the PLC's hardware configuration (station): its item shows the type
// "RgHwConfigOnline", the name, the date of the last change and the station's size as the
// online hardware service reports it (0 without that service).
//
// Delete asks the hardware configuration snap-in ("SnapInHWConfig") to delete, as offline;
// Save does nothing, since the PLC's station is changed by downloading, not by saving.
// Trap: the date is read from the configuration as text; a text that is no date is a type
// mismatch (13) of the fill.
#pragma once

#include "mzblprsx/handlers/RgPrjHandlerBase.h"

namespace mzblprsx {

class RgPrjHandlerHwConfigOnline final : public RgPrjHandlerBase {
 public:
  static constexpr std::string_view kTypeName = "RgPrjHandlerHwConfigOnline";
  std::string_view TypeName() const override { return kTypeName; }

 private:
  void FillData(RgProjectItemData& data) override;
  void OnDelete() override;
  /// The station's size from the online hardware service; 0 when there is no such service.
  int32_t P_GetHWConfigSize();

  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
