#include "TerminalModalLoop.h"

#include <istream>
#include <ostream>
#include <string>
#include <utility>

#include "platform/Error.h"
#include "platform/ui/BlockEditBox.h"
#include "platform/ui/Form.h"
#include "platform/ui/FormRenderer.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/Messages.h"

namespace prjsnap {
namespace {

using platform::ui::Form;
using Choice = DialogAnswer::Choice;

constexpr const char* kPrompt =
    "answer: rename[:NUMBER][:NAME][:ok], overwrite[:ok|all], ignore[:ok|all], cancel > ";

std::string FormName(const Form& form) {
  return form.Caption().empty() ? std::string(form.TypeName()) : form.Caption();
}

platform::Ref<platform::ui::Control> ControlOf(Form& form, const char* name) {
  auto control = form.FindControl(name);
  if (!control) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "the dialog '" + FormName(form) + "' has no control " + name +
                              "; prjsnap answers only the overwrite dialog");
  }
  return control;
}

const char* OptionOf(Choice choice) {
  switch (choice) {
    case Choice::kRename:
      return "rgoptRename";
    case Choice::kOverwrite:
      return "rgoptOverwrite";
    default:
      return "rgoptIgnore";
  }
}

const char* ChoiceWord(Choice choice) {
  switch (choice) {
    case Choice::kRename:
      return "rename";
    case Choice::kOverwrite:
      return "overwrite";
    default:
      return "ignore";
  }
}

}  // namespace

TerminalModalLoop::TerminalModalLoop(std::vector<DialogAnswer> answers, std::istream* terminal,
                                     std::ostream& out, std::vector<SelectStep> steps)
    : answers_(std::make_move_iterator(answers.begin()), std::make_move_iterator(answers.end())),
      terminal_(terminal),
      out_(out),
      selection_(std::move(steps), terminal, out) {}

std::optional<DialogAnswer> TerminalModalLoop::Next() {
  if (!answers_.empty()) {
    DialogAnswer answer = std::move(answers_.front());
    answers_.pop_front();
    out_ << "> " << answer.text << "\n";
    return answer;
  }
  while (terminal_ != nullptr) {
    out_ << kPrompt << std::flush;
    std::string line;
    if (!std::getline(*terminal_, line)) {
      out_ << "\n";
      terminal_ = nullptr;  // the input has ended: nobody is left to ask
      break;
    }
    try {
      return DialogAnswers::ParseOne(line);
    } catch (const platform::Error& bad) {
      out_ << bad.Description() << "\n";
    }
  }
  return std::nullopt;
}

void TerminalModalLoop::Apply(Form& form, const DialogAnswer& answer) {
  switch (answer.choice) {
    case Choice::kCancel:
      ControlOf(form, "cmdCancel")->MouseClick();
      return;
    case Choice::kClose:
      form.SendMessage(platform::ui::WM_SYSCOMMAND, platform::ui::SC_CLOSE, 0);
      return;
    case Choice::kEscape:
      platform::ui::Keyboard::Press(platform::ui::VK_ESCAPE);
      return;
    default:
      break;
  }
  // A choice the dialog does not offer must not fall through to OK with another choice still
  // selected: the dialog stays open and the next answer is taken.
  if (!ControlOf(form, OptionOf(answer.choice))->MouseClick()) {
    out_ << "(the dialog does not offer " << ChoiceWord(answer.choice) << " here)\n";
    return;
  }
  if (answer.number || answer.name) {
    const auto entry = ControlOf(form, "rgbexNew").Cast<platform::ui::BlockEditBox>();
    if (answer.number && !(entry->SetFocus() && entry->TypeNumber(*answer.number))) {
      out_ << "(the dialog takes no number here; " << *answer.number << " was not typed)\n";
    }
    if (answer.name && !(entry->SetFocus() && entry->TypeSymbol(*answer.name))) {
      out_ << "(the dialog takes no name here; '" << *answer.name << "' was not typed)\n";
    }
  }
  const bool all = answer.button == DialogAnswer::Button::kAll;
  if (!ControlOf(form, all ? "cmdAll" : "cmdOK")->MouseClick()) {
    out_ << "(" << (all ? "All" : "OK") << " cannot be pressed now)\n";
  }
}

void TerminalModalLoop::Run(Form& form) {
  const auto keepAlive = form.weak_from_this().lock();
  ++shown_;
  if (ExplorerDialogPlayer::Answers(form)) {
    const int32_t before = selection_.Cancelled();
    selection_.Run(form);
    cancelled_ += selection_.Cancelled() - before;
    return;
  }
  bool cancelling = false;
  while (form.Visible()) {
    platform::ui::Keyboard::DoEvents();
    if (!form.Visible()) break;
    out_ << platform::ui::FormRenderer::Render(form);
    const std::optional<DialogAnswer> answer = Next();
    if (!answer) {
      out_ << "> (no answer left: the dialog is closed)\n";
      form.SendMessage(platform::ui::WM_SYSCOMMAND, platform::ui::SC_CLOSE, 0);
      cancelling = true;
      if (form.Visible()) {
        throw platform::Error(platform::errc::kFail, "the dialog '" + FormName(form) +
                                                         "' did not close with its close box");
      }
      break;
    }
    cancelling = answer->Cancels();
    Apply(form, *answer);
  }
  if (cancelling) ++cancelled_;
  out_ << std::flush;
}

}  // namespace prjsnap
