// The reference host's windows of one kind (kind 5: the view windows such as "ProjectBar";
// kind 1: the windows of open documents).
//
//   auto views = platform::MakeObject<host::WindowCollection>(5);
//   views->Add(platform::MakeObject<host::ViewWindow>("ProjectBar"));
//   views->Item("ProjectBar");          // names compare without regard to case
//
// Names need not be unique (two documents may show objects with the same display name); Item
// gives the first window of that name in the order windows were added.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mzblprsx/interfaces/IRgWindowCollection.h"

namespace host {

class ViewWindow;

class WindowCollection final : public mzblprsx::IRgWindowCollection {
 public:
  explicit WindowCollection(int32_t kind) : kind_(kind) {}
  std::string_view TypeName() const override { return "WindowCollection"; }

  int32_t Count() override { return static_cast<int32_t>(windows_.size()); }
  /// The first window of that name; error 5 naming the kind and the window when there is none.
  platform::Ref<mzblprsx::IRgViewWindow> Item(const std::string& name) override;

  int32_t Kind() const { return kind_; }
  /// Appends a window (nothing is ignored; a window already held is not added twice).
  void Add(platform::Ref<ViewWindow> window);
  /// Removes the window; a window that is not held is ignored.
  void Remove(const platform::Ref<ViewWindow>& window);
  void Clear() { windows_.clear(); }
  /// The first window of that name, or nothing.
  platform::Ref<ViewWindow> Find(std::string_view name) const;
  /// The windows in the order they were added.
  const std::vector<platform::Ref<ViewWindow>>& Windows() const { return windows_; }

 private:
  int32_t kind_;
  std::vector<platform::Ref<ViewWindow>> windows_;
};

}  // namespace host
