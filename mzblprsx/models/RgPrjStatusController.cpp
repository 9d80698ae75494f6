#include "mzblprsx/models/RgPrjStatusController.h"

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/RgProjectData.h"
#include "mzblprsx/models/RgProjects.h"

namespace mzblprsx {

Ref<RgProjectSnapin> RgPrjStatusController::ProjectSnapIn() {
  return snapIn_;
}

void RgPrjStatusController::SetProjectSnapIn(Ref<RgProjectSnapin> snapIn) {
  Guard(*this, "Property Set ProjectSnapIn", [&] {
    snapIn_ = std::move(snapIn);
    offlineModel_.Reset();
    onlineModel_.Reset();
    if (!snapIn_) return;
    const Ref<RgProjects> projects = snapIn_->Projects();
    if (const auto offline = projects->Project(RgProjectLocationOffline)) {
      offlineModel_ = offline->Model();
    }
    if (const auto online = projects->Project(RgProjectLocationOnline)) {
      onlineModel_ = online->Model();
    }
  });
}

}  // namespace mzblprsx
