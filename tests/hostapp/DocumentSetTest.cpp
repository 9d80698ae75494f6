// Document sets of the host application: a flush that fails for one document, a single save,
// and the journal of the standard query.
#include <gtest/gtest.h>

#include "host/app/DocumentSet.h"
#include "hostapp/AppTestDoubles.h"

namespace hostapp_test {
namespace {

using host::HostApplication;

class DocumentSetTest : public ::testing::Test {
 protected:
  static Ref<host::Block> Modified(int32_t number) {
    auto block = platform::MakeObject<host::Block>(false, host::BlockInfo::kFb, number);
    block->SetModified(true);
    return block;
  }
  Ref<mzblprsx::IRgDocumentSet> NewSet() {
    auto set = app->CreateDocumentSet(HostApplication::kDocumentSetKind);
    set->Add(fb10);
    set->Add(fb20);
    return set;
  }
  static int32_t FlushError(const Ref<mzblprsx::IRgDocumentSet>& set, std::string* why = nullptr) {
    return ErrorOf([&] { set->Flush(); }, why);
  }

  Ref<HostApplication> app = platform::MakeObject<HostApplication>();
  Ref<host::Block> fb10 = Modified(10);
  Ref<host::Block> fb20 = Modified(20);
};

TEST_F(DocumentSetTest, FailingDocumentIsListedAndTheOthersAreStillWritten) {
  app->FailFlushWith(platform::errc::kFail, fb10);
  auto set = NewSet();
  std::string why;
  EXPECT_EQ(FlushError(set, &why), platform::errc::kFail);
  EXPECT_NE(why.find("FB10"), std::string::npos) << "the error names the document: " << why;
  EXPECT_TRUE(set->Failed(fb10));
  EXPECT_FALSE(set->Failed(fb20));
  EXPECT_TRUE(fb10->IsModified());
  EXPECT_FALSE(fb20->IsModified()) << "FB20 is written although FB10 failed before it";

  app->ClearFlushFailures();
  auto retry = NewSet();
  EXPECT_EQ(FlushError(retry), 0) << "failures scripted on the application reach new sets only";
  set->Clear();
  set->Add(fb20);
  EXPECT_EQ(FlushError(set), 0);
  EXPECT_FALSE(set->Failed(fb10)) << "the error list is that of the last flush";
}

TEST_F(DocumentSetTest, SaveWritesBackOneDocument) {
  auto set = app->CreateDocumentSet(3);
  set->Save(fb20);
  EXPECT_FALSE(fb20->IsModified());
  EXPECT_EQ(set->Count(), 0) << "saving does not add to the set";
  app->FailFlushWith(platform::errc::kFail, fb10);
  EXPECT_THROW(app->CreateDocumentSet(3)->Save(fb10), platform::Error);
  EXPECT_EQ(app->DocumentLog(), (std::vector<std::string>{"save FB20", "save failed FB10"}));
}

TEST_F(DocumentSetTest, StandardQueryNamesTheModifiedDocumentsAndIsLogged) {
  auto set = NewSet();
  fb20->SetModified(false);
  set->Log(set->StdQuery());
  EXPECT_EQ(app->DocumentLog(), std::vector<std::string>{"log Save changes to: FB10"});
  fb10->SetModified(false);
  EXPECT_EQ(set->StdQuery(), "");
}

}  // namespace
}  // namespace hostapp_test
