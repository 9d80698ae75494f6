#include "EditCommand.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <ostream>
#include <stdexcept>
#include <utility>

#include "ProgramTree.h"
#include "Refused.h"
#include "SnapInSession.h"
#include "host/framework/ErrorService.h"
#include "host/project/OfflineProject.h"
#include "host/project/ProjectFileObject.h"
#include "mzblprsx/handlers/IRgBlockHandlerOffline.h"
#include "mzblprsx/handlers/IRgCategoryHandler.h"
#include "mzblprsx/handlers/IRgProgramHandlerOffline.h"
#include "mzblprsx/interfaces/IRgBlock.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace prjsnap {
namespace {

using ItemRef = platform::Ref<mzblprsx::RgProjectItem>;
using Operation = EditRequest::Operation;

/// Item data flags of the values a user may edit (shown and editable).
constexpr int32_t kEditableFlags = 3;
/// Bit of a block's symbol state that says its symbol cannot be written.
constexpr int32_t kSymbolReadOnly = 64;

std::string Text(const ItemRef& item, const char* key) {
  return ItemText(item, key);
}

std::string Quoted(const std::string& text) {
  return "'" + text + "'";
}

bool IsBlock(const ItemRef& item) {
  return static_cast<bool>(item->HandlerObject().As<mzblprsx::IRgBlockHandlerOffline>());
}

/// The block's type text: its name without the number ("FB" of "FB10").
std::string TypeTextOf(const ItemRef& block) {
  std::string name = Text(block, "NAME");
  while (!name.empty() && name.back() >= '0' && name.back() <= '9') name.pop_back();
  return name;
}

/// The framework object identifier of an item's object.
std::string ObjectIdOf(const ItemRef& item) {
  return item->Handler()->Object()->ObjectID();
}

void RenameCategory(const ItemRef& category, const std::string& name) {
  const std::string current = Text(category, "NAME");
  if (current == name) return;
  // A change of case only is no conflict: the one category of that name is this one.
  if (!platform::text::EqualsNoCase(current, name)) {
    const auto checks = category->HandlerObject().Cast<mzblprsx::IRgCategoryHandler>();
    switch (checks->CheckCategoryName(name)) {
      case mzblprsx::RgCategoryNameErrorMissing:
        throw Refused("a category needs a name that is not blank");
      case mzblprsx::RgCategoryNameErrorExist:
        throw Refused("the program already has a category " + Quoted(name));
      case mzblprsx::RgCategoryNameErrorOK:
        break;
    }
  }
  category->Data()->SetValue("NAME", platform::Variant(name), kEditableFlags);
  category->Handler()->Save();
}

std::string NewCategory(ProgramTree& program, const EditRequest& request) {
  const ItemRef position =
      request.target.empty() ? ItemRef() : program.Find(request.target, ProgramTree::kAny);
  const auto category = program.Handler().CreateCategory();
  if (!category) throw Refused("the program cannot create categories (no category service)");
  const ItemRef added = program.Handler().AddCategory(category, position);
  if (!added) throw Refused("the new category could not be placed in the tree");
  if (request.name) RenameCategory(added, *request.name);
  return Text(added, "NAME") + "\n";
}

void DeleteCategories(ProgramTree& program, const EditRequest& request) {
  const ItemRef defaultCategory = program.Handler().GetDefaultCategory();
  std::vector<std::string> ids;
  for (const std::string& text : request.items) {
    const ItemRef category = program.Find(text, ProgramTree::kCategory);
    if (platform::SameObject(category, defaultCategory)) {
      throw Refused(Quoted(Text(category, "NAME")) +
                    " is the default category, which takes the blocks of deleted categories; "
                    "it cannot be deleted");
    }
    std::string id = ObjectIdOf(category);
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(std::move(id));
  }
  if (!program.Handler().DeleteCategories(ids)) throw Refused("the categories were not deleted");
}

void DeleteBlocks(ProgramTree& program, const EditRequest& request) {
  std::vector<std::string> ids;
  std::string names;
  for (const std::string& text : request.items) {
    const ItemRef block = program.Find(text, ProgramTree::kBlock);
    std::string id = ObjectIdOf(block);
    if (std::find(ids.begin(), ids.end(), id) != ids.end()) continue;
    ids.push_back(std::move(id));
    names += (names.empty() ? "" : ", ") + Text(block, "NAME");
  }
  if (!program.Handler().DeleteBlocks(ids)) {
    throw Refused("the program refused to delete " + names);
  }
}

void Move(ProgramTree& program, const EditRequest& request) {
  ItemRef moved = program.Find(request.item, ProgramTree::kAny);
  ItemRef position = program.Find(request.target, ProgramTree::kAny);
  if (platform::SameObject(moved, position)) {
    throw Refused(Quoted(Text(moved, "NAME")) + " cannot be moved to itself");
  }
  const bool done = IsBlock(moved) ? program.Handler().MoveBlock(moved, position)
                                   : program.Handler().MoveCategory(moved, position);
  if (!done) throw Refused(Quoted(Text(moved, "NAME")) + " was not moved");
}

void EditBlock(ProgramTree& program, const EditRequest& request) {
  const ItemRef block = program.Find(request.item, ProgramTree::kBlock);
  const auto checks = block->HandlerObject().Cast<mzblprsx::IRgBlockHandlerOffline>();
  const std::string name = Text(block, "NAME");
  const std::string typeText = TypeTextOf(block);

  // Every check first: a refused value must not leave the others half applied.
  if (request.number) {
    int32_t number = *request.number;
    switch (checks->CheckBlockNumber(number)) {
      case mzblprsx::RgBlockDataErrorInvalidNumber:
        throw Refused(name + ": " + std::to_string(number) +
                      " is not a valid number for a block of type " + typeText);
      case mzblprsx::RgBlockDataErrorBlockExist:
        throw Refused(name + ": the program already has a block " + typeText +
                      std::to_string(number));
      default:
        break;
    }
  }
  if (request.symbol) {
    std::string symbol = *request.symbol;
    switch (checks->CheckBlockSymbol(symbol)) {
      case mzblprsx::RgBlockDataErrorInvalidSymbolCharacter:
        throw Refused(name + ": the symbol " + Quoted(symbol) +
                      " contains a double quote, which a symbol cannot hold");
      case mzblprsx::RgBlockDataErrorSymbolTooLong:
        throw Refused(name + ": the symbol " + Quoted(symbol) + " is longer than " +
                      std::to_string(mzblprsx::IRgBlockHandlerOffline::kMaxSymbolLength) +
                      " characters");
      default:
        break;
    }
    // Save passes over such a symbol without a word; the user asked for it, so say so.
    if ((block->States()->Value("SYMBOLSTATE").ToInt32() & kSymbolReadOnly) != 0) {
      throw Refused(name + ": its symbol cannot be changed in this project");
    }
  }

  const auto data = block->Data();
  const auto set = [&](const char* key, const platform::Variant& value) {
    data->SetValue(key, value, kEditableFlags);
  };
  if (request.number) set("BLOCKNUMBER", platform::Variant(*request.number));
  if (request.symbol) set("SYMBOL", platform::Variant(*request.symbol));
  if (request.header) set("HEADERNAME", platform::Variant(*request.header));
  if (request.author) set("AUTHOR", platform::Variant(*request.author));
  // Save renumbers first and ends quietly when the program refuses the number.
  block->Handler()->Save();

  if (request.number) {
    const auto object = block->Handler()->Object().As<mzblprsx::IRgBlock>();
    if (object && object->Number() != *request.number) {
      throw Refused(name + ": the program refused to renumber it to " + typeText +
                    std::to_string(*request.number) +
                    (object->IsProtected() ? " (the block is protected)" : ""));
    }
  }
}

/// What the library reported to the error service since `from`, one report a line.
std::string ReportsSince(const host::ErrorService& errors, size_t from) {
  std::string text;
  const auto& reports = errors.Reports();
  for (size_t i = from; i < reports.size(); ++i) {
    if (!text.empty()) text += "\nprjsnap: ";
    text += reports[i].description;
  }
  return text;
}

}  // namespace

CLI::App* AddEditCommand(CLI::App& app, EditRequest& request) {
  CLI::App* edit = app.add_subcommand(
      "edit", "change the program's categories and blocks of a project and save it");
  edit->require_subcommand(1);
  edit->add_option("PROJECT", request.project, "project file")
      ->required()
      ->check(CLI::ExistingFile);
  const auto operation = [&](const char* name, const char* description, Operation op) {
    CLI::App* command = edit->add_subcommand(name, description);
    command->callback([&request, op] { request.operation = op; });
    return command;
  };
  const char* itemHelp = "a block by name or symbol, or a category by name";

  CLI::App* create = operation("new-category", "add a category after an item and print its name",
                               Operation::kNewCategory);
  create->add_option("--after", request.target,
                     std::string(itemHelp) +
                         "; after a block the blocks below it move into the new category "
                         "(default: after the default category)");
  create->add_option("--name", request.name, "name it instead of the generated name");

  CLI::App* rename =
      operation("rename-category", "give a category a new name", Operation::kRenameCategory);
  rename->add_option("CATEGORY", request.item, "the category")->required();
  rename->add_option("NAME", request.name, "its new name")->required();

  CLI::App* deleteCategories = operation(
      "delete-category", "delete categories; their blocks go to the end of the default category",
      Operation::kDeleteCategories);
  deleteCategories->add_option("CATEGORY", request.items, "the categories")->required();

  CLI::App* move = operation(
      "move", "move a block below a block or to the top of a category, or a category after an item",
      Operation::kMove);
  move->add_option("ITEM", request.item, itemHelp)->required();
  move->add_option("--to", request.target, "where it goes: " + std::string(itemHelp))->required();

  CLI::App* block = operation("block", "renumber a block, set its symbol, header name or author",
                              Operation::kBlock);
  block->add_option("BLOCK", request.item, "the block, by name or symbol")->required();
  block->add_option("--number", request.number, "its new number");
  block->add_option("--symbol", request.symbol, "its new symbol (empty: none)");
  block->add_option("--header", request.header, "its new header name");
  block->add_option("--author", request.author, "its new author");

  CLI::App* deleteBlocks =
      operation("delete-block", "delete blocks from the program", Operation::kDeleteBlocks);
  deleteBlocks->add_option("BLOCK", request.items, "the blocks, by name or symbol")->required();
  return edit;
}

int RunEdit(const std::filesystem::path& library, const EditRequest& request, std::ostream& out,
            std::ostream& err) {
  if (request.operation == Operation::kNone) {
    err << "prjsnap: edit needs an operation\n";
    return 2;
  }
  if (request.operation == Operation::kBlock && !request.number && !request.symbol &&
      !request.header && !request.author) {
    err << "prjsnap: block needs at least one of --number, --symbol, --header, --author\n";
    return 2;
  }

  SnapInSession::Options options;
  options.project = request.project;
  options.library = library;
  options.readOnly = true;  // saves stay in memory until the edit has succeeded
  options.warnings = &err;
  SnapInSession session(options);
  host::ErrorService& errors = session.Env().Errors();
  const size_t reportsBefore = errors.Reports().size();

  std::string printed;
  try {
    ProgramTree program(session.OfflineModel());
    switch (request.operation) {
      case Operation::kNewCategory:
        printed = NewCategory(program, request);
        break;
      case Operation::kRenameCategory:
        RenameCategory(program.Find(request.item, ProgramTree::kCategory), *request.name);
        break;
      case Operation::kDeleteCategories:
        DeleteCategories(program, request);
        break;
      case Operation::kMove:
        Move(program, request);
        break;
      case Operation::kBlock:
        EditBlock(program, request);
        break;
      case Operation::kDeleteBlocks:
        DeleteBlocks(program, request);
        break;
      case Operation::kNone:
        break;
    }
    // The library reports what failed inside its procedures and carries on; any such report
    // means the edit is not what the user asked for.
    if (errors.Reports().size() > reportsBefore) throw Refused(ReportsSince(errors, reportsBefore));
  } catch (const Refused& refused) {
    err << "prjsnap: " << refused.what() << "\n";
    return 1;
  } catch (const platform::Error& failed) {
    err << "prjsnap: " << failed.Description() << "\n";
    return 1;
  }

  const auto file = session.Env().Project()->FileObject();
  file->SetSaveToDisk(true);
  file->Save(0);
  file->SetSaveToDisk(false);  // what the session's end may still save is not the user's edit
  out << printed;
  return 0;
}

}  // namespace prjsnap
