// The text rules that prjsnap's scripted answers share (`--answers`, `--select`): blanks around
// words do not count, words compare without regard to case, and a list is split at unescaped
// separators with "\," "\:" and "\\" standing for the characters themselves.
//
//   auto parts = script_text::Split("+Motor\\, left,load", ',', true,
//                                   [](const std::string& why) { throw ...; });
//
// Trap: Split refuses a lone trailing backslash and any other escape through `fail`, so that a
// cut-off list is not read as a different one; `fail` must not return.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace prjsnap::script_text {

/// Called with what is wrong; must throw.
using Fail = std::function<void(const std::string& why)>;

/// The text without blanks and tabs at either end.
std::string Trimmed(std::string_view text);
/// The text with ASCII letters in lower case.
std::string Lower(std::string_view text);
/// The parts between unescaped separators; with `unescape` the escapes are resolved, without it
/// they are kept (for a second split of each part).
std::vector<std::string> Split(std::string_view text, char separator, bool unescape,
                               const Fail& fail);

}  // namespace prjsnap::script_text
