#include "host/print/CsvRenderer.h"

#include "host/print/PrintedPage.h"

namespace host {
namespace {

void AppendField(std::string& out, std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out.append(text);
    return;
  }
  out += '"';
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void AppendRow(std::string& out, const PrintedPage& page, size_t row) {
  for (size_t column = 0; column < page.Columns(); ++column) {
    if (column > 0) out += ',';
    AppendField(out, page.At(row, column).text);
  }
  out += "\r\n";
}

}  // namespace

void CsvRenderer::Page(const PrintedPage& page) {
  if (!headerDone_) {
    AppendRow(out_, page, 0);
    headerDone_ = true;
  }
  for (size_t row = 1; row < page.Rows(); ++row) AppendRow(out_, page, row);
}

std::string CsvRenderer::Finish() {
  return std::move(out_);
}

}  // namespace host
