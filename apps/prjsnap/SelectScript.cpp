#include "SelectScript.h"

#include <array>
#include <cstdint>
#include <utility>

#include "ScriptText.h"
#include "platform/Error.h"
#include "platform/ui/Messages.h"

namespace prjsnap {
namespace {

using script_text::Lower;
using script_text::Trimmed;
using Kind = SelectStep::Kind;
namespace ui = platform::ui;

constexpr int16_t kShift = 1;
constexpr int16_t kCtrl = 2;

[[noreturn]] void Bad(std::string_view step, const std::string& why) {
  throw platform::Error(platform::errc::kInvalidCall,
                        "bad step '" + std::string(step) + "': " + why +
                            " (expected all, none, +NAME, -NAME, click:NAME, shift+click:NAME, "
                            "ctrl+click:NAME, right:NAME, dblclick:NAME, up, down, pgup, pgdn, "
                            "space (each also with shift+ or ctrl+), enter, load, open, "
                            "properties, cancel, escape or close)");
}

struct Word {
  std::string_view word;
  Kind kind;
  int32_t key;
  std::string_view button;
};

constexpr std::array kPlainWords{
    Word{"all", Kind::kSelectAll, 0, ""},
    Word{"none", Kind::kSelectNone, 0, ""},
    Word{"enter", Kind::kKey, ui::VK_RETURN, ""},
    Word{"load", Kind::kButton, 0, "rgcmdLoad"},
    Word{"open", Kind::kButton, 0, "rgcmdBlockOpen"},
    Word{"properties", Kind::kButton, 0, "rgcmdBlockProperties"},
    Word{"cancel", Kind::kButton, 0, "rgcmdCancel"},
    Word{"escape", Kind::kEscape, 0, ""},
    Word{"close", Kind::kClose, 0, ""},
};

constexpr std::array kKeys{
    std::pair<std::string_view, int32_t>{"up", ui::VK_UP},
    std::pair<std::string_view, int32_t>{"down", ui::VK_DOWN},
    std::pair<std::string_view, int32_t>{"pgup", ui::VK_PRIOR},
    std::pair<std::string_view, int32_t>{"pgdn", ui::VK_NEXT},
    std::pair<std::string_view, int32_t>{"space", ui::VK_SPACE},
};

/// The row name after "+", "-" or "WORD:"; refused when it is empty.
std::string NameOf(std::string_view rest, std::string_view whole) {
  std::vector<std::string> parts =
      script_text::Split(rest, ':', true, [whole](const std::string& why) { Bad(whole, why); });
  if (parts.size() != 1) Bad(whole, "a name with ':' in it is written with '\\:'");
  std::string name = Trimmed(parts.front());
  if (name.empty()) Bad(whole, "the row's name is missing");
  return name;
}

SelectStep ParseOne(std::string_view written) {
  const std::string whole = Trimmed(written);
  if (whole.empty()) Bad(written, "it is empty");
  SelectStep step;
  step.text = whole;
  if (whole.front() == '+' || whole.front() == '-') {
    step.kind = whole.front() == '+' ? Kind::kAdd : Kind::kRemove;
    step.name = NameOf(std::string_view(whole).substr(1), whole);
    return step;
  }
  // The word ends at the first unescaped ':'; names may hold escaped ones.
  const size_t colon = whole.find(':');
  std::string word = Lower(Trimmed(std::string_view(whole).substr(0, colon)));
  const std::string_view rest =
      colon == std::string::npos ? std::string_view() : std::string_view(whole).substr(colon + 1);

  if (word.starts_with("shift+") || word.starts_with("ctrl+")) {
    step.shift = word.starts_with("shift+") ? kShift : kCtrl;
    word = Trimmed(word.substr(word.find('+') + 1));
  }
  if (word == "click" || word == "right" || word == "dblclick") {
    if (colon == std::string::npos) Bad(whole, "'" + word + "' needs ':' and the row's name");
    if (step.shift != 0 && word != "click") Bad(whole, "only click takes shift+ or ctrl+");
    step.kind = word == "click"   ? Kind::kClick
                : word == "right" ? Kind::kRightClick
                                  : Kind::kDoubleClick;
    step.name = NameOf(rest, whole);
    return step;
  }
  if (colon != std::string::npos) Bad(whole, "'" + word + "' takes nothing after it");
  for (const auto& [name, key] : kKeys) {
    if (word == name) {
      step.kind = Kind::kKey;
      step.key = key;
      return step;
    }
  }
  if (step.shift != 0) Bad(whole, "shift+ and ctrl+ go with click and the keys only");
  for (const Word& plain : kPlainWords) {
    if (word != plain.word) continue;
    step.kind = plain.kind;
    step.key = plain.key;
    step.button = std::string(plain.button);
    return step;
  }
  Bad(whole, "'" + word + "' is no step");
}

}  // namespace

bool SelectStep::Ends() const {
  switch (kind) {
    case Kind::kButton:
    case Kind::kEscape:
    case Kind::kClose:
    case Kind::kDoubleClick:
      return true;
    case Kind::kKey:
      return key == ui::VK_RETURN;
    default:
      return false;
  }
}

std::vector<SelectStep> SelectScript::Parse(std::string_view list) {
  std::vector<SelectStep> steps;
  if (Trimmed(list).empty()) return steps;
  for (const std::string& step :
       script_text::Split(list, ',', false, [list](const std::string& why) { Bad(list, why); })) {
    steps.push_back(ParseOne(step));
  }
  return steps;
}

}  // namespace prjsnap
