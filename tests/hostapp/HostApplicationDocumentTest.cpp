// Windows, registers and documents of the host application: opening, re-use, titles, closing,
// activation and the checks for documents whose objects are gone.
#include <gtest/gtest.h>

#include "host/app/AppDocument.h"
#include "host/app/AppDocuments.h"
#include "host/app/ViewRegister.h"
#include "host/app/ViewWindow.h"
#include "hostapp/AppTestDoubles.h"

namespace hostapp_test {
namespace {

namespace clsid = mzblprsx::clsid;
using host::Block;
using host::BlockInfo;
using host::HostApplication;
using platform::MakeObject;
using Names = std::vector<std::string>;

class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    connection = app->ActiveMDIWindowChanged().Connect([this] { ++activations; });
  }
  Ref<host::AppDocument> DocumentOf(const Ref<platform::Object>& object) {
    return app->DocumentList()->Find(object);
  }
  std::string ActiveName() {
    auto active = app->ActiveDocument();
    return active ? active->Name() : "(none)";
  }

  Ref<HostApplication> app = platform::MakeObject<HostApplication>();
  Ref<Block> fb10 = MakeObject<Block>(false, BlockInfo::kFb, 10);
  Ref<Block> fb20 = MakeObject<Block>(false, BlockInfo::kFb, 20);
  Ref<host::SymbolTable> symbols = MakeObject<host::SymbolTable>("Symbols");
  platform::ScopedConnection connection;
  int activations = 0;
};

TEST_F(DocumentTest, OpeningCreatesAnActiveWindowOnTheEditorsMainViewAndReopeningReusesIt) {
  EXPECT_FALSE(fb10->IsOpen()) << "no editor yet";
  auto window = app->OpenDocument(fb10, -1).Cast<host::ViewWindow>();
  EXPECT_EQ(window->DocumentTitle(), "FB10") << "a new window is titled with the display name";
  ASSERT_EQ(window->Registers().size(), 2u);
  EXPECT_EQ(window->Registers()[1]->Name(), "Properties");
  EXPECT_EQ(window->FrontRegisterName(), "Code") << "a block editor opens on its code";
  EXPECT_EQ(app->Windows(HostApplication::kDocumentWindows)->Count(), 1);
  EXPECT_TRUE(fb10->IsOpen()) << "the object learns that an editor is open on it";
  EXPECT_FALSE(fb20->IsOpen()) << "only the object in the editor";
  EXPECT_EQ(ActiveName(), "FB10");
  EXPECT_EQ(activations, 1);
  auto other = app->OpenDocument(symbols, -1).Cast<host::ViewWindow>();
  EXPECT_EQ(other->FrontRegisterName(), "Content") << "objects other than blocks";

  std::string why;
  EXPECT_EQ(ErrorOf([&] { app->OpenDocument({}, -1); }), platform::errc::kObjectNotSet);
  EXPECT_EQ(ErrorOf([&] { app->OpenDocument(platform::MakeObject<FakeList>(), -1); }, &why),
            platform::errc::kTypeMismatch);
  EXPECT_NE(why.find("IRgObject"), std::string::npos) << "the error says what was expected";
  EXPECT_EQ(app->Documents()->Count(), 2);

  auto again = app->OpenDocument(fb10, 0);
  EXPECT_TRUE(platform::SameObject(window, again)) << "the same window comes back";
  EXPECT_EQ(app->Documents()->Count(), 2);
  EXPECT_EQ(ActiveName(), "FB10") << "re-opening brings the document to the front";
  EXPECT_EQ(activations, 3);
  EXPECT_TRUE(app->OpenRequests().back().reused);
  app->Documents()->ItemByObject(fb10)->SetTitle("FB10 (Motor)");
  EXPECT_EQ(again->DocumentTitle(), "FB10 (Motor)") << "document and window share one title";
  EXPECT_EQ(DocumentOf(fb10)->Name(), "FB10") << "the name does not follow the title";
}

TEST_F(DocumentTest, ClosingLeavesDocumentsAndWindowsAndActivatesTheOneBefore) {
  app->OpenDocument(fb10, -1);
  app->OpenDocument(fb20, -1);
  app->OpenDocument(symbols, -1);
  activations = 0;
  DocumentOf(fb10)->Close();
  EXPECT_EQ(ActiveName(), "Symbols") << "closing an inactive document keeps the active one";
  EXPECT_EQ(activations, 0);
  EXPECT_FALSE(fb10->IsOpen()) << "the object learns that its editor closed";

  auto active = DocumentOf(symbols);
  active->Close();
  active->Close();
  EXPECT_EQ(ActiveName(), "FB20") << "the document opened before comes to the front";
  EXPECT_EQ(activations, 1) << "a second Close changes nothing";
  EXPECT_EQ(app->Documents()->Count(), 1);
  EXPECT_EQ(app->Windows(HostApplication::kDocumentWindows)->Count(), 1);
  EXPECT_FALSE(app->CheckOpenDocument(symbols));
}

TEST_F(DocumentTest, DocumentOutlivingItsApplicationClosesHarmlessly) {
  app->OpenDocument(fb10, -1);
  auto document = DocumentOf(fb10);
  connection.Disconnect();
  app.Reset();
  document->Close();
  EXPECT_TRUE(document->Closed());
}

TEST_F(DocumentTest, LookupsAreByIdentityAndFailClearlyAndEveryActivationIsAnnounced) {
  app->OpenDocument(fb10, -1);
  auto twin = MakeObject<Block>(false, BlockInfo::kFb, 10);
  EXPECT_TRUE(app->CheckOpenDocument(fb10));
  EXPECT_FALSE(app->CheckOpenDocument(twin)) << "an object with the same name is another object";
  EXPECT_FALSE(app->CheckOpenDocument({}));
  std::string why;
  EXPECT_EQ(ErrorOf([&] { app->Documents()->ItemByObject(fb20); }, &why),
            platform::errc::kInvalidCall);
  EXPECT_NE(why.find("FB20"), std::string::npos) << "the error names the object: " << why;
  EXPECT_FALSE(app->Documents()->FindByObject(fb20)) << "the look-up that answers 'none'";
  EXPECT_TRUE(app->Documents()->FindByObject(fb10));
  EXPECT_EQ(ErrorOf([&] { app->Documents()->Item(2); }), platform::errc::kSubscript);

  auto document = DocumentOf(fb10);
  activations = 0;
  app->ActivateDocument(document);
  app->ActivateDocument(document);
  EXPECT_EQ(activations, 2) << "the frame announces; telling repeats apart is the listener's job";
  app->ActivateDocument({});
  EXPECT_EQ(ActiveName(), "(none)");
  document->Close();
  EXPECT_EQ(ErrorOf([&] { app->ActivateDocument(document); }), platform::errc::kInvalidCall)
      << "a closed document cannot become active";
}

class GoneDocumentTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    plc->list->items = {program, card};
    program->items = {onlineFb1};
  }
  Names GoneNames(const Ref<platform::Object>& container) {
    Names names;
    auto gone = app->CheckDocumentObjects(container);
    for (int32_t i = 1; i <= gone->Count(); ++i) names.push_back(gone->Item(i)->Name());
    return names;
  }

  Ref<FakeContainer> plc = platform::MakeObject<FakeContainer>();
  Ref<FakeFolder> program = platform::MakeObject<FakeFolder>(std::string(clsid::kProgramOnline));
  Ref<host::MemoryCard> card = MakeObject<host::MemoryCard>("Card");
  Ref<Block> onlineFb1 = MakeObject<Block>(true, BlockInfo::kFb, 1);
};

TEST_F(GoneDocumentTest, UnreachableObjectsAreGoneAndStillNamed) {
  program->items.push_back(program);  // a list that contains itself is walked once
  Ref<Block> deleted = MakeObject<Block>(true, BlockInfo::kFb, 2);
  auto dropped = MakeObject<Block>(true, BlockInfo::kFb, 3);
  for (const Ref<platform::Object>& doc :
       {Ref<platform::Object>(onlineFb1), Ref<platform::Object>(card),
        Ref<platform::Object>(deleted), Ref<platform::Object>(dropped)}) {
    app->OpenDocument(doc, -1);
  }
  deleted.Reset();  // the PLC no longer has it: only its editor holds it now
  EXPECT_EQ(GoneNames(plc), (Names{"FB2", "FB3"}))
      << "a block inside the program and a direct child of the PLC are reachable";
  auto gone = app->CheckDocumentObjects(plc);
  ASSERT_EQ(gone->Count(), 2);
  EXPECT_TRUE(gone->Item(1)->Object()) << "a gone document still knows its object's class";
  EXPECT_TRUE(GoneNames({}).empty()) << "without a container nothing can be judged gone";
  program->items.pop_back();  // the test's own cycle
}

TEST_F(GoneDocumentTest, DocumentsOfTheOtherSideAreNotJudgedByThisContainer) {
  auto offline = MakeObject<Block>(false, BlockInfo::kFb, 1);
  app->OpenDocument(offline, -1);
  EXPECT_TRUE(GoneNames(plc).empty()) << "an offline block is not missing from the PLC";
  EXPECT_EQ(GoneNames(platform::MakeObject<FakeContainer>()), Names{"FB1"})
      << "an empty container, of no known side, holds nothing";
}

TEST(HostWindows, ProjectBarRegistersReportActivationsInOrder) {
  auto app = platform::MakeObject<HostApplication>();
  auto views = app->Windows(5);
  ASSERT_EQ(views->Count(), 1);
  auto bar = views->Item("projectbar").Cast<host::ViewWindow>();
  EXPECT_EQ(bar->FrontRegisterName(), "") << "nothing activated yet";
  bar->Register("Online SPS")->BringToFront();
  bar->Register("Online SPS")->Show();
  bar->Register("Project")->BringToFront();
  EXPECT_EQ(bar->ActivationLog(), (Names{"front Online SPS", "show Online SPS", "front Project"}));
  EXPECT_EQ(bar->FrontRegisterName(), "Project");

  std::string why;
  EXPECT_EQ(ErrorOf([&] { bar->Register("Offline"); }, &why), platform::errc::kInvalidCall);
  EXPECT_FALSE(bar->FindRegister("Offline")) << "the look-up that answers 'none' raises nothing";
  EXPECT_TRUE(bar->FindRegister("project")) << "names compare without regard to case";
  EXPECT_NE(why.find("ProjectBar"), std::string::npos) << why;
  EXPECT_EQ(ErrorOf([&] { views->Item("Toolbar"); }), platform::errc::kInvalidCall);
  EXPECT_EQ(app->Windows(2)->Count(), 0) << "unknown kinds are empty";
}

}  // namespace
}  // namespace hostapp_test
