#include "host/print/TextRenderer.h"

#include <algorithm>

#include "host/print/PrintedPage.h"
#include "host/print/TextWidth.h"
#include "mzblprsx/interfaces/IMzPrintTable.h"

namespace host {
namespace {

void TrimLine(std::string& out, size_t lineStart) {
  size_t end = out.size();
  while (end > lineStart && out[end - 1] == ' ') --end;
  out.resize(end);
  out += '\n';
}

void AppendCell(std::string& out, const PrintedCell& cell, int32_t width) {
  int32_t used = 0;
  const size_t bytes = TextWidth::Fit(cell.text, width, used);
  const auto pad = static_cast<size_t>(width - used);
  size_t before = 0;
  if (cell.align == mzblprsx::IMzPrintTable::kAlignRight) {
    before = pad;
  } else if (cell.align == mzblprsx::IMzPrintTable::kAlignCenter) {
    before = pad / 2;
  }
  out.append(before, ' ');
  out.append(cell.text.substr(0, bytes));
  out.append(pad - before, ' ');
}

}  // namespace

void TextRenderer::Page(const PrintedPage& page) {
  if (any_) out_ += '\f';
  any_ = true;

  int32_t tableWidth = 0;
  for (const int32_t width : page.widths) tableWidth += width + 1;
  tableWidth = tableWidth > 0 ? tableWidth - 1 : 0;

  const std::string number =
      "Page " + std::to_string(page.number) + " of " + std::to_string(page.count);
  size_t start = out_.size();
  out_ += title_;
  const int32_t gap = tableWidth - TextWidth::Of(title_) - static_cast<int32_t>(number.size());
  out_.append(static_cast<size_t>(std::max(gap, 2)), ' ');
  out_ += number;
  TrimLine(out_, start);

  for (size_t row = 0; row < page.Rows(); ++row) {
    start = out_.size();
    for (size_t column = 0; column < page.Columns(); ++column) {
      if (column > 0) out_ += ' ';
      AppendCell(out_, page.At(row, column), page.widths[column]);
    }
    TrimLine(out_, start);
    if (row == 0) {
      out_.append(static_cast<size_t>(tableWidth), '-');
      out_ += '\n';
    }
  }
}

std::string TextRenderer::Finish() {
  return std::move(out_);
}

}  // namespace host
