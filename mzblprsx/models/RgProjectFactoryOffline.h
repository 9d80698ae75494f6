// The factory of the offline model: builds the offline project's tree and attaches to every item
// the handler that serves its kind of framework object.
//
// Children of the project appear in a fixed order (hardware configuration, symbol table, variable
// tables, references, documentation, program), each only when the project has it.
#pragma once

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/IRgProjectModelFactory.h"

namespace mzblprsx {

class RgProjectFactoryOffline final : public IRgProjectModelFactory {
 public:
  static constexpr std::string_view kTypeName = "RgProjectFactoryOffline";

  RgProjectFactoryOffline() = default;
  std::string_view TypeName() const override { return kTypeName; }

  Ref<RgProjectItem> AddProject(Ref<RgProjectModel> model, Ref<Object> project) override;
  void InitializeItem(Ref<RgProjectItem> item, Ref<Object> object) override;
  void RefreshProject(Ref<RgProjectModel> model, Ref<Object> project) override;
  void RemoveProject(Ref<RgProjectModel> model, Ref<Object> project) override;
  void TerminateItem(Ref<RgProjectItem> item) override;

 private:
  /// A new handler for the object's class, or nothing for a class the offline tree does not show.
  Ref<Object> P_GetHandlerObject(Ref<Object> object);
  void P_FillProjectItems(Ref<RgProjectItem> projectItem);

  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
