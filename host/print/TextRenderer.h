// Plain-text pages: every column padded to its width in characters (UTF-8 aware, see TextWidth;
// the table widens a column to its widest text) and aligned as its cell says, one blank between
// columns, trailing blanks dropped.
// Each page starts with the job's title and "Page N of M" at the right end of the table's
// width, then the header row and a rule of dashes; pages are separated by a form feed.
//
//   host::TextRenderer text("Program");
//   //  Program            Page 1 of 2
//   //  Name       Size
//   //  ----------------
//   //  FB10        412
//
// Heading rows print as any row: plain text has no emphasis.
#pragma once

#include <string>

#include "host/print/PageRenderer.h"

namespace host {

class TextRenderer : public PageRenderer {
 public:
  explicit TextRenderer(std::string title) : title_(std::move(title)) {}
  void Page(const PrintedPage& page) override;
  std::string Finish() override;

 private:
  std::string title_;
  std::string out_;
  bool any_ = false;
};

}  // namespace host
