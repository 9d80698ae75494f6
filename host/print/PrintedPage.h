// One page as the print table hands it to a print device: the page's number and the page
// count, the page set-up, the printed columns' widths, and its rows (the header row first, then
// the page's body rows) with every cell's text and alignment and every row's style.
//
//   for (size_t row = 0; row < page.Rows(); ++row)
//     for (size_t column = 0; column < page.Columns(); ++column)
//       Draw(page.At(row, column).text, page.widths[column], page.At(row, column).align);
//
// Trap: the texts are views into the print table; a page is valid only during the
// PrintDevice::PrintPage call it is handed to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "host/print/PageSetup.h"

namespace host {

struct PrintedCell {
  std::string_view text;
  int32_t align = 0;  ///< IMzPrintTable::kAlignLeft, kAlignCenter or kAlignRight
};

struct PrintedPage {
  int32_t number = 0;  ///< 1-based
  int32_t count = 0;   ///< pages of the document
  PageSetup setup;
  std::vector<int32_t> widths;  ///< per printed column, in characters
  /// Per printed column, its widest text over the whole table (by character cells): what a page
  /// narrower than `widths` measures its columns by.
  std::vector<std::string_view> widestTexts;
  std::vector<PrintedCell> cells;  ///< row by row; row 0 is the header row
  std::vector<int32_t> styles;     ///< per row: 0, or IMzPrintTable::kRowStyleHeading

  size_t Columns() const { return widths.size(); }
  /// Rows including the header row.
  size_t Rows() const { return styles.size(); }
  const PrintedCell& At(size_t row, size_t column) const {
    return cells[row * widths.size() + column];
  }
  /// A group heading (style 1), printed emphasised.
  bool IsHeading(size_t row) const { return styles[row] == 1; }
};

}  // namespace host
