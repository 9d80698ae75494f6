// The offline category service: a program's categories, its default category, unique and
// proposed names, finding, creating, checking and deleting categories.
//
//   auto categories = platform::CreateObjectAs<mzblprsx::IRgCategoryService>(
//       mzblprsx::clsid::kCategoryService);
//   auto name = categories->UniqueName(program, "Category");     // "Category (2)" when taken
//   categories->CreateCategory(program, name, 0);               // notification 256
//   categories->ProposeCategoryName(program, "Motors");         // "Motors (1)" when taken
//
// Every operation takes the program as the framework program object, its offline project, or a
// block service bound to it. Names compare without regard to case; a blank name counts as
// missing. DeleteCategory goes the framework's delete path (IRgObject::Delete), the one the
// library's program handler uses, after handing the category's blocks to the default category.
//
// Created through the class registry (a new object per creation); the library creates one and
// keeps it. Trap: it is not handed out by the service factory, and it changes framework data
// only: a category item in a project tree is the caller's to move or remove.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgCategoryService.h"

namespace host {

class Program;

class CategoryService : public mzblprsx::IRgCategoryService {
 public:
  /// The name of a default category that CreateDefaultCategory makes.
  static constexpr const char* kDefaultCategoryName = "Blocks";

  std::string_view TypeName() const override { return "CategoryService"; }

  // Each fails with error 91 for no program, 5 for the PLC's program, 13 for another object.
  /// The program's categories in the program's order.
  std::vector<platform::Ref<mzblprsx::IRgObject>> Categories(
      platform::Ref<platform::Object> program) override;
  /// The default category's identifier ("1"), also when no such category exists yet; "" when
  /// the program has no default category.
  std::string DefaultCategoryID(platform::Ref<platform::Object> program) override;
  /// The default category, created when missing: with the program's default identifier when it
  /// has one, else with a new identifier that becomes the default; named kDefaultCategoryName
  /// (made unique). Notification 256 when created.
  platform::Ref<mzblprsx::IRgObject> CreateDefaultCategory(
      platform::Ref<platform::Object> program) override;
  /// The base name when no category has it, else "base (2)", "base (3)", ... the first free.
  /// Error 5 for a blank base name.
  std::string UniqueName(platform::Ref<platform::Object> program,
                         const std::string& baseName) override;
  /// A new category with a new identifier, at the end of the program's categories
  /// (notification 256); flags are not used. Error 5 for a blank name, 457 for a taken one.
  platform::Ref<mzblprsx::IRgObject> CreateCategory(platform::Ref<platform::Object> program,
                                                    const std::string& name,
                                                    int32_t flags) override;
  /// Answers of CheckName.
  static constexpr int32_t kNoProgram = 0;  // nothing to check against
  static constexpr int32_t kNameUsable = 1;
  static constexpr int32_t kNameMissing = 2;  // empty or blank
  static constexpr int32_t kNameExists = 3;   // a category of the program has it

  /// kNoProgram for no program (nothing, or a project or block service without one); errors
  /// as above for the PLC's program and other objects.
  int32_t CheckName(platform::Ref<platform::Object> program, const std::string& name) override;
  /// The name when no category has it, else the first free "base (1)", "base (2)", ... where
  /// the base is the name without a trailing " (n)" index. An empty (blank) name gets an empty
  /// proposal: there is nothing to derive one from.
  std::string ProposeCategoryName(platform::Ref<platform::Object> program,
                                  const std::string& name) override;
  /// Nothing when no category has the name.
  platform::Ref<mzblprsx::IRgObject> FindCategory(platform::Ref<platform::Object> program,
                                                  const std::string& name) override;
  /// Appends the category's blocks, in its order, to the default category's list, then deletes
  /// it (notification 256, as for every category deleted through the framework). Error 91 for
  /// no category; error 5, changing nothing, for a category of another program, the default
  /// category, or blocks to hand over while the default category does not exist.
  void DeleteCategory(platform::Ref<platform::Object> program,
                      platform::Ref<mzblprsx::IRgObject> category) override;

 private:
  /// The offline program the object stands for; nothing for no object and for a project or
  /// block service without a program. Error 5 for the PLC's program, 13 for other objects.
  static platform::Ref<Program> FindOfflineProgram(const platform::Ref<platform::Object>& object,
                                                   const char* operation);
  /// FindOfflineProgram, with error 91 for no object and 5 for no program.
  static Program& OfflineProgramOf(const platform::Ref<platform::Object>& object,
                                   const char* operation);
};

}  // namespace host
