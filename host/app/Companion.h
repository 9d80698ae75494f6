// The reference host's companion object of the error-service family, created by class id
// mzblprsx::clsid::kCompanion. Its one operation takes a Boolean; the reference host records the
// values it was given.
//
//   auto companion = platform::CreateObjectAs<mzblprsx::IRgCompanion>(mzblprsx::clsid::kCompanion);
//   companion->SetState(true);
//   host::Companion::LastCreated()->Values();   // {true}
//
// Trap: LastCreated is per thread and weak, as for InfoWindow.
#pragma once

#include <vector>

#include "mzblprsx/interfaces/IRgCompanion.h"

namespace host {

class Companion final : public mzblprsx::IRgCompanion {
 public:
  Companion() = default;
  std::string_view TypeName() const override { return "Companion"; }

  void SetState(bool value) override { values_.push_back(value); }

  /// Every value given, in order.
  const std::vector<bool>& Values() const { return values_; }
  /// The last value given; false before the first.
  bool State() const { return !values_.empty() && values_.back(); }

  /// The companion most recently created on this thread, or nothing once it is released.
  static platform::Ref<Companion> LastCreated();
  static void NoteCreated(const platform::Ref<Companion>& companion);

 private:
  std::vector<bool> values_;
};

}  // namespace host
