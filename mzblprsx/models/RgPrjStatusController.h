// Compares the offline project with the PLC's and marks the items of both trees with compare
// states and ghost blocks. This class currently holds the snap-in and the two models it watches.
#pragma once

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectSnapin;
class RgProjectModel;

class RgPrjStatusController final : public Object {
 public:
  static constexpr std::string_view kTypeName = "RgPrjStatusController";

  RgPrjStatusController() = default;
  std::string_view TypeName() const override { return kTypeName; }

  Ref<RgProjectSnapin> ProjectSnapIn();
  /// With a snap-in, takes the models of both locations from its registry; with nothing, releases
  /// them.
  void SetProjectSnapIn(Ref<RgProjectSnapin> snapIn);

  Ref<RgProjectModel> OfflineModel() { return offlineModel_; }
  Ref<RgProjectModel> OnlineModel() { return onlineModel_; }

 private:
  InstanceTrace trace_{kTypeName};
  Ref<RgProjectSnapin> snapIn_;
  Ref<RgProjectModel> offlineModel_;
  Ref<RgProjectModel> onlineModel_;
};

}  // namespace mzblprsx
