// The offline category service: a program's categories, its default category, unique names,
// creating and checking category names.
//
//   auto categories = platform::CreateObjectAs<mzblprsx::IRgCategoryService>(
//       mzblprsx::clsid::kCategoryService);
//   auto name = categories->UniqueName(program, "Category");     // "Category (2)" when taken
//   categories->CreateCategory(program, name, 0);               // notification 256
//
// Every operation takes the program as the framework program object, its offline project, or a
// block service bound to it. Names compare without regard to case; a blank name counts as
// missing. A category is deleted through its own framework delete (IRgObject::Delete).
//
// Created through the class registry (a new object per creation); the library creates one and
// keeps it. Trap: it is not handed out by the service factory.
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
  /// 1 the name can be used, 2 it is missing (blank), 3 a category has it.
  int32_t CheckName(platform::Ref<platform::Object> program, const std::string& name) override;

 private:
  static Program& OfflineProgramOf(const platform::Ref<platform::Object>& object,
                                   const char* operation);
};

}  // namespace host
