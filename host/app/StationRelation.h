// The reference host's relation object for physical stations, bound through the moniker
// "clsid:" + mzblprsx::clsid::kStationRelation.
//
//   auto relation = platform::BindToMoniker("clsid:{D6A82CED-...}")
//                       .Cast<mzblprsx::IRgRelationService>();
//   relation->GetRelated(plcContainer, 4, 1);   // the PLC's hardware configuration object
//
// The reference host models a PLC's physical station as the hardware configuration object in the
// PLC container's object list (class {1E0B2871-729B-11D4-AC35-000102076DE4}). Every other relation,
// and an object that is not a project container or has no such child, gives nothing.
#pragma once

#include <cstdint>

#include "mzblprsx/interfaces/IRgRelationService.h"

namespace host {

class StationRelation final : public mzblprsx::IRgRelationService {
 public:
  /// The relation code and argument that ask for the physical station.
  static constexpr int32_t kRelationStation = 4;
  static constexpr int32_t kArgumentPhysical = 1;

  StationRelation() = default;
  std::string_view TypeName() const override { return "StationRelation"; }

  platform::Ref<platform::Object> GetRelated(platform::Ref<platform::Object> object,
                                             int32_t relation, int32_t argument) override;
};

}  // namespace host
