// The block entry: shows and takes a block as type text, number and symbol, or a plain name in
// the symbol part (ShowNumber off).
//
//   box->SetBlockTypeText("FB");
//   box->SetBlockNumber(10);           // by code: no ChangeNumber
//   box->TypeNumber("11");             // the user's typing: ChangeNumber, BlockName "FB11"
//
// The symbol never exceeds MaxSymbolLength characters (0: no limit): longer text set by code is
// cut, and typed characters beyond the limit are refused. The number part takes digits only, at
// most five (block numbers stop at 65535).
//
// Trap: BlockName is "" unless a number is shown and lies in 1..65535, so "no name" also means
// "the typed number cannot be a block".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Signal.h"
#include "platform/ui/Control.h"

namespace platform::ui {

class BlockEditBox : public Control {
 public:
  static constexpr int32_t kMaxNumberDigits = 5;

  BlockEditBox();
  std::string_view TypeName() const override { return "BlockEditBox"; }

  const std::string& BlockTypeText() const { return blockTypeText_; }
  void SetBlockTypeText(std::string text) { blockTypeText_ = std::move(text); }
  int32_t BlockNumber() const { return blockNumber_; }
  void SetBlockNumber(int32_t number) { blockNumber_ = number; }
  /// The symbol (for a plain name: the name); the control's default property.
  const std::string& Symbol() const { return symbol_; }
  /// Sets the symbol, cut to MaxSymbolLength characters.
  void SetSymbol(std::string_view symbol);
  int16_t MaxSymbolLength() const { return maxSymbolLength_; }
  /// Sets the limit (0: none) and cuts the current symbol to it; error 380 when negative.
  void SetMaxSymbolLength(int16_t length);
  bool ShowNumber() const { return showNumber_; }
  void SetShowNumber(bool show) { showNumber_ = show; }
  bool ShowSymbol() const { return showSymbol_; }
  void SetShowSymbol(bool show) { showSymbol_ = show; }
  /// 0: number before symbol; 1: symbol first. Error 380 for any other value.
  int16_t CaptionOrder() const { return captionOrder_; }
  void SetCaptionOrder(int16_t order);
  /// Type text followed by the decimal number ("FB11") when a number is shown and lies in
  /// 1..65535 and a type text is set; otherwise "".
  std::string BlockName() const;
  /// The background colour (default: the system window background).
  int32_t BackColor() const { return backColor_; }
  void SetBackColor(int32_t color) { backColor_ = color; }

  /// The user replaces the number by typing: non-digits are refused, at most five digits are
  /// taken, nothing typed is 0. Raises ChangeNumber when the number changed. False (nothing
  /// happens) when the control cannot be used or shows no number.
  bool TypeNumber(std::string_view typed);
  /// The user replaces the symbol by typing; characters beyond the limit are refused. False when
  /// the control cannot be used or shows no symbol.
  bool TypeSymbol(std::string_view typed);

  /// "[FB 10 | Motor]" (symbol first with caption order 1, parts as shown), with " (marked)"
  /// when the background is not the normal one and " (disabled)" when it cannot be used.
  std::string Render() const override;

  Signal<>& ChangeNumber() { return changeNumber_; }

 private:
  std::string blockTypeText_;
  int32_t blockNumber_ = 0;
  std::string symbol_;
  int16_t maxSymbolLength_ = 0;
  bool showNumber_ = true;
  bool showSymbol_ = true;
  int16_t captionOrder_ = 0;
  int32_t backColor_;
  Signal<> changeNumber_;
};

}  // namespace platform::ui
