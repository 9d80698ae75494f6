// The common part of the controls on a form: a name, a tab index, focus and key events, the
// user's mouse click, and a one-line text for the terminal renderer.
//
//   auto ok = form->AddControl<CommandButton>("cmdOK");
//   platform::ScopedConnection c = ok->GotFocus().Connect([] { ... });
//
// Keys reach a control as WM_KEYDOWN / WM_KEYUP messages: the control raises KeyDown (a handler
// swallows the key by setting it to 0), then does its own key handling (Tab moves the focus in tab
// order). The form's key preview happens before, on the keyboard's way in (see Keyboard), not
// for messages sent straight to a control.
//
// Trap: a disabled or hidden control (or one in a disabled or hidden container) ignores key
// messages and user clicks and raises no events for them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Signal.h"
#include "platform/ui/Window.h"

namespace platform::ui {

class Form;

class Control : public Window {
 public:
  std::string_view TypeName() const override { return "Control"; }

  /// The control's name on its form ("cmdOK").
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  /// The form the control lies on; nullptr when it is on none (its form is gone).
  Form* ParentForm() const;

  /// Place in the form's tab order (ties keep creation order).
  int16_t TabIndex() const { return tabIndex_; }
  void SetTabIndex(int16_t index) { tabIndex_ = index; }
  /// Whether the control takes the focus at all (labels and frames do not).
  virtual bool CanFocus() const { return true; }
  /// CanFocus, shown and usable.
  bool IsFocusable() const { return CanFocus() && IsShown() && IsUsable(); }
  /// Gives the control the focus; false when it cannot take it now.
  bool SetFocus();

  /// What a mouse click of the user does: focus first (for controls that take it), then the
  /// control's own click. Ignored (false) when the control is hidden or disabled.
  bool MouseClick();

  /// One line for the terminal: the control as a reader sees it ("(o) Rename").
  virtual std::string Render() const = 0;

  Signal<>& GotFocus() { return gotFocus_; }
  Signal<>& LostFocus() { return lostFocus_; }
  /// KeyDown(keyCode, shift): setting keyCode to 0 swallows the key.
  Signal<int16_t&, int16_t>& KeyDown() { return keyDown_; }
  Signal<int16_t&, int16_t>& KeyUp() { return keyUp_; }

 protected:
  Control() = default;
  int32_t WindowProc(const Message& message) override;
  /// The control's own handling of a key no KeyDown handler swallowed; the base moves the focus
  /// on Tab (Shift+Tab backwards).
  virtual void OnKeyDown(int16_t keyCode, int16_t shift);
  virtual void OnKeyUp(int16_t /*keyCode*/, int16_t /*shift*/) {}
  /// The control's part of a user click (after the focus moved to it).
  virtual void OnMouseClick() {}

 private:
  std::string name_;
  int16_t tabIndex_ = 0;
  Signal<> gotFocus_;
  Signal<> lostFocus_;
  Signal<int16_t&, int16_t> keyDown_;
  Signal<int16_t&, int16_t> keyUp_;
};

}  // namespace platform::ui
