#include "host/services/CategoryService.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "host/project/Block.h"
#include "host/project/Category.h"
#include "host/project/IProgramSource.h"
#include "host/project/NotificationHub.h"
#include "host/project/OfflineProject.h"
#include "host/project/Program.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace host {

namespace {

std::string Text(const char* operation, const std::string& what) {
  return std::string(operation) + ": " + what;
}

bool IsDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "Motors (2)" without its index: "Motors". A name without an index, or one that would be
// left blank, is its own base.
std::string WithoutIndex(const std::string& name) {
  const size_t open = name.rfind('(');
  const size_t close = name.rfind(')');
  if (open == std::string::npos || close != name.size() - 1 || close < open) return name;
  if (!IsDigits(std::string_view(name).substr(open + 1, close - open - 1))) return name;
  const std::string_view base = platform::text::Trim(std::string_view(name).substr(0, open));
  return base.empty() ? name : std::string(base);
}

}  // namespace

platform::Ref<Program> CategoryService::FindOfflineProgram(
    const platform::Ref<platform::Object>& object, const char* operation) {
  if (!object) return {};
  platform::Ref<Program> program = object.As<Program>();
  if (!program) {
    if (const auto source = object.As<IProgramSource>()) {
      program = source->SourceProgram();
    } else if (const auto project = object.As<OfflineProject>()) {
      program = project->Program();
    } else {
      throw platform::Error(platform::errc::kTypeMismatch,
                            Text(operation, "a " + std::string(object->TypeName()) +
                                                " is not a program, an offline project or a "
                                                "block service"));
    }
  }
  if (!program) return {};
  if (program->Online()) {
    throw platform::Error(platform::errc::kInvalidCall,
                          Text(operation, "the PLC's program has no categories"));
  }
  return program;
}

Program& CategoryService::OfflineProgramOf(const platform::Ref<platform::Object>& object,
                                           const char* operation) {
  if (!object) throw platform::Error(platform::errc::kObjectNotSet, Text(operation, "no program"));
  const auto program = FindOfflineProgram(object, operation);
  if (!program) {
    const auto project = object.As<OfflineProject>();
    throw platform::Error(
        platform::errc::kInvalidCall,
        Text(operation, project ? "project '" + project->Name() + "' has no program"
                                : std::string("no program is bound")));
  }
  return *program;
}

std::vector<platform::Ref<mzblprsx::IRgObject>> CategoryService::Categories(
    platform::Ref<platform::Object> program) {
  const auto& categories = OfflineProgramOf(program, "Categories").Categories();
  return {categories.begin(), categories.end()};
}

std::string CategoryService::DefaultCategoryID(platform::Ref<platform::Object> program) {
  const int32_t id = OfflineProgramOf(program, "DefaultCategoryID").DefaultCategoryId();
  return id == 0 ? std::string() : std::to_string(id);
}

platform::Ref<mzblprsx::IRgObject> CategoryService::CreateDefaultCategory(
    platform::Ref<platform::Object> programObject) {
  Program& program = OfflineProgramOf(programObject, "CreateDefaultCategory");
  if (const auto existing = program.FindCategory(program.DefaultCategoryId())) return existing;
  NotificationBatch batch(program);
  const int32_t id =
      program.DefaultCategoryId() != 0 ? program.DefaultCategoryId() : program.NextCategoryId();
  auto category =
      platform::MakeObject<Category>(id, UniqueName(programObject, kDefaultCategoryName));
  program.AddCategory(category);
  program.SetDefaultCategoryId(id);
  return category;
}

std::string CategoryService::UniqueName(platform::Ref<platform::Object> programObject,
                                        const std::string& baseName) {
  const Program& program = OfflineProgramOf(programObject, "UniqueName");
  if (platform::text::Trim(baseName).empty()) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "UniqueName: no base name was given to derive a category name from");
  }
  std::unordered_set<std::string> taken;
  for (const auto& category : program.Categories()) {
    taken.insert(platform::text::FoldCase(category->Name()));
  }
  if (taken.count(platform::text::FoldCase(baseName)) == 0) return baseName;
  // At most one candidate per existing category is taken, so this ends.
  for (size_t n = 2;; ++n) {
    std::string candidate = baseName + " (" + std::to_string(n) + ")";
    if (taken.count(platform::text::FoldCase(candidate)) == 0) return candidate;
  }
}

platform::Ref<mzblprsx::IRgObject> CategoryService::CreateCategory(
    platform::Ref<platform::Object> programObject, const std::string& name, int32_t /*flags*/) {
  Program& program = OfflineProgramOf(programObject, "CreateCategory");
  switch (program.CheckCategoryName(name)) {
    case Program::kNameMissing:
      throw platform::Error(platform::errc::kInvalidCall,
                            "CreateCategory: a category needs a name that is not blank");
    case Program::kNameExists:
      throw platform::Error(
          platform::errc::kDuplicateKey,
          "CreateCategory: program '" + program.Name() + "' already has a category '" + name + "'");
    default:
      break;
  }
  auto category = platform::MakeObject<Category>(program.NextCategoryId(), name);
  program.AddCategory(category);
  return category;
}

int32_t CategoryService::CheckName(platform::Ref<platform::Object> program,
                                   const std::string& name) {
  const auto found = FindOfflineProgram(program, "CheckName");
  return found ? found->CheckCategoryName(name) : kNoProgram;
}

std::string CategoryService::ProposeCategoryName(platform::Ref<platform::Object> programObject,
                                                 const std::string& name) {
  const Program& program = OfflineProgramOf(programObject, "ProposeCategoryName");
  if (platform::text::Trim(name).empty()) return {};
  if (!program.FindCategoryByName(name)) return name;
  const std::string base = WithoutIndex(name);
  std::unordered_set<std::string> taken;
  for (const auto& category : program.Categories()) {
    taken.insert(platform::text::FoldCase(category->Name()));
  }
  // At most one candidate per existing category is taken, so this ends.
  for (size_t n = 1;; ++n) {
    std::string candidate = base + " (" + std::to_string(n) + ")";
    if (taken.count(platform::text::FoldCase(candidate)) == 0) return candidate;
  }
}

platform::Ref<mzblprsx::IRgObject> CategoryService::FindCategory(
    platform::Ref<platform::Object> program, const std::string& name) {
  return OfflineProgramOf(program, "FindCategory").FindCategoryByName(name);
}

void CategoryService::DeleteCategory(platform::Ref<platform::Object> programObject,
                                     platform::Ref<mzblprsx::IRgObject> object) {
  Program& program = OfflineProgramOf(programObject, "DeleteCategory");
  if (!object) {
    throw platform::Error(platform::errc::kObjectNotSet, "DeleteCategory: no category was given");
  }
  const auto category = object.As<Category>();
  if (!category || category->OwnerProgram().Get() != &program) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "DeleteCategory: '" + object->DisplayName() +
                              "' is not a category of program '" + program.Name() + "'");
  }
  if (category->Id() == program.DefaultCategoryId()) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "DeleteCategory: '" + category->Name() +
                              "' is the default category, which takes the blocks of deleted "
                              "categories; it cannot be deleted");
  }
  const auto defaultCategory = program.FindCategory(program.DefaultCategoryId());
  const std::vector<platform::Ref<Block>> blocks = category->Members();
  if (!blocks.empty() && !defaultCategory) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "DeleteCategory: program '" + program.Name() +
                              "' has no default category to take the blocks of '" +
                              category->Name() + "'");
  }
  for (const auto& block : blocks) defaultCategory->InsertMember(block);
  category->Delete();
}

}  // namespace host
