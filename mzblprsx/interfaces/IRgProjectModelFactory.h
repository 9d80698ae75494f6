// The factory contract: builds a model's project tree and attaches handlers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {
class RgProjectModel;

class IRgProjectModelFactory : public virtual platform::Object {
 public:
  virtual Ref<RgProjectItem> AddProject(Ref<RgProjectModel> model,
                                        Ref<platform::Object> project) = 0;
  virtual void InitializeItem(Ref<RgProjectItem> item, Ref<platform::Object> object) = 0;
  virtual void RefreshProject(Ref<RgProjectModel> model, Ref<platform::Object> project) = 0;
  virtual void RemoveProject(Ref<RgProjectModel> model, Ref<platform::Object> project) = 0;
  virtual void TerminateItem(Ref<RgProjectItem> item) = 0;
};

}  // namespace mzblprsx
