// A project tree of one location, owned by the model component.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgProjectModelFactory.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectModel : public virtual platform::Object {
 public:
  virtual Ref<platform::Object> Owner() = 0;
  virtual void SetOwner(Ref<platform::Object> owner) = 0;
  virtual Ref<IRgProjectModelFactory> Factory() = 0;
  virtual void SetFactory(Ref<IRgProjectModelFactory> factory) = 0;
  /// The root items (the project item is the first).
  virtual Ref<RgProjectItems> Items() = 0;
  /// Every item of the model, searchable.
  virtual Ref<RgProjectItemList> ItemList() = 0;
  virtual bool AutoRefresh() = 0;
  /// Switching it on after it was off raises the AutoRefresh event (views rebuild).
  virtual void SetAutoRefresh(bool on) = 0;
  virtual bool HasProject() = 0;
  virtual void Initialize() = 0;
  /// Drops every item and the factory and owner references.
  virtual void Terminate() = 0;
  /// Builds the project's tree through the factory; raises ProjectAdd.
  virtual void AddProject(Ref<platform::Object> project) = 0;
  /// Removes the project's tree through the factory; raises ProjectRemove first.
  virtual void RemoveProject(Ref<platform::Object> project) = 0;
  /// Re-reads the project's tree through the factory; raises ProjectRefresh.
  virtual void RefreshProject(Ref<platform::Object> project) = 0;

  // Events; positions are 1-based among siblings.
  virtual platform::Signal<Ref<RgProjectItem>, int32_t>& ItemAdd() = 0;
  virtual platform::Signal<Ref<RgProjectItem>, int32_t>& ItemChange() = 0;
  virtual platform::Signal<Ref<RgProjectItem>, int32_t>& ItemRemove() = 0;
  virtual platform::Signal<Ref<RgProjectItem>>& ProjectAdd() = 0;
  virtual platform::Signal<Ref<RgProjectItem>>& ProjectRemove() = 0;
  virtual platform::Signal<Ref<RgProjectItem>>& ProjectRefresh() = 0;
  virtual platform::Signal<bool>& AutoRefreshEvent() = 0;
  virtual platform::Signal<>& TotalRefresh() = 0;
};

}  // namespace mzblprsx
