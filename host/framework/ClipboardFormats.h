// The platform's clipboard format registry (IRgClipboardFormats, clsid::kClipboardFormats): a
// format name gives one number to every application of the process for as long as it runs.
//
//   auto formats = platform::CreateObjectAs<mzblprsx::IRgClipboardFormats>(
//       mzblprsx::clsid::kClipboardFormats);
//   int16_t list = formats->RegisterFormat("rgCFObjectList");   // 0xC000 or above, as int16
//
// Every instance shares one table (a transfer between two applications is two threads asking
// for the same names), so registering is thread-safe. Numbers start at 0xC000 and count upwards
// in registration order; as 16-bit signed values they are negative.
//
// Trap: a number says nothing across processes; only the name does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "mzblprsx/interfaces/IRgClipboardFormats.h"

namespace host {

class ClipboardFormats : public virtual mzblprsx::IRgClipboardFormats {
 public:
  /// The first number handed out, and the last one there is.
  static constexpr uint16_t kFirstFormat = 0xC000;
  static constexpr uint16_t kLastFormat = 0xFFFF;

  std::string_view TypeName() const override { return "ClipboardFormats"; }

  // IRgClipboardFormats
  /// Register(name).
  int16_t RegisterFormat(const std::string& name) override { return Register(name); }

  /// The number of a name (compared without regard to case), registering it on first use.
  /// Error 5 for an empty name, 7 when every number up to kLastFormat is taken.
  static int16_t Register(std::string_view name);
  /// The name a number was first registered under; nothing for a number never handed out.
  static std::optional<std::string> NameOf(int16_t format);
};

}  // namespace host
