// The factory of the online model: builds the tree of the connected PLC (hardware configuration,
// memory card with its file-list node, program with the PLC's blocks in block order), bracketed by
// the online connection's access calls (12 before, 13 after) when there is a connection, and
// attaches the online handlers.
//
// The memory card and its file-list node (the memory card service object) share one class: the
// first object of that class since the last AddProject gets the card's handler, every later one
// the file list's. A refresh builds the tree anew, so the card gets its handler again.
// Trap: a failure inside the build leaves the connection without its closing access call.
#pragma once

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/IRgProjectModelFactory.h"

namespace mzblprsx {

class RgProjectSnapin;
class IRgOnlineConnection;
class IRgObject;

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
  /// A new handler for the object's class, or nothing for a class the online tree does not show
  /// (or whose handler class the library does not have).
  Ref<Object> P_GetHandlerObject(const Ref<IRgObject>& object);
  void P_FillProjectItems(Ref<RgProjectItem> projectItem);
  void P_FillMMCItems(Ref<RgProjectItem> memoryCardItem);
  /// Shows the PLC's blocks below the program item, read inside the access bracket.
  void P_FillProgramItems(Ref<RgProjectItem> programItem);
  Ref<IRgOnlineConnection> P_GetOnlineConnection(Ref<RgProjectSnapin> snapIn);

  InstanceTrace trace_{kTypeName};
  bool memoryCardHandedOut_ = false;
};

}  // namespace mzblprsx
