// What a print device renders pages with: one form of document (text, CSV, HTML, PDF), built
// page by page and handed out whole at the end.
//
//   host::TextRenderer text("Program");      // any PageRenderer
//   text.Page(page1);  text.Page(page2);
//   std::string document = text.Finish();    // "" when no page was rendered
//
// Trap: pages arrive in the order they are printed; a renderer renders each as it comes and
// keeps no view into a page after Page returns.
#pragma once

#include <string>

namespace host {

struct PrintedPage;

class PageRenderer {
 public:
  virtual ~PageRenderer() = default;
  virtual void Page(const PrintedPage& page) = 0;
  /// The document; the renderer takes no pages afterwards.
  virtual std::string Finish() = 0;
};

}  // namespace host
