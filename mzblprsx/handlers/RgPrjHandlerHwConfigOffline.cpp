#include "mzblprsx/handlers/RgPrjHandlerHwConfigOffline.h"

#include <string>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/core/RgVerbs.h"
#include "mzblprsx/interfaces/IRgHardwareService.h"
#include "mzblprsx/interfaces/IRgHwConfig.h"
#include "mzblprsx/interfaces/IRgHwConfigSnapIn.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "platform/DateTime.h"

namespace mzblprsx {

void RgPrjHandlerHwConfigOffline::DownloadHwConfig() {}

void RgPrjHandlerHwConfigOffline::FillData(RgProjectItemData& data) {
  FillTypeAndName(data, "RgHwConfigOffline", 3, 3);
  data.SetValue("LASTMODIFIED",
                Variant(DateFromText(object_.Cast<IRgHwConfig>()->LastModifiedText())), 1);
  data.SetValue("SIZE", Variant(P_GetHWConfigSize()), 1);
}

int32_t RgPrjHandlerHwConfigOffline::P_GetHWConfigSize() {
  int32_t result = 0;
  Guard(*this, "P_GetHWConfigSize", [&] {
    const auto service =
        SnapIn()->Services()->RgHardwareService(RgProjectLocationOffline).As<IRgHardwareService>();
    if (service) result = service->StationSize();
  });
  return result;
}

void RgPrjHandlerHwConfigOffline::OnDelete() {
  const auto hwConfig =
      SnapIn()->Application()->SnapIn(std::string(kHwConfigSnapIn)).As<IRgHwConfigSnapIn>();
  if (hwConfig) hwConfig->Delete(0);
}

void RgPrjHandlerHwConfigOffline::OnSave() {
  int32_t save = verb::kSave;  // the save command (hexadecimal E103)
  Variant arguments;
  bool broadcast = false;
  SnapIn()->DoVerbOnSnapIn(std::string(kHwConfigSnapIn), save, arguments, broadcast);
}

}  // namespace mzblprsx
