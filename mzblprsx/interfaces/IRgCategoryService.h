// The offline category service.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgCategoryService : public virtual platform::Object {
 public:
  /// The program's categories, in the program's order.
  virtual std::vector<Ref<IRgObject>> Categories(Ref<Object> program) = 0;
  /// The object identifier of the program's default category ("" when it has none).
  virtual std::string DefaultCategoryID(Ref<Object> program) = 0;
  /// Creates the program's default category when it has none; returns it.
  virtual Ref<IRgObject> CreateDefaultCategory(Ref<Object> program) = 0;
  /// A name not yet used in the program, derived from the base name ("Category", "Category (2)").
  virtual std::string UniqueName(Ref<Object> program, const std::string& baseName) = 0;
  /// Creates a category of that name at the end of the program's categories.
  virtual Ref<IRgObject> CreateCategory(Ref<Object> program, const std::string& name,
                                        int32_t flags) = 0;
  /// 0 there is no program to check against, 1 the name can be used, 2 the name is missing
  /// (empty), 3 a category of that name exists.
  virtual int32_t CheckName(Ref<Object> program, const std::string& name) = 0;
  /// A free name for one that may clash: the name itself when no category has it, else the
  /// first free of name " (1)", " (2)", ..., where a name that already ends in an index counts
  /// from its base (taken "Motors (2)" gives "Motors (1)" or "Motors (3)", never
  /// "Motors (2) (1)"). An empty name gets an empty proposal.
  virtual std::string ProposeCategoryName(Ref<Object> program, const std::string& name) = 0;
  /// The program's category of that name (compared as CheckName compares); nothing when none.
  virtual Ref<IRgObject> FindCategory(Ref<Object> program, const std::string& name) = 0;
  /// Deletes a category; its blocks stay in the program and join the default category's list.
  /// Deleting the default category is an error.
  virtual void DeleteCategory(Ref<Object> program, Ref<IRgObject> category) = 0;
};

}  // namespace mzblprsx
