#include "platform/ui/Form.h"

#include <algorithm>

#include "platform/Error.h"
#include "platform/Text.h"
#include "platform/ui/IModalLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UiState.h"

namespace platform::ui {

namespace {
constexpr int32_t kFormAlreadyShown = 400;  // the runtime's "can't show modally"

std::string Describe(const Form& form) {
  return "form '" + (form.Caption().empty() ? std::string(form.TypeName()) : form.Caption()) + "'";
}
}  // namespace

Form::Form() {
  Window::SetVisible(false);
  Move(0, 0, 4800, 3600);
}

void Form::PlaceControl(const Ref<Control>& control, Window* container) {
  Window* target = container ? container : this;
  if (target != this && target->TopLevel() != this) {
    throw Error(errc::kInvalidCall,
                "The container of control '" + control->Name() + "' is not on " + Describe(*this));
  }
  target->Adopt(control);
  controls_.push_back(control);
}

Ref<Control> Form::FindControl(std::string_view name) const {
  for (const auto& control : controls_) {
    if (text::EqualsNoCase(control->Name(), name)) return control;
  }
  return {};
}

std::vector<Ref<Control>> Form::TabOrder() const {
  std::vector<Ref<Control>> order;
  for (const auto& control : controls_) {
    if (control->IsFocusable()) order.push_back(control);
  }
  std::stable_sort(order.begin(), order.end(),
                   [](const auto& a, const auto& b) { return a->TabIndex() < b->TabIndex(); });
  return order;
}

void Form::FocusNextControl(const Control* from, bool forward) {
  const auto order = TabOrder();
  if (order.empty()) return;
  const auto n = static_cast<ptrdiff_t>(order.size());
  const auto at =
      std::find_if(order.begin(), order.end(), [&](const auto& c) { return c.Get() == from; });
  ptrdiff_t next = 0;
  if (at == order.end()) {
    next = forward ? 0 : n - 1;
  } else {
    next = ((at - order.begin()) + (forward ? 1 : n - 1)) % n;
  }
  order[static_cast<size_t>(next)]->SetFocus();
}

void Form::Load() {
  if (loaded_) return;
  loaded_ = true;
  load_.Emit();
}

bool Form::Unload(int16_t mode) {
  if (!loaded_) return true;
  const auto keepAlive = weak_from_this().lock();
  int16_t cancel = 0;
  queryUnload_.Emit(cancel, mode);
  if (cancel != 0) return false;
  unload_.Emit(cancel);
  if (cancel != 0) return false;
  Hide();
  loaded_ = false;
  return true;
}

void Form::Show(bool modal) {
  const auto keepAlive = weak_from_this().lock();
  Load();
  if (modal && Visible()) {
    throw Error(kFormAlreadyShown, "Form already displayed; can't show modally");
  }
  Window::SetVisible(true);
  Ui().Activate(*this);
  if (!ContainsFocus()) {
    const auto order = TabOrder();
    Ui().SetFocus(order.empty() ? HWnd() : order.front()->HWnd());
  }
  if (!modal) return;

  const auto loop = Ui().ModalLoop();
  if (!loop) {
    Hide();
    throw Error(errc::kFail, "No modal loop is set on this thread to show " + Describe(*this));
  }
  modal_ = true;
  try {
    loop->Run(*this);
  } catch (...) {
    modal_ = false;
    if (Visible()) Hide();
    throw;
  }
  modal_ = false;
  if (Visible()) {
    Hide();
    throw Error(errc::kFail, "The modal loop returned while " + Describe(*this) + " was shown");
  }
}

void Form::Hide() {
  if (!Visible()) return;
  Ui().Deactivate(*this);
  Window::SetVisible(false);
}

void Form::SetVisible(bool visible) {
  if (visible) {
    Show(false);
  } else {
    Hide();
  }
}

void Form::PreviewKey(bool down, int16_t& keyCode, int16_t shift) {
  if (!keyPreview_) return;
  (down ? keyDown_ : keyUp_).Emit(keyCode, shift);
}

int32_t Form::WindowProc(const Message& message) {
  switch (message.message) {
    case WM_SYSCOMMAND:
      if ((message.wParam & 0xFFF0) == SC_CLOSE) Unload(kUnloadByCloseBox);
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP: {
      auto key = static_cast<int16_t>(message.wParam);
      (message.message == WM_KEYDOWN ? keyDown_ : keyUp_).Emit(key, Ui().ShiftState());
      return 0;
    }
    default:
      return Window::WindowProc(message);
  }
}

}  // namespace platform::ui
