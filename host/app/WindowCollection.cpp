#include "host/app/WindowCollection.h"

#include <algorithm>
#include <utility>

#include "host/app/ViewWindow.h"
#include "platform/Text.h"

namespace host {

platform::Ref<mzblprsx::IRgViewWindow> WindowCollection::Item(const std::string& name) {
  if (auto window = Find(name)) return window;
  throw platform::Error(
      platform::errc::kInvalidCall,
      "There is no window '" + name + "' among the windows of kind " + std::to_string(kind_),
      std::string(TypeName()));
}

void WindowCollection::Add(platform::Ref<ViewWindow> window) {
  if (!window) return;
  if (std::ranges::any_of(windows_, [&](const auto& w) { return w.Get() == window.Get(); })) return;
  windows_.push_back(std::move(window));
}

void WindowCollection::Remove(const platform::Ref<ViewWindow>& window) {
  std::erase_if(windows_, [&](const auto& w) { return w.Get() == window.Get(); });
}

platform::Ref<ViewWindow> WindowCollection::Find(std::string_view name) const {
  for (const auto& window : windows_) {
    if (platform::text::EqualsNoCase(window->Name(), name)) return window;
  }
  return {};
}

}  // namespace host
