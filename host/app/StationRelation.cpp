#include "host/app/StationRelation.h"

#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgObjectList.h"
#include "mzblprsx/interfaces/IRgProjectContainer.h"

namespace host {

platform::Ref<platform::Object> StationRelation::GetRelated(platform::Ref<platform::Object> object,
                                                            int32_t relation, int32_t argument) {
  if (relation != kRelationStation || argument != kArgumentPhysical) return {};
  auto container = object.As<mzblprsx::IRgProjectContainer>();
  if (!container) return {};
  auto children = container->Objects();
  if (!children) return {};
  // Walked rather than looked up by class: a missing station is an answer, not a failure.
  const int32_t count = children->Count();
  for (int32_t i = 1; i <= count; ++i) {
    auto child = children->Item(i);
    if (child && child->ClassID() == mzblprsx::clsid::kHwConfigOnline) return child;
  }
  return {};
}

}  // namespace host
