// The memory card's file list in the online tree: the node loads the card's files once, through
// the load service, and follows the card's notifications; the file items show a file's keys and
// rename and delete the file on the card.
#include "core/SnapInFixture.h"
#include "host/model/ItemProperty.h"
#include "host/services/LoadService.h"
#include "host/services/ServiceFactory.h"
#include "mzblprsx/handlers/RgPrjHandlerFilesOnMMC.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemProperty.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "support/HostTestSupport.h"

namespace mztest {
namespace {

using ItemRef = platform::Ref<mzblprsx::RgProjectItem>;
using platform::Ref;
namespace clsid = mzblprsx::clsid;

// The host's service factory, but with a load service that answers what the test says (the
// host answers only 0, 1 and 2); registered in place of the host's while a test needs it.
struct ScriptedLoad final : mzblprsx::IRgServiceFactory, mzblprsx::IRgLoadService {
  std::string_view TypeName() const override { return "ScriptedLoad"; }
  Ref<platform::Object> GetService(const std::string& id, Ref<platform::Object> offline,
                                   Ref<platform::Object> online, const std::string& name) override {
    if (id == clsid::kLoadService) return platform::Self(this);
    return platform::MakeObject<host::ServiceFactory>()->GetService(id, offline, online, name);
  }
  int32_t LoadState(const std::string& /*list*/, int32_t /*flags*/) override { return answer; }
  void Download(const std::string&, int32_t, int32_t& result) override { result = -1; }
  void Upload(const std::string&, int32_t, int32_t& result) override { result = -1; }
  int32_t answer = 0;
};
void RegisterFactory(const Ref<platform::Object>& scripted) {
  platform::ClassRegistry::Instance().Register(clsid::kServiceFactory, "", [scripted] {
    return scripted ? scripted
                    : Ref<platform::Object>(platform::MakeObject<host::ServiceFactory>());
  });
}

class MemoryCardFiles : public SnapInFixture {
 protected:
  void SetUp() override {
    Start();
    Initialized();
    plc = env.ConnectPlcText(PlcText(R"(<memory-card name="MMC" size="1024"
  modified="2026-11-02 08:20:00"><file name="a.bin" type="1" type-text="Program" size="10"
  modified="2026-11-01 07:00:00"/><file name="b.csv"/></memory-card><program name="P"/>)"),
                             "t.plc.xml");
  }
  ItemRef Node() {
    const auto list = snapIn->OnlineModel()->ItemList();
    return list->Find(2, platform::Variant("RgPrjHandlerFilesOnMMC")) ? list->FoundItem() : nullptr;
  }
  void Load() { Node()->HandlerObject().Cast<mzblprsx::RgPrjHandlerFilesOnMMC>()->LoadFiles(); }
  std::string Files() {
    std::string names;
    for (int32_t i = 1; i <= Node()->Items()->Count(); ++i) {
      names += (names.empty() ? "" : " ") + Text(Node()->Items()->Item(i), "NAME");
    }
    return names;
  }
  static std::string Text(const ItemRef& item, const char* key) {
    return item->Data()->Value(key).ToString();
  }
  /// Every key as "KEY=value/type/flags".
  static std::string Dump(const ItemRef& item) {
    std::vector<std::string> parts;
    for (const std::string& key : item->Data()->Keys()) {
      const auto property = item->Data()->Property(key);
      parts.push_back(key + "=" + property->Value().ToString() + "/" +
                      property->Value().TypeName() + "/" + std::to_string(property->Flags()));
    }
    return Join(parts);
  }

  Ref<host::PlcProject> plc;
};

TEST_F(MemoryCardFiles, TheListLoadsOnceAndEachFileShowsItsKeys) {
  EXPECT_EQ(Dump(Node()), "TYPE=RgFilesOnMMC/String/1, NAME=" + snapIn->GetStaticText(7) +
                              "/String/1, LASTMODIFIED=2026-11-02 08:20:00/Date/1, "
                              "SIZE=1024/Long/1, LoadState=0/Integer/1");
  const size_t calls = env.Load().Calls().size();
  Load();
  Load();
  ASSERT_EQ(env.Load().Calls().size(), calls + 1) << "a loaded list is not asked for again";
  EXPECT_EQ(env.Load().Calls().back().flags, 16);
  EXPECT_EQ(Files(), "a.bin b.csv");
  EXPECT_EQ(Text(Node(), "LoadState"), "-1");
  EXPECT_EQ(Dump(Node()->Items()->First()),
            "TYPE=RgMMCFile/String/1, NAME=a.bin/String/2, FILETYPE=1/Long/1, SIZE=10/Long/1, "
            "LASTMODIFIED=2026-11-01 07:00:00/Date/1, DISPLAY_TYPE=Program/String/1");
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

TEST_F(MemoryCardFiles, EachLoadAnswerGivesItsLoadStateAndAnUnknownOneChangesNothing) {
  const auto scripted = platform::MakeObject<ScriptedLoad>();
  RegisterFactory(scripted);
  const struct Row {
    int32_t answer, state, tag;  // tag 0: "LoadState" not written since the fill
  } rows[] = {{-1, 0, 2}, {0, -1, 2}, {1, 0, 2}, {2, 1, 2}, {3, 0, 0}, {-2, 0, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.answer);
    Node()->Handler()->Refresh();  // "LoadState" 0 again
    scripted->answer = row.answer;
    Load();
    EXPECT_EQ(Text(Node(), "LoadState"), std::to_string(row.state));
    EXPECT_EQ(Node()->Data()->Property("LoadState").Cast<host::ItemProperty>()->Type(), row.tag);
  }
  RegisterFactory(nullptr);
}

TEST_F(MemoryCardFiles, TheListFollowsTheCardAndItsItemsRenameAndDeleteOnIt) {
  Load();
  const auto card = plc->MemoryCard();
  const ItemRef a = Node()->Items()->First();
  card->ReportFiles();
  EXPECT_EQ(Files(), "a.bin b.csv") << "files reported again are not added twice";
  card->FindFile("a.bin")->SetSize(99);
  EXPECT_EQ(Text(a, "SIZE"), "99") << "a changed file's item is refreshed in place";
  card->AddFile(platform::MakeObject<host::MMCFile>("c.txt"));
  card->SetSize(2048);
  EXPECT_EQ(Text(Node(), "SIZE"), "2048");
  Node()->Items()->Item(2)->Handler()->Delete();
  EXPECT_EQ(Files(), "a.bin c.txt");
  for (const char* name : {"z.bin", "C.TXT"}) {
    a->Data()->SetValue("NAME", platform::Variant(name), 2);
    a->Handler()->Save();
  }
  EXPECT_EQ(Files(), "z.bin c.txt") << "a refused name is not left in the item";
  EXPECT_EQ(ErrorSources(), std::vector<std::string>{"mzblprsx.RgPrjHandlerMMCFile.RenameMMCFile"});
  EXPECT_TRUE(snapIn->OnlineModel()->AutoRefresh());
}

TEST_F(MemoryCardFiles, AnOpenCardIsLoadedWhenTheOnlineDataIsRefreshed) {
  env.Application().OpenDocument(plc->MemoryCard(), -1);
  snapIn->RefreshOnlineData(snapIn->OnlineModel()->Items()->First(), true);
  EXPECT_EQ(Text(Node(), "LoadState"), "-1");
  EXPECT_EQ(Files(), "a.bin b.csv");
}

}  // namespace
}  // namespace mztest
