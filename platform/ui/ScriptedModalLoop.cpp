#include "platform/ui/ScriptedModalLoop.h"

#include <utility>

#include "platform/Error.h"
#include "platform/ui/BlockEditBox.h"
#include "platform/ui/Form.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/Messages.h"

namespace platform::ui {

namespace {

std::string FormName(const Form& form) {
  return form.Caption().empty() ? std::string(form.TypeName()) : form.Caption();
}

Ref<Control> ControlOf(Form& form, const std::string& name) {
  auto control = form.FindControl(name);
  if (!control) {
    throw Error(errc::kInvalidCall,
                "Scripted action: form '" + FormName(form) + "' has no control '" + name + "'");
  }
  return control;
}

Ref<BlockEditBox> EntryOf(Form& form, const std::string& name) {
  auto entry = ControlOf(form, name).As<BlockEditBox>();
  if (!entry) {
    throw Error(errc::kInvalidCall, "Scripted action: control '" + name + "' of form '" +
                                        FormName(form) + "' is no entry that takes typing");
  }
  return entry;
}

}  // namespace

ScriptedModalLoop& ScriptedModalLoop::Add(std::string description, std::function<bool(Form&)> run) {
  actions_.push_back({std::move(description), std::move(run)});
  return *this;
}

ScriptedModalLoop& ScriptedModalLoop::Click(std::string control) {
  return Add("click " + control,
             [control](Form& form) { return ControlOf(form, control)->MouseClick(); });
}

ScriptedModalLoop& ScriptedModalLoop::Focus(std::string control) {
  return Add("focus " + control,
             [control](Form& form) { return ControlOf(form, control)->SetFocus(); });
}

ScriptedModalLoop& ScriptedModalLoop::TypeText(std::string control, std::string text) {
  return Add("type \"" + text + "\" into " + control, [control, text](Form& form) {
    auto entry = EntryOf(form, control);
    return entry->SetFocus() && entry->TypeSymbol(text);
  });
}

ScriptedModalLoop& ScriptedModalLoop::TypeNumber(std::string control, std::string digits) {
  return Add("type number \"" + digits + "\" into " + control, [control, digits](Form& form) {
    auto entry = EntryOf(form, control);
    return entry->SetFocus() && entry->TypeNumber(digits);
  });
}

ScriptedModalLoop& ScriptedModalLoop::PressKey(int32_t virtualKey, int16_t shift) {
  return Add("press key " + std::to_string(virtualKey) +
                 (shift != 0 ? " with shift " + std::to_string(shift) : ""),
             [virtualKey, shift](Form&) {
               Keyboard::Press(virtualKey, shift);
               return true;
             });
}

ScriptedModalLoop& ScriptedModalLoop::SendKeys(std::string keys) {
  Keyboard::Parse(keys);  // a script with a bad key text fails when written, not when run
  return Add("keys \"" + keys + "\"", [keys](Form&) {
    Keyboard::SendKeys(keys, true);
    return true;
  });
}

ScriptedModalLoop& ScriptedModalLoop::CloseBox() {
  return Add("close box", [](Form& form) {
    form.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
  });
}

ScriptedModalLoop& ScriptedModalLoop::AltF4() {
  return Add("Alt+F4", [](Form&) {
    Keyboard::Press(VK_F4, kAltMask);
    return true;
  });
}

ScriptedModalLoop& ScriptedModalLoop::Do(std::string description, std::function<void(Form&)> step) {
  return Add(std::move(description), [step = std::move(step)](Form& form) {
    step(form);
    return true;
  });
}

void ScriptedModalLoop::Run(Form& form) {
  const auto keepAlive = form.weak_from_this().lock();
  while (form.Visible()) {
    Keyboard::DoEvents();
    if (!form.Visible()) break;
    if (actions_.empty()) {
      throw Error(errc::kFail, "The script has no action left while form '" + FormName(form) +
                                   "' is shown (" + std::to_string(log_.size()) +
                                   " actions were run)");
    }
    Action action = std::move(actions_.front());
    actions_.pop_front();
    const size_t line = log_.size();
    log_.push_back(FormName(form) + ": " + action.description);
    // The action may show another form modally, which logs its own actions after this line.
    if (!action.run(form)) log_[line] += " (ignored)";
  }
}

}  // namespace platform::ui
