#include "host/print/PrintDevice.h"

#include <unordered_map>

#include "host/print/CsvRenderer.h"
#include "host/print/HtmlRenderer.h"
#include "host/print/PageSetup.h"
#include "host/print/PdfRenderer.h"
#include "host/print/TextRenderer.h"
#include "platform/Error.h"

namespace host {
namespace {

struct Devices {
  std::unordered_map<int32_t, PrintDevice*> byHandle;
  int32_t last = 0;
};

Devices& ThreadDevices() {
  thread_local Devices devices;
  return devices;
}

}  // namespace

PrintDevice::PrintDevice(std::unique_ptr<PageRenderer> renderer, int32_t pageRows)
    : renderer_(std::move(renderer)), pageRows_(pageRows), handle_(0) {
  if (!renderer_) {
    throw platform::Error(platform::errc::kObjectNotSet, "A print device needs a renderer");
  }
  if (pageRows < 0) {
    throw platform::Error(
        platform::errc::kInvalidCall,
        "Rows per page must be 0 (as many as fit) or more, not " + std::to_string(pageRows));
  }
  Devices& devices = ThreadDevices();
  handle_ = ++devices.last;
  devices.byHandle.emplace(handle_, this);
}

PrintDevice::PrintDevice(PrintFormat format, const std::string& title, int32_t pageRows)
    : PrintDevice(RendererFor(format, title), pageRows) {}

std::unique_ptr<PageRenderer> PrintDevice::RendererFor(PrintFormat format,
                                                       const std::string& title) {
  switch (format) {
    case PrintFormat::kText:
      return std::make_unique<TextRenderer>(title);
    case PrintFormat::kCsv:
      return std::make_unique<CsvRenderer>();
    case PrintFormat::kHtml:
      return std::make_unique<HtmlRenderer>(title);
    case PrintFormat::kPdf:
      return std::make_unique<PdfRenderer>(title);
  }
  throw platform::Error(platform::errc::kInvalidCall, "Unknown print format");
}

PrintDevice::~PrintDevice() {
  ThreadDevices().byHandle.erase(handle_);
}

PrintDevice* PrintDevice::Find(int32_t handle) {
  const Devices& devices = ThreadDevices();
  const auto found = devices.byHandle.find(handle);
  return found == devices.byHandle.end() ? nullptr : found->second;
}

int32_t PrintDevice::RowsPerPage(const PageSetup& setup) const {
  return pageRows_ > 0 ? pageRows_ : setup.RowsThatFit();
}

void PrintDevice::PrintPage(const PrintedPage& page) {
  if (finished_) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "The print device's document is finished; it prints no more pages");
  }
  renderer_->Page(page);
  ++printed_;
}

std::string PrintDevice::Finish() {
  if (finished_) return {};
  finished_ = true;
  return renderer_->Finish();
}

}  // namespace host
