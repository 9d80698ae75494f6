// The application's print service: prints an object's details the way a host prints them,
// through the library's print object ("mzblprsx.RgPrjPrintObjectDetails") and the print table
// it fills, into one of four document forms.
//
//   host::PrintJob job;
//   job.object = program;  job.format = host::PrintFormat::kPdf;  job.pageRows = 40;
//   host::PrintResult printed = env.Print().Print(job);
//   if (!printed.messages.empty()) ...   // the print object refused (its message boxes)
//
// Print creates the print object, hands it the object and its parent (SetRgObject), sets the
// font (DejaVu Sans, 9 pt, neither bold nor italic), the draw rectangle (A4 within 36 pt
// margins) and the initial rectangle (the A4 sheet, scale 1), begins printing on a device of
// its own (a PrintDevice whose renderer makes the chosen form; its handle is the first value of
// BeginPrinting and PrintPage), walks the pages from the first with SetNextPage, printing each
// but never more than GetMaxPage announced, and stops printing. Every page carries the job's
// title and its page number. The document is complete only when every page was printed; a
// print object that printed nothing (it showed why) gives an empty document and 0 pages.
// Messages are the boxes this thread showed (platform::ui::MessageBox) during the job.
//
// Forms: kText (columns padded to their widths, pages separated by a form feed), kCsv (one
// header line and every body row, RFC 4180 quoting, no paging marks), kHtml (one self-contained
// page, one table per printed page), kPdf (cairo and pango, A4 portrait, one PDF page per page).
// All four break pages alike: pageRows body rows, or as many as fit the A4 page at 9 pt (58).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/print/PrintFormat.h"
#include "platform/Ref.h"

namespace host {

struct PrintJob {
  platform::Ref<platform::Object> object;  ///< what to print; may be empty when parent is given
  platform::Ref<platform::Object> parent;  ///< the object's parent (required by the print object)
  PrintFormat format = PrintFormat::kText;
  /// Body rows per page (the header row repeats on each page); 0: as many as fit an A4 page.
  int32_t pageRows = 0;
  std::string title;  ///< in every page's header
};

struct PrintResult {
  std::string document;               ///< the rendered document; empty when nothing printed
  int32_t pages = 0;                  ///< pages printed
  std::vector<std::string> messages;  ///< message boxes the print object showed
};

class PrintService : public virtual platform::Object {
 public:
  PrintService();
  ~PrintService() override;
  std::string_view TypeName() const override { return "PrintService"; }

  /// Prints the job. Error 5 for a page-row count below 0; errors of the print object and the
  /// table travel on.
  PrintResult Print(const PrintJob& job);
};

}  // namespace host
