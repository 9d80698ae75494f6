// The comparison of the project's station with the PLC's (clsid::kHwCompare, IRgHwCompare): the
// library makes one through the class registry for each comparison.
//
//   auto compare = platform::CreateObjectAs<mzblprsx::IRgHwCompare>(mzblprsx::clsid::kHwCompare);
//   compare->CompareHardware(0, project->Hardware(), plc->Hardware());
//   compare->Result();   // 1: HardwareConfig::ComparesEqual, 2: not
//
// Trap: a failed comparison leaves Result at 0, not at the answer of an earlier one.
#pragma once

#include <cstdint>
#include <string_view>

#include "mzblprsx/interfaces/IRgHwCompare.h"

namespace host {

class HwCompare : public mzblprsx::IRgHwCompare {
 public:
  static constexpr int32_t kNone = 0;
  static constexpr int32_t kEqual = 1;
  static constexpr int32_t kDifferent = 2;

  std::string_view TypeName() const override { return "HwCompare"; }

  /// Compares the two stations; no flag changes the comparison. Error 91 when either is
  /// missing, 5 when either is not a hardware configuration of this host or is in state
  /// HardwareConfig::kNotComparable.
  void CompareHardware(int32_t flags, platform::Ref<mzblprsx::IRgObject> offline,
                       platform::Ref<mzblprsx::IRgObject> online) override;
  /// kEqual or kDifferent after a comparison; kNone before any and after a failed one.
  int32_t Result() override { return result_; }

 private:
  int32_t result_ = kNone;
};

}  // namespace host
