// Asks the user what to do with a received block whose type and number the target program
// already holds: overwrite, rename (to a new number and symbol) or ignore, once or for all.
//
//   auto dialog = platform::MakeObject<LprsDialogOverwriteBlock>();
//   int32_t code = dialog->ShowDialogBlockOverwrite(snapIn, 10, number, symbol, 6, "Motor (1)", 1);
//   // 0 cancel, 1 overwrite, 2 rename (number and symbol now hold the user's entry),
//   // 3 overwrite all, 4 ignore, 5 ignore all
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
class IRgBlockInfo;
class IRgLanguageAccess;
class IRgOptionService;
class IRgSymbolTable;

class LprsDialogOverwriteBlock final : public Object {
 public:
  static constexpr std::string_view kTypeName = "LprsDialogOverwriteBlock";

  LprsDialogOverwriteBlock();
  ~LprsDialogOverwriteBlock() override;
  std::string_view TypeName() const override { return kTypeName; }

  /// Shows the modal dialog for a conflicting block of `blockType`. `number` and `symbol` name the
  /// existing block and receive the new ones on rename; `newNumber` and `newSymbol` are the
  /// proposal; mode 0 presets ignore, 1 rename, 2 rename with ignore unavailable (system block
  /// types 13 and 15 always get mode 0 and are never offered for renaming).
  int32_t ShowDialogBlockOverwrite(const Ref<RgProjectSnapin>& snapIn, int32_t blockType,
                                   int32_t& number, std::string& symbol, int32_t newNumber,
                                   const std::string& newSymbol, int32_t mode);

 private:
  void P_InitDialog(const std::string& typeName, int32_t number, const std::string& symbol,
                    int32_t newNumber, const std::string& newSymbol);
  void P_SetCaptionOrder(const Ref<IRgOptionService>& options);
  void P_Preset(int32_t mode);
  /// The error text for an entry that cannot be accepted; "" when it can.
  std::string P_CheckBlockNumber(int32_t number);
  std::string P_CheckIfBlockExist(int32_t blockType, int32_t number);
  std::string P_CheckIfBlockIsOpen(int32_t blockType, int32_t number);
  /// The standard symbol of a system block name ("SFC20"); "" when there is none.
  std::string P_GetPreDefinedBlockSymbol(const std::string& blockName);
  /// The offline program the block service works on; nothing without an offline project.
  Ref<Object> P_GetProgram();
  Ref<IRgBlockInfo> P_BlockInfo();
  /// Colours the new entry and shows the text as an input error; false for an empty text.
  bool P_ShowInputError(const std::string& errorText, bool markEntry);

  void mcmdOK_Click();
  void mcmdAll_Click();
  void mcmdCancel_Click();
  void mrgbexNewBlock_ChangeNumber();

  InstanceTrace trace_{kTypeName};
  Ref<frmProjectDialogOverwrite> form_;
  Ref<IRgLanguageAccess> languageAccess_;
  // Held only while a dialog is shown.
  Ref<RgProjectSnapin> snapIn_;
  Ref<Object> blockService_;
  Ref<IRgBlockInfo> blockInfo_;
  Ref<IRgSymbolTable> symbolTable_;
  int32_t blockType_ = 0;
  int32_t mode_ = 0;
  platform::ScopedConnection mcmdOK_;
  platform::ScopedConnection mcmdAll_;
  platform::ScopedConnection mcmdCancel_;
  platform::ScopedConnection mrgbexNewBlock_;
};

}  // namespace mzblprsx
