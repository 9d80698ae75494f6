#include "platform/ui/Keyboard.h"

#include <charconv>
#include <string>
#include <tuple>
#include <utility>

#include "platform/Error.h"
#include "platform/Text.h"
#include "platform/ui/Form.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"

namespace platform::ui {

namespace {

constexpr std::pair<std::string_view, int32_t> kKeyNames[] = {
    {"ENTER", VK_RETURN},  {"ESC", VK_ESCAPE}, {"ESCAPE", VK_ESCAPE},  {"TAB", VK_TAB},
    {"BS", VK_BACK},       {"BKSP", VK_BACK},  {"BACKSPACE", VK_BACK}, {"DEL", VK_DELETE},
    {"DELETE", VK_DELETE}, {"INS", VK_INSERT}, {"INSERT", VK_INSERT},  {"HOME", VK_HOME},
    {"END", VK_END},       {"PGUP", VK_PRIOR}, {"PGDN", VK_NEXT},      {"UP", VK_UP},
    {"DOWN", VK_DOWN},     {"LEFT", VK_LEFT},  {"RIGHT", VK_RIGHT},    {"SPACE", VK_SPACE},
};

[[noreturn]] void BadKeys(std::string_view keys, const std::string& why) {
  throw Error(errc::kInvalidCall, "Send-keys text \"" + std::string(keys) + "\": " + why);
}

/// The stroke of one character typed as itself.
KeyStroke CharStroke(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (text::IsAsciiLetter(c)) {
    return {text::UpperAscii(c), static_cast<int16_t>(text::UpperAscii(c) == c ? kShiftMask : 0)};
  }
  if (c == ' ') return {VK_SPACE, 0};
  if (c == '~') return {VK_RETURN, 0};
  return {u, 0};
}

/// A named key inside braces, with an optional count ("TAB 3"); literal characters too.
std::pair<int32_t, int32_t> NamedKey(std::string_view keys, std::string_view inner) {
  int32_t count = 1;
  std::string_view name = inner;
  if (const auto space = inner.rfind(' '); space != std::string_view::npos && space > 0) {
    name = inner.substr(0, space);
    const std::string digits(inner.substr(space + 1));
    if (digits.empty() || digits.size() > 3 ||
        digits.find_first_not_of("0123456789") != std::string::npos) {
      BadKeys(keys, "bad count in {" + std::string(inner) + "}");
    }
    std::from_chars(digits.data(), digits.data() + digits.size(), count);
  }
  if (name.size() == 1) return {CharStroke(name[0]).virtualKey, count};
  for (const auto& [keyName, vk] : kKeyNames) {
    if (text::EqualsNoCase(keyName, name)) return {vk, count};
  }
  if ((name[0] == 'F' || name[0] == 'f') && name.size() <= 3) {
    const std::string digits(name.substr(1));
    if (digits.find_first_not_of("0123456789") == std::string::npos) {
      int n = 0;
      std::from_chars(digits.data(), digits.data() + digits.size(), n);
      if (n >= 1 && n <= 12) return {VK_F1 + n - 1, count};
    }
  }
  BadKeys(keys, "unknown key {" + std::string(name) + "}");
}

/// Holds the keystroke depth for the duration of one delivery.
class NestingGuard {
 public:
  NestingGuard() : depth_(UiState::Current().KeyDepth()) {
    if (depth_ >= Keyboard::kMaxNesting) {
      throw Error(errc::kFail,
                  "Key strokes were sent again from their own key handlers too often; a handler "
                  "resends its key without end");
    }
    ++depth_;
  }
  ~NestingGuard() { --depth_; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;

 private:
  int32_t& depth_;
};

void Deliver(int32_t virtualKey, bool down) {
  auto& ui = UiState::Current();
  ui.SetKeyDown(virtualKey, down);
  const int16_t shift = ui.ShiftState();
  if (down && virtualKey == VK_F4 && (shift & kAltMask) != 0) {
    if (auto active = ui.FromHandle(ui.ActiveWindow())) {
      active->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    return;
  }
  auto target = ui.FromHandle(ui.Focus());
  if (!target) target = ui.FromHandle(ui.ActiveWindow());
  if (!target) return;
  auto key = static_cast<int16_t>(virtualKey);
  Window* top = target->TopLevel();
  if (auto* form = dynamic_cast<Form*>(top); form && form != target.Get()) {
    const auto keepForm = form->weak_from_this().lock();
    form->PreviewKey(down, key, shift);
    if (key == 0) return;
  }
  const int32_t topHandle = top->HWnd();
  target->SendMessage(down ? WM_KEYDOWN : WM_KEYUP, key, 0);
  // F1 asks for help: the request climbs to the top-level window, where dialogs watch for it.
  if (down && virtualKey == VK_F1) {
    if (auto topLevel = ui.FromHandle(topHandle)) topLevel->SendMessage(WM_HELP, 0, 0);
  }
}

}  // namespace

void Keyboard::Press(int32_t virtualKey, int16_t shift) {
  NestingGuard guard;
  auto& ui = UiState::Current();
  // Hold the modifiers that are not held already, and release only those afterwards.
  std::vector<int32_t> held;
  for (const auto& [mask, vk] : {std::pair{kShiftMask, VK_SHIFT}, std::pair{kCtrlMask, VK_CONTROL},
                                 std::pair{kAltMask, VK_MENU}}) {
    if ((shift & mask) != 0 && ui.KeyState(vk) >= 0) {
      ui.SetKeyDown(vk, true);
      held.push_back(vk);
    }
  }
  // Released also when a handler fails, so that no key stays down for the next stroke.
  held.push_back(virtualKey);
  struct Release {
    UiState& ui;
    std::vector<int32_t>& keys;
    ~Release() {
      for (const int32_t vk : keys) ui.SetKeyDown(vk, false);
    }
  } release{ui, held};
  Deliver(virtualKey, true);
  Deliver(virtualKey, false);
}

void Keyboard::KeyDown(int32_t virtualKey) {
  NestingGuard guard;
  Deliver(virtualKey, true);
}

void Keyboard::KeyUp(int32_t virtualKey) {
  NestingGuard guard;
  Deliver(virtualKey, false);
}

std::vector<KeyStroke> Keyboard::Parse(std::string_view keys) {
  std::vector<KeyStroke> strokes;
  int16_t pending = 0;  // modifiers for the next key or group
  int16_t group = 0;    // modifiers of the open group
  bool inGroup = false;
  for (size_t i = 0; i < keys.size(); ++i) {
    const char c = keys[i];
    if (c == '+' || c == '^' || c == '%') {
      pending |= c == '+' ? kShiftMask : c == '^' ? kCtrlMask : kAltMask;
      continue;
    }
    if (c == '(') {
      if (inGroup) BadKeys(keys, "nested groups");
      inGroup = true;
      group = pending;
      pending = 0;
      continue;
    }
    if (c == ')') {
      if (!inGroup) BadKeys(keys, "\")\" without \"(\"");
      inGroup = false;
      group = 0;
      continue;
    }
    int32_t vk = 0;
    int32_t count = 1;
    int16_t own = 0;
    if (c == '{') {
      // "{}}" and "{{}" name the braces themselves.
      size_t close = keys.find('}', i + 2);
      if (close == std::string_view::npos) BadKeys(keys, "\"{\" without \"}\"");
      std::tie(vk, count) = NamedKey(keys, keys.substr(i + 1, close - i - 1));
      if (close == i + 2) own = CharStroke(keys[i + 1]).shift;
      i = close;
    } else if (c == '}') {
      BadKeys(keys, "\"}\" without \"{\"");
    } else {
      const KeyStroke k = CharStroke(c);
      vk = k.virtualKey;
      own = k.shift;
    }
    for (int32_t n = 0; n < count; ++n) {
      strokes.push_back({vk, static_cast<int16_t>(own | pending | group)});
    }
    pending = 0;
  }
  if (inGroup) BadKeys(keys, "\"(\" without \")\"");
  if (pending != 0) BadKeys(keys, "a modifier without a key");
  return strokes;
}

void Keyboard::SendKeys(std::string_view keys, bool wait) {
  const auto strokes = Parse(keys);
  auto& pending = UiState::Current().PendingKeys();
  if (!wait) {
    for (const auto& s : strokes) pending.emplace_back(s.virtualKey, s.shift);
    return;
  }
  DoEvents();
  for (const auto& s : strokes) Press(s.virtualKey, s.shift);
}

void Keyboard::DoEvents() {
  auto& pending = UiState::Current().PendingKeys();
  while (!pending.empty()) {
    const auto [vk, shift] = pending.front();
    pending.pop_front();
    Press(vk, shift);
  }
}

}  // namespace platform::ui
