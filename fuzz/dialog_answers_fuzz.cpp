// Fuzz target: the answers prjsnap's --answers option and the terminal give the overwrite dialog.
// Any text either reads as answers or is refused with error 5 naming the bad answer; whatever
// reads, written back in the grammar's own form, reads as the same answers again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "DialogAnswers.h"
#include "platform/Error.h"

namespace {

using prjsnap::DialogAnswer;
using prjsnap::DialogAnswers;

void Check(bool condition) {
  if (!condition) std::abort();
}

std::string Escaped(const std::string& name) {
  std::string out;
  for (const char c : name) {
    if (c == ',' || c == ':' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

/// The answer in a form that leaves nothing to the reader's guesses: the button always written,
/// and the number always in front of a name.
std::string Written(const DialogAnswer& answer) {
  const std::string button = answer.button == DialogAnswer::Button::kAll ? ":all" : ":ok";
  switch (answer.choice) {
    case DialogAnswer::Choice::kCancel:
      return "cancel";
    case DialogAnswer::Choice::kClose:
      return "close";
    case DialogAnswer::Choice::kEscape:
      return "escape";
    case DialogAnswer::Choice::kOverwrite:
      return "overwrite" + button;
    case DialogAnswer::Choice::kIgnore:
      return "ignore" + button;
    case DialogAnswer::Choice::kRename:
      break;
  }
  std::string text = "rename";
  if (answer.number || answer.name) text += ":" + answer.number.value_or("");
  if (answer.name) text += ":" + Escaped(*answer.name);
  return text + button;
}

bool Same(const DialogAnswer& a, const DialogAnswer& b) {
  return a.choice == b.choice && a.number == b.number && a.name == b.name && a.button == b.button;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), data ? size : 0);
  std::vector<DialogAnswer> answers;
  try {
    answers = DialogAnswers::Parse(text);
  } catch (const platform::Error& e) {
    Check(e.Number() == platform::errc::kInvalidCall);
    Check(e.Description().starts_with("bad answer '"));
    return 0;
  }
  std::string list;
  for (const DialogAnswer& answer : answers) {
    Check(!answer.text.empty());
    Check(!answer.number || (!answer.number->empty() && answer.number->size() <= 5));
    Check(answer.choice == DialogAnswer::Choice::kRename || (!answer.number && !answer.name));
    if (!list.empty()) list += ",";
    list += Written(answer);
  }
  try {
    const std::vector<DialogAnswer> again = DialogAnswers::Parse(list);
    Check(again.size() == answers.size());
    for (size_t i = 0; i < again.size(); ++i) Check(Same(again[i], answers[i]));
  } catch (const platform::Error&) {
    std::abort();  // the answers as written back must read
  }
  return 0;
}
