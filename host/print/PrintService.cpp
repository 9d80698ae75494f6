#include "host/print/PrintService.h"

#include <memory>

#include "host/print/PageSetup.h"
#include "host/print/PrintDevice.h"
#include "mzblprsx/interfaces/IMzPrintInit.h"
#include "mzblprsx/interfaces/IMzPrintNavigate.h"
#include "platform/ClassRegistry.h"
#include "platform/Error.h"
#include "platform/ui/MessageBox.h"

namespace host {
namespace {

constexpr std::string_view kPrintObject = "mzblprsx.RgPrjPrintObjectDetails";
constexpr double kFontSize = 9;

// The message boxes this thread showed since `before` (the number it had shown then).
std::vector<std::string> ShownSince(size_t before) {
  const auto& shown = platform::ui::MessageBox::Shown();
  if (shown.size() < before) return shown;  // someone cleared the list meanwhile
  return {shown.begin() + static_cast<std::ptrdiff_t>(before), shown.end()};
}

}  // namespace

PrintService::PrintService() = default;
PrintService::~PrintService() = default;

PrintResult PrintService::Print(const PrintJob& job) {
  if (job.pageRows < 0) {
    throw platform::Error(platform::errc::kInvalidCall,
                          "A print job's rows per page must be 0 (as many as fit) or more, not " +
                              std::to_string(job.pageRows));
  }
  const size_t shownBefore = platform::ui::MessageBox::Shown().size();
  PrintDevice device(job.format, job.title, job.pageRows);
  const mzblprsx::Variant handle(device.Handle());
  const mzblprsx::Variant none(int32_t{0});

  const auto init = platform::CreateObjectAs<mzblprsx::IMzPrintInit>(kPrintObject);
  const auto pages = init.Cast<mzblprsx::IMzPrintNavigate>();
  init->SetRgObject(job.object, job.parent, "");
  init->SetPropFont("DejaVu Sans", kFontSize, false, false);
  const PageSetup a4;
  pages->SetDrawRect(a4.draw.left, a4.draw.top, a4.draw.right, a4.draw.bottom);
  pages->SetInitialRect(a4.paper.left, a4.paper.top, a4.paper.right, a4.paper.bottom, 1.0);

  pages->BeginPrinting(handle, none, none);
  int32_t count = 0;
  pages->GetMaxPage(count);
  // At most the announced pages, whatever SetNextPage answers: a print object that never
  // says "no more" must not print for ever.
  bool more = count > 0;
  if (more) pages->SetFirstPage();
  for (int32_t printed = 0; more && printed < count; ++printed) {
    pages->PrintPage(handle, none, none);
    pages->SetNextPage(more);
  }
  pages->StopPrinting();

  PrintResult result;
  result.pages = device.PagesPrinted();
  result.document = device.Finish();
  result.messages = ShownSince(shownBefore);
  return result;
}

}  // namespace host
