#include "host/print/HtmlRenderer.h"

#include "host/print/PrintedPage.h"
#include "mzblprsx/interfaces/IMzPrintTable.h"

namespace host {
namespace {

void AppendEscaped(std::string& out, std::string_view text) {
  size_t from = 0;
  for (size_t at = 0; at < text.size(); ++at) {
    const char* entity = nullptr;
    switch (text[at]) {
      case '&':
        entity = "&amp;";
        break;
      case '<':
        entity = "&lt;";
        break;
      case '>':
        entity = "&gt;";
        break;
      case '"':
        entity = "&quot;";
        break;
      case '\'':
        entity = "&#39;";
        break;
      default:
        continue;
    }
    out.append(text.substr(from, at - from));
    out += entity;
    from = at + 1;
  }
  out.append(text.substr(from));
}

const char* AlignClass(int32_t align) {
  if (align == mzblprsx::IMzPrintTable::kAlignRight) return "r";
  if (align == mzblprsx::IMzPrintTable::kAlignCenter) return "c";
  return "l";
}

void AppendRow(std::string& out, const PrintedPage& page, size_t row, const char* cell) {
  out += page.IsHeading(row) ? "<tr class=\"heading\">" : "<tr>";
  for (size_t column = 0; column < page.Columns(); ++column) {
    const PrintedCell& c = page.At(row, column);
    out += '<';
    out += cell;
    out += " class=\"";
    out += AlignClass(c.align);
    out += "\">";
    AppendEscaped(out, c.text);
    out += "</";
    out += cell;
    out += '>';
  }
  out += "</tr>\n";
}

constexpr std::string_view kStyle =
    "body{font-family:'DejaVu Sans',sans-serif;font-size:9pt;margin:0}"
    ".page{margin:1em;break-after:page}.page:last-child{break-after:auto}"
    "header{display:flex;justify-content:space-between;align-items:baseline}"
    "h1{font-size:1.2em;margin:0 0 .5em 0}header p{margin:0}"
    "table{border-collapse:collapse;table-layout:fixed}"
    "th,td{padding:0 .5ch 0 0;white-space:nowrap;overflow:hidden;text-overflow:ellipsis}"
    "thead th{border-bottom:1px solid #000}"
    ".l{text-align:left}.c{text-align:center}.r{text-align:right}"
    "tr.heading td{font-weight:bold}";

}  // namespace

void HtmlRenderer::Page(const PrintedPage& page) {
  std::string& out = body_;
  out += "<section class=\"page\"><header><h1>";
  AppendEscaped(out, title_);
  out += "</h1><p>Page " + std::to_string(page.number) + " of " + std::to_string(page.count) +
         "</p></header>\n<table><colgroup>";
  for (const int32_t width : page.widths) {
    out += "<col style=\"width:" + std::to_string(width + 1) + "ch\">";
  }
  out += "</colgroup>\n<thead>";
  AppendRow(out, page, 0, "th");
  out += "</thead>\n<tbody>\n";
  for (size_t row = 1; row < page.Rows(); ++row) AppendRow(out, page, row, "td");
  out += "</tbody></table></section>\n";
}

std::string HtmlRenderer::Finish() {
  if (body_.empty()) return {};
  std::string out = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>";
  AppendEscaped(out, title_);
  out += "</title><style>";
  out += kStyle;
  out += "</style></head><body>\n";
  out += body_;
  out += "</body></html>\n";
  body_.clear();
  return out;
}

}  // namespace host
