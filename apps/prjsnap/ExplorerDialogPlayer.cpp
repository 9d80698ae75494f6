#include "ExplorerDialogPlayer.h"

#include <istream>
#include <ostream>
#include <unordered_set>
#include <utility>

#include "ProgramTree.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "platform/Error.h"
#include "platform/Text.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/ExplorerControl.h"
#include "platform/ui/Form.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/Messages.h"

namespace prjsnap {
namespace {

using platform::ui::ExplorerControl;
using platform::ui::Form;
using Kind = SelectStep::Kind;

constexpr const char* kExplorerName = "rgpexExplorer";
constexpr int16_t kCtrl = 2;
constexpr const char* kPrompt =
    "steps: all, none, +NAME, -NAME, click:NAME, up, down, pgup, pgdn, space (shift+ or ctrl+), "
    "enter, load, open, properties, cancel > ";

platform::Ref<ExplorerControl> ExplorerOf(Form& form) {
  const auto control = form.FindControl(kExplorerName);
  return control ? control.As<ExplorerControl>() : platform::Ref<ExplorerControl>();
}

platform::Ref<mzblprsx::RgProjectItem> ItemOf(const platform::Ref<platform::Object>& row) {
  return row ? row.As<mzblprsx::RgProjectItem>() : platform::Ref<mzblprsx::RgProjectItem>();
}

/// How many of the item's ancestors the dialog shows: the rows are indented under their nearest
/// shown ancestor, as the tree draws them (a hidden default category adds no level).
int32_t ShownDepth(platform::Ref<mzblprsx::RgProjectItem> item,
                   const std::unordered_set<const platform::Object*>& shown) {
  int32_t depth = 0;
  while (item && (item = item->Parent())) {
    if (shown.count(item.Get()) != 0) ++depth;
  }
  return depth;
}

/// The first row whose item's "NAME" is the text (without regard to case); 0 when none is.
int32_t RowNamed(const ExplorerControl& explorer, const std::string& name) {
  for (int32_t row = 1; row <= explorer.ItemCount(); ++row) {
    if (platform::text::EqualsNoCase(ItemText(ItemOf(explorer.ItemAt(row)), "NAME"), name)) {
      return row;
    }
  }
  return 0;
}

}  // namespace

ExplorerDialogPlayer::ExplorerDialogPlayer(std::vector<SelectStep> steps, std::istream* terminal,
                                           std::ostream& out)
    : steps_(std::make_move_iterator(steps.begin()), std::make_move_iterator(steps.end())),
      terminal_(terminal),
      out_(out) {}

bool ExplorerDialogPlayer::Answers(Form& form) {
  return static_cast<bool>(ExplorerOf(form));
}

std::string ExplorerDialogPlayer::Draw(Form& form) {
  std::string text = "+-- " + form.Caption() + "\n";
  const auto explorer = ExplorerOf(form);
  if (!explorer) return text;
  std::unordered_set<const platform::Object*> shown;
  for (int32_t row = 1; row <= explorer->ItemCount(); ++row) {
    if (const auto item = ItemOf(explorer->ItemAt(row))) shown.insert(item.Get());
  }
  for (int32_t row = 1; row <= explorer->ItemCount(); ++row) {
    const platform::Ref<platform::Object> object = explorer->ItemAt(row);
    const auto item = ItemOf(object);
    text += explorer->IsShownSelected(object) ? "| [x] " : "| [ ] ";
    text += platform::SameObject(explorer->FocusItem(), object) ? "> " : "  ";
    text += std::string(2 * static_cast<size_t>(ShownDepth(item, shown)), ' ');
    text += ItemText(item, "NAME");
    const std::string symbol = ItemText(item, "SYMBOL");
    if (!symbol.empty() && symbol != ItemText(item, "NAME")) text += "  (" + symbol + ")";
    text += "\n";
  }
  if (explorer->ItemCount() == 0) text += "| (nothing to choose)\n";
  std::string buttons;
  for (const auto& control : form.Controls()) {
    const auto button = control.As<platform::ui::CommandButton>();
    if (!button || !button->Visible()) continue;
    buttons += (buttons.empty() ? "" : "  ") + button->Render();
  }
  return text + "+-- " + buttons + "\n";
}

std::optional<SelectStep> ExplorerDialogPlayer::Next(Form& form) {
  if (!steps_.empty()) {
    SelectStep step = std::move(steps_.front());
    steps_.pop_front();
    out_ << "> " << step.text << "\n";
    return step;
  }
  while (terminal_ != nullptr) {
    out_ << Draw(form) << kPrompt << std::flush;
    std::string line;
    if (!std::getline(*terminal_, line)) {
      out_ << "\n";
      terminal_ = nullptr;  // the input has ended: nobody is left to ask
      break;
    }
    try {
      std::vector<SelectStep> typed = SelectScript::ParseLine(line);
      steps_.insert(steps_.end(), std::make_move_iterator(typed.begin()),
                    std::make_move_iterator(typed.end()));
    } catch (const platform::Error& bad) {
      out_ << bad.Description() << "\n";
      continue;
    }
    if (!steps_.empty()) return Next(form);
  }
  return std::nullopt;
}

bool ExplorerDialogPlayer::Apply(Form& form, ExplorerControl& explorer, const SelectStep& step) {
  const auto press = [&](const char* what, bool done) {
    if (!done) out_ << "(" << what << " cannot be pressed now)\n";
  };
  int32_t row = 0;
  if (!step.name.empty()) {
    row = RowNamed(explorer, step.name);
    if (row == 0) {
      failure_ = "no row '" + step.name + "' in the dialog '" + form.Caption() + "'";
      return false;
    }
  }
  switch (step.kind) {
    case Kind::kSelectAll:
      press("Select All", form.FindControl("rgcmdSelectAll")->MouseClick());
      break;
    case Kind::kSelectNone:
      press("Select None", form.FindControl("rgcmdSelectNone")->MouseClick());
      break;
    case Kind::kAdd:
    case Kind::kRemove: {
      const bool selected = explorer.IsShownSelected(explorer.ItemAt(row));
      if (selected == (step.kind == Kind::kAdd)) {
        out_ << "(" << step.name << " is " << (selected ? "selected" : "not selected")
             << " already)\n";
        break;
      }
      press("the row", explorer.PressRow(row, ExplorerControl::kLeftButton, kCtrl) &&
                           explorer.ReleaseRow(row, ExplorerControl::kLeftButton, kCtrl));
      break;
    }
    case Kind::kClick:
      press("the row", explorer.PressRow(row, ExplorerControl::kLeftButton, step.shift) &&
                           explorer.ReleaseRow(row, ExplorerControl::kLeftButton, step.shift));
      break;
    case Kind::kRightClick:
      press("the row", explorer.PressRow(row, ExplorerControl::kRightButton) &&
                           explorer.ReleaseRow(row, ExplorerControl::kRightButton));
      break;
    case Kind::kDoubleClick:
      press("the row", explorer.DoubleClickRow(row));
      break;
    case Kind::kKey:
      if (!explorer.SetFocus()) {
        press("the tree", false);
        break;
      }
      platform::ui::Keyboard::Press(step.key, step.shift);
      break;
    case Kind::kButton: {
      const auto button = form.FindControl(step.button);
      press(step.text.c_str(), button && button->MouseClick());
      break;
    }
    case Kind::kEscape:
      platform::ui::Keyboard::Press(platform::ui::VK_ESCAPE);
      break;
    case Kind::kClose:
      form.SendMessage(platform::ui::WM_SYSCOMMAND, platform::ui::SC_CLOSE, 0);
      break;
  }
  return true;
}

void ExplorerDialogPlayer::Close(Form& form) {
  form.SendMessage(platform::ui::WM_SYSCOMMAND, platform::ui::SC_CLOSE, 0);
  if (form.Visible()) {
    throw platform::Error(platform::errc::kFail,
                          "the dialog '" + form.Caption() + "' did not close with its close box");
  }
}

void ExplorerDialogPlayer::Run(Form& form) {
  const auto keepAlive = form.weak_from_this().lock();
  const auto explorer = ExplorerOf(form);
  if (!explorer) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "the dialog '" + form.Caption() + "' shows no project tree");
  }
  out_ << Draw(form);
  bool cancelling = false;
  while (form.Visible()) {
    platform::ui::Keyboard::DoEvents();
    if (!form.Visible()) break;
    const std::optional<SelectStep> step = Next(form);
    if (!step) {
      out_ << Draw(form) << "> (no step left: the dialog is closed)\n";
      cancelling = true;
      Close(form);
      break;
    }
    cancelling = step->kind == Kind::kEscape || step->kind == Kind::kClose ||
                 (step->kind == Kind::kButton && step->button == "rgcmdCancel");
    if (!Apply(form, *explorer, *step)) {
      out_ << "> (" << failure_ << ": the dialog is closed)\n";
      cancelling = true;
      Close(form);
      break;
    }
  }
  if (cancelling) ++cancelled_;
  out_ << std::flush;
}

}  // namespace prjsnap
