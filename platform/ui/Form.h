// A form: a top-level window with controls, loaded and unloaded, shown modeless or modal.
//
//   class frmAsk : public Form {
//    public:
//     frmAsk() { ok_ = AddControl<CommandButton>("cmdOK"); ok_->Click().Connect(...); }
//   };
//   auto form = MakeObject<frmAsk>();
//   form->Show(/*modal=*/true);   // runs the thread's modal loop until the form is hidden
//   form->Unload();
//
// Events follow the form's life: LoadEvent on the first Load (Show loads), ActivateEvent and
// DeactivateEvent as the form becomes or stops being the active window, QueryUnloadEvent and
// UnloadEvent (both can cancel) on Unload. The close box (WM_SYSCOMMAND SC_CLOSE, Alt+F4) unloads
// the form with mode kUnloadByCloseBox unless a message hook swallows the message first. With
// KeyPreview the form's KeyDown and KeyUp see keyboard keys before the focused control.
//
// Trap: a modal Show without a modal loop on the thread, or a loop that returns while the form
// is still shown, is an error (the form is hidden first); it never waits for input that cannot
// come.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Ref.h"
#include "platform/Signal.h"
#include "platform/ui/Control.h"
#include "platform/ui/Window.h"

namespace platform::ui {

class Form : public Window {
 public:
  /// Unload modes reported to QueryUnloadEvent.
  static constexpr int16_t kUnloadByCloseBox = 0;
  static constexpr int16_t kUnloadByCode = 1;

  Form();
  std::string_view TypeName() const override { return "Form"; }

  /// Creates a control on the form, inside a container (a frame of this form) or on the form
  /// itself; error 5 when the container is not this form or one of its controls.
  template <class C>
  Ref<C> AddControl(std::string name, Window* container = nullptr) {
    auto control = MakeObject<C>();
    control->SetName(std::move(name));
    PlaceControl(control, container);
    return control;
  }
  /// The control of that name (without regard to case); nothing when there is none.
  Ref<Control> FindControl(std::string_view name) const;
  /// Every control, containers' contents included, in creation order.
  const std::vector<Ref<Control>>& Controls() const { return controls_; }
  /// The controls that can take the focus now, by TabIndex (ties in creation order).
  std::vector<Ref<Control>> TabOrder() const;
  /// Moves the focus to the next (previous) focusable control after `from` in tab order,
  /// wrapping around; from nullptr starts at the beginning (end).
  void FocusNextControl(const Control* from, bool forward);

  /// Loads the form (raising LoadEvent) unless it is loaded.
  void Load();
  /// Unloads the form: QueryUnloadEvent and UnloadEvent may cancel (false). A loaded form is
  /// hidden; an unloaded one may be loaded again.
  bool Unload(int16_t mode = kUnloadByCode);
  bool IsLoaded() const { return loaded_; }

  /// Loads, shows and activates the form and focuses its first control in tab order unless the
  /// focus is already on it. Modal: returns when the form has been hidden; error 400 when the
  /// form is shown already.
  void Show(bool modal = false);
  /// Hides the form (raising DeactivateEvent when it was active); it stays loaded.
  void Hide();
  /// True while a modal Show runs.
  bool IsModal() const { return modal_; }
  void SetVisible(bool visible) override;

  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool on) { keyPreview_ = on; }
  /// The keyboard's preview of a key (down or up): raises KeyDown or KeyUp when KeyPreview is
  /// on; the key may come back as 0 (swallowed).
  void PreviewKey(bool down, int16_t& keyCode, int16_t shift);

  Signal<>& LoadEvent() { return load_; }
  Signal<>& ActivateEvent() { return activate_; }
  Signal<>& DeactivateEvent() { return deactivate_; }
  /// QueryUnload(cancel, unloadMode): a nonzero cancel keeps the form loaded.
  Signal<int16_t&, int16_t>& QueryUnloadEvent() { return queryUnload_; }
  /// Unload(cancel): a nonzero cancel keeps the form loaded.
  Signal<int16_t&>& UnloadEvent() { return unload_; }
  /// KeyDown(keyCode, shift): keys of the form itself, and all keys when KeyPreview is on.
  Signal<int16_t&, int16_t>& KeyDown() { return keyDown_; }
  Signal<int16_t&, int16_t>& KeyUp() { return keyUp_; }

 protected:
  int32_t WindowProc(const Message& message) override;
  void OnActivate() override { activate_.Emit(); }
  void OnDeactivate() override { deactivate_.Emit(); }

 private:
  void PlaceControl(const Ref<Control>& control, Window* container);

  std::vector<Ref<Control>> controls_;
  bool loaded_ = false;
  bool modal_ = false;
  bool keyPreview_ = false;
  Signal<> load_;
  Signal<> activate_;
  Signal<> deactivate_;
  Signal<int16_t&, int16_t> queryUnload_;
  Signal<int16_t&> unload_;
  Signal<int16_t&, int16_t> keyDown_;
  Signal<int16_t&, int16_t> keyUp_;
};

}  // namespace platform::ui
