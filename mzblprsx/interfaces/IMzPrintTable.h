// The host's print table (clsid::kPrintTable): a table of text cells that the print object
// fills and then asks for pages. Layout, fonts and page breaks are the table's.
//
//   table->SetColumnCount(2);  table->SetRowCount(3);       // rows 1..3 below header row 0
//   table->SetColumnAttribute(1, kAttributeWidth, 16);      // width in characters
//   table->SetCellText(0, 1, "Name");
//   table->SetCellFormat(kFormatAlignRow, 0, 2, kAlignRight);
//   table->SetColumnList(columns);                          // 1-based array of column numbers
//   table->Finish(1);
//   table->BeginPrinting(device, 0, 0);                     // fixes the page count
//   table->PrintPage(1, device, 0, 0);
//
// Rows run from 0 (the header row) to the row count; a cell never set prints empty. The three
// values of BeginPrinting and PrintPage name the output device first (a handle the host's print
// service hands out); the other two are the device's own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "mzblprsx/interfaces/Types.h"
#include "platform/SafeArray.h"

namespace mzblprsx {

class IMzPrintTable : public virtual platform::Object {
 public:
  /// SetColumnAttribute: the column's width in characters.
  static constexpr int32_t kAttributeWidth = 3;
  /// SetCellFormat kinds: 3 aligns the cells of a row (the row given) and 2 those of the body
  /// rows (from the row given down) of a column; the value: 0 left, 1 centred, 2 right.
  static constexpr int32_t kFormatAlignRow = 3;
  static constexpr int32_t kFormatAlignBody = 2;
  static constexpr int32_t kAlignLeft = 0;
  static constexpr int32_t kAlignCenter = 1;
  static constexpr int32_t kAlignRight = 2;
  /// SetRowStyle style 1: the row is a group heading (printed emphasised).
  static constexpr int32_t kRowStyleHeading = 1;

  // Page set-up and printing.
  virtual void SetFont(int32_t kind, int32_t weight, int32_t scale, const std::string& name,
                       const Variant& size, const Variant& bold, const Variant& italic) = 0;
  virtual void SetDrawRect(const Variant& left, const Variant& top, const Variant& right,
                           const Variant& bottom) = 0;
  virtual void SetInitialRect(const Variant& left, const Variant& top, const Variant& right,
                              const Variant& bottom, const Variant& scale) = 0;
  /// Breaks the filled table into pages for the device; PageCount answers from here on.
  virtual void BeginPrinting(const Variant& device, const Variant& first,
                             const Variant& second) = 0;
  virtual void PrintPage(int32_t page, const Variant& device, const Variant& first,
                         const Variant& second) = 0;
  virtual void StopPrinting() = 0;
  /// 0 before BeginPrinting.
  virtual int32_t PageCount() = 0;

  // Filling.
  virtual void SetColumnCount(int32_t count) = 0;
  virtual void SetRowCount(int32_t count) = 0;
  virtual void SetColumnAttribute(int32_t column, int32_t attribute, const Variant& value) = 0;
  virtual void SetCellText(int32_t row, int32_t column, const std::string& text) = 0;
  virtual void SetCellFormat(int32_t kind, int32_t row, int32_t column, int32_t value) = 0;
  /// The columns to print, in order: a one-dimensional array of column numbers.
  virtual void SetColumnList(const std::shared_ptr<platform::SafeArray>& columns) = 0;
  virtual void SetRowStyle(int32_t style, int32_t row, int32_t a, int32_t b, int32_t c) = 0;
  /// The table is complete (1); further cells are errors until it is filled again.
  virtual void Finish(int32_t how) = 0;
};

}  // namespace mzblprsx
