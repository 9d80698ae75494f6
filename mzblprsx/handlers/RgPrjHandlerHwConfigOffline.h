// The handler of the offline project's hardware configuration (station): its item shows the
// type "RgHwConfigOffline", the name, the date of the last change and the station's size.
//
// The size comes from the offline hardware service; without that service it is 0. Deleting and
// saving are the hardware configuration snap-in's ("SnapInHWConfig"): Delete asks it to delete,
// Save sends it the save command as a verb.
// Trap: the date is read from the configuration's document as text; a text that is no date is
// a type mismatch (13) of the fill.
#pragma once

#include "mzblprsx/handlers/RgPrjHandlerBase.h"

namespace mzblprsx {

class RgPrjHandlerHwConfigOffline final : public RgPrjHandlerBase {
 public:
  static constexpr std::string_view kTypeName = "RgPrjHandlerHwConfigOffline";
  /// The hardware configuration snap-in's name in the host.
  static constexpr std::string_view kHwConfigSnapIn = "SnapInHWConfig";

  std::string_view TypeName() const override { return kTypeName; }

  /// Does nothing: downloading a station is the hardware configuration snap-in's own command.
  void DownloadHwConfig();

 private:
  void FillData(RgProjectItemData& data) override;
  void OnDelete() override;
  void OnSave() override;
  /// The station's size from the offline hardware service; 0 when there is no such service.
  int32_t P_GetHWConfigSize();

  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
