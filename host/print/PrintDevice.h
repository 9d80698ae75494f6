// A print device of the host's print service: the handle by which the print table finds it
// (the first value of BeginPrinting and PrintPage), how many body rows a page of it holds, and
// the renderer that turns the pages printed on it into one document.
//
//   host::PrintDevice device(host::PrintFormat::kCsv, "", 0);   // 0: as many rows as fit
//   table->BeginPrinting(device.Handle(), 0, 0);
//   for (int32_t page = 1; page <= table->PageCount(); ++page)
//     table->PrintPage(page, device.Handle(), 0, 0);
//   std::string csv = device.Finish();
//
// Handles are per thread (each application prints on its own thread), start at 1, are never
// reused on a thread, and are valid while the device lives.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/print/PrintFormat.h"

namespace host {

class PageRenderer;
class PageSetup;
struct PrintedPage;

class PrintDevice {
 public:
  /// pageRows: body rows per page; 0 for as many as fit the page set-up. Error 5 below 0.
  PrintDevice(std::unique_ptr<PageRenderer> renderer, int32_t pageRows);
  /// A device rendering into that form, with the title on every page (CSV has none).
  PrintDevice(PrintFormat format, const std::string& title, int32_t pageRows);
  ~PrintDevice();
  PrintDevice(const PrintDevice&) = delete;
  PrintDevice& operator=(const PrintDevice&) = delete;

  /// The renderer of a form.
  static std::unique_ptr<PageRenderer> RendererFor(PrintFormat format, const std::string& title);

  int32_t Handle() const { return handle_; }
  /// The calling thread's device of that handle; nullptr when there is none.
  static PrintDevice* Find(int32_t handle);

  int32_t RowsPerPage(const PageSetup& setup) const;
  /// Renders the page; error 5 after Finish.
  void PrintPage(const PrintedPage& page);
  int32_t PagesPrinted() const { return printed_; }
  /// The document of the pages printed; nothing is printed on the device afterwards.
  std::string Finish();

 private:
  std::unique_ptr<PageRenderer> renderer_;
  int32_t pageRows_;
  int32_t handle_;
  int32_t printed_ = 0;
  bool finished_ = false;
};

}  // namespace host
