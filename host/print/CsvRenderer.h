// Comma-separated values (RFC 4180): the header row once, then every body row of every page in
// order, fields that hold a comma, a quote, a carriage return or a line feed quoted with their
// quotes doubled, lines ended by CR LF. Texts are whole (no widths), and nothing marks a page.
//
//   host::CsvRenderer csv;
//   //  Name,Header\r\n
//   //  FB10,"Motor, ""fast"""\r\n
#pragma once

#include <string>

#include "host/print/PageRenderer.h"

namespace host {

class CsvRenderer : public PageRenderer {
 public:
  void Page(const PrintedPage& page) override;
  std::string Finish() override;

 private:
  std::string out_;
  bool headerDone_ = false;
};

}  // namespace host
