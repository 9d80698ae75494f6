// The numbered texts of one loaded language module, as the language manager hands them out.
//
//   auto access = env.Languages().GetLanguageAccess("mzprui_");
//   access->GetText(526);    // "OK"
//
// Trap: a number the module does not hold gives an empty text, not an error, so a caption with
// an unknown number shows blank instead of failing the dialog that asks for it.
#pragma once

#include <string>

#include "host/framework/HostTexts.h"
#include "mzblprsx/interfaces/IRgLanguageAccess.h"

namespace host {

class LanguageAccess : public mzblprsx::IRgLanguageAccess {
 public:
  /// Not owned: the table is one of the host's static text tables.
  LanguageAccess(std::string prefix, const TextTable& table)
      : prefix_(std::move(prefix)), table_(&table) {}

  std::string_view TypeName() const override { return "LanguageAccess"; }

  /// The text of that number; empty when the module has none.
  std::string GetText(int32_t number) override;
  const std::string& Prefix() const { return prefix_; }

 private:
  std::string prefix_;
  const TextTable* table_;
};

}  // namespace host
