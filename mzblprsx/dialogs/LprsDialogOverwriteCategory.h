// Asks the user what to do with a received category whose name the target program already holds:
// overwrite, rename or ignore, once or for all.
//
//   auto dialog = platform::MakeObject<LprsDialogOverwriteCategory>();
//   int32_t code = 0;
//   dialog->ShowDialogCategoryOverwrite(snapIn, program, name, 0, code);  // 2: name is the new one
//
// One controller serves one question: create it, call once, release it.
#pragma once

#include <cstdint>
#include <string>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class RgProjectSnapin;
class frmProjectDialogOverwrite;
class IRgCategoryService;
class IRgLanguageAccess;

class LprsDialogOverwriteCategory final : public Object {
 public:
  static constexpr std::string_view kTypeName = "LprsDialogOverwriteCategory";

  LprsDialogOverwriteCategory();
  ~LprsDialogOverwriteCategory() override;
  std::string_view TypeName() const override { return kTypeName; }

  /// Shows the modal dialog for the conflicting category `name` of `program` (the framework
  /// program object). Mode 0 presets rename, 1 ignore, 2 rename with ignore unavailable. `result`
  /// receives 0 cancel, 1 overwrite, 2 rename (`name` then holds the new name), 3 overwrite all,
  /// 4 ignore, 5 ignore all.
  void ShowDialogCategoryOverwrite(const Ref<RgProjectSnapin>& snapIn, const Ref<Object>& program,
                                   std::string& name, int32_t mode, int32_t& result);

 private:
  void P_InitDialog(const std::string& name, const std::string& newName);
  void P_Preset(int32_t mode);
  /// The error text for a new name that cannot be used; "" when it can.
  std::string P_CheckCategory(const std::string& name);

  void mcmdOK_Click();
  void mcmdAll_Click();
  void mcmdCancel_Click();

  InstanceTrace trace_{kTypeName};
  Ref<frmProjectDialogOverwrite> form_;
  Ref<IRgLanguageAccess> languageAccess_;
  // Held only while a dialog is shown.
  Ref<IRgCategoryService> categoryService_;
  Ref<Object> program_;
  platform::ScopedConnection mcmdOK_;
  platform::ScopedConnection mcmdAll_;
  platform::ScopedConnection mcmdCancel_;
};

}  // namespace mzblprsx
