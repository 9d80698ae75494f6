// The print table driven through IMzPrintTable as a print object drives it, and its four
// renderings read back (PDF through pdftotext); page breaks alike in every form; bad calls.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include <unistd.h>

#include "host/print/PdfRenderer.h"
#include "host/print/PrintDevice.h"
#include "host/print/PrintService.h"
#include "mzblprsx/interfaces/IMzPrintTable.h"
#include "platform/SafeArray.h"
#include "support/HostTestSupport.h"

namespace {

using mzblprsx::IMzPrintTable;
using platform::Ref;

Ref<IMzPrintTable> NewTable() {
  return platform::CreateObjectAs<IMzPrintTable>(mzblprsx::clsid::kPrintTable);
}

std::shared_ptr<platform::SafeArray> Columns(std::initializer_list<int32_t> columns) {
  auto list = platform::SafeArray::Create(platform::VarType::Int32,
                                          {{1, static_cast<int32_t>(columns.size())}});
  int32_t at = 1;
  for (const int32_t column : columns) list->Set({at++}, column);
  return list;
}

// A table of these rows (header row first), every row as wide as the first; finished unless told.
Ref<IMzPrintTable> Filled(const std::vector<std::vector<std::string>>& rows, bool finish = true) {
  auto table = NewTable();
  table->SetColumnCount(static_cast<int32_t>(rows[0].size()));
  table->SetRowCount(static_cast<int32_t>(rows.size()) - 1);
  for (size_t row = 0; row < rows.size(); ++row) {
    for (size_t column = 0; column < rows[0].size(); ++column) {
      table->SetCellText(static_cast<int32_t>(row), static_cast<int32_t>(column + 1),
                         rows[row][column]);
    }
  }
  if (finish) table->Finish(1);
  return table;
}

// Four columns of which the list prints 1, 2 and 4 (column 3 holds "XXXX", never printed):
// Name (8), Size (6, right), Lang (5, centred); a heading row, two blocks, a total line.
Ref<IMzPrintTable> SmallTable() {
  auto table = Filled({{"Name", "Size", "XXXX", "Lang"},
                       {"Motors", "", "XXXX", ""},
                       {"FB10", "412", "XXXX", "LAD"},
                       {"Größe_Überlang", "12", "XXXX", "日本語"},
                       {"Total", "424", "XXXX", "bytes"}},
                      false);
  const std::array<int32_t, 4> widths{8, 6, 4, 5};
  for (int32_t column = 1; column <= 4; ++column) {
    table->SetColumnAttribute(column, IMzPrintTable::kAttributeWidth, widths[column - 1]);
  }
  table->SetCellFormat(IMzPrintTable::kFormatAlignRow, 0, 2, IMzPrintTable::kAlignRight);
  table->SetCellFormat(IMzPrintTable::kFormatAlignBody, 1, 2, IMzPrintTable::kAlignRight);
  table->SetCellFormat(IMzPrintTable::kFormatAlignRow, 0, 4, IMzPrintTable::kAlignCenter);
  table->SetCellFormat(IMzPrintTable::kFormatAlignBody, 1, 4, IMzPrintTable::kAlignCenter);
  table->SetCellFormat(IMzPrintTable::kFormatAlignRow, 4, 1, IMzPrintTable::kAlignRight);
  table->SetCellFormat(IMzPrintTable::kFormatAlignRow, 4, 4, IMzPrintTable::kAlignLeft);
  table->SetColumnList(Columns({1, 2, 4}));
  table->SetRowStyle(IMzPrintTable::kRowStyleHeading, 1, 0, 0, 0);
  table->Finish(1);
  return table;
}

// One column "Name" and `rows` body rows "row 1" ...
Ref<IMzPrintTable> RowsTable(int32_t rows) {
  std::vector<std::vector<std::string>> cells{{"Name"}};
  for (int32_t row = 1; row <= rows; ++row) cells.push_back({"row " + std::to_string(row)});
  return Filled(cells);
}

// Prints every page of the table on a device of its own.
std::string Render(IMzPrintTable& table, host::PrintFormat format, int32_t pageRows = 0,
                   const std::string& title = "Program P") {
  host::PrintDevice device(format, title, pageRows);
  table.BeginPrinting(device.Handle(), 0, 0);
  for (int32_t page = 1; page <= table.PageCount(); ++page) {
    table.PrintPage(page, device.Handle(), 0, 0);
  }
  table.StopPrinting();
  return device.Finish();
}

std::vector<std::string> Split(const std::string& text, std::string_view by) {
  std::vector<std::string> parts;
  size_t from = 0;
  for (size_t at; (at = text.find(by, from)) != std::string::npos; from = at + by.size()) {
    parts.push_back(text.substr(from, at - from));
  }
  parts.push_back(text.substr(from));
  return parts;
}

size_t CountOf(const std::string& text, std::string_view what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

// The pages of a PDF as pdftotext reads them; nullopt when the tool is missing.
std::optional<std::vector<std::string>> PdfPages(const std::string& pdf) {
  if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) return std::nullopt;
  static int made = 0;
  const std::string file =
      std::filesystem::temp_directory_path() /
      ("mz_print_" + std::to_string(::getpid()) + "_" + std::to_string(++made));
  std::ofstream(file + ".pdf", std::ios::binary) << pdf;
  EXPECT_EQ(std::system(("pdftotext -layout " + file + ".pdf " + file + ".txt").c_str()), 0);
  std::stringstream text;
  text << std::ifstream(file + ".txt").rdbuf();
  std::filesystem::remove(file + ".pdf");
  std::filesystem::remove(file + ".txt");
  auto pages = Split(text.str(), "\f");
  pages.pop_back();  // after the last page's form feed
  return pages;
}

class PrintTableTest : public ::testing::Test {
 protected:
  host::Environment env;  // registers the host's classes
};

TEST_F(PrintTableTest, TextPadsAndAlignsByCellsHtmlEmphasisesHeadingsPdfHasTheTexts) {
  auto table = SmallTable();
  EXPECT_EQ(Render(*table, host::PrintFormat::kText),
            "Program P        Page 1 of 1\n"
            "Name             Size  Lang\n"
            "----------------------------\n"
            "Motors\n"
            "FB10              412  LAD\n"
            "Größe_Überlang     12 日本語\n"
            "         Total    424 bytes\n")
      << "every page's columns as wide as their widest text: nothing is cut";
  EXPECT_EQ(table->PageCount(), 1);
  auto tall = RowsTable(120);
  EXPECT_NE(Render(*tall, host::PrintFormat::kText).find("Page 3 of 3\n"), std::string::npos);
  EXPECT_EQ(tall->PageCount(), 3) << "58 rows of 9 pt fit the A4 page";

  const std::string html = Render(*SmallTable(), host::PrintFormat::kHtml);
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(html.find("<style>"), std::string::npos);
  EXPECT_EQ(CountOf(html, "<tr class=\"heading\"><td class=\"l\">Motors</td>"), 1u);
  EXPECT_NE(html.find("<th class=\"r\">Size</th><th class=\"c\">Lang</th>"), std::string::npos);
  EXPECT_NE(html.find("<td class=\"r\">Total</td><td class=\"r\">424</td><td class=\"l\">bytes"),
            std::string::npos);
  EXPECT_NE(html.find("<col style=\"width:15ch\">"), std::string::npos);

  const std::string pdf = Render(*SmallTable(), host::PrintFormat::kPdf);
  ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);
  const auto pages = PdfPages(pdf);
  if (!pages) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  ASSERT_EQ(pages->size(), 1u);
  for (const char* text : {"Program P", "Page 1 of 1", "Name", "Size", "Lang", "Motors", "FB10",
                           "412", "LAD", "Größe_Üb", "Total", "424", "bytes"}) {
    EXPECT_NE((*pages)[0].find(text), std::string::npos) << text;
  }
  EXPECT_EQ((*pages)[0].find("XXXX"), std::string::npos);
  EXPECT_NE((*pages)[0].find("Größe_Überlang"), std::string::npos) << "nothing is cut";
}

TEST_F(PrintTableTest, CsvQuotesByRfc4180AndHtmlEscapes) {
  auto table = Filled({{"Name", "Header"},
                       {"a,b", "plain"},
                       {"say \"hi\"", ""},
                       {"two\nlines", "cr\r"},
                       {"Größe", "x"}});
  EXPECT_EQ(Render(*table, host::PrintFormat::kCsv, 2),
            "Name,Header\r\n\"a,b\",plain\r\n\"say \"\"hi\"\"\",\r\n\"two\nlines\",\"cr\r\"\r\n"
            "Größe,x\r\n")
      << "the header once, no page marks";
  EXPECT_EQ(Render(*SmallTable(), host::PrintFormat::kCsv),
            "Name,Size,Lang\r\nMotors,,\r\nFB10,412,LAD\r\nGröße_Überlang,12,日本語\r\n"
            "Total,424,bytes\r\n")
      << "whole texts, the listed columns";

  auto escaped = Filled({{""}, {"<b>&\"'"}});
  const std::string page = Render(*escaped, host::PrintFormat::kHtml, 0, "A<B & 'C'");
  EXPECT_NE(page.find("<td class=\"l\">&lt;b&gt;&amp;&quot;&#39;</td>"), std::string::npos);
  EXPECT_NE(page.find("<title>A&lt;B &amp; &#39;C&#39;</title>"), std::string::npos);
  EXPECT_EQ(page.find("<b>"), std::string::npos);
}

class PrintPageBreakTest : public PrintTableTest,
                           public ::testing::WithParamInterface<host::PrintFormat> {};

// 25 body rows at 10 a page: 3 pages in every form, the header row on each, rows in order.
TEST_P(PrintPageBreakTest, TwentyFiveRowsAtTenArePagedAlike) {
  auto table = RowsTable(25);
  const std::string document = Render(*table, GetParam(), 10);
  EXPECT_EQ(table->PageCount(), 3);
  std::vector<std::string> pages;
  if (GetParam() == host::PrintFormat::kCsv) {
    EXPECT_EQ(CountOf(document, "\r\n"), 26u);
    EXPECT_EQ(CountOf(document, "Name"), 1u) << "the header once";
    EXPECT_NE(document.find("row 10\r\nrow 11\r\n"), std::string::npos);
    return;
  }
  if (GetParam() == host::PrintFormat::kText) pages = Split(document, "\f");
  if (GetParam() == host::PrintFormat::kHtml) {
    pages = Split(document, "<section");
    pages.erase(pages.begin());  // the document's head
  }
  if (GetParam() == host::PrintFormat::kPdf) {
    auto read = PdfPages(document);
    if (!read) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    pages = *read;
  }
  ASSERT_EQ(pages.size(), 3u);
  for (int32_t page = 1; page <= 3; ++page) {
    SCOPED_TRACE(page);
    const std::string& text = pages[static_cast<size_t>(page - 1)];
    EXPECT_EQ(CountOf(text, "Program P"), 1u);
    EXPECT_EQ(CountOf(text, "Page " + std::to_string(page) + " of 3"), 1u);
    EXPECT_EQ(CountOf(text, "Name"), 1u) << "the header row repeats";
    const int32_t first = (page - 1) * 10 + 1;
    const int32_t last = std::min(25, page * 10);
    EXPECT_EQ(CountOf(text, "row "), static_cast<size_t>(last - first + 1));
    EXPECT_LT(text.find("row " + std::to_string(first)), text.find("row " + std::to_string(last)));
  }
}

INSTANTIATE_TEST_SUITE_P(EveryForm, PrintPageBreakTest,
                         ::testing::Values(host::PrintFormat::kText, host::PrintFormat::kCsv,
                                           host::PrintFormat::kHtml, host::PrintFormat::kPdf));

TEST_F(PrintTableTest, BadCallsAreClearErrors) {
  host::PrintDevice device(host::PrintFormat::kCsv, "", 0);
  const int32_t handle = device.Handle();
  enum Start { kNew, kFilling, kFinished, kPrinting };
  struct Row {
    const char* what;
    Start start;
    std::function<void(IMzPrintTable&)> call;
    const char* says;
  };
  const Row rows[] = {
      {"rows before columns", kNew, [](auto& t) { t.SetRowCount(3); }, "SetColumnCount"},
      {"no columns", kNew, [](auto& t) { t.SetColumnCount(0); }, "column count 0"},
      {"row past the count", kFilling, [](auto& t) { t.SetCellText(4, 1, "x"); }, "row 4"},
      {"column past the count", kFilling, [](auto& t) { t.SetCellFormat(2, 1, 3, 0); }, "column 3"},
      {"format kind", kFilling, [](auto& t) { t.SetCellFormat(4, 1, 1, 0); }, "kind 4"},
      {"alignment", kFilling, [](auto& t) { t.SetCellFormat(3, 1, 1, 3); }, "alignment 3"},
      {"attribute", kFilling, [](auto& t) { t.SetColumnAttribute(1, 2, 5); }, "attribute 2"},
      {"width 0", kFilling, [](auto& t) { t.SetColumnAttribute(1, 3, 0); }, "width 0"},
      {"unknown listed column", kFilling,
       [](auto& t) {
         t.SetColumnList(Columns({1, 9}));
       },
       "column 9"},
      {"row style", kFilling, [](auto& t) { t.SetRowStyle(2, 1, 0, 0, 0); }, "style 2"},
      {"finish how", kFilling, [](auto& t) { t.Finish(0); }, "Finish(0)"},
      {"begin unfinished", kFilling, [&](auto& t) { t.BeginPrinting(handle, 0, 0); },
       "not finished"},
      {"cell after finish", kFinished, [](auto& t) { t.SetCellText(1, 1, "x"); }, "after Finish"},
      {"unknown device", kFinished, [](auto& t) { t.BeginPrinting(999999, 0, 0); },
       "no print device 999999"},
      {"page before begin", kFinished, [&](auto& t) { t.PrintPage(1, handle, 0, 0); }, "not begun"},
      {"page 0", kPrinting, [&](auto& t) { t.PrintPage(0, handle, 0, 0); }, "page 0"},
      {"page past the count", kPrinting, [&](auto& t) { t.PrintPage(2, handle, 0, 0); }, "page 2"},
      {"font size", kNew, [](auto& t) { t.SetFont(0, 1, 1, "DejaVu Sans", 0, false, false); },
       "font size 0"},
      {"drawing rectangle", kNew, [](auto& t) { t.SetDrawRect(100, 0, 50, 800); }, "rectangle"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    auto table = NewTable();
    if (row.start != kNew) {
      table->SetColumnCount(2);
      table->SetRowCount(3);
    }
    if (row.start == kFinished || row.start == kPrinting) table->Finish(1);
    if (row.start == kPrinting) table->BeginPrinting(handle, 0, 0);
    std::string why;
    EXPECT_EQ(mztest::ErrorOf([&] { row.call(*table); }, &why), platform::errc::kInvalidCall);
    EXPECT_NE(why.find(row.says), std::string::npos) << why;
  }
  auto empty = NewTable();
  empty->BeginPrinting(handle, 0, 0);
  EXPECT_EQ(empty->PageCount(), 0) << "a table never filled has no pages";
}

}  // namespace
