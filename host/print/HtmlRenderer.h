// One self-contained HTML page (inline CSS, no scripts, nothing fetched): per printed page a
// section with the job's title and "Page N of M" and one table, its header row in <thead>,
// heading rows emphasised (class "heading"), columns as wide as their widths in characters
// (texts that do not fit are cut with an ellipsis), cells aligned by class l, c or r. Every
// text is escaped; sections after the first start a new sheet when printed from a browser.
//
//   host::HtmlRenderer html("Program");
//   //  <section class="page"><header><h1>Program</h1><p>Page 1 of 2</p></header>
//   //  <table><colgroup><col style="width:16ch">...</colgroup><thead><tr><th class="l">Name...
#pragma once

#include <string>

#include "host/print/PageRenderer.h"

namespace host {

class HtmlRenderer : public PageRenderer {
 public:
  explicit HtmlRenderer(std::string title) : title_(std::move(title)) {}
  void Page(const PrintedPage& page) override;
  std::string Finish() override;

 private:
  std::string title_;
  std::string body_;
};

}  // namespace host
