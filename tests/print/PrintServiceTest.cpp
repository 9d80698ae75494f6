// The print service drives a print object through IMzPrintInit and IMzPrintNavigate: a fake in
// place of the library's fills the print table with N rows and pages as the real one does.
#include <gtest/gtest.h>

#include "host/print/PrintService.h"
#include "mzblprsx/interfaces/IMzPrintInit.h"
#include "mzblprsx/interfaces/IMzPrintNavigate.h"
#include "mzblprsx/interfaces/IMzPrintTable.h"
#include "platform/ui/MessageBox.h"
#include "support/HostTestSupport.h"

namespace {

using mzblprsx::Variant;
using platform::Ref;

constexpr std::string_view kPrintObject = "mzblprsx.RgPrjPrintObjectDetails";

class FakePrintObject : public mzblprsx::IMzPrintInit, public mzblprsx::IMzPrintNavigate {
 public:
  explicit FakePrintObject(int32_t rows)
      : rows_(rows),
        table_(platform::CreateObjectAs<mzblprsx::IMzPrintTable>(mzblprsx::clsid::kPrintTable)) {}
  std::string_view TypeName() const override { return "FakePrintObject"; }

  void SetRgObject(Ref<platform::Object> /*object*/, Ref<platform::Object> parent,
                   const std::string& /*options*/) override {
    if (!parent) {
      platform::ui::MessageBox::Show("Could not print, because the project location is unknown!");
      return;
    }
    table_->SetColumnCount(2);
    table_->SetRowCount(rows_ + 1);
    for (int32_t row = 0; row <= rows_; ++row) {
      table_->SetCellText(row, 1, row == 0 ? "Name" : "FB" + std::to_string(row));
      table_->SetCellText(row, 2, row == 0 ? "Size" : "10");
    }
    table_->SetCellText(rows_ + 1, 1, "Total");
    table_->Finish(1);
  }
  void SetAktOptiones(const std::string& /*options*/) override {}
  void SetPropFont(const std::string& name, const Variant& size, const Variant& bold,
                   const Variant& italic) override {
    table_->SetFont(0, 1, 1, name, size, bold, italic);
  }
  void SetNonPropFont(const std::string& /*name*/) override {}
  Variant GetMetaFile() override { return {}; }

  void SetDrawRect(const Variant& l, const Variant& t, const Variant& r,
                   const Variant& b) override {
    table_->SetDrawRect(l, t, r, b);
  }
  void SetFirstPage() override { page_ = 1; }
  void SetNextPage(bool& more) override {
    more = ++page_ <= pages_;
    if (!more) page_ = pages_;
  }
  void SetPrevieousPage(bool& more) override { more = --page_ >= 1; }
  void PrintPage(const Variant& device, const Variant& a, const Variant& b) override {
    table_->PrintPage(page_, device, a, b);
  }
  void GetMaxPage(int32_t& pages) override { pages = pages_; }
  void StopPrinting() override { table_->StopPrinting(); }
  void BeginPrinting(const Variant& device, const Variant& a, const Variant& b) override {
    table_->BeginPrinting(device, a, b);
    pages_ = table_->PageCount();
  }
  void SetInitialRect(const Variant& l, const Variant& t, const Variant& r, const Variant& b,
                      const Variant& scale) override {
    table_->SetInitialRect(l, t, r, b, scale);
  }

 private:
  int32_t rows_;
  Ref<mzblprsx::IMzPrintTable> table_;
  int32_t page_ = 1;
  int32_t pages_ = 0;
};

class PrintServiceTest : public ::testing::Test {
 protected:
  PrintServiceTest() : saved_(platform::ClassRegistry::Instance().FactoryOf(kPrintObject)) {
    platform::ClassRegistry::Instance().Register("", kPrintObject, [this] {
      return Ref<platform::Object>(platform::MakeObject<FakePrintObject>(rows));
    });
  }
  ~PrintServiceTest() override {
    auto& registry = platform::ClassRegistry::Instance();
    registry.Unregister(kPrintObject);
    if (saved_) registry.Register("", kPrintObject, saved_);
  }

  host::PrintResult Print(host::PrintFormat format, int32_t pageRows, bool withParent = true) {
    host::PrintJob job;
    job.parent = withParent ? Ref<platform::Object>(host.project) : nullptr;
    job.format = format;
    job.pageRows = pageRows;
    job.title = "Project T";
    return host.env.Print().Print(job);
  }

  platform::ClassRegistry::Factory saved_;
  mztest::HostProject host;
  int32_t rows = 0;
};

TEST_F(PrintServiceTest, PrintsEveryPageInEveryFormOrNothingWhenTheObjectRefuses) {
  rows = 120;  // and the total line: 121 body rows
  const host::PrintResult text = Print(host::PrintFormat::kText, 0);
  EXPECT_EQ(text.pages, 3) << "58 rows a page at the service's 9 pt on A4";
  EXPECT_TRUE(text.messages.empty());
  EXPECT_NE(text.document.find("Project T"), std::string::npos);
  EXPECT_NE(text.document.find("Page 3 of 3\nName"), std::string::npos);
  EXPECT_TRUE(text.document.ends_with("FB120      10\nTotal\n")) << "the last page printed";

  rows = 24;
  const host::PrintResult pdf = Print(host::PrintFormat::kPdf, 10);
  EXPECT_EQ(pdf.pages, 3);
  EXPECT_EQ(pdf.document.rfind("%PDF-", 0), 0u);
  EXPECT_EQ(Print(host::PrintFormat::kCsv, 10).document.substr(0, 19), "Name,Size\r\nFB1,10\r\n");
  EXPECT_EQ(Print(host::PrintFormat::kHtml, 5).pages, 5);

  rows = 3;
  platform::ui::MessageBox::Show("shown before the job");
  const host::PrintResult result = Print(host::PrintFormat::kPdf, 0, /*withParent=*/false);
  EXPECT_EQ(result.pages, 0);
  EXPECT_EQ(result.document, "");
  EXPECT_EQ(result.messages,
            std::vector<std::string>{"Could not print, because the project location is unknown!"});

  std::string why;
  EXPECT_EQ(mztest::ErrorOf([&] { Print(host::PrintFormat::kText, -1); }, &why),
            platform::errc::kInvalidCall);
  EXPECT_NE(why.find("-1"), std::string::npos) << why;
}

}  // namespace
