// The factory of the offline model: builds the offline project's tree and attaches to every item
// the handler that serves its kind of framework object.
//
// Children of the project appear in a fixed order (hardware configuration, symbol table, variable
// tables, references, documentation, program), each only when the project has it. Below the
// program: a default category that had to be created first, then the categories in the program's
// stored order, then those the order does not name; in each category its blocks in the
// category's own order, and the blocks no category lists at the end of the default category.
//
// Trap: when the program's structure had to change (a default category created, categories the
// order does not name, blocks no category lists) the fill saves the category order and then the
// project file itself; a project whose tree reads as stored is not saved.
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
  Ref<Object> P_GetHandlerObject(const Ref<IRgObject>& object);
  void P_FillProjectItems(Ref<RgProjectItem> projectItem);
  /// Fills the program item with its categories and their blocks.
  void P_FillProgramItems(Ref<RgProjectItem> programItem);
  class BlockSet;
  /// Puts the category's blocks that are still in the set below its item, in the category's
  /// order, taking them out of the set; with `remainingBlocks`, every block left in the set.
  void P_FillCategoryItems(BlockSet& blocks, const Ref<RgProjectItem>& categoryItem,
                           const Ref<IRgObject>& category, bool remainingBlocks);

  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
