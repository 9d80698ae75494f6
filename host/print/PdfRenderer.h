// PDF pages through cairo (cairo-pdf) and pango: one PDF page per printed page, as large as the
// page set-up's paper (A4 portrait unless the initial rectangle says otherwise), drawn within
// its drawing area: the job's title (bold) and "Page N of M" at the top, a blank line, the
// header row in bold over a rule, then the body rows; heading rows bold. Columns take their
// widths in characters; a table wider than the drawing area measures its columns by their
// widest texts instead and narrows them together only when those still do not fit; a text that
// is still too wide for its box ends in an ellipsis.
//
//   host::PdfRenderer pdf("Program");
//   pdf.Page(page);
//   std::string bytes = pdf.Finish();   // "%PDF-1.5 ..."; "" when no page was rendered
//
// Speed: one pango layout is laid out again for every cell (no layout per cell), and the
// regular and the bold font descriptions are made once per font of the set-up.
#pragma once

#include <memory>
#include <string>

#include "host/print/PageRenderer.h"

namespace host {

class PdfRenderer : public PageRenderer {
 public:
  explicit PdfRenderer(std::string title);
  ~PdfRenderer() override;
  PdfRenderer(const PdfRenderer&) = delete;
  PdfRenderer& operator=(const PdfRenderer&) = delete;

  void Page(const PrintedPage& page) override;
  /// Error 5 when cairo failed to write the document.
  std::string Finish() override;

 private:
  struct State;
  std::string title_;
  std::unique_ptr<State> state_;
};

}  // namespace host
