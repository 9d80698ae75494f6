// The printout of a details list: a project's, a program's or a memory card's objects as a
// table with a total line. The host's print service creates it, hands it the object to print
// (SetRgObject fills the host's print table) and then walks the pages.
//
//   auto init = platform::CreateObjectAs<IMzPrintInit>("mzblprsx.RgPrjPrintObjectDetails");
//   init->SetRgObject(program, project, "");       // or (nothing, program's parent)
//   auto pages = init.As<IMzPrintNavigate>();
//   pages->BeginPrinting(device, 0, 0);            // the page count is the table's from here
//   bool more = true;
//   for (pages->SetFirstPage(); more; pages->SetNextPage(more)) pages->PrintPage(device, 0, 0);
//   pages->StopPrinting();
//
// What is printed follows the object's class (offline or online program or project, the
// memory card); without an object the parent's project decides. Without the project snap-in or
// a known location a message box says why and nothing is filled.
//
// Trap: SetPrevieousPage on page 1 leaves page 0 (and answers False); the next SetNextPage
// returns to page 1.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "mzblprsx/core/mdl_ErrorHandler.h"
#include "mzblprsx/interfaces/IMzPrintInit.h"
#include "mzblprsx/interfaces/IMzPrintNavigate.h"
#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IMzPrintTable;
class IRgHostApplication;
class RgProjectCursorDetailsPrint;
class RgProjectModel;
class RgProjectSnapin;
struct PrintLayout;

class RgPrjPrintObjectDetails final : public IMzPrintInit, public IMzPrintNavigate {
 public:
  static constexpr std::string_view kTypeName = "RgPrjPrintObjectDetails";
  /// The messages shown instead of a printout.
  static constexpr std::string_view kNoSnapIn =
      "Could not print, because the Project Explorer Snapin was not found!";
  static constexpr std::string_view kNoLocation =
      "Could not print, because the project location is unknown!";

  RgPrjPrintObjectDetails();
  ~RgPrjPrintObjectDetails() override;
  std::string_view TypeName() const override { return kTypeName; }

  // IMzPrintInit
  void SetRgObject(Ref<Object> object, Ref<Object> parent, const std::string& options) override;
  void SetAktOptiones(const std::string& options) override;
  void SetPropFont(const std::string& name, const Variant& size, const Variant& bold,
                   const Variant& italic) override;
  void SetNonPropFont(const std::string& name) override;
  Variant GetMetaFile() override;

  // IMzPrintNavigate
  void SetDrawRect(const Variant& left, const Variant& top, const Variant& right,
                   const Variant& bottom) override;
  void SetFirstPage() override;
  void SetNextPage(bool& more) override;
  void SetPrevieousPage(bool& more) override;
  void PrintPage(const Variant& device, const Variant& first, const Variant& second) override;
  void GetMaxPage(int32_t& pages) override;
  void StopPrinting() override;
  void BeginPrinting(const Variant& device, const Variant& first, const Variant& second) override;
  void SetInitialRect(const Variant& left, const Variant& top, const Variant& right,
                      const Variant& bottom, const Variant& scale) override;

 private:
  Ref<IRgHostApplication> P_GetApplication();
  Ref<RgProjectSnapin> P_GetSnapin(const Ref<IRgHostApplication>& application);
  /// The location and mode the parent's project gives, for a print without an object.
  void P_LocationOfParent(const Ref<Object>& parent, int32_t& location, int32_t& mode);
  void P_SetOfflinePrintData(RgProjectCursorDetailsPrint& cursor);
  void P_SetOnlinePrintData(RgProjectCursorDetailsPrint& cursor);
  void P_SetMMCPrintData(RgProjectCursorDetailsPrint& cursor);
  /// Fills the table with the cursor's items in one of the three layouts.
  void P_SetPrintData(RgProjectCursorDetailsPrint& cursor, const PrintLayout& layout);

  Ref<RgProjectSnapin> snapIn_;
  Ref<IMzPrintTable> table_;
  Ref<RgProjectModel> model_;
  int32_t page_ = 1;
  int32_t pageCount_ = 0;
  InstanceTrace trace_{kTypeName};
};

}  // namespace mzblprsx
