// `prjsnap edit PROJECT OPERATION ...`: changes the offline program's tree of a project file
// through the library's own handlers, exactly as a user's edit in the explorer would, and saves
// the file when the operation succeeded.
//
//   prjsnap edit conveyor.prj.xml new-category --after FB10      # prints the new category's name
//   prjsnap edit conveyor.prj.xml block Motor --number 12 --author "Line team"
//
// Items are named as the tree shows them: a block by its name ("FB10") or its symbol, a category
// by its name, both without regard to case; "block:" or "category:" in front says which one is
// meant when a name could be both.
//
// Trap: the project is opened with saves kept in memory (building the tree may store the category
// order); only a successful edit writes the file, so a refused one leaves it byte for byte.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace prjsnap {

struct EditRequest {
  enum class Operation {
    kNone,
    kNewCategory,
    kRenameCategory,
    kDeleteCategories,
    kMove,
    kBlock,
    kDeleteBlocks,
  };

  Operation operation = Operation::kNone;
  std::filesystem::path project;
  std::string item;                 ///< the one item of rename-category, move and block
  std::vector<std::string> items;   ///< the items of delete-category and delete-block
  std::string target;               ///< --after of new-category, --to of move; empty: none
  std::optional<std::string> name;  ///< new-category --name; the new name of rename-category
  std::optional<int32_t> number;
  std::optional<std::string> symbol;
  std::optional<std::string> header;
  std::optional<std::string> author;
};

/// Declares `edit` with its operations on the application; parsing fills `request`, which must
/// outlive the parse.
CLI::App* AddEditCommand(CLI::App& app, EditRequest& request);

/// Runs the edit on its own snap-in session. 0: done and saved (new-category prints the new
/// name on `out`); 1: refused, with the reason on `err`, and the file untouched; 2: the request
/// lacks what its operation needs. Throws platform::Error when the project does not load or the
/// library cannot be loaded.
int RunEdit(const std::filesystem::path& library, const EditRequest& request, std::ostream& out,
            std::ostream& err);

}  // namespace prjsnap
