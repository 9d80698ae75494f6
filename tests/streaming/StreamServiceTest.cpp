// The offline stream service over the conveyor sample with a recording handler: what it asks the
// handler, the byte forms it makes and reads, and the messages it shows.
#include <gtest/gtest.h>

#include "host/app/HostApplication.h"
#include "host/framework/ClipboardFormats.h"
#include "host/services/OptionService.h"
#include "streaming/StreamTest.h"
#include "support/FakeStreamHandler.h"

namespace mztest {
namespace {

namespace clsid = mzblprsx::clsid;
using mzblprsx::RgObjectStreamItems;
using mzblprsx::RgObjectStreamService;

class StreamServiceTest : public StreamTest {
 protected:
  void SetUp() override {
    HandlerFixture::SetUp();
    Open(SampleText());
    service->SetStreamHandler(handler);
    handler->SetParent(service);
  }
  void TearDown() override {
    handler->SetParent(nullptr);
    StreamTest::TearDown();
  }

  static void Reference(const Ref<host::DataObject>& data, std::string_view classId,
                        const std::string& id, const std::string& name,
                        const std::string& marker = "") {
    data->AddReference(std::string(classId), Variant(id), name)->SetMarkerText(marker);
  }
  /// Stream items over a data object of references to offline blocks ("FB1 FB2").
  Ref<RgObjectStreamItems> Blocks(const std::vector<std::string>& ids) {
    auto data = NewData();
    for (const auto& id : ids) Reference(data, clsid::kBlockOffline, id, "S" + id);
    auto items = platform::MakeObject<RgObjectStreamItems>();
    items->AttachDataObject(data);
    return items;
  }
  static void MarkFirst(const Ref<RgObjectStreamItems>& items, int32_t count, int32_t error) {
    const auto all = items->NewEnum();
    for (int32_t i = 0; i < count; ++i) all[static_cast<size_t>(i)]->SetItemError(error);
  }
  static std::vector<uint8_t> Bytes(const Ref<host::DataObject>& data) { return data->SaveBytes(); }

  Ref<FakeStreamHandler> handler = platform::MakeObject<FakeStreamHandler>();
};

TEST_F(StreamServiceTest, NothingToCarryNeverReachesTheHandlerAndEachClassAllowsItsActions) {
  const auto empty = Selection({});
  const auto fb10 = Selection({BlockItem("FB10")});
  EXPECT_FALSE(service->CanStreamData(nullptr, 1));
  EXPECT_FALSE(service->CanStreamData(empty, 1));
  EXPECT_FALSE(service->CanStreamData(fb10, mzblprsx::RgStreamServiceDataActionNone));
  for (const auto& [items, action] :
       {std::pair{Ref<host::ItemReferenceList>(), 1}, {empty, 1}, {fb10, 0}}) {
    const auto result = service->GetStreamItems(items, action);
    ASSERT_TRUE(result) << "the stream items are never nothing";
    EXPECT_EQ(result->Count(), 0);
  }
  EXPECT_EQ(service->StreamItemData(empty), (std::vector<uint8_t>{0}));
  EXPECT_EQ(service->StreamItemData(nullptr), (std::vector<uint8_t>{0}));
  service->InsertStreamDataComplete(0, fb10);
  service->InsertStreamDataComplete(2, empty);
  EXPECT_TRUE(handler->log.empty()) << Join(handler->log);

  EXPECT_TRUE(service->CanStreamData(fb10, 2));
  EXPECT_EQ(service->GetStreamItems(fb10, 1)->Count(), 1);
  service->InsertStreamDataComplete(2, fb10);
  EXPECT_EQ(Join(handler->log), "CanStreamData 1 2, GetStreamItems 1, InsertObjectsComplete 2");

  ASSERT_TRUE(BlockItem("SFC46")) << "the sample's system block is in the tree";
  struct Row {
    const char* what;
    ItemRef item;
    int32_t allowed;
  };
  const Row rows[] = {
      {"project", ProjectItem(), 1},           {"program", ProgramItem(), 3},
      {"category", CategoryItem(2), 3},        {"block", BlockItem("FB10"), 3},
      {"system block", BlockItem("SFC46"), 2},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(service->GetItemStreamDataAction(row.item), row.allowed) << row.what;
  }
  // The project's other children by their type name.
  std::string children;
  const auto items = ProjectItem()->Items();
  for (int32_t i = 1; i <= items->Count(); ++i) {
    const auto type = Text(items->Item(i), "TYPE");
    if (type == "RgProgramOffline") continue;
    children += type + "=" + std::to_string(service->GetItemStreamDataAction(items->Item(i))) + " ";
  }
  EXPECT_EQ(children,
            "RgHwConfigOffline=1 RgSymbolTable=1 RgVarTables=1 RgXRef=0 RgDocumentation=0 ");
}

TEST_F(StreamServiceTest, ByteFormsAndFormatsOfASelection) {
  env.Application().OpenDocument(HostBlock("FB10"), -1);
  const auto selection = Selection({ProgramItem(), BlockItem("FB10"), CategoryItem(2)});
  const std::string xml = service->GetProjectItemsXML(selection);
  EXPECT_EQ(xml, "<ROOT><RGOBJECT CLSID=\"" + std::string(clsid::kProgramOffline) + "\" OBJID=\"" +
                     HostProgram()->ObjectID() + "\" ISOPEN=\"0\"/><RGOBJECT CLSID=\"" +
                     std::string(clsid::kBlockOffline) +
                     "\" OBJID=\"FB10\" ISOPEN=\"-1\"/><RGOBJECT CLSID=\"" +
                     std::string(clsid::kCategory) + "\" OBJID=\"" +
                     HostProgram()->FindCategory(2)->ObjectID() + "\" ISOPEN=\"0\"/></ROOT>")
      << "objects in selection order; the open block says so";
  EXPECT_EQ(service->GetProjectItemXML(BlockItem("FB10")),
            service->GetProjectItemsXML(Selection({BlockItem("FB10")})));
  EXPECT_EQ(service->GetProjectItemXML(nullptr), "");
  EXPECT_EQ(service->GetProjectItemsXML(Selection({})), "");
  auto data = NewData();
  data->AddObject(HostBlock("FB10"));
  EXPECT_EQ(service->GetRgDataObjectItemsXML(data), "<ROOT><RGOBJECT CLSID=\"" +
                                                        std::string(clsid::kBlockOffline) +
                                                        "\" OBJID=\"FB10\" ISOPEN=\"0\"/></ROOT>")
      << "the XML of a data object never counts an object as open";
  EXPECT_EQ(service->GetRgDataObjectItemsXML(NewData()), "");
  EXPECT_EQ(ReportedNumbers(), (std::vector<int32_t>{9})) << "no object: no array to write";

  const auto list = service->StreamItemList(selection);
  ASSERT_GE(list.size(), 2u);
  EXPECT_EQ(list[list.size() - 1] | list[list.size() - 2], 0) << "ended by one NUL character";
  EXPECT_EQ(RgObjectStreamService::ReadByteForm(list), xml);
  EXPECT_TRUE(service->StreamItemList(nullptr).empty());

  auto received = NewData();
  received->LoadBytes(service->StreamItemData(selection));
  EXPECT_EQ(received->ItemCount(), 3) << "the handler wrote the objects";

  EXPECT_EQ(RgObjectStreamService::ReadByteForm(service->StreamObjectSource()), "{SOURCE}");
  auto source = RgObjectStreamService::MakeByteForm("  {OTHER} ");
  source.insert(source.end(), {'x', 0, 0, 0});
  EXPECT_EQ(service->CheckSourceFromSameApplication(source), 5);
  EXPECT_EQ(handler->log.back(), "CheckSource {OTHER}") << "trimmed and cut at the NUL";

  const int16_t listFormat = service->GetFormat(mzblprsx::RgStreamServiceFormatObjectList);
  const int16_t sourceFormat = service->GetFormat(mzblprsx::RgStreamServiceFormatObjectSource);
  const int16_t dataFormat = service->GetFormat(mzblprsx::RgStreamServiceFormatObjectData);
  EXPECT_NE(listFormat, 0);
  EXPECT_NE(listFormat, sourceFormat);
  EXPECT_EQ(dataFormat, NewData()->DataFormat()) << "the data object's own format";
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(service->GetFormat(1), listFormat);
    EXPECT_EQ(service->GetFormat(2), dataFormat);
    EXPECT_EQ(service->GetFormat(3), sourceFormat);
  }
  const auto formats = platform::MakeObject<host::ClipboardFormats>();
  EXPECT_EQ(formats->RegisterFormat("rgCFObjectList"), listFormat);
  EXPECT_EQ(formats->RegisterFormat("rgCFObjectSource"), sourceFormat);
  EXPECT_EQ(service->GetFormat(0), 0);
  EXPECT_EQ(service->GetFormat(4), 0);
}

TEST_F(StreamServiceTest, InsertAsksTheHandlerOnlyForWhatItCanDoAndStopsAtARefusal) {
  EXPECT_FALSE(Insert(std::vector<uint8_t>{0}, 1)) << "one byte: the sender had nothing";
  EXPECT_FALSE(Insert(std::vector<uint8_t>{1, 2, 3}, 1)) << "bytes that are no data object";
  EXPECT_TRUE(env.Errors().Reports().empty()) << "unreadable data is an answer, not an error";
  EXPECT_TRUE(Insert(Bytes(NewData()), 1)) << "an empty data object is no failure";
  EXPECT_FALSE(inserted);
  EXPECT_TRUE(handler->log.empty());

  const auto list = RgObjectStreamService::MakeByteForm(
      "<ROOT><RGOBJECT CLSID=\"C\" OBJID=\"OB1\"/><RGOBJECT CLSID=\"C\" OBJID=\"FB10\"/>"
      "<RGOBJECT CLSID=\"C\" OBJID=\"FB11\"/></ROOT>");
  handler->insertActions = {{"FB10", 2}, {"FB11", 1}};
  EXPECT_EQ(service->CanInsertStreamData(list, 9), 2);
  EXPECT_EQ(Join(handler->log), "GetInsertDataAction OB1 9, GetInsertDataAction FB10 9");

  handler->insertActions.clear();
  EXPECT_EQ(service->CanInsertStreamData(list), 0) << "none insertable: None";
  handler->log.clear();
  EXPECT_EQ(service->CanInsertStreamData(RgObjectStreamService::MakeByteForm("<ROOT/>")), 0);
  EXPECT_TRUE(handler->log.empty());
  EXPECT_FALSE(env.Errors().Reports().empty()) << "a list without objects is a failure";

  auto data = NewData();
  data->AddObject(HostBlock("FB10"));
  handler->checkObjects = [](FakeStreamHandler::Items&) { return false; };
  EXPECT_FALSE(Insert(Bytes(data), 1));
  EXPECT_EQ(Join(handler->log), "CheckObjects FB10 action=1 source=0");

  handler->checkObjects = nullptr;
  handler->insertObjects = [&](FakeStreamHandler::Items&) {
    service->InsertedItems()->Add(BlockItem("FB10"), {}, {});
    return false;
  };
  EXPECT_FALSE(Insert(Bytes(data), 1));
  EXPECT_FALSE(inserted) << "a failed insert hands out nothing";
  EXPECT_FALSE(service->InsertedItems());
}

TEST_F(StreamServiceTest, InsertDropsMissingAndCancelledObjectsAndHandsOutTheCreatedItems) {
  auto data = NewData();
  data->AddObject(HostBlock("FB10"));
  data->AddObject(HostBlock("FB11"));
  Reference(data, clsid::kBlockOffline, "FB12", "Gone", "Missing");
  data->AddObject(HostBlock("OB1"))->SetMarkerText("Missing");  // has content: not missing
  handler->checkObjects = [](FakeStreamHandler::Items& items) {
    items->Find(std::string(clsid::kBlockOffline), Variant("FB11"))
        ->SetAction(mzblprsx::RgDataObjectItemActionCancel);
    return true;
  };
  handler->insertObjects = [&](FakeStreamHandler::Items& items) {
    EXPECT_EQ(items->DataObject()->ItemCount(), 2) << "removed objects left the data object";
    service->InsertedItems()->Add(BlockItem("FB10"), {}, {});
    return true;
  };
  EXPECT_TRUE(Insert(Bytes(data), 1, 5, ProgramItem()));
  EXPECT_EQ(Join(handler->log),
            "CheckObjects FB10 FB11 OB1 action=1 source=5, InsertObjects FB10 OB1");
  ASSERT_TRUE(inserted);
  EXPECT_EQ(inserted->Count(), 1);
  EXPECT_FALSE(service->InsertedItems()) << "exists only while the handler inserts";
  EXPECT_EQ(MessageNumbers(), (std::vector<int32_t>{1037}));
}

TEST_F(StreamServiceTest, MessagesListMissingBlocksByPriorityAndFlushAndOpenChecksTellOrAsk) {
  env.Options().SetValue("General/Settings/AddressPriority", Variant("1"));
  auto data = NewData();
  for (int i = 1; i <= 9; ++i) {
    const std::string n = std::to_string(i);
    Reference(data, clsid::kBlockOffline, "FB" + n, "S" + n, "Missing");
  }
  Insert(Bytes(data), 1);
  ASSERT_EQ(env.Errors().Messages().size(), 1u);
  const auto& message = env.Errors().Messages().front();
  EXPECT_EQ(message.module, "cmnerr");
  EXPECT_EQ(message.number, 1037);
  EXPECT_EQ(message.arguments,
            (std::vector<std::string>{snapIn->GetStaticText(821),
                                      "S1:FB1,\r\nS2:FB2,\r\nS3:FB3,\r\nS4:FB4,\r\nS5:FB5,\r\n"
                                      "S6:FB6,\r\nS7:FB7,\r\n..."}));
  EXPECT_EQ(handler->log.front(), "CheckObjects action=1 source=0") << "every object was gone";

  struct Row {
    const char* priority;
    std::string_view classId;
    std::string expected;
  };
  const Row rows[] = {{"1", clsid::kBlockOffline, "SFB10:FB10"},
                      {"0", clsid::kBlockOffline, "FB10:SFB10"},
                      {"1", clsid::kBlockOnline, "FB10"},
                      {"1", "{UNKNOWN}", ""}};
  for (const auto& row : rows) {
    env.Options().SetValue("General/Settings/AddressPriority", Variant(row.priority));
    auto one = NewData();
    Reference(one, row.classId, "FB10", "SFB10");
    auto items = platform::MakeObject<RgObjectStreamItems>();
    items->AttachDataObject(one);
    MarkFirst(items, 1, mzblprsx::RgDataObjectItemErrorOpenedBlock);
    env.Errors().ClearMessages();
    EXPECT_TRUE(service->CheckBlockOpenErrors(items, 1));
    ASSERT_EQ(env.Errors().Messages().size(), 1u);
    EXPECT_EQ(env.Errors().Messages().front().arguments.at(1), row.expected)
        << "priority '" << row.priority << "' class " << row.classId;
  }

  struct CheckRow {
    bool flush;
    int32_t location, action, errors;  // errors among three items
    int32_t answer, message;
    bool result;
  };
  // The last two: neither copy nor move, so the objects without errors go on unasked.
  const CheckRow checks[] = {
      {true, 1, 1, 0, 0, 0, true},      {true, 1, 1, 3, 0, 1040, true},
      {true, 2, 1, 3, 0, 1041, true},   {true, 1, 1, 2, 7, 1038, false},
      {true, 1, 1, 1, 6, 1038, true},   {true, 1, 2, 1, 7, 1042, false},
      {true, 2, 2, 1, 7, 1039, false},  {true, 2, 1, 2, 6, 1039, true},
      {false, 1, 1, 0, 0, 0, true},     {false, 1, 1, 3, 0, 1047, true},
      {false, 1, 1, 1, 7, 1048, false}, {false, 1, 2, 2, 6, 1049, true},
      {false, 1, 2, 2, 7, 1049, false}, {true, 1, 0, 1, 0, 0, true},
      {false, 1, 0, 1, 0, 0, true},
  };
  for (const auto& row : checks) {
    const int32_t error = row.flush ? mzblprsx::RgDataObjectItemErrorFlushingBlock
                                    : mzblprsx::RgDataObjectItemErrorOpenedBlock;
    const auto items = Blocks({"FB1", "FB2", "FB3"});
    MarkFirst(items, row.errors, error);
    env.Errors().ClearMessages();
    if (row.answer != 0) env.Errors().PushAnswer(row.answer);
    const bool result = row.flush ? service->CheckBlockFlushErrors(items, row.location, row.action)
                                  : service->CheckBlockOpenErrors(items, row.action);
    const std::string what = std::string(row.flush ? "flush" : "open") + " location " +
                             std::to_string(row.location) + " action " +
                             std::to_string(row.action) + " errors " + std::to_string(row.errors);
    EXPECT_EQ(result, row.result) << what;
    EXPECT_EQ(MessageNumbers(),
              row.message ? std::vector<int32_t>{row.message} : std::vector<int32_t>{})
        << what;
    if (row.message != 0) {
      const auto& m = env.Errors().Messages().front();
      EXPECT_EQ(m.style & 0xF, row.answer != 0 ? 4 : 0) << what << ": Yes/No asks, OK tells";
      EXPECT_EQ(m.arguments.at(0), snapIn->GetStaticText(821));
    }
    EXPECT_EQ(env.Errors().PendingAnswers(), 0u) << what;
    EXPECT_EQ(ReportedNumbers(), std::vector<int32_t>{}) << what << ": no message fails";
  }
}

TEST_F(StreamServiceTest, MissingObjectsTravelAsMarkedReferencesAndOpenEditorsAreFound) {
  auto data = NewData();
  for (const ItemRef& item : {BlockItem("FB10"), CategoryItem(2), ProjectItem(), CategoryItem(1)}) {
    service->StreamMissingObject(data, item);
  }
  std::string carried;
  for (int32_t i = 1; i <= data->ItemCount(); ++i) {
    const auto entry = data->Item(i);
    carried += entry->ObjectID().ToString() + "/" + entry->Name() + "/" + entry->MarkerText() +
               (entry->HasData() ? "/data " : " ");
  }
  EXPECT_EQ(carried, "FB10/Motor/Missing " + HostProgram()->FindCategory(2)->ObjectID() +
                         "/Motors/Missing Conveyor/Conveyor/Missing ")
      << "the default category is never carried";
  EXPECT_EQ(data->Item(1)->ClassID(), clsid::kBlockOffline);
  EXPECT_EQ(data->Item(3)->ClassID(), clsid::kProjectOffline);
  EXPECT_TRUE(platform::SameObject(
      service->GetDataObjectItem(data, std::string(clsid::kBlockOffline), Variant("FB10")),
      data->Item(1)));
  EXPECT_FALSE(service->GetDataObjectItem(data, std::string(clsid::kBlockOffline), Variant("FB1")));

  data = NewData();
  const auto fb10 = data->AddObject(HostBlock("FB10"));
  Reference(data, clsid::kBlockOffline, "FB11", "Belt", "RgBlockOffline::Flush");
  const auto flushed = data->Item(2);
  const auto unknown = data->AddReference(std::string(clsid::kBlockOffline), "FB99", "None");
  EXPECT_TRUE(service->CheckBlockFlushed(fb10));
  EXPECT_FALSE(service->CheckBlockFlushed(flushed));

  EXPECT_FALSE(service->CheckBlockOpened(fb10, 1)) << "no editor is open";
  env.Application().OpenDocument(HostBlock("FB10"), -1);
  EXPECT_TRUE(service->CheckBlockOpened(fb10, 1));
  EXPECT_FALSE(service->CheckBlockOpened(unknown, 1)) << "not in the project";
  EXPECT_FALSE(service->CheckBlockOpened(fb10, 2)) << "no PLC connected";
  EXPECT_TRUE(env.Errors().Reports().empty());
}

}  // namespace
}  // namespace mztest
