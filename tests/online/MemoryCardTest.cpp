// The memory card's file list in the online tree: the node loads the card's files once, through
// the load service, and follows the card's notifications; the file items show a file's keys and
// rename and delete the file on the card.
#include "core/SnapInFixture.h"
#include "host/model/ItemProperty.h"
#include "host/services/LoadService.h"
#include "host/services/ServiceFactory.h"
#include "mzblprsx/handlers/RgPrjHandlerFilesOnMMC.h"
#include "mzblprsx/handlers/RgPrjHandlerMMCFile.h"
#include "mzblprsx/interfaces/IRgLoadService.h"
#include "mzblprsx/interfaces/RgNotification.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemProperty.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/Text.h"
#include "support/HostTestSupport.h"

namespace mztest {
namespace {

using ItemRef = platform::Ref<mzblprsx::RgProjectItem>;
namespace clsid = mzblprsx::clsid;

const std::string kPlc = PlcText(
    R"(<memory-card name="MMC" size="1024" modified="2026-11-02 08:20:00">
  <file name="a.bin" type="1" type-text="Program" size="10" modified="2026-11-01 07:00:00"/>
  <file name="b.csv" type="2" type-text="Data" size="20"/></memory-card>
<program name="Program"/>
)");

/// A load service that answers what the test says, for the answers the host never gives.
class ScriptedLoad final : public mzblprsx::IRgLoadService {
 public:
  std::string_view TypeName() const override { return "ScriptedLoad"; }
  int32_t LoadState(const std::string& /*list*/, int32_t /*flags*/) override { return answer; }
  void Download(const std::string&, int32_t, int32_t& result) override { result = -1; }
  void Upload(const std::string&, int32_t, int32_t& result) override { result = -1; }
  int32_t answer = 0;
};

/// The host's service factory with the load service replaced, while it lives.
class ScriptedLoadFactory final : public mzblprsx::IRgServiceFactory {
 public:
  explicit ScriptedLoadFactory(platform::Ref<ScriptedLoad> load) : load_(std::move(load)) {}
  std::string_view TypeName() const override { return "ScriptedLoadFactory"; }
  platform::Ref<platform::Object> GetService(const std::string& id,
                                             platform::Ref<platform::Object> offline,
                                             platform::Ref<platform::Object> online,
                                             const std::string& name) override {
    if (platform::text::EqualsNoCase(id, clsid::kLoadService)) return load_;
    return platform::MakeObject<host::ServiceFactory>()->GetService(id, offline, online, name);
  }

  struct Installed {
    explicit Installed(const platform::Ref<ScriptedLoad>& load) {
      Register([load] { return load; });
    }
    ~Installed() { Register({}); }
    static void Register(std::function<platform::Ref<ScriptedLoad>()> scripted) {
      platform::ClassRegistry::Instance().Register(
          clsid::kServiceFactory, "", [scripted]() -> platform::Ref<platform::Object> {
            if (!scripted) return platform::MakeObject<host::ServiceFactory>();
            return platform::MakeObject<ScriptedLoadFactory>(scripted());
          });
    }
  };

 private:
  platform::Ref<ScriptedLoad> load_;
};

class MemoryCardFiles : public SnapInFixture {
 protected:
  void SetUp() override {
    Start();
    Initialized();
    plc = env.ConnectPlcText(kPlc, "t.plc.xml");
  }
  ItemRef Node() {
    const auto list = snapIn->OnlineModel()->ItemList();
    return list->Find(2, platform::Variant("RgPrjHandlerFilesOnMMC")) ? list->FoundItem()
                                                                      : ItemRef();
  }
  platform::Ref<mzblprsx::RgPrjHandlerFilesOnMMC> Handler() {
    return Node()->HandlerObject().Cast<mzblprsx::RgPrjHandlerFilesOnMMC>();
  }
  std::string Files() {
    std::string names;
    const auto children = Node()->Items();
    for (int32_t i = 1; i <= children->Count(); ++i) {
      names += (names.empty() ? "" : " ") + children->Item(i)->Data()->Value("NAME").ToString();
    }
    return names;
  }
  ItemRef FileItem(const char* name) {
    const auto list = Node()->ChildList();
    return list->Find(4, platform::Variant(plc->MemoryCard()->FindFile(name))) ? list->FoundItem()
                                                                               : ItemRef();
  }
  int32_t LoadState() { return Node()->Data()->Value("LoadState").ToInt32(); }
  /// The type tag of the last AddValue of "LoadState"; 0 after a fill.
  int32_t LoadStateTag() {
    return Node()->Data()->Property("LoadState").Cast<host::ItemProperty>()->Type();
  }
  static std::string Dump(const ItemRef& item) {
    std::vector<std::string> parts;
    for (const std::string& key : item->Data()->Keys()) {
      const auto property = item->Data()->Property(key);
      const platform::Variant value = property->Value();
      parts.push_back(key + "=" + value.ToString() + "/" + value.TypeName() + "/" +
                      std::to_string(property->Flags()));
    }
    return Join(parts);
  }

  platform::Ref<host::PlcProject> plc;
};

TEST_F(MemoryCardFiles, TheListLoadsOnceAndEachFileShowsItsKeys) {
  ASSERT_TRUE(Node());
  EXPECT_EQ(Dump(Node()),
            "TYPE=RgFilesOnMMC/String/1, NAME=" + snapIn->GetStaticText(7) +
                "/String/1, LASTMODIFIED=2026-11-02 08:20:00/Date/1, SIZE=1024/Long/1, "
                "LoadState=0/Integer/1");
  EXPECT_EQ(Files(), "");
  const size_t calls = env.Load().Calls().size();
  Handler()->LoadFiles();
  ASSERT_EQ(env.Load().Calls().size(), calls + 1);
  const host::LoadStateCall& call = env.Load().Calls().back();
  EXPECT_EQ(call.flags, 16);
  EXPECT_NE(call.updateList.find(std::string(clsid::kMemoryCard) + "\" OBJID=\"MMC\""),
            std::string::npos)
      << call.updateList;
  EXPECT_EQ(Files(), "a.bin b.csv");
  EXPECT_EQ(LoadState(), -1);
  Handler()->LoadFiles();
  EXPECT_EQ(env.Load().Calls().size(), calls + 1) << "a loaded list is not asked for again";
  EXPECT_EQ(Dump(FileItem("a.bin")),
            "TYPE=RgMMCFile/String/1, NAME=a.bin/String/2, FILETYPE=1/Long/1, SIZE=10/Long/1, "
            "LASTMODIFIED=2026-11-01 07:00:00/Date/1, DISPLAY_TYPE=Program/String/1");
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

TEST_F(MemoryCardFiles, EachLoadAnswerGivesItsLoadStateAndAnUnknownOneChangesNothing) {
  const auto load = platform::MakeObject<ScriptedLoad>();
  const ScriptedLoadFactory::Installed installed(load);
  const struct Row {
    int32_t answer, state, tag;  // tag 0: "LoadState" not written since the fill
  } rows[] = {{-1, 0, 2}, {0, -1, 2}, {1, 0, 2}, {2, 1, 2}, {3, 0, 0}, {-2, 0, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.answer);
    Node()->Handler()->Refresh();  // "LoadState" 0 again
    load->answer = row.answer;
    Handler()->LoadFiles();
    EXPECT_EQ(LoadState(), row.state);
    EXPECT_EQ(LoadStateTag(), row.tag);
  }
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

TEST_F(MemoryCardFiles, TheListFollowsTheCardsNotifications) {
  Handler()->LoadFiles();
  const auto card = plc->MemoryCard();
  const ItemRef a = FileItem("a.bin");
  card->ReportFiles();
  EXPECT_EQ(Files(), "a.bin b.csv") << "files reported again are not added twice";
  EXPECT_TRUE(SameObject(FileItem("a.bin"), a));
  card->FindFile("a.bin")->SetSize(99);
  EXPECT_EQ(a->Data()->Value("SIZE").ToInt32(), 99) << "a changed file's item is refreshed";
  card->AddFile(platform::MakeObject<host::MMCFile>("c.txt"));
  EXPECT_EQ(Files(), "a.bin b.csv c.txt");
  card->RemoveFile(*card->FindFile("b.csv"));
  EXPECT_EQ(Files(), "a.bin c.txt");
  card->SetSize(2048);
  EXPECT_EQ(Node()->Data()->Value("SIZE").ToInt32(), 2048) << "the card's change refreshes";
  const auto model = snapIn->OnlineModel();
  EXPECT_TRUE(model->AutoRefresh());
  model->SetAutoRefresh(false);
  card->AddFile(platform::MakeObject<host::MMCFile>("d.txt"));
  EXPECT_FALSE(model->AutoRefresh()) << "a notification inside a batch leaves it off";
  model->SetAutoRefresh(true);
  mzblprsx::RgNotification other{std::string(clsid::kMMCFile), {{16, {card->FindFile("a.bin")}}}};
  Handler()->OnNotify2(other);
  EXPECT_EQ(Files(), "a.bin c.txt d.txt") << "other codes are ignored";
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

TEST_F(MemoryCardFiles, FileItemsRenameAndDeleteOnTheCard) {
  Handler()->LoadFiles();
  const ItemRef a = FileItem("a.bin");
  a->Data()->SetValue("NAME", platform::Variant("z.bin"), 2);
  a->Handler()->Save();
  EXPECT_TRUE(plc->MemoryCard()->FindFile("z.bin"));
  EXPECT_EQ(Files(), "z.bin b.csv");
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());

  a->Data()->SetValue("NAME", platform::Variant("B.CSV"), 2);
  a->Handler()->Save();
  EXPECT_EQ(ErrorSources(), std::vector<std::string>{"mzblprsx.RgPrjHandlerMMCFile.RenameMMCFile"});
  EXPECT_EQ(Files(), "z.bin b.csv") << "a refused name is not left in the item";
  std::string name = "y.bin";
  EXPECT_TRUE(a->HandlerObject().Cast<mzblprsx::RgPrjHandlerMMCFile>()->RenameMMCFile(name));
  EXPECT_EQ(Files(), "y.bin b.csv");

  FileItem("b.csv")->Handler()->Delete();
  EXPECT_FALSE(plc->MemoryCard()->FindFile("b.csv"));
  EXPECT_EQ(Files(), "y.bin");
}

TEST_F(MemoryCardFiles, AnOpenCardIsLoadedWhenTheOnlineDataIsRefreshed) {
  env.Application().OpenDocument(plc->MemoryCard(), -1);
  snapIn->RefreshOnlineData(snapIn->OnlineModel()->Items()->First(), true);
  EXPECT_EQ(LoadState(), -1);
  EXPECT_EQ(Files(), "a.bin b.csv");
}

}  // namespace
}  // namespace mztest
