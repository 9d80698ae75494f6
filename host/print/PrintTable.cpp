#include "host/print/PrintTable.h"

#include <algorithm>

#include "host/print/PrintDevice.h"
#include "host/print/PrintedPage.h"
#include "host/print/TextWidth.h"
#include "platform/Error.h"
#include "platform/SafeArray.h"

namespace host {
namespace {

using mzblprsx::Variant;

[[noreturn]] void Refuse(const std::string& what) {
  throw platform::Error(platform::errc::kInvalidCall, "Print table: " + what);
}

std::string Num(int32_t n) {
  return std::to_string(n);
}

int32_t CheckedAlign(int32_t value) {
  if (value < PrintTable::kAlignLeft || value > PrintTable::kAlignRight) {
    Refuse("alignment " + Num(value) + " is none of 0 (left), 1 (centred) and 2 (right)");
  }
  return value;
}

PageRect CheckedRect(const Variant& left, const Variant& top, const Variant& right,
                     const Variant& bottom, const char* what) {
  const PageRect rect{left.ToDouble(), top.ToDouble(), right.ToDouble(), bottom.ToDouble()};
  if (!(rect.Width() > 0) || !(rect.Height() > 0)) {
    Refuse(std::string("the ") + what + " must have its right beyond its left and its bottom " +
           "below its top");
  }
  return rect;
}

}  // namespace

void PrintTable::SetFont(int32_t /*kind*/, int32_t /*weight*/, int32_t /*scale*/,
                         const std::string& name, const Variant& size, const Variant& bold,
                         const Variant& italic) {
  // One font prints the whole table, so whichever kind is set last is it; weight and scale
  // come from the size and the Booleans.
  PageSetup setup = setup_;
  if (!name.empty()) setup.fontName = name;
  if (!size.IsEmpty()) {
    const double points = size.ToDouble();
    if (!(points >= 1 && points <= 200)) {
      Refuse("font size " + size.ToString() + " is outside 1 to 200 points");
    }
    setup.fontSize = points;
  }
  if (!bold.IsEmpty()) setup.bold = bold.ToBool();
  if (!italic.IsEmpty()) setup.italic = italic.ToBool();
  setup_ = std::move(setup);
}

void PrintTable::SetDrawRect(const Variant& left, const Variant& top, const Variant& right,
                             const Variant& bottom) {
  setup_.draw = CheckedRect(left, top, right, bottom, "drawing rectangle");
}

void PrintTable::SetInitialRect(const Variant& left, const Variant& top, const Variant& right,
                                const Variant& bottom, const Variant& scale) {
  const PageRect paper = CheckedRect(left, top, right, bottom, "initial rectangle");
  if (!scale.IsEmpty() && !(scale.ToDouble() > 0)) Refuse("the scale must be above 0");
  setup_.paper = paper;
}

PrintDevice& PrintTable::DeviceOf(const Variant& device) {
  const int32_t handle = device.ToInt32();
  PrintDevice* found = PrintDevice::Find(handle);
  if (found == nullptr) Refuse("there is no print device " + Num(handle) + " on this thread");
  return *found;
}

void PrintTable::BeginPrinting(const Variant& device, const Variant& /*first*/,
                               const Variant& /*second*/) {
  PrintDevice& on = DeviceOf(device);
  if (state_ == State::kFilling) Refuse("the table is not finished (Finish) yet");
  printing_ = true;
  if (state_ == State::kEmpty) {
    pageCount_ = 0;
    rowsPerPage_ = 0;
    return;
  }
  rowsPerPage_ = on.RowsPerPage(setup_);
  widths_.clear();
  widestTexts_.clear();
  for (const int32_t column : printed_) {
    int32_t widest = 0;
    std::string_view widestText;
    for (int32_t row = 0; row <= rows_; ++row) {
      const std::string& text = cells_[At(row, column)];
      const int32_t width = TextWidth::Of(text);
      if (width > widest) {
        widest = width;
        widestText = text;
      }
    }
    widestTexts_.push_back(widestText);
    widths_.push_back(std::max(widest, columns_[static_cast<size_t>(column - 1)].width));
  }
  pageCount_ = std::max(1, (rows_ + rowsPerPage_ - 1) / rowsPerPage_);
}

void PrintTable::PrintPage(int32_t page, const Variant& device, const Variant& /*first*/,
                           const Variant& /*second*/) {
  PrintDevice& on = DeviceOf(device);
  if (!printing_) Refuse("printing has not begun (BeginPrinting)");
  if (page < 1 || page > pageCount_) {
    Refuse("page " + Num(page) + " is outside 1 to " + Num(pageCount_));
  }
  const int32_t first = (page - 1) * rowsPerPage_ + 1;
  const int32_t last = std::min(rows_, page * rowsPerPage_);

  PrintedPage out;
  out.number = page;
  out.count = pageCount_;
  out.setup = setup_;
  out.widths = widths_;
  out.widestTexts = widestTexts_;
  const auto add = [&](int32_t row) {
    for (const int32_t column : printed_) {
      out.cells.push_back({cells_[At(row, column)], AlignOf(row, column)});
    }
    out.styles.push_back(styles_[static_cast<size_t>(row)]);
  };
  const size_t rows = static_cast<size_t>(last - first) + 2;  // and the header row
  out.cells.reserve(rows * printed_.size());
  out.styles.reserve(rows);
  add(0);
  for (int32_t row = first; row <= last; ++row) add(row);
  on.PrintPage(out);
}

void PrintTable::StopPrinting() {
  printing_ = false;
}

void PrintTable::CheckFilling(const char* what) const {
  if (state_ == State::kEmpty) Refuse(std::string(what) + " before SetColumnCount");
  if (state_ == State::kFinished) {
    Refuse(std::string(what) + " after Finish; SetColumnCount starts a new table");
  }
}

void PrintTable::CheckRow(int32_t row, int32_t first) const {
  if (row < first || row > rows_) {
    Refuse("row " + Num(row) + " is outside " + Num(first) + " to " + Num(rows_));
  }
}

void PrintTable::CheckColumn(int32_t column) const {
  if (column < 1 || column > static_cast<int32_t>(columns_.size())) {
    Refuse("column " + Num(column) + " is outside 1 to " +
           Num(static_cast<int32_t>(columns_.size())));
  }
}

void PrintTable::SetColumnCount(int32_t count) {
  if (count < 1 || count > kMaxColumns) {
    Refuse("column count " + Num(count) + " is outside 1 to " + Num(kMaxColumns));
  }
  state_ = State::kFilling;
  printing_ = false;
  pageCount_ = 0;
  columns_.assign(static_cast<size_t>(count), Column{});
  rows_ = 0;
  cells_.assign(static_cast<size_t>(count), std::string());
  rowAlign_.assign(static_cast<size_t>(count), int8_t{-1});
  styles_.assign(1, int8_t{0});
  printed_.resize(static_cast<size_t>(count));
  for (int32_t column = 1; column <= count; ++column)
    printed_[static_cast<size_t>(column - 1)] = column;
}

void PrintTable::SetRowCount(int32_t count) {
  CheckFilling("SetRowCount");
  if (count < 0 || count > kMaxRows) {
    Refuse("row count " + Num(count) + " is outside 0 to " + Num(kMaxRows));
  }
  rows_ = count;
  const size_t rows = static_cast<size_t>(count) + 1;
  cells_.resize(rows * columns_.size());
  rowAlign_.resize(rows * columns_.size(), int8_t{-1});
  styles_.resize(rows, int8_t{0});
  for (Column& column : columns_) {
    std::erase_if(column.body, [&](const auto& rule) { return rule.first > count; });
  }
}

void PrintTable::SetColumnAttribute(int32_t column, int32_t attribute, const Variant& value) {
  CheckFilling("SetColumnAttribute");
  CheckColumn(column);
  if (attribute != kAttributeWidth) {
    Refuse("column attribute " + Num(attribute) + " is unknown (3 is the width)");
  }
  const int32_t width = value.ToInt32();
  if (width < 1 || width > kMaxWidth) {
    Refuse("column width " + Num(width) + " is outside 1 to " + Num(kMaxWidth));
  }
  columns_[static_cast<size_t>(column - 1)].width = width;
}

void PrintTable::SetCellText(int32_t row, int32_t column, const std::string& text) {
  CheckFilling("SetCellText");
  CheckRow(row, 0);
  CheckColumn(column);
  cells_[At(row, column)] = text;
}

void PrintTable::SetCellFormat(int32_t kind, int32_t row, int32_t column, int32_t value) {
  CheckFilling("SetCellFormat");
  CheckRow(row, 0);
  CheckColumn(column);
  const auto align = static_cast<int8_t>(CheckedAlign(value));
  if (kind == kFormatAlignRow) {
    rowAlign_[At(row, column)] = align;
  } else if (kind == kFormatAlignBody) {
    // A later rule covers every row from its own down, so the rules it covers wholly go.
    auto& body = columns_[static_cast<size_t>(column - 1)].body;
    while (!body.empty() && body.back().first >= row) body.pop_back();
    body.emplace_back(row, align);
  } else {
    Refuse("cell format kind " + Num(kind) + " is unknown (2 body, 3 row alignment)");
  }
}

int32_t PrintTable::AlignOf(int32_t row, int32_t column) const {
  const int8_t own = rowAlign_[At(row, column)];
  if (own >= 0) return own;
  const auto& body = columns_[static_cast<size_t>(column - 1)].body;
  const auto after = std::upper_bound(body.begin(), body.end(), row,
                                      [](int32_t r, const auto& rule) { return r < rule.first; });
  return after == body.begin() ? kAlignLeft : std::prev(after)->second;
}

void PrintTable::SetColumnList(const std::shared_ptr<platform::SafeArray>& columns) {
  CheckFilling("SetColumnList");
  if (!columns) throw platform::Error(platform::errc::kObjectNotSet, "Print table: no column list");
  if (columns->Dimensions() != 1 || columns->Size() == 0) {
    Refuse("the column list must be a one-dimensional array of at least one column number");
  }
  std::vector<int32_t> printed;
  printed.reserve(columns->Size());
  for (int32_t at = columns->LBound(); at <= columns->UBound(); ++at) {
    const int32_t column = columns->Get({at}).ToInt32();
    if (column < 1 || column > static_cast<int32_t>(columns_.size())) {
      Refuse("the column list names column " + Num(column) + ", but the table has " +
             Num(static_cast<int32_t>(columns_.size())));
    }
    printed.push_back(column);
  }
  printed_ = std::move(printed);
}

void PrintTable::SetRowStyle(int32_t style, int32_t row, int32_t /*a*/, int32_t /*b*/,
                             int32_t /*c*/) {
  CheckFilling("SetRowStyle");
  CheckRow(row, 0);
  if (style != 0 && style != kRowStyleHeading) {
    Refuse("row style " + Num(style) + " is unknown (0 plain, 1 group heading)");
  }
  styles_[static_cast<size_t>(row)] = static_cast<int8_t>(style);
}

void PrintTable::Finish(int32_t how) {
  CheckFilling("Finish");
  if (how != 1) Refuse("Finish(" + Num(how) + ") is unknown; 1 completes the table");
  state_ = State::kFinished;
}

}  // namespace host
