#include "mzblprsx/printing/RgPrjPrintObjectDetails.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/cursors/RgProjectCursorDetailsPrint.h"
#include "mzblprsx/handlers/ItemKind.h"
#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IMzPrintTable.h"
#include "mzblprsx/interfaces/IRgHostApplication.h"
#include "mzblprsx/interfaces/IRgLanguageAccess.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/IRgObjectPath.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "mzblprsx/models/RgProjectData.h"
#include "mzblprsx/models/RgProjects.h"
#include "platform/ClassRegistry.h"
#include "platform/DateTime.h"
#include "platform/LocalDateFormat.h"
#include "platform/SafeArray.h"
#include "platform/ui/MessageBox.h"

namespace mzblprsx {

/// What one column of a printout shows.
enum class CellKind {
  kText,  ///< the value as text, the missing text when the item has none
  kSize,  ///< "SIZE" as decimal text, 0 when missing; summed into the total
  kDate,  ///< the date in the locale's short date and long time, 1900-01-01 when missing
  kNone,  ///< nothing
};

struct PrintColumn {
  int32_t header;  ///< language text of the header; 0 for none
  int32_t width;   ///< in characters
  const char* key;
  const char* missing;
  CellKind kind;
};

struct PrintFormat {
  int32_t kind;
  int32_t row;
  int32_t column;
  int32_t value;
};

struct PrintLayout {
  std::vector<PrintColumn> columns;
  std::vector<PrintFormat> formats;
  /// The first of the three columns of the total line.
  int32_t totalColumn;
  /// The memory card's total puts a blank before the unit.
  bool blankBeforeUnit;
  /// Offline category rows show only their name and print as group headings.
  bool categoryRows;
};

namespace {

constexpr const char* kMissingName = "<Missing>";
constexpr const char* kMissingValue = "-----";
constexpr const char* kSnapInName = "ProjectSnapIn";
constexpr int32_t kTextTotal = 1008;
constexpr int32_t kTextUnit = 1009;
constexpr int32_t kFinished = 1;
// The font call's fixed part: the proportional font, its weight and scale.
constexpr int32_t kFontProportional = 0;
constexpr int32_t kFontWeight = 1;
constexpr int32_t kFontScale = 1;

using Table = IMzPrintTable;

const PrintLayout& OfflineLayout() {
  static const PrintLayout layout{{{1000, 16, "NAME", kMissingName, CellKind::kText},
                                   {1001, 20, "SYMBOL", kMissingValue, CellKind::kText},
                                   {1002, 12, "SIZE", "", CellKind::kSize},
                                   {1003, 12, "PROGLANGUAGE", kMissingValue, CellKind::kText},
                                   {1004, 16, "LASTMODIFIED", "", CellKind::kDate},
                                   {1005, 12, "AUTHOR", kMissingValue, CellKind::kText},
                                   {1006, 12, "HEADERNAME", kMissingValue, CellKind::kText}},
                                  {{Table::kFormatAlignRow, 0, 3, Table::kAlignRight},
                                   {Table::kFormatAlignBody, 1, 3, Table::kAlignRight},
                                   {Table::kFormatAlignRow, 0, 4, Table::kAlignCenter},
                                   {Table::kFormatAlignBody, 1, 4, Table::kAlignCenter}},
                                  2,
                                  false,
                                  true};
  return layout;
}

const PrintLayout& OnlineLayout() {
  static const PrintLayout layout{{{1000, 20, "NAME", kMissingName, CellKind::kText},
                                   {1002, 12, "SIZE", "", CellKind::kSize},
                                   {1003, 18, "PROGLANGUAGE", kMissingValue, CellKind::kText},
                                   {1004, 18, "LASTMODIFIED", "", CellKind::kDate},
                                   {1005, 16, "AUTHOR", kMissingValue, CellKind::kText},
                                   {1006, 16, "HEADERNAME", kMissingValue, CellKind::kText}},
                                  {{Table::kFormatAlignRow, 0, 2, Table::kAlignRight},
                                   {Table::kFormatAlignBody, 1, 2, Table::kAlignRight},
                                   {Table::kFormatAlignRow, 0, 3, Table::kAlignCenter},
                                   {Table::kFormatAlignBody, 1, 3, Table::kAlignCenter}},
                                  1,
                                  false,
                                  false};
  return layout;
}

const PrintLayout& MMCLayout() {
  static const PrintLayout layout{{{1017, 20, "NAME", kMissingName, CellKind::kText},
                                   {1018, 30, "DISPLAY_TYPE", kMissingValue, CellKind::kText},
                                   {1002, 15, "SIZE", "", CellKind::kSize},
                                   {0, 10, "", "", CellKind::kNone},
                                   {1004, 25, "LASTMODIFIED", "", CellKind::kDate}},
                                  {{Table::kFormatAlignRow, 0, 3, Table::kAlignRight},
                                   {Table::kFormatAlignBody, 1, 3, Table::kAlignRight}},
                                  2,
                                  true,
                                  false};
  return layout;
}

/// The class identifier of a framework object; empty for anything else.
std::string ClassOf(const Ref<Object>& object) {
  const auto framework = object.As<IRgObject>();
  return framework ? framework->ClassID() : std::string();
}

}  // namespace

RgPrjPrintObjectDetails::RgPrjPrintObjectDetails() {
  Guard(*this, "Class_Initialize", [&] {
    page_ = 1;
    snapIn_ = P_GetSnapin(P_GetApplication());
    table_ = platform::CreateObjectAs<IMzPrintTable>(clsid::kPrintTable);
  });
}

RgPrjPrintObjectDetails::~RgPrjPrintObjectDetails() = default;

Ref<IRgHostApplication> RgPrjPrintObjectDetails::P_GetApplication() {
  Ref<IRgHostApplication> result;
  Guard(*this, "P_GetApplication",
        [&] { result = platform::CreateObjectAs<IRgHostApplication>(clsid::kHostApplication); });
  return result;
}

Ref<RgProjectSnapin> RgPrjPrintObjectDetails::P_GetSnapin(
    const Ref<IRgHostApplication>& application) {
  Ref<RgProjectSnapin> result;
  Guard(*this, "P_GetSnapin", [&] {
    if (!application) return;
    result = application->SnapIn(kSnapInName).As<RgProjectSnapin>();
  });
  return result;
}

void RgPrjPrintObjectDetails::SetRgObject(Ref<Object> object, Ref<Object> parent,
                                          const std::string& /*options*/) {
  Guard(*this, "IMzPrintInit_SetRgObject", [&] {
    if (!parent) return;
    int32_t location = RgProjectLocationUnknown;
    int32_t mode = RgPrjCursorPrintDetailsModeProject;
    if (object) {
      const std::string classId = ClassOf(object);
      if (classId == clsid::kProgramOffline) {
        location = RgProjectLocationOffline;
        mode = RgPrjCursorPrintDetailsModeProgram;
      } else if (classId == clsid::kProgramOnline) {
        location = RgProjectLocationOnline;
        mode = RgPrjCursorPrintDetailsModeProgram;
      } else if (classId == clsid::kProjectOffline) {
        location = RgProjectLocationOffline;
      } else if (classId == clsid::kProjectOnline) {
        location = RgProjectLocationOnline;
      } else if (classId == clsid::kMemoryCard) {
        location = RgProjectLocationOnline;
        mode = RgPrjCursorPrintDetailsModeMMC;
      }
    } else {
      P_LocationOfParent(parent, location, mode);
    }

    if (!snapIn_) {
      platform::ui::MessageBox::Show(std::string(kNoSnapIn), platform::ui::MessageBox::kOkOnly);
      return;
    }
    if (location == RgProjectLocationUnknown) {
      platform::ui::MessageBox::Show(std::string(kNoLocation), platform::ui::MessageBox::kOkOnly);
      return;
    }

    model_ = snapIn_->Projects()->Project(location)->Model();
    const auto cursor = platform::MakeObject<RgProjectCursorDetailsPrint>();
    cursor->SetCursorMode(mode);
    cursor->Attach(model_);
    if (location == RgProjectLocationOffline) {
      P_SetOfflinePrintData(*cursor);
    } else if (mode == RgPrjCursorPrintDetailsModeMMC) {
      P_SetMMCPrintData(*cursor);
    } else {
      P_SetOnlinePrintData(*cursor);
    }
    cursor->Detach();
  });
}

void RgPrjPrintObjectDetails::P_LocationOfParent(const Ref<Object>& parent, int32_t& location,
                                                 int32_t& mode) {
  Guard(*this, "P_LocationOfParent", [&] {
    const auto path = platform::CreateObjectAs<IRgObjectPath>(clsid::kObjectPath);
    path->Start(parent);
    const std::string projectClass = ClassOf(path->Project());
    if (projectClass == clsid::kProjectOffline) {
      location = RgProjectLocationOffline;
    } else if (projectClass == clsid::kProjectOnline) {
      location = RgProjectLocationOnline;
    }
    if (ClassOf(parent) == clsid::kMemoryCard) mode = RgPrjCursorPrintDetailsModeMMC;
  });
}

void RgPrjPrintObjectDetails::P_SetOfflinePrintData(RgProjectCursorDetailsPrint& cursor) {
  Guard(*this, "P_SetOfflinePrintData", [&] { P_SetPrintData(cursor, OfflineLayout()); });
}

void RgPrjPrintObjectDetails::P_SetOnlinePrintData(RgProjectCursorDetailsPrint& cursor) {
  Guard(*this, "P_SetOnlinePrintData", [&] { P_SetPrintData(cursor, OnlineLayout()); });
}

void RgPrjPrintObjectDetails::P_SetMMCPrintData(RgProjectCursorDetailsPrint& cursor) {
  Guard(*this, "P_SetMMCPrintData", [&] { P_SetPrintData(cursor, MMCLayout()); });
}

void RgPrjPrintObjectDetails::P_SetPrintData(RgProjectCursorDetailsPrint& cursor,
                                             const PrintLayout& layout) {
  const Ref<IRgLanguageAccess> texts = snapIn_->LanguageAccess();
  const int32_t count = cursor.Count().ToInt32();
  const auto columns = static_cast<int32_t>(layout.columns.size());

  table_->SetColumnCount(columns);
  table_->SetRowCount(count + 1);
  for (int32_t c = 1; c <= columns; ++c) {
    table_->SetColumnAttribute(c, Table::kAttributeWidth, Variant(layout.columns[c - 1].width));
  }
  for (int32_t c = 1; c <= columns; ++c) {
    const int32_t header = layout.columns[c - 1].header;
    if (header != 0) table_->SetCellText(0, c, texts->GetText(header));
  }
  for (const PrintFormat& format : layout.formats) {
    table_->SetCellFormat(format.kind, format.row, format.column, format.value);
  }
  const auto list = platform::SafeArray::Create(platform::VarType::Int32, {{1, columns}});
  for (int32_t c = 1; c <= columns; ++c) list->Set({c}, Variant(c));
  table_->SetColumnList(list);

  // Each item's data is read once, each value by one look-up; the fallback stands for a value
  // the item does not have.
  const std::string sizeKey = "SIZE";
  std::vector<std::string> keys;
  std::vector<Variant> missing;
  for (const PrintColumn& column : layout.columns) {
    keys.emplace_back(column.key);
    missing.emplace_back(column.kind == CellKind::kDate   ? Variant(platform::DateTime())
                         : column.kind == CellKind::kSize ? Variant(int32_t{0})
                                                          : Variant(column.missing));
  }
  int64_t total = 0;
  for (int32_t row = 1; row <= count; ++row) {
    const Ref<RgProjectItem> item = cursor.Item(Variant(row));
    const Ref<RgProjectItemData> data = item->Data();
    const bool category =
        layout.categoryRows &&
        data->Value(std::string(item_kind::kTypeKey)).ToString() == item_kind::kCategory;
    if (category) {
      table_->SetCellText(row, 1, data->Value(keys[0], missing[0]).ToString());
      total += data->Value(sizeKey, Variant(int32_t{0})).ToInt32();
      table_->SetRowStyle(Table::kRowStyleHeading, row, 0, 0, 0);
      continue;
    }
    for (int32_t c = 1; c <= columns; ++c) {
      const size_t at = static_cast<size_t>(c) - 1;
      switch (layout.columns[at].kind) {
        case CellKind::kText:
          table_->SetCellText(row, c, data->Value(keys[at], missing[at]).ToString());
          break;
        case CellKind::kSize: {
          const int32_t size = data->Value(keys[at], missing[at]).ToInt32();
          total += size;
          table_->SetCellText(row, c, std::to_string(size));
          break;
        }
        case CellKind::kDate:
          table_->SetCellText(
              row, c,
              platform::LocalDateFormat::DateAndTime(data->Value(keys[at], missing[at]).ToDate()));
          break;
        case CellKind::kNone:
          break;
      }
    }
  }

  const int32_t totalRow = count + 1;
  const int32_t first = layout.totalColumn;
  table_->SetCellText(totalRow, first, texts->GetText(kTextTotal));
  table_->SetCellText(totalRow, first + 1, std::to_string(total));
  std::string unit = texts->GetText(kTextUnit);
  if (layout.blankBeforeUnit) unit.insert(unit.begin(), ' ');
  table_->SetCellText(totalRow, first + 2, unit);
  table_->SetCellFormat(Table::kFormatAlignRow, totalRow, first, Table::kAlignRight);
  table_->SetCellFormat(Table::kFormatAlignRow, totalRow, first + 2, Table::kAlignLeft);
  table_->Finish(kFinished);
}

void RgPrjPrintObjectDetails::SetAktOptiones(const std::string& /*options*/) {
  Guard(*this, "IMzPrintInit_SetAktOptiones", [] {});
}

void RgPrjPrintObjectDetails::SetPropFont(const std::string& name, const Variant& size,
                                          const Variant& bold, const Variant& italic) {
  Guard(*this, "IMzPrintInit_SetPropFont", [&] {
    table_->SetFont(kFontProportional, kFontWeight, kFontScale, name, size, bold, italic);
  });
}

void RgPrjPrintObjectDetails::SetNonPropFont(const std::string& /*name*/) {
  Guard(*this, "IMzPrintInit_SetNonPropFont", [] {});
}

Variant RgPrjPrintObjectDetails::GetMetaFile() {
  Guard(*this, "IMzPrintInit_GetMetaFile", [] {});
  return {};
}

void RgPrjPrintObjectDetails::SetDrawRect(const Variant& left, const Variant& top,
                                          const Variant& right, const Variant& bottom) {
  Guard(*this, "IMzPrintNavigate_SetDrawRect",
        [&] { table_->SetDrawRect(left, top, right, bottom); });
}

void RgPrjPrintObjectDetails::SetFirstPage() {
  Guard(*this, "IMzPrintNavigate_SetFirstPage", [&] { page_ = 1; });
}

void RgPrjPrintObjectDetails::SetNextPage(bool& more) {
  Guard(*this, "IMzPrintNavigate_SetNextPage", [&] {
    more = false;
    ++page_;
    if (page_ > pageCount_) {
      page_ = pageCount_;
      return;
    }
    more = true;
  });
}

void RgPrjPrintObjectDetails::SetPrevieousPage(bool& more) {
  Guard(*this, "IMzPrintNavigate_SetPrevieousPage", [&] {
    --page_;
    more = page_ >= 1;
  });
}

void RgPrjPrintObjectDetails::PrintPage(const Variant& device, const Variant& first,
                                        const Variant& second) {
  Guard(*this, "IMzPrintNavigate_PrintPage",
        [&] { table_->PrintPage(page_, device, first, second); });
}

void RgPrjPrintObjectDetails::GetMaxPage(int32_t& pages) {
  Guard(*this, "IMzPrintNavigate_GetMaxPage", [&] { pages = pageCount_; });
}

void RgPrjPrintObjectDetails::StopPrinting() {
  Guard(*this, "IMzPrintNavigate_StopPrinting", [&] { table_->StopPrinting(); });
}

void RgPrjPrintObjectDetails::BeginPrinting(const Variant& device, const Variant& first,
                                            const Variant& second) {
  Guard(*this, "IMzPrintNavigate_BeginPrinting", [&] {
    table_->BeginPrinting(device, first, second);
    pageCount_ = table_->PageCount();
  });
}

void RgPrjPrintObjectDetails::SetInitialRect(const Variant& left, const Variant& top,
                                             const Variant& right, const Variant& bottom,
                                             const Variant& scale) {
  Guard(*this, "IMzPrintNavigate_SetInitialRect",
        [&] { table_->SetInitialRect(left, top, right, bottom, scale); });
}

}  // namespace mzblprsx
