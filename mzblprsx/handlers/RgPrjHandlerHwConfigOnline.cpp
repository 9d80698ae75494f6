#include "mzblprsx/handlers/RgPrjHandlerHwConfigOnline.h"

#include <string>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/handlers/RgPrjHandlerHwConfigOffline.h"
#include "mzblprsx/interfaces/IRgHardwareService.h"
#include "mzblprsx/interfaces/IRgHwConfig.h"
#include "mzblprsx/interfaces/IRgHwConfigSnapIn.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"

namespace mzblprsx {

void RgPrjHandlerHwConfigOnline::FillData(RgProjectItemData& data) {
  FillTypeAndName(data, "RgHwConfigOnline", 3, 3);
  data.SetValue("LASTMODIFIED",
                Variant(DateFromText(object_.Cast<IRgHwConfig>()->LastModifiedText())), 1);
  data.SetValue("SIZE", Variant(P_GetHWConfigSize()), 1);
}

int32_t RgPrjHandlerHwConfigOnline::P_GetHWConfigSize() {
  int32_t result = 0;
  Guard(*this, "P_GetHWConfigSize", [&] {
    const auto service =
        SnapIn()->Services()->RgHardwareService(RgProjectLocationOnline).As<IRgHardwareService>();
    if (service) result = service->StationSize();
  });
  return result;
}

void RgPrjHandlerHwConfigOnline::OnDelete() {
  const std::string name(RgPrjHandlerHwConfigOffline::kHwConfigSnapIn);
  const auto hwConfig = SnapIn()->Application()->SnapIn(name).As<IRgHwConfigSnapIn>();
  if (hwConfig) hwConfig->Delete(0);
}

}  // namespace mzblprsx
