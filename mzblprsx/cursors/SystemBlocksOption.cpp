#include "mzblprsx/cursors/SystemBlocksOption.h"

#include <string>

#include "mzblprsx/core/RgProjectServices.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/IRgOptionService.h"
#include "platform/Text.h"

namespace mzblprsx {
namespace {

constexpr const char* kOptionShowSystemBlocks = "General/Display/ShowSystemBlocks";

bool OptionAsBool(const Variant& value) {
  if (value.IsEmpty()) return false;
  if (value.Type() == platform::VarType::String) {
    const std::string text(platform::text::Trim(value.ToString()));
    if (platform::text::EqualsNoCase(text, "True")) return true;
    if (platform::text::EqualsNoCase(text, "False")) return false;
  }
  return value.ToBool();
}

}  // namespace

bool SystemBlocksOption::Read(const Ref<RgProjectSnapin>& snapIn) {
  if (!snapIn) return false;
  const auto options = snapIn->Services()->RgOptionService().Cast<IRgOptionService>();
  const bool show = OptionAsBool(options->Value(kOptionShowSystemBlocks));
  const bool changed = show != show_;
  show_ = show;
  return changed;
}

}  // namespace mzblprsx
