// The online tree: how the factory builds the connected PLC's tree, how the program handler
// keeps the PLC's blocks in order as the framework reports them, and the memory card's file list,
// which loads the card's files once through the load service and follows the card.
#include <algorithm>
#include <random>

#include "handlers/HandlerFixture.h"
#include "host/app/HwConfigSnapIn.h"
#include "host/model/ItemProperty.h"
#include "host/services/LoadService.h"
#include "host/services/OnlineConnection.h"
#include "host/services/OnlineService.h"
#include "host/services/OptionService.h"
#include "host/services/ServiceFactory.h"
#include "mzblprsx/core/RgEnums.h"
#include "mzblprsx/handlers/RgObjectGhostBlock.h"
#include "mzblprsx/handlers/RgPrjHandlerFilesOnMMC.h"
#include "mzblprsx/handlers/RgPrjHandlerProgramOnline.h"
#include "mzblprsx/interfaces/RgNotification.h"
#include "mzblprsx/interfaces/RgProjectItemProperty.h"
#include "mzblprsx/models/RgProjects.h"
#include "support/HostTestSupport.h"

namespace mztest {
namespace {

using host::BlockInfo;
using platform::Ref;
namespace clsid = mzblprsx::clsid;

const std::string kCard = R"(<memory-card name="MMC" size="1024"/>)";

std::string Plc(const std::string& card, const std::string& blocks) {
  return PlcText("<hardware name=\"Station\" size=\"2048\" modified=\"2026-11-02 08:20:00\"/>" +
                 card + "<program name=\"Program\">" + blocks + "</program>");
}

/// The item's children by "NAME", "-" for a child without handler: "Station MMC(-) Program(OB1)".
std::string Shape(const ItemRef& item) {
  std::string out;
  const auto children = item->Items();
  for (int32_t i = 1; i <= children->Count(); ++i) {
    const ItemRef child = children->Item(i);
    if (!out.empty()) out += ' ';
    out += child->Handler() ? child->Data()->Value("NAME").ToString() : "-";
    if (child->Items()->Count() > 0) out += "(" + Shape(child) + ")";
  }
  return out;
}

class OnlineTree : public HandlerFixture {
 protected:
  void Connect(const std::string& card, const std::string& blocks) {
    plc = env.ConnectPlcText(Plc(card, blocks), "t.plc.xml");
  }
  void ShowSystemBlocks(bool on) {
    env.Options().SetValue("General/Display/ShowSystemBlocks", platform::Variant(on));
  }
  ItemRef Root() { return snapIn->OnlineModel()->Items()->First(); }
  ItemRef ItemOf(const platform::Ref<platform::Object>& object) {
    const auto list = snapIn->OnlineModel()->ItemList();
    return list->Find(4, platform::Variant(object)) ? list->FoundItem() : ItemRef();
  }
  ItemRef ProgramItem() { return ItemOf(plc->Program()); }
  platform::Ref<mzblprsx::RgPrjHandlerProgramOnline> Program() {
    return ProgramItem()->HandlerObject().Cast<mzblprsx::RgPrjHandlerProgramOnline>();
  }
  platform::Ref<host::Block> NewBlock(int32_t type, int32_t number) {
    return platform::MakeObject<host::Block>(true, type, number);
  }
  void Notify(int32_t code, const platform::Ref<host::Block>& block) {
    mzblprsx::RgNotification notification{std::string(mzblprsx::clsid::kBlockOnline), {}};
    notification.entries.push_back({code, {block}});
    Program()->OnNotify2(notification);
  }
  std::string Blocks() { return Shape(ProgramItem()); }

  platform::Ref<host::PlcProject> plc;
};

TEST_F(OnlineTree, ChildrenInFixedOrderWithBlocksSortedAccessBracketAndEachItemsKeys) {
  const std::string blocks = BlockXml("DB", 1) + BlockXml("FC", 2) + BlockXml("FB", 10) +
                             BlockXml("OB", 1) + BlockXml("FB", 2) +
                             BlockXml("SFC", 1, "system=\"true\"");
  const struct {
    std::string card, shape;
  } cases[] = {{kCard, "Station MMC(Memory card) Program(OB1 FB2 FB10 FC2 DB1)"},
               {"", "Station Program(OB1 FB2 FB10 FC2 DB1)"}};
  for (const auto& c : cases) {
    Connect(c.card, blocks);
    EXPECT_EQ(Shape(Root()), c.shape)
        << "system blocks hidden; the card's only child is its file list";
    EXPECT_EQ(env.Online().CurrentConnection()->AccessLog(), (std::vector<int32_t>{12, 13}));
    EXPECT_EQ(Root()->Data()->Value("TYPE").ToString(), "RgProjectOnline");
  }
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());

  Connect("", R"(<block type="FB" number="10" header="Motor" author="Ann" language="LAD" size="412"
    modified="2026-11-02 08:15:00" protected="true"/>)");
  const auto hw = env.Application().SnapIn("SnapInHWConfig").Cast<host::HwConfigSnapIn>();
  const struct {
    ItemRef item;
    std::string dump;
  } items[] = {
      {Root(), "TYPE=RgProjectOnline, NAME=P, LASTMODIFIED=1900-01-01 00:00:00/Date, SIZE=0/Long"},
      {ProgramItem(),
       "TYPE=RgProgramOnline, NAME=Program, LASTMODIFIED=1900-01-01 00:00:00/Date, SIZE=0/Long"},
      {ItemOf(plc->Hardware()),
       "TYPE=RgHwConfigOnline, NAME=Station, LASTMODIFIED=2026-11-02 08:20:00/Date, "
       "SIZE=2048/Long"},
      {ItemOf(plc->Program()->FindBlockById("FB10")),
       "NAME=FB10, TYPE=RgBlockOnline.FB, BLOCKTYPE=10/Long, BLOCKNUMBER=10/Long, "
       "HEADERNAME=Motor, LASTMODIFIED=2026-11-02 08:15:00/Date, PROGLANGUAGE=LAD, AUTHOR=Ann, "
       "SIZE=412/Long, DISPLAY_TYPE=Function block, DISPLAY_TITLE=FB10, PROTECTED=True/Boolean, "
       "SYSTEM=False/Boolean"}};
  for (const auto& c : items) EXPECT_EQ(Dump(c.item), c.dump);
  // What the user may edit carries 3, the rest 1.
  const std::string flags[] = {"1111", "1111", "3311", "3113311311333"};
  for (size_t i = 0; i < std::size(items); ++i) {
    std::string shown;
    for (const std::string& key : items[i].item->Data()->Keys()) {
      shown += std::to_string(items[i].item->Data()->Property(key)->Flags());
    }
    EXPECT_EQ(shown, flags[i]) << items[i].dump;
  }
  plc->Hardware()->SetSize(4096);
  EXPECT_EQ(Value(ItemOf(plc->Hardware()), "SIZE").ToInt32(), 4096) << "a change is followed";
  ItemOf(plc->Hardware())->Handler()->Delete();
  EXPECT_EQ(hw->Deletes(), std::vector<int32_t>{0}) << "the hardware snap-in is asked to delete";
}

TEST_F(OnlineTree, ATreeWithoutConnectionMakesNoAccessAndRefreshHandsOutTheCardHandlerAgain) {
  Connect(kCard, BlockXml("OB", 1));
  const auto connection = env.Online().CurrentConnection();
  const auto model = snapIn->OnlineModel();
  env.DisconnectPlc();
  model->AddProject(plc);
  EXPECT_EQ(Shape(Root()), "Station MMC(Memory card) Program")
      << "no block service without the PLC's data";
  EXPECT_EQ(connection->AccessLog(), (std::vector<int32_t>{12, 13})) << "only the first build's";
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
  model->RemoveProject(plc);

  Connect(kCard, "");
  for (int refresh = 0; refresh < 2; ++refresh) {
    const ItemRef card = ItemOf(plc->MemoryCard());
    ASSERT_TRUE(card);
    EXPECT_EQ(card->HandlerObject()->TypeName(), "RgPrjHandlerMemoryCard");
    snapIn->Projects()->RefreshModel(mzblprsx::RgProjectLocationOnline);
  }
}

TEST_F(OnlineTree, ArrivingBlocksTakeTheBlockOrderAroundTheGhostAndAReportedOneKeepsItsItem) {
  Connect("", BlockXml("FB", 10) + BlockXml("DB", 1));
  const auto ghost = Program()->CreateRgObjectGhostBlock();
  ProgramItem()->Items()->AddNew(ghost, nullptr, nullptr);
  const std::string name = snapIn->GetStaticText(4);
  ASSERT_EQ(Blocks(), "FB10 DB1 " + name);
  for (const auto& [type, number] : std::vector<std::pair<int32_t, int32_t>>{
           {BlockInfo::kFc, 2}, {BlockInfo::kOb, 1}, {BlockInfo::kDb, 5}, {BlockInfo::kFb, 2}}) {
    plc->Program()->AddBlock(NewBlock(type, number));
  }
  EXPECT_EQ(Blocks(), "OB1 FB2 FB10 FC2 DB1 " + name + " DB5")
      << "a block that sorts after every block goes to the end";
  plc->Program()->RemoveBlock(*plc->Program()->FindBlockById("FB2"));
  EXPECT_EQ(Blocks(), "OB1 FB10 FC2 DB1 " + name + " DB5");
  EXPECT_TRUE(snapIn->OnlineModel()->AutoRefresh());
  EXPECT_TRUE(SameObject(Program()->GetGhostBlock(), ItemOf(ghost)));
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());

  // Any arrival order gives the block order.
  Connect("", "");
  std::vector<std::pair<int32_t, int32_t>> keys;
  for (const int32_t type : {BlockInfo::kDb, BlockInfo::kOb, BlockInfo::kFc, BlockInfo::kUdt}) {
    for (int32_t number = 1; number <= 40; ++number) keys.emplace_back(type, number * 7 % 41);
  }
  std::shuffle(keys.begin(), keys.end(), std::mt19937(2026));
  for (const auto& [type, number] : keys) plc->Program()->AddBlock(NewBlock(type, number));
  const auto info = snapIn->BlockInfo();
  const auto order = [&](const std::pair<int32_t, int32_t>& k) {
    return std::make_pair(info->SortIndex(k.first), k.second);
  };
  std::sort(keys.begin(), keys.end(), [&](auto& a, auto& b) { return order(a) < order(b); });
  std::string expected;
  for (const auto& [type, number] : keys) {
    expected += (expected.empty() ? "" : " ") + BlockInfo::MakeName(type, number);
  }
  EXPECT_EQ(Blocks(), expected);

  Connect("", BlockXml("OB", 1) + BlockXml("FB", 10));
  const auto same = plc->Program()->FindBlockById("FB10");
  const auto other = NewBlock(BlockInfo::kFb, 10);
  other->SetSize(77);
  Notify(3, same);
  Notify(4, other);
  EXPECT_EQ(Blocks(), "OB1 FB10");
  const ItemRef item = ProgramItem()->Items()->Item(2);
  EXPECT_TRUE(SameObject(item->Handler()->Object(), other));
  EXPECT_EQ(item->Data()->Value("SIZE").ToInt32(), 77);
}

TEST_F(OnlineTree, SystemBlocksOnlyWhileShownAndDeletingTheProgramKeepsThem) {
  for (const bool shown : {false, true}) {
    ShowSystemBlocks(shown);
    Connect("", BlockXml("OB", 1));
    plc->Program()->AddBlock(NewBlock(BlockInfo::kSdb, 2));
    plc->Program()->AddBlock(NewBlock(BlockInfo::kSfc, 1));
    plc->Program()->AddBlock(NewBlock(BlockInfo::kSfb, 1));
    EXPECT_EQ(Blocks(), shown ? "OB1 SFB1 SFC1 SDB2" : "OB1 SFB1") << "shown: " << shown;
  }
  Connect("", BlockXml("OB", 1) + BlockXml("FB", 10) + BlockXml("SFC", 1, "system=\"true\""));
  ProgramItem()->Handler()->Delete();
  EXPECT_EQ(plc->Program()->BlockCount(), 1u);
  EXPECT_EQ(Blocks(), "SFC1");
  std::vector<std::string> none{"FB99"};
  EXPECT_TRUE(Program()->DeleteBlocks(none)) << "an unknown identifier deletes nothing";
}

TEST_F(OnlineTree, GhostHoldsEachBlockOnceAndDescribesThemByAddressPriority) {
  env.OpenProjectText(ProjectXml(), "t.prj.xml");
  Connect("", "");
  const auto offline = env.Project()->Program();
  const auto ghost = Program()->CreateRgObjectGhostBlock();
  const ItemRef item = ProgramItem()->Items()->AddNew(ghost, nullptr, nullptr);
  EXPECT_EQ(item->Data()->Value("TYPE").ToString(), "RgGhostBlock");
  EXPECT_EQ(item->Data()->Value("NAME").ToString(), snapIn->GetStaticText(4));
  EXPECT_EQ(ghost->ObjectPath(), snapIn->GetStaticText(5008)) << "empty: the heading alone";
  for (const char* name : {"FB10", "FC1", "FB10"}) ghost->AddBlock(offline->FindBlockById(name));
  ghost->RemoveBlock(offline->FindBlockById("OB1"));
  EXPECT_EQ(ghost->CountBlocks(), 2);
  ASSERT_EQ(ghost->NewEnum().size(), 2u);
  EXPECT_EQ(ghost->NewEnum()[1]->DisplayName(), "FC1");
  const struct {
    const char* priority;
    std::string lines;
  } cases[] = {{"1", "\r\nMotor : FB10\r\nFC1"}, {"0", "\r\nFB10 : Motor\r\nFC1"}};
  for (const auto& c : cases) {
    env.Options().SetValue("General/Settings/AddressPriority", platform::Variant(c.priority));
    EXPECT_EQ(ghost->ObjectPath(), snapIn->GetStaticText(5008) + c.lines) << c.priority;
  }
  ghost->SetClassID(std::string(mzblprsx::clsid::kGhostOffline));
  ghost->RemoveAll();
  EXPECT_EQ(ghost->ObjectPath(), snapIn->GetStaticText(5007));
  EXPECT_FALSE(item->Handler()->IsDirty());
  EXPECT_TRUE(ErrorSources().empty()) << Join(ErrorSources());
}

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

class MemoryCardFiles : public HandlerFixture {
 protected:
  void SetUp() override {
    HandlerFixture::SetUp();
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
