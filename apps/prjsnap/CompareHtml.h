// The compare report as one self-contained HTML page: the counts on top, the project's and the
// PLC's tree side by side, every row coloured by its compare state, ghost rows with the blocks
// they stand for. No outside files, fonts or scripts; it prints on paper as it shows. The page is
// also well-formed XML, so that it can be read back by an XML parser.
#pragma once

#include <iosfwd>
#include <string>

namespace prjsnap {

struct CompareReport;

/// Text with &, <, >, " and ' written as entities.
std::string HtmlEscape(const std::string& text);

void WriteCompareHtml(std::ostream& out, const CompareReport& report);

}  // namespace prjsnap
