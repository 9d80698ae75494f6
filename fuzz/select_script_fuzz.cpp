// Fuzz target: the steps prjsnap's --select option and the terminal give the selection dialogs.
// Any text either reads as steps or is refused with error 5 naming the bad step; whatever reads,
// written back in the grammar's own form, reads as the same steps again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "SelectScript.h"
#include "platform/Error.h"

namespace {

using prjsnap::SelectScript;
using prjsnap::SelectStep;
using Kind = SelectStep::Kind;

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

std::string Modifier(int16_t shift) {
  return shift == 1 ? "shift+" : shift == 2 ? "ctrl+" : "";
}

std::string KeyWord(int32_t key) {
  switch (key) {
    case 0x26:
      return "up";
    case 0x28:
      return "down";
    case 0x21:
      return "pgup";
    case 0x22:
      return "pgdn";
    case 0x20:
      return "space";
    case 0x0D:
      return "enter";
    default:
      std::abort();  // the parser made a key the grammar has no word for
  }
}

std::string ButtonWord(const std::string& button) {
  if (button == "rgcmdLoad") return "load";
  if (button == "rgcmdBlockOpen") return "open";
  if (button == "rgcmdBlockProperties") return "properties";
  if (button == "rgcmdCancel") return "cancel";
  std::abort();
}

std::string Written(const SelectStep& step) {
  switch (step.kind) {
    case Kind::kSelectAll:
      return "all";
    case Kind::kSelectNone:
      return "none";
    case Kind::kAdd:
      return "+" + Escaped(step.name);
    case Kind::kRemove:
      return "-" + Escaped(step.name);
    case Kind::kClick:
      return Modifier(step.shift) + "click:" + Escaped(step.name);
    case Kind::kRightClick:
      return "right:" + Escaped(step.name);
    case Kind::kDoubleClick:
      return "dblclick:" + Escaped(step.name);
    case Kind::kKey:
      return Modifier(step.shift) + KeyWord(step.key);
    case Kind::kButton:
      return ButtonWord(step.button);
    case Kind::kEscape:
      return "escape";
    case Kind::kClose:
      return "close";
  }
  std::abort();
}

bool Same(const SelectStep& a, const SelectStep& b) {
  return a.kind == b.kind && a.name == b.name && a.key == b.key && a.shift == b.shift &&
         a.button == b.button;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), data ? size : 0);
  std::vector<SelectStep> steps;
  try {
    steps = SelectScript::Parse(text);
  } catch (const platform::Error& e) {
    Check(e.Number() == platform::errc::kInvalidCall);
    Check(e.Description().starts_with("bad step '"));
    return 0;
  }
  std::string list;
  for (const SelectStep& step : steps) {
    Check(!step.text.empty());
    const bool named = step.kind == Kind::kAdd || step.kind == Kind::kRemove ||
                       step.kind == Kind::kClick || step.kind == Kind::kRightClick ||
                       step.kind == Kind::kDoubleClick;
    Check(named == !step.name.empty());
    Check(step.name.empty() || (step.name.front() != ' ' && step.name.back() != ' '));
    if (!list.empty()) list += ",";
    list += Written(step);
  }
  try {
    const std::vector<SelectStep> again = SelectScript::Parse(list);
    Check(again.size() == steps.size());
    for (size_t i = 0; i < again.size(); ++i) Check(Same(again[i], steps[i]));
  } catch (const platform::Error&) {
    std::abort();  // the steps as written back must read
  }
  return 0;
}
