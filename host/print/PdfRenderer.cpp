#include "host/print/PdfRenderer.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>

#include "host/print/PrintedPage.h"
#include "host/print/TextWidth.h"
#include "mzblprsx/interfaces/IMzPrintTable.h"
#include "platform/Error.h"

namespace host {
namespace {

// The average advance of a character of a proportional font, as a share of its size: what a
// column's width in characters is laid out by.
constexpr double kCharAdvance = 0.6;

cairo_status_t Collect(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

PangoFontDescription* Font(const PageSetup& setup, bool bold, double scale) {
  PangoFontDescription* font = pango_font_description_new();
  pango_font_description_set_family(font, setup.fontName.c_str());
  pango_font_description_set_absolute_size(font, setup.fontSize * scale * PANGO_SCALE);
  pango_font_description_set_weight(font,
                                    bold || setup.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(font, setup.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  return font;
}

PangoAlignment Alignment(int32_t align) {
  if (align == mzblprsx::IMzPrintTable::kAlignRight) return PANGO_ALIGN_RIGHT;
  if (align == mzblprsx::IMzPrintTable::kAlignCenter) return PANGO_ALIGN_CENTER;
  return PANGO_ALIGN_LEFT;
}

}  // namespace

struct PdfRenderer::State {
  std::string out;
  cairo_surface_t* surface = nullptr;
  cairo_t* cr = nullptr;
  PangoLayout* layout = nullptr;
  // The fonts of the set-up they were made for.
  std::string fontName;
  double fontSize = 0;
  bool fontBold = false;
  bool fontItalic = false;
  PangoFontDescription* regular = nullptr;
  PangoFontDescription* bold = nullptr;
  PangoFontDescription* heading = nullptr;  // the page head's title
  const PangoFontDescription* current = nullptr;

  ~State() { Release(); }

  void ReleaseFonts() {
    for (PangoFontDescription** font : {&regular, &bold, &heading}) {
      if (*font != nullptr) pango_font_description_free(*font);
      *font = nullptr;
    }
    current = nullptr;
  }

  void Release() {
    ReleaseFonts();
    if (layout != nullptr) g_object_unref(layout);
    layout = nullptr;
    if (cr != nullptr) cairo_destroy(cr);
    cr = nullptr;
    if (surface != nullptr) {
      cairo_surface_finish(surface);
      cairo_surface_destroy(surface);
    }
    surface = nullptr;
  }

  void UseFonts(const PageSetup& setup) {
    if (regular != nullptr && setup.fontName == fontName && setup.fontSize == fontSize &&
        setup.bold == fontBold && setup.italic == fontItalic) {
      return;
    }
    ReleaseFonts();
    fontName = setup.fontName;
    fontSize = setup.fontSize;
    fontBold = setup.bold;
    fontItalic = setup.italic;
    regular = Font(setup, false, 1);
    bold = Font(setup, true, 1);
    heading = Font(setup, true, 1.2);
  }

  void Use(const PangoFontDescription* font) {
    if (font == current) return;
    pango_layout_set_font_description(layout, font);
    current = font;
  }

  /// Draws a text in the box from x, width wide (unbounded when width <= 0), with its top at y.
  void Draw(std::string_view text, double x, double y, double width, PangoAlignment align) {
    pango_layout_set_width(layout, width > 0 ? static_cast<int>(width * PANGO_SCALE) : -1);
    pango_layout_set_alignment(layout, align);
    pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, layout);
  }

  double TextWidthOf(std::string_view text) {
    pango_layout_set_width(layout, -1);
    pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
    int width = 0;
    int height = 0;
    pango_layout_get_size(layout, &width, &height);
    return static_cast<double>(width) / PANGO_SCALE;
  }
};

PdfRenderer::PdfRenderer(std::string title)
    : title_(std::move(title)), state_(std::make_unique<State>()) {}

PdfRenderer::~PdfRenderer() = default;

void PdfRenderer::Page(const PrintedPage& page) {
  State& s = *state_;
  const PageSetup& setup = page.setup;
  if (s.surface == nullptr) {
    s.surface = cairo_pdf_surface_create_for_stream(Collect, &s.out, setup.paper.Width(),
                                                    setup.paper.Height());
    cairo_pdf_surface_set_metadata(s.surface, CAIRO_PDF_METADATA_TITLE, title_.c_str());
    s.cr = cairo_create(s.surface);
    s.layout = pango_cairo_create_layout(s.cr);
    pango_layout_set_ellipsize(s.layout, PANGO_ELLIPSIZE_END);
    pango_layout_set_single_paragraph_mode(s.layout, TRUE);
  } else {
    cairo_pdf_surface_set_size(s.surface, setup.paper.Width(), setup.paper.Height());
  }
  s.UseFonts(setup);

  const PageRect& area = setup.draw;
  const double line = setup.LineHeight();
  // Pango puts a line's top at the point given; this centres the text in its row.
  const double lift = (line - setup.fontSize * 1.17) / 2;
  double y = area.top;

  // The page head: the page number at the right end, the title in what is left of the line.
  const std::string number =
      "Page " + std::to_string(page.number) + " of " + std::to_string(page.count);
  s.Use(s.regular);
  const double numberWidth = s.TextWidthOf(number);
  s.Draw(number, area.right - numberWidth, y + lift, 0, PANGO_ALIGN_LEFT);
  s.Use(s.heading);
  s.Draw(title_, area.left, y + lift - setup.fontSize * 0.1,
         std::max(1.0, area.Width() - numberWidth - setup.fontSize), PANGO_ALIGN_LEFT);
  y += 2 * line;

  // Column boxes: a width in characters and one character between columns. A table wider than
  // the page measures its columns by their widest texts instead (in the bold face, the widest
  // either row may be drawn in), and only what still does not fit is drawn narrower.
  int32_t characters = 0;
  for (const int32_t width : page.widths) characters += width + 1;
  characters = std::max(1, characters - 1);
  const double natural = setup.fontSize * kCharAdvance;
  std::vector<double> boxes(page.Columns());
  for (size_t column = 0; column < page.Columns(); ++column) {
    boxes[column] = page.widths[column] * natural;
  }
  double gap = natural;
  if (characters * natural > area.Width() && page.widestTexts.size() == page.Columns()) {
    s.Use(s.bold);
    for (size_t column = 0; column < page.Columns(); ++column) {
      // One character of slack: another text of as many characters may be wider ("1024" is
      // wider than "Size").
      boxes[column] = s.TextWidthOf(page.widestTexts[column]) + natural;
    }
  }
  double total = gap * static_cast<double>(std::max<size_t>(page.Columns(), 1) - 1);
  for (const double box : boxes) total += box;
  if (total > area.Width()) {
    const double scale = area.Width() / total;
    for (double& box : boxes) box *= scale;
    gap *= scale;
    total = area.Width();
  }
  std::vector<double> left(page.Columns());
  double x = area.left;
  for (size_t column = 0; column < page.Columns(); ++column) {
    left[column] = x;
    x += boxes[column] + gap;
  }
  const double tableRight = area.left + total;

  for (size_t row = 0; row < page.Rows(); ++row) {
    s.Use(row == 0 || page.IsHeading(row) ? s.bold : s.regular);
    for (size_t column = 0; column < page.Columns(); ++column) {
      const PrintedCell& cell = page.At(row, column);
      if (cell.text.empty()) continue;
      int32_t used = 0;
      const size_t bytes = TextWidth::Fit(cell.text, page.widths[column], used);
      s.Draw(cell.text.substr(0, bytes), left[column], y + lift, boxes[column],
             Alignment(cell.align));
    }
    y += line;
    if (row == 0) {
      cairo_set_line_width(s.cr, 0.5);
      cairo_move_to(s.cr, area.left, y - 0.5);
      cairo_line_to(s.cr, tableRight, y - 0.5);
      cairo_stroke(s.cr);
    }
  }
  cairo_show_page(s.cr);
}

std::string PdfRenderer::Finish() {
  State& s = *state_;
  if (s.surface == nullptr) return {};
  // The document is written when the surface finishes; its status says whether it was.
  cairo_destroy(s.cr);
  s.cr = nullptr;
  cairo_surface_finish(s.surface);
  const cairo_status_t status = cairo_surface_status(s.surface);
  s.Release();
  if (status != CAIRO_STATUS_SUCCESS) {
    throw platform::Error(
        platform::errc::kInvalidCall,
        std::string("The PDF document could not be written: ") + cairo_status_to_string(status));
  }
  return std::move(s.out);
}

}  // namespace host
