// A window of the headless window layer: a handle, a parent (container) or an owner, visible and
// enabled states, a position in twips, and message handling with hooks that see every message
// before the window's own handling.
//
//   auto main = platform::MakeObject<platform::ui::Window>();   // e.g. a host's main frame
//   main->SetVisible(true);
//   platform::ScopedConnection c = main->AddMessageHook([](const Message& m, bool& handled) {...});
//   SendMessage(main->HWnd(), WM_SYSCOMMAND, SC_CLOSE, 0);       // the hook sees it first
//
// A window owns its children (controls); a child knows its parent only while the parent lives.
// The owner is a handle (SetWindowLong GWL_HWNDPARENT), so an owner that goes away leaves a handle
// that simply no longer resolves.
//
// Trap: a handle is never 0 while the window lives and is only known on the thread that created
// the window.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Object.h"
#include "platform/Ref.h"
#include "platform/Signal.h"

namespace platform::ui {

class UiState;

/// One message on its way to a window.
struct Message {
  int32_t message = 0;
  int32_t wParam = 0;
  int32_t lParam = 0;
};

class Window : public virtual Object {
 public:
  /// A hook sees a message before the window handles it; setting handled swallows the message
  /// (neither older hooks nor the window see it).
  using MessageHook = std::function<void(const Message&, bool& handled)>;

  Window();
  ~Window() override;
  std::string_view TypeName() const override { return "Window"; }

  /// The window's handle; never 0 while it lives.
  int32_t HWnd() const { return handle_; }
  /// The containing window (a form or a frame); nullptr for a top-level window.
  Window* Parent() const { return parent_; }
  /// The top-level window this one lies in (itself when it has no parent).
  Window* TopLevel();
  const Window* TopLevel() const;
  /// Child windows in creation order.
  const std::vector<Ref<Window>>& Children() const { return children_; }

  /// The owner window's handle (0 when none); what GWL_HWNDPARENT reads and writes.
  int32_t Owner() const { return owner_; }
  void SetOwner(int32_t hwnd) { owner_ = hwnd; }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  /// Visible (enabled) itself and in every container up to the top-level window.
  bool IsShown() const;
  bool IsUsable() const;

  /// The window text: a form's title, a button's or a label's caption.
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }

  /// Position and size in twips, relative to the container (forms: to the screen).
  int32_t Left() const { return left_; }
  int32_t Top() const { return top_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  void Move(int32_t left, int32_t top);
  void Move(int32_t left, int32_t top, int32_t width, int32_t height);

  /// True while this window has the keyboard focus; ContainsFocus also counts its children.
  bool HasFocus() const;
  bool ContainsFocus() const;

  /// Makes a window a child (a control of this container); an old parent loses it.
  void Adopt(const Ref<Window>& child);

  /// Delivers a message now: hooks first (newest first), then the window's own handling.
  int32_t SendMessage(int32_t message, int32_t wParam, int32_t lParam);
  /// Subclasses the window; the hook stays until the connection is ended.
  [[nodiscard]] Connection AddMessageHook(MessageHook hook);

 protected:
  /// The window's own handling of a message that no hook swallowed. The base handles nothing.
  virtual int32_t WindowProc(const Message& message);
  /// Called when the window (a top-level one) becomes or stops being the active window.
  virtual void OnActivate() {}
  virtual void OnDeactivate() {}
  UiState& Ui() const { return *ui_; }

 private:
  friend class UiState;
  struct HookSlot;

  std::shared_ptr<UiState> ui_;
  int32_t handle_ = 0;
  Window* parent_ = nullptr;
  std::vector<Ref<Window>> children_;
  std::vector<std::shared_ptr<HookSlot>> hooks_;
  int32_t owner_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  int32_t left_ = 0;
  int32_t top_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
};

}  // namespace platform::ui
