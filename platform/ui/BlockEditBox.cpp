#include "platform/ui/BlockEditBox.h"

#include "platform/Error.h"
#include "platform/ui/Messages.h"

namespace platform::ui {

namespace {
constexpr int32_t kInvalidPropertyValue = 380;

/// The first `count` characters (code points) of UTF-8 text.
std::string FirstCharacters(std::string_view text, size_t count) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte belongs to the character before
    if (chars == count) return std::string(text.substr(0, i));
    ++chars;
  }
  return std::string(text);
}
}  // namespace

BlockEditBox::BlockEditBox() : backColor_(kColorWindowBackground) {}

void BlockEditBox::SetSymbol(std::string_view symbol) {
  symbol_ = maxSymbolLength_ > 0 ? FirstCharacters(symbol, static_cast<size_t>(maxSymbolLength_))
                                 : std::string(symbol);
}

void BlockEditBox::SetMaxSymbolLength(int16_t length) {
  if (length < 0) throw Error(kInvalidPropertyValue, "Invalid property value");
  maxSymbolLength_ = length;
  SetSymbol(std::string(symbol_));
}

void BlockEditBox::SetCaptionOrder(int16_t order) {
  if (order != 0 && order != 1) throw Error(kInvalidPropertyValue, "Invalid property value");
  captionOrder_ = order;
}

std::string BlockEditBox::BlockName() const {
  if (!showNumber_ || blockTypeText_.empty() || blockNumber_ < 1 || blockNumber_ > 65535) {
    return "";
  }
  return blockTypeText_ + std::to_string(blockNumber_);
}

bool BlockEditBox::TypeNumber(std::string_view typed) {
  if (!IsShown() || !IsUsable() || !showNumber_) return false;
  int32_t number = 0;
  int32_t digits = 0;
  for (const char c : typed) {
    if (c < '0' || c > '9' || digits == kMaxNumberDigits) continue;
    number = number * 10 + (c - '0');
    ++digits;
  }
  if (number == blockNumber_) return true;
  blockNumber_ = number;
  changeNumber_.Emit();
  return true;
}

bool BlockEditBox::TypeSymbol(std::string_view typed) {
  if (!IsShown() || !IsUsable() || !showSymbol_) return false;
  SetSymbol(typed);
  return true;
}

std::string BlockEditBox::Render() const {
  const std::string number = blockTypeText_ + " " + std::to_string(blockNumber_);
  std::string text;
  if (showNumber_ && showSymbol_) {
    text = captionOrder_ == 1 ? symbol_ + " | " + number : number + " | " + symbol_;
  } else if (showNumber_) {
    text = number;
  } else if (showSymbol_) {
    text = symbol_;
  }
  text = "[" + text + "]";
  if (backColor_ != kColorWindowBackground) text += " (marked)";
  if (!IsUsable()) text += " (disabled)";
  return text;
}

}  // namespace platform::ui
