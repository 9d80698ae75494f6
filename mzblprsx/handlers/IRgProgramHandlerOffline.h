// The operations of the offline program handler that a host which loads the library dynamically
// (and so cannot name the handler class) uses to edit the program's tree. The host reaches the
// handler through the program item of the model:
//
//   auto program = programItem->HandlerObject().Cast<mzblprsx::IRgProgramHandlerOffline>();
//   auto category = program->CreateCategory();              // in the framework, unique name
//   auto item = program->AddCategory(category, blockItem);  // splits the block's category
//
// Trap: CreateCategory only creates the framework object; the tree shows it once AddCategory
// has inserted its item.
#pragma once

#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectItem;

class IRgProgramHandlerOffline : public virtual Object {
 public:
  /// Creates a category with a unique name in the program; nothing without a category service.
  virtual Ref<IRgObject> CreateCategory() = 0;
  /// Inserts the category's item directly after the category that holds the position (the
  /// position itself when it is a category, else the default category); when the position is a
  /// block, the blocks below it in its category move into the new category.
  virtual Ref<RgProjectItem> AddCategory(Ref<IRgObject> category, Ref<RgProjectItem> position) = 0;
  /// Deletes the blocks of these object identifiers; False when the deletion failed.
  virtual bool DeleteBlocks(std::vector<std::string>& identifiers) = 0;
  /// Deletes these categories; their blocks go to the end of the default category.
  virtual bool DeleteCategories(std::vector<std::string>& identifiers) = 0;
  /// The default category item, or nothing.
  virtual Ref<RgProjectItem> GetDefaultCategory() = 0;
  /// Moves a block item directly below a block position, or to the top of a category position.
  virtual bool MoveBlock(Ref<RgProjectItem>& blockItem, Ref<RgProjectItem>& position) = 0;
  /// Moves a category item to where AddCategory would put a new one; False when the item is
  /// nothing or is the position.
  virtual bool MoveCategory(Ref<RgProjectItem>& categoryItem, Ref<RgProjectItem> position) = 0;
};

}  // namespace mzblprsx
