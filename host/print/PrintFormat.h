// The forms a print job renders into (see PrintService for what each looks like); a print
// device makes the renderer of a form (PrintDevice::RendererFor).
//
//   host::PrintDevice device(host::PrintFormat::kPdf, "Program", 0);
#pragma once

namespace host {

enum class PrintFormat { kText, kCsv, kHtml, kPdf };

}  // namespace host
