// Paging of a print object by the host's print service.
//
//   pages->SetDrawRect(0, 0, 595, 842);
//   pages->BeginPrinting(device, 0, 0);
//   bool more = true;
//   for (pages->SetFirstPage(); more; pages->SetNextPage(more)) pages->PrintPage(device, 0, 0);
//   pages->StopPrinting();
#pragma once

#include <cstdint>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IMzPrintNavigate : public virtual platform::Object {
 public:
  virtual void SetDrawRect(const Variant& left, const Variant& top, const Variant& right,
                           const Variant& bottom) = 0;
  virtual void SetFirstPage() = 0;
  /// To the next page; `more` False (and the page stays the last) when there is none.
  virtual void SetNextPage(bool& more) = 0;
  /// To the previous page; `more` False when that is below page 1 (the page is not raised back).
  virtual void SetPrevieousPage(bool& more) = 0;
  virtual void PrintPage(const Variant& device, const Variant& first, const Variant& second) = 0;
  virtual void GetMaxPage(int32_t& pages) = 0;
  virtual void StopPrinting() = 0;
  virtual void BeginPrinting(const Variant& device, const Variant& first,
                             const Variant& second) = 0;
  virtual void SetInitialRect(const Variant& left, const Variant& top, const Variant& right,
                              const Variant& bottom, const Variant& scale) = 0;
};

}  // namespace mzblprsx
