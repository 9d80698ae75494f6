#include "mzblprsx/dialogs/LprsDialogOverwriteBlock.h"

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/dialogs/frmProjectDialogOverwrite.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgBlockInfo.h"
#include "mzblprsx/interfaces/IRgFrameworkGlobals.h"
#include "mzblprsx/interfaces/IRgLanguageManager.h"
#include "mzblprsx/interfaces/IRgObjectList.h"
#include "mzblprsx/interfaces/IRgOptionService.h"
#include "mzblprsx/interfaces/IRgProgram.h"
#include "mzblprsx/interfaces/IRgProjectContainer.h"
#include "mzblprsx/interfaces/IRgSymbolService.h"
#include "mzblprsx/models/RgProjectData.h"
#include "mzblprsx/models/RgProjects.h"
#include "platform/ClassRegistry.h"
#include "platform/Text.h"
#include "platform/ui/BlockEditBox.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Label.h"
#include "platform/ui/MessageTip.h"
#include "platform/ui/Messages.h"
#include "platform/ui/OptionButton.h"

namespace mzblprsx {
namespace {

constexpr std::string_view kLanguagePrefix = "mzprui_";
constexpr std::string_view kAddressPriority = "General/Settings/AddressPriority";
// The system block types: never renamed, only overwritten or left out.
constexpr int32_t kTypeSFC = 13;
constexpr int32_t kTypeSDB = 15;
constexpr int16_t kMaxSymbolLength = 24;

enum Text : int32_t {
  kTextCaption = 520,
  kTextQuestion = 521,
  kTextRename = 522,
  kTextOverwrite = 523,
  kTextNew = 524,
  kTextOld = 525,
  kTextOK = 526,
  kTextAll = 527,
  kTextCancel = 528,
  kTextSystemBlock = 533,
  kTextIgnore = 534,
  kTextNumberTaken = 2100,
  kTextNumberInvalid = 2101,
  kTextBlockOpen = 2106,
};

bool IsSystemBlockType(int32_t blockType) {
  return blockType == kTypeSFC || blockType == kTypeSDB;
}

}  // namespace

LprsDialogOverwriteBlock::LprsDialogOverwriteBlock() {
  Guard(*this, "Class_Initialize", [&] {
    form_ = platform::MakeObject<frmProjectDialogOverwrite>();
    languageAccess_ =
        FrameworkGlobals()->LanguageManager()->GetLanguageAccess(std::string(kLanguagePrefix));
  });
}

LprsDialogOverwriteBlock::~LprsDialogOverwriteBlock() {
  try {
    Guard(*this, "Class_Terminate", [&] {
      if (!languageAccess_) return;
      languageAccess_.Reset();
      FrameworkGlobals()->LanguageManager()->ReleaseLanguageAccess(std::string(kLanguagePrefix));
    });
  } catch (...) {  // NOLINT(bugprone-empty-catch): a destructor has no caller to tell
  }
}

int32_t LprsDialogOverwriteBlock::ShowDialogBlockOverwrite(const Ref<RgProjectSnapin>& snapIn,
                                                           int32_t blockType, int32_t& number,
                                                           std::string& symbol, int32_t newNumber,
                                                           const std::string& newSymbol,
                                                           int32_t mode) {
  int32_t result = 0;
  // Whatever happens inside, the form is unloaded and the services are let go.
  struct Cleanup {
    LprsDialogOverwriteBlock& self;
    ~Cleanup() {
      try {
        self.mcmdOK_.Disconnect();
        self.mcmdAll_.Disconnect();
        self.mcmdCancel_.Disconnect();
        self.mrgbexNewBlock_.Disconnect();
        if (self.form_) self.form_->Unload();
      } catch (...) {  // NOLINT(bugprone-empty-catch): the form reports its own failures
      }
      self.symbolTable_.Reset();
      self.blockService_.Reset();
      self.snapIn_.Reset();
    }
  } cleanup{*this};

  Guard(*this, "ShowDialogBlockOverwrite", [&] {
    snapIn_ = snapIn;
    const Ref<RgProjectServices> services = snapIn->Services();
    blockService_ = services->RgBlockService(RgProjectLocationOffline);
    blockType_ = blockType;
    mode_ = mode;
    int32_t proposedNumber = newNumber;
    std::string proposedSymbol = newSymbol;
    if (IsSystemBlockType(blockType)) {
      mode_ = 0;
      proposedNumber = number;
      proposedSymbol = symbol;
    }

    const auto options = services->RgOptionService().As<IRgOptionService>();
    if (const auto symbols = services->RgSymbolService().As<IRgSymbolService>()) {
      symbolTable_ = symbols->PredefinedSymbols(0);
    }

    form_->Load();
    P_SetCaptionOrder(options);
    const std::string typeName = P_BlockInfo()->BlockTypeName(blockType);
    P_InitDialog(typeName, number, symbol, proposedNumber, proposedSymbol);

    mcmdAll_ = form_->cmdAll()->Click().Connect([this] { mcmdAll_Click(); });
    mcmdCancel_ = form_->cmdCancel()->Click().Connect([this] { mcmdCancel_Click(); });
    mcmdOK_ = form_->cmdOK()->Click().Connect([this] { mcmdOK_Click(); });
    mrgbexNewBlock_ =
        form_->rgbexNew()->ChangeNumber().Connect([this] { mrgbexNewBlock_ChangeNumber(); });
    form_->rgbexOld()->SetEnabled(false);

    P_Preset(mode_);
    form_->ShowDialog(snapIn);

    mcmdOK_.Disconnect();
    mcmdAll_.Disconnect();
    mcmdCancel_.Disconnect();
    mrgbexNewBlock_.Disconnect();

    const std::string& clicked = form_->ClickedButton();
    const bool overwrite = form_->rgoptOverwrite()->Value();
    const bool rename = form_->rgoptRename()->Value();
    const bool ignore = form_->rgoptIgnore()->Value();
    if (clicked == frmProjectDialogOverwrite::kClickedOK) {
      if (overwrite) {
        result = 1;
      } else if (rename) {
        number = form_->rgbexNew()->BlockNumber();
        symbol = form_->rgbexNew()->Symbol();
        result = 2;
      } else if (ignore) {
        result = 4;
      }
    } else if (clicked == frmProjectDialogOverwrite::kClickedAll) {
      if (overwrite) {
        result = 3;
      } else if (ignore) {
        result = 5;
      }
    }
  });
  return result;
}

void LprsDialogOverwriteBlock::P_InitDialog(const std::string& typeName, int32_t number,
                                            const std::string& symbol, int32_t newNumber,
                                            const std::string& newSymbol) {
  Guard(*this, "P_InitDialog", [&] {
    auto& form = *form_;
    form.SetCaption(languageAccess_->GetText(kTextCaption));
    form.lblText()->SetCaption(languageAccess_->GetText(kTextQuestion));
    form.rgoptRename()->SetCaption(languageAccess_->GetText(kTextRename));
    form.rgoptOverwrite()->SetCaption(languageAccess_->GetText(kTextOverwrite));
    form.rgoptIgnore()->SetCaption(languageAccess_->GetText(kTextIgnore));
    form.lblNew()->SetCaption(languageAccess_->GetText(kTextNew));
    form.lblOld()->SetCaption(languageAccess_->GetText(kTextOld));
    form.cmdOK()->SetCaption(languageAccess_->GetText(kTextOK));
    form.cmdAll()->SetCaption(languageAccess_->GetText(kTextAll));
    form.cmdCancel()->SetCaption(languageAccess_->GetText(kTextCancel));
    for (const auto& entry : {form.rgbexNew(), form.rgbexOld()}) {
      entry->SetMaxSymbolLength(kMaxSymbolLength);
      entry->SetShowNumber(true);
      entry->SetShowSymbol(true);
      entry->SetVisible(true);
      entry->SetBlockTypeText(typeName);
    }
    form.rgbexOld()->SetBlockNumber(number);
    form.rgbexOld()->SetSymbol(symbol);
    form.rgbexOld()->SetEnabled(false);
    form.rgbexNew()->SetBlockNumber(newNumber);
    form.rgbexNew()->SetSymbol(newSymbol);
  });
}

void LprsDialogOverwriteBlock::P_SetCaptionOrder(const Ref<IRgOptionService>& options) {
  Guard(*this, "P_SetCaptionOrder", [&] {
    double priority = 0;
    if (options)
      priority = platform::text::Val(options->Value(std::string(kAddressPriority)).ToString());
    if (priority != 0 && priority != 1) return;
    const auto order = static_cast<int16_t>(priority);
    form_->rgbexNew()->SetCaptionOrder(order);
    form_->rgbexOld()->SetCaptionOrder(order);
  });
}

void LprsDialogOverwriteBlock::P_Preset(int32_t mode) {
  Guard(*this, "P_Preset", [&] {
    auto& form = *form_;
    switch (mode) {
      case 0:
        form.rgoptIgnore()->SetValue(true);
        form.rgbexNew()->SetEnabled(false);
        form.cmdAll()->SetEnabled(true);
        if (IsSystemBlockType(blockType_)) {
          form.rgoptRename()->SetEnabled(false);
          form.Tip()->SetTipText(platform::ui::MessageTip::kInformation,
                                 languageAccess_->GetText(kTextSystemBlock));
          form.Tip()->ShowTip();
        }
        break;
      case 1:
        form.rgoptRename()->SetValue(true);
        form.rgbexNew()->SetEnabled(true);
        form.cmdAll()->SetEnabled(false);
        break;
      case 2:
        form.rgoptIgnore()->SetValue(false);
        form.rgoptIgnore()->SetEnabled(false);
        form.cmdAll()->SetEnabled(false);
        form.rgoptRename()->SetValue(true);
        form.rgbexNew()->SetEnabled(true);
        break;
      default:
        break;
    }
  });
}

bool LprsDialogOverwriteBlock::P_ShowInputError(const std::string& errorText, bool markEntry) {
  if (errorText.empty()) {
    if (markEntry) form_->rgbexNew()->SetBackColor(platform::ui::kColorWindowBackground);
    return false;
  }
  if (markEntry) form_->rgbexNew()->SetBackColor(frmProjectDialogOverwrite::kColorInputError);
  form_->Tip()->SetTipText(platform::ui::MessageTip::kInputError, errorText);
  form_->Tip()->ShowTip();
  return true;
}

void LprsDialogOverwriteBlock::mcmdOK_Click() {
  Guard(*this, "mcmdOK_Click", [&] {
    auto& form = *form_;
    if (form.rgoptRename()->Value()) {
      const int32_t newNumber = form.rgbexNew()->BlockNumber();
      if (P_ShowInputError(P_CheckBlockNumber(newNumber), true)) return;
      if (P_ShowInputError(P_CheckIfBlockExist(blockType_, newNumber), true)) return;
    } else if (form.rgoptOverwrite()->Value()) {
      const int32_t oldNumber = form.rgbexOld()->BlockNumber();
      if (P_ShowInputError(P_CheckIfBlockIsOpen(blockType_, oldNumber), false)) return;
    }
    form.SetClickedButton(frmProjectDialogOverwrite::kClickedOK);
    form.Hide();
  });
}

void LprsDialogOverwriteBlock::mcmdAll_Click() {
  Guard(*this, "mcmdAll_Click", [&] {
    auto& form = *form_;
    // In the other modes the stream handler checks each block of an "overwrite all" for an open
    // editor itself; only a move from another application leaves that check to the dialog.
    if (mode_ == 2 && form.rgoptOverwrite()->Value()) {
      const int32_t oldNumber = form.rgbexOld()->BlockNumber();
      if (P_ShowInputError(P_CheckIfBlockIsOpen(blockType_, oldNumber), false)) return;
    }
    form.SetClickedButton(frmProjectDialogOverwrite::kClickedAll);
    form.Hide();
  });
}

void LprsDialogOverwriteBlock::mcmdCancel_Click() {
  Guard(*this, "mcmdCancel_Click", [&] {
    form_->SetClickedButton(frmProjectDialogOverwrite::kClickedCancel);
    form_->Hide();
  });
}

void LprsDialogOverwriteBlock::mrgbexNewBlock_ChangeNumber() {
  Guard(*this, "mrgbexNewBlock_ChangeNumber", [&] {
    const auto& entry = form_->rgbexNew();
    if (entry->BlockName().empty()) return;
    entry->SetSymbol(
        P_GetPreDefinedBlockSymbol(entry->BlockTypeText() + std::to_string(entry->BlockNumber())));
  });
}

std::string LprsDialogOverwriteBlock::P_CheckBlockNumber(int32_t number) {
  std::string result;
  Guard(*this, "P_CheckBlockNumber", [&] {
    if (!P_BlockInfo()->IsValidNumber(blockType_, number)) {
      result = languageAccess_->GetText(kTextNumberInvalid);
    }
  });
  return result;
}

std::string LprsDialogOverwriteBlock::P_CheckIfBlockExist(int32_t blockType, int32_t number) {
  std::string result;
  Guard(*this, "P_CheckIfBlockExist", [&] {
    if (!blockService_) return;
    if (P_BlockInfo()->BlockExists(blockService_, blockType, number, RgProjectLocationOffline)) {
      result = languageAccess_->GetText(kTextNumberTaken);
    }
  });
  return result;
}

std::string LprsDialogOverwriteBlock::P_CheckIfBlockIsOpen(int32_t blockType, int32_t number) {
  std::string result;
  Guard(*this, "P_CheckIfBlockIsOpen", [&] {
    const auto program = P_GetProgram().As<IRgProgram>();
    if (!program) return;
    const std::string name = P_BlockInfo()->BlockTypeName(blockType) + std::to_string(number);
    const auto documents = program->Documents();
    if (!documents) return;
    const auto document = documents->Item(std::string(clsid::kBlockOffline), name);
    if (document && document->IsOpen()) result = languageAccess_->GetText(kTextBlockOpen);
  });
  return result;
}

std::string LprsDialogOverwriteBlock::P_GetPreDefinedBlockSymbol(const std::string& blockName) {
  std::string result;
  Guard(*this, "P_GetPreDefinedBlockSymbol", [&] {
    if (!symbolTable_) return;
    const int32_t index = symbolTable_->FindEntry(blockName);
    if (index < 0) return;
    if (const auto entry = symbolTable_->Entry(index)) result = entry->Symbol();
  });
  return result;
}

Ref<Object> LprsDialogOverwriteBlock::P_GetProgram() {
  Ref<Object> result;
  Guard(*this, "P_GetProgram", [&] {
    // The offline block service is bound to the program of the offline project; without that
    // project there is no block service either.
    if (!blockService_ || !snapIn_) return;
    const Ref<RgProjectData> data = snapIn_->Projects()->Project(RgProjectLocationOffline);
    if (!data) return;
    const auto container = data->Object().As<IRgProjectContainer>();
    if (!container) return;
    const Ref<IRgObjectList> children = container->Objects();
    if (!children) return;
    // A project without a program has nothing open in it.
    result = children->FindByClass(std::string(clsid::kProgramOffline));
  });
  return result;
}

Ref<IRgBlockInfo> LprsDialogOverwriteBlock::P_BlockInfo() {
  if (!blockInfo_) blockInfo_ = platform::CreateObjectAs<IRgBlockInfo>(clsid::kBlockInfo);
  return blockInfo_;
}

}  // namespace mzblprsx
