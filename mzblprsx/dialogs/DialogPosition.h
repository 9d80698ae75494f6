// Where a dialog of the library goes on the screen, and how it is shown: its stored position
// (option keys "<key>/Left" and "<key>/Top", in pixels; -1 centres), its owner (the host's main
// frame window) and the modal display with the host's wait cursor suspended. Both forms
// (overwrite and explorer) use it, each under its own key.
//
//   DialogPosition position("mzblprsx/Download");
//   position.Restore(form, options, 365, 252);   // placed on the screen, pulled back at the edges
//   DialogPosition::ShowModal(form, application);
//   position.Save(form, options);
//
// The calls do no error reporting of their own: a failure leaves them towards the form's
// procedure that called them, which reports it under its own name.
//
// Trap: without an option service nothing is read or written; a key that was never written
// reads as 0 (the top left corner), only -1 centres.
#pragma once

#include <cstdint>
#include <string>

#include "mzblprsx/interfaces/Types.h"

namespace platform::ui {
class Form;
}  // namespace platform::ui

namespace mzblprsx {

class IRgOptionService;
class RgProjectApplication;

class DialogPosition {
 public:
  /// The host application's window kind of its main frame window.
  static constexpr int32_t kMainFrameWindow = 3;

  explicit DialogPosition(std::string key = {}) : key_(std::move(key)) {}

  /// The key the two option keys are formed from ("mzblprsx/Overwrite").
  const std::string& Key() const { return key_; }
  void SetKey(std::string key) { key_ = std::move(key); }
  std::string LeftKey() const { return key_ + "/Left"; }
  std::string TopKey() const { return key_ + "/Top"; }

  /// Moves the form to the stored position, placed as a dialog of that size in pixels.
  void Restore(platform::ui::Form& form, const Ref<IRgOptionService>& options, int32_t widthPixels,
               int32_t heightPixels) const;
  /// Stores the form's position in pixels.
  void Save(const platform::ui::Form& form, const Ref<IRgOptionService>& options) const;

  /// The handle of the host's main frame window; 0 without an application or host.
  static int32_t MainFrameWindow(const Ref<RgProjectApplication>& application);
  /// Shows the form modally with the wait cursor suspended; the wait resumes also when the
  /// display fails, so the host's cursor count stays balanced.
  static void ShowModal(platform::ui::Form& form, const Ref<RgProjectApplication>& application);
  /// Twips to pixels, rounded to the nearest pixel.
  static int32_t ToPixels(int32_t twips, int32_t twipsPerPixel);

 private:
  std::string key_;
};

}  // namespace mzblprsx
