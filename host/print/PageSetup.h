// The page a print table lays its rows out on: the paper, the drawing area within it and the
// font, all in points; and the one rule for how many body rows fit on a page, which every
// renderer follows so that every form of a document breaks its pages alike.
//
//   host::PageSetup setup;                 // A4 portrait, 36 pt margins, DejaVu Sans 9 pt
//   setup.fontSize = 10;
//   int32_t rows = setup.RowsThatFit();    // body rows below the page head and the header row
//
// A page holds, from the top of the drawing area: the page head (the job's title and the page
// number, one line), a blank line, the header row, then the body rows, each LineHeight() high.
#pragma once

#include <cstdint>
#include <string>

namespace host {

/// A rectangle in points, from the top left of the paper.
struct PageRect {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
  double Width() const { return right - left; }
  double Height() const { return bottom - top; }
};

class PageSetup {
 public:
  static constexpr double kA4Width = 595.276;  // 210 mm
  static constexpr double kA4Height = 841.89;  // 297 mm
  static constexpr double kMargin = 36;        // half an inch
  /// Height of a line as a multiple of the font size.
  static constexpr double kLineSpacing = 1.4;

  /// The whole sheet.
  PageRect paper{0, 0, kA4Width, kA4Height};
  /// Where rows are drawn.
  PageRect draw{kMargin, kMargin, kA4Width - kMargin, kA4Height - kMargin};
  std::string fontName = "DejaVu Sans";
  double fontSize = 9;  ///< points
  bool bold = false;
  bool italic = false;

  double LineHeight() const { return fontSize * kLineSpacing; }
  /// Body rows that fit the drawing area below the page head, the blank line and the header
  /// row; at least 1, so that a tiny page still makes progress.
  int32_t RowsThatFit() const;
};

}  // namespace host
