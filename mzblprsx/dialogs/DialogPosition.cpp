#include "mzblprsx/dialogs/DialogPosition.h"

#include <cmath>
#include <limits>

#include "mzblprsx/core/RgProjectApplication.h"
#include "mzblprsx/interfaces/IRgHostApplication.h"
#include "mzblprsx/interfaces/IRgOptionService.h"
#include "platform/Text.h"
#include "platform/ui/Form.h"
#include "platform/ui/UiState.h"

namespace mzblprsx {
namespace ui = platform::ui;

namespace {

/// The numeric value of a stored option's text, as a whole number of pixels.
int32_t PixelsOf(const Variant& value) {
  const double number = std::nearbyint(platform::text::Val(value.ToString()));
  constexpr double kMin = std::numeric_limits<int32_t>::min();
  constexpr double kMax = std::numeric_limits<int32_t>::max();
  if (!(number >= kMin)) return std::numeric_limits<int32_t>::min();
  if (number > kMax) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(number);
}

/// One coordinate of the stored position: -1 centres, a dialog that would run past the screen
/// edge ends at it; any other value (negative ones too) is taken as it is.
int32_t PlaceOnScreen(int32_t stored, int32_t formSize, int32_t screenSize) {
  if (stored == -1) return (screenSize - formSize) / 2;
  if (static_cast<int64_t>(stored) + formSize > screenSize) return screenSize - formSize;
  return stored;
}

}  // namespace

int32_t DialogPosition::ToPixels(int32_t twips, int32_t twipsPerPixel) {
  return static_cast<int32_t>(std::lround(static_cast<double>(twips) / twipsPerPixel));
}

void DialogPosition::Restore(ui::Form& form, const Ref<IRgOptionService>& options,
                             int32_t widthPixels, int32_t heightPixels) const {
  if (!options) return;
  const auto& screen = ui::UiState::Current();
  const int32_t screenWidth = ToPixels(screen.ScreenWidth(), screen.TwipsPerPixelX());
  const int32_t screenHeight = ToPixels(screen.ScreenHeight(), screen.TwipsPerPixelY());
  const int32_t left = PlaceOnScreen(PixelsOf(options->Value(LeftKey())), widthPixels, screenWidth);
  const int32_t top = PlaceOnScreen(PixelsOf(options->Value(TopKey())), heightPixels, screenHeight);
  form.Move(left * screen.TwipsPerPixelX(), top * screen.TwipsPerPixelY());
}

void DialogPosition::Save(const ui::Form& form, const Ref<IRgOptionService>& options) const {
  if (!options) return;
  const auto& screen = ui::UiState::Current();
  options->SetValue(LeftKey(), Variant(ToPixels(form.Left(), screen.TwipsPerPixelX())));
  options->SetValue(TopKey(), Variant(ToPixels(form.Top(), screen.TwipsPerPixelY())));
}

int32_t DialogPosition::MainFrameWindow(const Ref<RgProjectApplication>& application) {
  if (!application) return 0;
  const Ref<IRgHostApplication> host = application->RgApplication();
  return host ? host->GetWindowHandle(kMainFrameWindow) : 0;
}

void DialogPosition::ShowModal(ui::Form& form, const Ref<RgProjectApplication>& application) {
  if (application) application->DoWaitCursor(-1);
  struct ResumeWait {
    const Ref<RgProjectApplication>& application;
    ~ResumeWait() {
      if (!application) return;
      try {
        application->DoWaitCursor(1);
      } catch (...) {  // NOLINT(bugprone-empty-catch): DoWaitCursor reports its own failure
      }
    }
  } resume{application};
  form.Show(/*modal=*/true);
}

}  // namespace mzblprsx
