// The host's print table (clsid::kPrintTable): the table of text cells that a print object
// fills and then prints page by page onto a print device of the host's print service.
//
//   auto table = platform::CreateObjectAs<mzblprsx::IMzPrintTable>(mzblprsx::clsid::kPrintTable);
//   table->SetColumnCount(2);                        // starts a new table
//   table->SetRowCount(25);                          // body rows 1..25 below header row 0
//   table->SetColumnAttribute(2, IMzPrintTable::kAttributeWidth, 12);
//   table->SetCellText(0, 1, "Name");
//   table->Finish(1);
//   host::PrintDevice device(std::make_unique<host::TextRenderer>("Title"), 10);
//   table->BeginPrinting(device.Handle(), 0, 0);     // 3 pages of 10 body rows
//   table->PrintPage(1, device.Handle(), 0, 0);
//
// Filling: SetColumnCount starts a new table (every column 10 characters wide, left aligned,
// every column printed in order); SetRowCount then sets the body rows (cells of rows that stay
// keep their texts). Alignment: a row's own alignment (format kind 3) wins over the column's
// body alignment (kind 2, from its row down; a later one wins for the rows it covers), which
// wins over left. The column list, when given, names the printed columns in order; a column may
// be printed twice. Finish(1) closes the table: any filling call but SetColumnCount is then an
// error.
//
// Printing: the font (kind 0, the body font) and both rectangles feed the PageSetup that the
// device's rows per page and the renderers work from. BeginPrinting breaks the body rows into
// pages of the device's rows per page (at least one page; header row 0 repeats on each);
// a table that was never filled has no pages. A printed column is as wide as its width
// attribute or its widest text, whichever is wider, the same on every page: a printout never
// cuts a date or a name to fit a width that was meant for a proportional font. Every value
// that does not fit is error 5.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "host/print/PageSetup.h"
#include "mzblprsx/interfaces/IMzPrintTable.h"

namespace host {

class PrintDevice;

class PrintTable : public mzblprsx::IMzPrintTable {
 public:
  static constexpr int32_t kMaxColumns = 255;
  static constexpr int32_t kMaxRows = 1'000'000;
  static constexpr int32_t kMaxWidth = 1000;
  static constexpr int32_t kDefaultWidth = 10;

  std::string_view TypeName() const override { return "PrintTable"; }

  void SetFont(int32_t kind, int32_t weight, int32_t scale, const std::string& name,
               const mzblprsx::Variant& size, const mzblprsx::Variant& bold,
               const mzblprsx::Variant& italic) override;
  void SetDrawRect(const mzblprsx::Variant& left, const mzblprsx::Variant& top,
                   const mzblprsx::Variant& right, const mzblprsx::Variant& bottom) override;
  void SetInitialRect(const mzblprsx::Variant& left, const mzblprsx::Variant& top,
                      const mzblprsx::Variant& right, const mzblprsx::Variant& bottom,
                      const mzblprsx::Variant& scale) override;
  void BeginPrinting(const mzblprsx::Variant& device, const mzblprsx::Variant& first,
                     const mzblprsx::Variant& second) override;
  void PrintPage(int32_t page, const mzblprsx::Variant& device, const mzblprsx::Variant& first,
                 const mzblprsx::Variant& second) override;
  void StopPrinting() override;
  int32_t PageCount() override { return pageCount_; }

  void SetColumnCount(int32_t count) override;
  void SetRowCount(int32_t count) override;
  void SetColumnAttribute(int32_t column, int32_t attribute,
                          const mzblprsx::Variant& value) override;
  void SetCellText(int32_t row, int32_t column, const std::string& text) override;
  void SetCellFormat(int32_t kind, int32_t row, int32_t column, int32_t value) override;
  void SetColumnList(const std::shared_ptr<platform::SafeArray>& columns) override;
  void SetRowStyle(int32_t style, int32_t row, int32_t a, int32_t b, int32_t c) override;
  void Finish(int32_t how) override;

 private:
  enum class State { kEmpty, kFilling, kFinished };
  struct Column {
    int32_t width = kDefaultWidth;
    /// Body alignments as (first row, value), first rows rising: a row takes the last one at
    /// or above it.
    std::vector<std::pair<int32_t, int8_t>> body;
  };

  /// The table as filling needs it: error 5 before SetColumnCount or after Finish.
  void CheckFilling(const char* what) const;
  void CheckRow(int32_t row, int32_t first) const;
  void CheckColumn(int32_t column) const;
  size_t At(int32_t row, int32_t column) const {
    return static_cast<size_t>(row) * columns_.size() + static_cast<size_t>(column - 1);
  }
  int32_t AlignOf(int32_t row, int32_t column) const;
  static PrintDevice& DeviceOf(const mzblprsx::Variant& device);

  State state_ = State::kEmpty;
  std::vector<Column> columns_;
  int32_t rows_ = 0;                // body rows
  std::vector<std::string> cells_;  // (rows_ + 1) x columns, row by row
  std::vector<int8_t> rowAlign_;    // per cell: -1, or the row's own alignment
  std::vector<int8_t> styles_;      // per row
  std::vector<int32_t> printed_;    // the column list
  PageSetup setup_;
  bool printing_ = false;
  int32_t pageCount_ = 0;
  int32_t rowsPerPage_ = 0;
  std::vector<int32_t> widths_;                // per printed column, fixed by BeginPrinting
  std::vector<std::string_view> widestTexts_;  // per printed column, into cells_
};

}  // namespace host
