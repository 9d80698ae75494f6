// The offline tree of a project as the user names its items on the command line: the project,
// its program, the program's categories and their blocks.
//
//   ProgramTree tree(session.OfflineModel());
//   auto block = tree.Find("Motor", ProgramTree::kBlock);        // by name "FB10" or symbol
//   auto any = tree.Find("program", ProgramTree::kAnything);     // also the project or program
//
// Names compare without regard to case; a block's name beats another block's symbol; a text
// that names a block and a category needs "block:" or "category:" in front ("program:" and
// "project:" exist for the same reason).
//
// Trap: lookups throw Refused (exit code 1 for the user), never platform::Error. The names are
// indexed at the first look-up: look items up before changing the tree.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {
class RgProjectModel;
class RgProjectItem;
class RgProjectItems;
class IRgProgramHandlerOffline;
}  // namespace mzblprsx

namespace prjsnap {

class ProgramTree {
 public:
  enum Want {
    kBlock = 1,
    kCategory = 2,
    kAny = kBlock | kCategory,  ///< a block or a category
    kProgram = 4,
    kProject = 8,
    kAnything = kAny | kProgram | kProject,
  };

  /// Refused when the model shows no project or the project has no program.
  explicit ProgramTree(const platform::Ref<mzblprsx::RgProjectModel>& model);

  mzblprsx::IRgProgramHandlerOffline& Handler() { return *handler_; }
  const platform::Ref<mzblprsx::RgProjectItem>& ProgramItem() const { return item_; }
  const platform::Ref<mzblprsx::RgProjectItem>& ProjectItem() const { return project_; }
  /// The program's "NAME".
  std::string Name();

  /// The item the text names among those `want` allows; Refused when none or several do.
  platform::Ref<mzblprsx::RgProjectItem> Find(const std::string& text, int want);

 private:
  /// Folded names to the items of that name, in tree order.
  using NameIndex =
      std::unordered_map<std::string, std::vector<platform::Ref<mzblprsx::RgProjectItem>>>;
  struct Index {
    NameIndex categories;
    NameIndex blockNames;
    NameIndex blockSymbols;
  };
  const Index& P_Index();

  platform::Ref<mzblprsx::RgProjectItem> project_;
  platform::Ref<mzblprsx::RgProjectItem> item_;
  platform::Ref<mzblprsx::IRgProgramHandlerOffline> handler_;
  std::optional<Index> index_;
};

/// The "NAME"s of the items, separated by ", "; "" for nothing.
std::string ItemNames(const platform::Ref<mzblprsx::RgProjectItems>& items);
/// "1 object", "2 objects".
std::string Plural(int32_t count, const char* what);

/// The item's data value as text; "" when it has none.
std::string ItemText(const platform::Ref<mzblprsx::RgProjectItem>& item, const char* key);

}  // namespace prjsnap
