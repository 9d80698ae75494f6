#include "host/services/CategoryService.h"

#include <string>
#include <unordered_set>
#include <utility>

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

}  // namespace

Program& CategoryService::OfflineProgramOf(const platform::Ref<platform::Object>& object,
                                           const char* operation) {
  if (!object) throw platform::Error(platform::errc::kObjectNotSet, Text(operation, "no program"));
  platform::Ref<Program> program = object.As<Program>();
  if (!program) {
    if (const auto source = object.As<IProgramSource>()) {
      program = source->SourceProgram();
    } else if (const auto project = object.As<OfflineProject>()) {
      program = project->Program();
      if (!program) {
        throw platform::Error(platform::errc::kInvalidCall,
                              Text(operation, "project '" + project->Name() + "' has no program"));
      }
    } else {
      throw platform::Error(platform::errc::kTypeMismatch,
                            Text(operation, "a " + std::string(object->TypeName()) +
                                                " is not a program, an offline project or a "
                                                "block service"));
    }
  }
  if (!program) {
    throw platform::Error(platform::errc::kInvalidCall, Text(operation, "no program is bound"));
  }
  if (program->Online()) {
    throw platform::Error(platform::errc::kInvalidCall,
                          Text(operation, "the PLC's program has no categories"));
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
  return OfflineProgramOf(program, "CheckName").CheckCategoryName(name);
}

}  // namespace host
