// Document sets of the host application: flush and save, scripted cancellation and failures,
// the error list and the journal.
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

TEST_F(DocumentSetTest, FlushWritesBackEveryDocument) {
  auto set = NewSet();
  set->Add(fb10);
  EXPECT_EQ(set->Count(), 2) << "an object is in a set once";
  EXPECT_EQ(FlushError(set), 0);
  EXPECT_FALSE(fb10->IsModified());
  EXPECT_FALSE(fb20->IsModified());
  EXPECT_FALSE(set->Failed(fb10));
  EXPECT_EQ(app->DocumentLog(), (std::vector<std::string>{"flush FB10", "flush FB20"}));
}

TEST_F(DocumentSetTest, CancelledFlushRaisesAbortAndWritesNothing) {
  app->FailFlushWith(platform::errc::kAbort);
  auto set = NewSet();
  EXPECT_EQ(FlushError(set), platform::errc::kAbort);
  EXPECT_TRUE(fb10->IsModified()) << "a cancelled flush writes nothing back";
  EXPECT_FALSE(set->Failed(fb10)) << "no single document failed";
  EXPECT_EQ(app->DocumentLog(), std::vector<std::string>{"flush cancelled"});
}

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

TEST_F(DocumentSetTest, ScriptForAReleasedObjectFailsNothing) {
  auto doomed = Modified(30);
  app->FailFlushWith(platform::errc::kFail, doomed);
  doomed.Reset();
  EXPECT_EQ(FlushError(NewSet()), 0) << "it must not turn into a failure of every flush";
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

TEST_F(DocumentSetTest, MisuseFailsClearly) {
  EXPECT_THROW(app->CreateDocumentSet(4), platform::Error) << "only kind 3 exists";
  auto set = NewSet();
  EXPECT_THROW(set->Add({}), platform::Error);
  set->Clear();
  EXPECT_EQ(set->Count(), 0);
  EXPECT_EQ(FlushError(set), 0) << "an empty set has nothing to flush";
}

}  // namespace
}  // namespace hostapp_test
