// The host's numbered user texts: the language module "mzprui_" (captions, headings, names) and
// the message modules "cmnerr" and "Comp-IF_V3" (message boxes with %1, %2, ... inserts).
//
//   const host::TextTable* ui = host::texts::LanguageModule("mzprui_");
//   std::string text = host::texts::FormatMessage("%1: %2", {"Copy", "FB10"});  // "Copy: FB10"
//
// Module names compare without regard to case, as the module files of the original environment.
// Trap: a number missing from a table is not an error here; the services that hand the texts
// out decide what an unknown number means.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace host {

/// One module's texts by number.
using TextTable = std::map<int32_t, std::string_view>;

namespace texts {

/// The language module with that prefix ("mzprui_"); nullptr when the host has none.
const TextTable* LanguageModule(std::string_view prefix);

/// The message module of that name ("cmnerr", "Comp-IF_V3"); nullptr when the host has none.
const TextTable* MessageModule(std::string_view module);

/// Fills the inserts of a message: %1 to %99 take the arguments (1-based; an insert without an
/// argument becomes empty), "%%" is one percent sign, a "%" before anything else stays as it is.
std::string FormatMessage(std::string_view pattern, const std::vector<std::string>& arguments);

}  // namespace texts
}  // namespace host
