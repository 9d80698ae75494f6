#include "CompareHtml.h"

#include <ostream>

#include "CompareCommand.h"

namespace prjsnap {
namespace {

constexpr const char* kStyle = R"(
body { font-family: sans-serif; margin: 1.5em; color: #222; }
h1 { font-size: 1.4em; margin: 0 0 0.6em 0; }
table.counts { border-collapse: collapse; margin-bottom: 1.2em; }
table.counts th { text-align: left; padding: 0.15em 1.5em 0.15em 0; font-weight: normal; }
table.counts td { padding: 0.15em 0; font-weight: bold; }
.result-equal { color: #1a6b2a; }
.result-different { color: #a12c1c; }
.trees { display: flex; gap: 2em; align-items: flex-start; }
.tree { flex: 1; min-width: 0; }
.tree h2 { font-size: 1.1em; margin: 0 0 0.4em 0; }
.tree table { border-collapse: collapse; width: 100%; }
.tree td { padding: 0.1em 0.5em; white-space: nowrap; }
.tree td.mark { width: 1.5em; text-align: center; font-weight: bold; }
.tree td.title { color: #555; }
tr.state-1, tr.state-4 { background: #e3f4e6; }
tr.state-2 { background: #fbe3df; }
tr.state-3 { background: #fff3cc; }
tr.ghost { background: #ececec; font-style: italic; }
.legend { margin-top: 1.2em; font-size: 0.9em; color: #555; }
@media print { .trees { gap: 1em; } tr { break-inside: avoid; }
  tr.state-1, tr.state-2, tr.state-3, tr.state-4, tr.ghost {
    -webkit-print-color-adjust: exact; print-color-adjust: exact; } }
)";

void WriteTree(std::ostream& out, const char* heading, const std::string& name,
               const std::vector<CompareRow>& rows) {
  out << "<div class=\"tree\"><h2>" << heading << ": " << HtmlEscape(name) << "</h2>\n<table>\n";
  for (const CompareRow& row : rows) {
    out << "<tr class=\"" << (row.ghost ? "ghost" : "state-" + std::to_string(row.state))
        << "\" data-state=\"" << row.state << "\"><td class=\"mark\">"
        << HtmlEscape(std::string(CompareMark(row.state))) << "</td><td class=\"name\" style=\""
        << "padding-left:" << 0.5 + 1.2 * row.depth << "em\">" << HtmlEscape(row.name);
    if (row.ghost) {
      out << ":";
      for (size_t b = 0; b < row.ghostBlocks.size(); ++b) {
        out << (b == 0 ? " " : ", ") << "<span class=\"block\">" << HtmlEscape(row.ghostBlocks[b])
            << "</span>";
      }
    }
    out << "</td><td class=\"title\">" << HtmlEscape(row.title) << "</td></tr>\n";
  }
  out << "</table></div>\n";
}

}  // namespace

std::string HtmlEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void WriteCompareHtml(std::ostream& out, const CompareReport& report) {
  const CompareCounts& c = report.counts;
  const bool equal = report.Equal();
  out << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\"/>\n<title>"
      << HtmlEscape(report.projectName) << " compared with " << HtmlEscape(report.plcName)
      << "</title>\n<style>" << kStyle << "</style>\n</head>\n<body>\n<h1>"
      << HtmlEscape(report.projectName) << " compared with " << HtmlEscape(report.plcName)
      << "</h1>\n<table class=\"counts\">\n";
  const auto count = [&](const char* id, const char* label, const std::string& value) {
    out << "<tr id=\"" << id << "\"><th>" << label << "</th><td>" << HtmlEscape(value)
        << "</td></tr>\n";
  };
  out << "<tr id=\"result\"><th>result</th><td class=\"result-" << (equal ? "equal" : "different")
      << "\">" << (equal ? "equal" : "different") << "</td></tr>\n";
  count("hardware", "hardware", std::string(CompareStateText(c.hardware)));
  count("equal", "equal blocks", std::to_string(c.equal));
  count("different", "different blocks", std::to_string(c.different));
  if (c.notComparable > 0)
    count("not-comparable", "not comparable", std::to_string(c.notComparable));
  count("only-project", "only in the project", std::to_string(c.onlyInProject));
  count("only-plc", "only in the PLC", std::to_string(c.onlyInPlc));
  out << "</table>\n<div class=\"trees\">\n";
  WriteTree(out, "Project", report.projectName, report.project);
  WriteTree(out, "PLC", report.plcName, report.plc);
  out << "</div>\n<p class=\"legend\">= equal, &#8800; different, ? cannot be compared; grey rows "
         "stand for the blocks that only the other side has.</p>\n</body>\n</html>\n";
}

}  // namespace prjsnap
