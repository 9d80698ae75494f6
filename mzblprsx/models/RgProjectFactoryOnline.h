// The factory of the online model: builds the tree of the connected PLC (hardware configuration,
// memory card with its file-list node, program), bracketed by the online connection's access
// calls, and attaches the online handlers.
#pragma once

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/IRgProjectModelFactory.h"

namespace mzblprsx {

class RgProjectSnapin;
class IRgOnlineConnection;

class RgProjectFactoryOnline final : public IRgProjectModelFactory {
 public:
  static constexpr std::string_view kTypeName = "RgProjectFactoryOnline";

  RgProjectFactoryOnline() = default;
  std::string_view TypeName() const override { return kTypeName; }

  Ref<RgProjectItem> AddProject(Ref<RgProjectModel> model, Ref<Object> project) override;
  void InitializeItem(Ref<RgProjectItem> item, Ref<Object> object) override;
  void RefreshProject(Ref<RgProjectModel> model, Ref<Object> project) override;
  void RemoveProject(Ref<RgProjectModel> model, Ref<Object> project) override;
  void TerminateItem(Ref<RgProjectItem> item) override;

 private:
  Ref<Object> P_GetHandlerObject(Ref<Object> object);
  void P_FillProjectItems(Ref<RgProjectItem> projectItem);
  void P_FillMMCItems(Ref<RgProjectItem> memoryCardItem);
  Ref<IRgOnlineConnection> P_GetOnlineConnection(Ref<RgProjectSnapin> snapIn);

  InstanceTrace trace_{kTypeName};
  bool memoryCardHandedOut_ = false;
};

}  // namespace mzblprsx
