#include "DialogAnswers.h"

#include <algorithm>

#include "ScriptText.h"
#include "platform/Error.h"
#include "platform/Text.h"

namespace prjsnap {
namespace {

using script_text::Lower;
using script_text::Trimmed;

constexpr size_t kMaxNumberDigits = 5;

[[noreturn]] void Bad(std::string_view answer, const std::string& why) {
  throw platform::Error(platform::errc::kInvalidCall,
                        "bad answer '" + std::string(answer) + "': " + why +
                            " (expected rename[:NUMBER][:NAME][:ok|all], overwrite[:ok|all], "
                            "ignore[:ok|all], cancel, close or escape)");
}

bool IsDigits(const std::string& text) {
  return std::all_of(text.begin(), text.end(), platform::text::IsAsciiDigit);
}

/// Splits as script_text::Split does, naming the whole answer when it refuses.
std::vector<std::string> Split(std::string_view text, char separator, bool unescape,
                               std::string_view whole) {
  return script_text::Split(text, separator, unescape,
                            [whole](const std::string& why) { Bad(whole, why); });
}

}  // namespace

DialogAnswer DialogAnswers::ParseOne(std::string_view answer) {
  const std::string whole = Trimmed(answer);
  if (whole.empty()) Bad(answer, "it is empty");
  std::vector<std::string> parts = Split(whole, ':', true, whole);

  DialogAnswer result;
  result.text = whole;
  const std::string word = Lower(Trimmed(parts.front()));
  parts.erase(parts.begin());

  if (word == "cancel" || word == "close" || word == "escape") {
    if (!parts.empty()) Bad(whole, "'" + word + "' takes nothing after it");
    result.choice = word == "cancel"  ? DialogAnswer::Choice::kCancel
                    : word == "close" ? DialogAnswer::Choice::kClose
                                      : DialogAnswer::Choice::kEscape;
    return result;
  }
  if (word != "rename" && word != "overwrite" && word != "ignore") {
    Bad(whole, "'" + word + "' is no choice");
  }
  result.choice = word == "rename"      ? DialogAnswer::Choice::kRename
                  : word == "overwrite" ? DialogAnswer::Choice::kOverwrite
                                        : DialogAnswer::Choice::kIgnore;

  if (!parts.empty()) {
    const std::string last = Lower(Trimmed(parts.back()));
    if (last == "ok" || last == "all") {
      result.button = last == "ok" ? DialogAnswer::Button::kOk : DialogAnswer::Button::kAll;
      parts.pop_back();
    }
  }
  if (result.choice != DialogAnswer::Choice::kRename) {
    if (!parts.empty()) Bad(whole, "only rename takes a number or a name; the button is ok or all");
    return result;
  }
  if (result.button == DialogAnswer::Button::kAll) {
    Bad(whole, "the dialog offers All only for overwrite and ignore");
  }
  if (parts.size() > 2) Bad(whole, "rename takes at most a number and a name");

  if (parts.size() == 2 || (parts.size() == 1 && IsDigits(Trimmed(parts[0])))) {
    std::string number = Trimmed(parts[0]);
    if (!IsDigits(number)) Bad(whole, "'" + number + "' is no number");
    if (number.size() > kMaxNumberDigits) Bad(whole, "a block number has at most 5 digits");
    if (!number.empty()) result.number = std::move(number);
    parts.erase(parts.begin());
  }
  if (!parts.empty()) result.name = Trimmed(parts.front());
  return result;
}

std::vector<DialogAnswer> DialogAnswers::Parse(std::string_view list) {
  std::vector<DialogAnswer> answers;
  if (Trimmed(list).empty()) return answers;
  // Split at the unescaped commas first, keeping the escapes for the answer's own split.
  for (const std::string& answer : Split(list, ',', false, list)) {
    answers.push_back(ParseOne(answer));
  }
  return answers;
}

}  // namespace prjsnap
