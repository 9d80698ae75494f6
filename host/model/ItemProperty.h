// One stored entry of an item's property set: key, value, the handler's flags and a type tag.
//
//   auto name = item->Data()->Property("NAME");
//   if (name) name->SetValue("Motor");   // changes the stored value in place
//
// Once handed out, the entry is this object: a later SetValue of the same key on the data
// changes it too, so a reference taken earlier always shows the current value.
#pragma once

#include <cstdint>
#include <string>

#include "mzblprsx/interfaces/RgProjectItemProperty.h"

namespace host {

class ItemProperty final : public mzblprsx::RgProjectItemProperty {
 public:
  ItemProperty(std::string key, platform::Variant value, int32_t flags, int32_t type);
  std::string_view TypeName() const override { return "RgProjectItemProperty"; }

  std::string Key() override { return key_; }
  platform::Variant Value() override { return value_; }
  void SetValue(const platform::Variant& value) override { value_ = value; }
  /// The flags of the last SetValue of the data (0 for an entry made only by AddValue).
  int32_t Flags() override { return flags_; }

  void SetFlags(int32_t flags) { flags_ = flags; }
  /// The type tag of the last AddValue (0 for an entry made only by SetValue).
  int32_t Type() const { return type_; }
  void SetType(int32_t type) { type_ = type; }
  const platform::Variant& StoredValue() const { return value_; }

 private:
  std::string key_;
  platform::Variant value_;
  int32_t flags_;
  int32_t type_;
};

}  // namespace host
