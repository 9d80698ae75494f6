#include "mzblprsx/dialogs/LprsDialogOverwriteCategory.h"

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/dialogs/frmProjectDialogOverwrite.h"
#include "mzblprsx/interfaces/IRgCategoryService.h"
#include "mzblprsx/interfaces/IRgFrameworkGlobals.h"
#include "mzblprsx/interfaces/IRgLanguageManager.h"
#include "platform/ui/BlockEditBox.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Label.h"
#include "platform/ui/MessageTip.h"
#include "platform/ui/Messages.h"
#include "platform/ui/OptionButton.h"

namespace mzblprsx {
namespace {

constexpr std::string_view kLanguagePrefix = "mzprui_";
constexpr std::string_view kContextMissing = "Internal Error!  Context is missing!";

enum Text : int32_t {
  kTextCaption = 529,
  kTextQuestion = 530,
  kTextRename = 531,
  kTextOverwrite = 532,
  kTextIgnore = 535,
  kTextNew = 524,
  kTextOld = 525,
  kTextOK = 526,
  kTextAll = 527,
  kTextCancel = 528,
  kTextNameMissing = 2111,
  kTextNameTaken = 2110,
};

// Answers of the category service's name check.
constexpr int32_t kCheckNoContext = 0;
constexpr int32_t kCheckNameMissing = 2;
constexpr int32_t kCheckNameTaken = 3;

}  // namespace

LprsDialogOverwriteCategory::LprsDialogOverwriteCategory() {
  Guard(*this, "Class_Initialize", [&] {
    form_ = platform::MakeObject<frmProjectDialogOverwrite>();
    languageAccess_ =
        FrameworkGlobals()->LanguageManager()->GetLanguageAccess(std::string(kLanguagePrefix));
  });
}

LprsDialogOverwriteCategory::~LprsDialogOverwriteCategory() {
  try {
    Guard(*this, "Class_Terminate", [&] {
      if (!languageAccess_) return;
      languageAccess_.Reset();
      FrameworkGlobals()->LanguageManager()->ReleaseLanguageAccess(std::string(kLanguagePrefix));
    });
  } catch (...) {  // NOLINT(bugprone-empty-catch): a destructor has no caller to tell
  }
}

void LprsDialogOverwriteCategory::ShowDialogCategoryOverwrite(const Ref<RgProjectSnapin>& snapIn,
                                                              const Ref<Object>& program,
                                                              std::string& name, int32_t mode,
                                                              int32_t& result) {
  // Whatever happens inside, the form is unloaded and the service and program are let go.
  struct Cleanup {
    LprsDialogOverwriteCategory& self;
    ~Cleanup() {
      try {
        self.mcmdOK_.Disconnect();
        self.mcmdAll_.Disconnect();
        self.mcmdCancel_.Disconnect();
        if (self.form_) self.form_->Unload();
      } catch (...) {  // NOLINT(bugprone-empty-catch): the form reports its own failures
      }
      self.categoryService_.Reset();
      self.program_.Reset();
    }
  } cleanup{*this};

  Guard(*this, "ShowDialogCategoryOverwrite", [&] {
    result = 0;
    categoryService_ =
        snapIn->Services()->RgCategoryService(RgProjectLocationOffline).As<IRgCategoryService>();
    program_ = program;
    std::string proposed;
    if (categoryService_) proposed = categoryService_->ProposeCategoryName(program_, name);

    form_->Load();
    P_InitDialog(name, proposed);

    mcmdAll_ = form_->cmdAll()->Click().Connect([this] { mcmdAll_Click(); });
    mcmdCancel_ = form_->cmdCancel()->Click().Connect([this] { mcmdCancel_Click(); });
    mcmdOK_ = form_->cmdOK()->Click().Connect([this] { mcmdOK_Click(); });
    form_->rgbexOld()->SetEnabled(false);

    P_Preset(mode);
    form_->ShowDialog(snapIn);

    mcmdOK_.Disconnect();
    mcmdAll_.Disconnect();
    mcmdCancel_.Disconnect();

    const std::string& clicked = form_->ClickedButton();
    const bool overwrite = form_->rgoptOverwrite()->Value();
    const bool rename = form_->rgoptRename()->Value();
    const bool ignore = form_->rgoptIgnore()->Value();
    if (clicked == frmProjectDialogOverwrite::kClickedOK) {
      if (overwrite) {
        result = 1;
      } else if (rename) {
        name = form_->rgbexNew()->Symbol();
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
}

void LprsDialogOverwriteCategory::P_InitDialog(const std::string& name,
                                               const std::string& newName) {
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
    // A category is a plain name: the entries show only their symbol part.
    for (const auto& entry : {form.rgbexNew(), form.rgbexOld()}) {
      entry->SetMaxSymbolLength(0);
      entry->SetShowNumber(false);
      entry->SetShowSymbol(true);
      entry->SetVisible(true);
    }
    form.rgbexOld()->SetSymbol(name);
    form.rgbexOld()->SetEnabled(false);
    form.rgbexNew()->SetSymbol(newName);
  });
}

void LprsDialogOverwriteCategory::P_Preset(int32_t mode) {
  Guard(*this, "P_Preset", [&] {
    auto& form = *form_;
    switch (mode) {
      case 0:
        form.rgoptRename()->SetValue(true);
        form.rgbexNew()->SetEnabled(true);
        form.cmdAll()->SetEnabled(false);
        break;
      case 1:
        form.rgoptIgnore()->SetValue(true);
        form.rgbexNew()->SetEnabled(false);
        form.cmdAll()->SetEnabled(true);
        break;
      case 2:
        form.rgoptIgnore()->SetValue(false);
        form.rgoptIgnore()->SetEnabled(false);
        form.rgoptRename()->SetValue(true);
        form.rgbexNew()->SetEnabled(true);
        form.cmdAll()->SetEnabled(false);
        break;
      default:
        break;
    }
  });
}

std::string LprsDialogOverwriteCategory::P_CheckCategory(const std::string& name) {
  std::string result;
  Guard(*this, "P_CheckCategory", [&] {
    if (!categoryService_) return;
    switch (categoryService_->CheckName(program_, name)) {
      case kCheckNoContext:
        result = std::string(kContextMissing);
        break;
      case kCheckNameMissing:
        result = languageAccess_->GetText(kTextNameMissing);
        break;
      case kCheckNameTaken:
        result = languageAccess_->GetText(kTextNameTaken);
        break;
      default:
        break;
    }
  });
  return result;
}

void LprsDialogOverwriteCategory::mcmdOK_Click() {
  Guard(*this, "mcmdOK_Click", [&] {
    auto& form = *form_;
    if (form.rgoptRename()->Value()) {
      const std::string error = P_CheckCategory(form.rgbexNew()->Symbol());
      if (!error.empty()) {
        form.rgbexNew()->SetBackColor(frmProjectDialogOverwrite::kColorInputError);
        form.Tip()->SetTipText(platform::ui::MessageTip::kInputError, error);
        form.Tip()->ShowTip();
        return;
      }
      form.rgbexNew()->SetBackColor(platform::ui::kColorWindowBackground);
    }
    form.SetClickedButton(frmProjectDialogOverwrite::kClickedOK);
    form.Hide();
  });
}

void LprsDialogOverwriteCategory::mcmdAll_Click() {
  Guard(*this, "mcmdAll_Click", [&] {
    form_->SetClickedButton(frmProjectDialogOverwrite::kClickedAll);
    form_->Hide();
  });
}

void LprsDialogOverwriteCategory::mcmdCancel_Click() {
  Guard(*this, "mcmdCancel_Click", [&] {
    form_->SetClickedButton(frmProjectDialogOverwrite::kClickedCancel);
    form_->Hide();
  });
}

}  // namespace mzblprsx
