// The block service creating blocks from transfer entries, as a paste into another project does:
// insert, rename and replace, the notifications the program's tree hears, refusals.
#include <gtest/gtest.h>

#include "ByteForm.h"
#include "host/framework/DataObject.h"
#include "mzblprsx/interfaces/IRgBlockService.h"
#include "mzblprsx/interfaces/IRgDataObjectItem.h"
#include "mzblprsx/interfaces/IRgObjectEventSink2.h"
#include "mzblprsx/interfaces/RgNotification.h"

namespace hosttransfer {
namespace {

namespace clsid = mzblprsx::clsid;
using host::BlockInfo;
using platform::Ref;

// Records batched notifications as "1:FC7 2:FB10".
class BlockSink : public mzblprsx::IRgObjectEventSink2 {
 public:
  std::string_view TypeName() const override { return "BlockSink"; }
  void OnNotify2(const mzblprsx::RgNotification& notification) override {
    if (notification.sourceClass != clsid::kBlockOffline) return;
    for (const auto& entry : notification.entries) {
      for (const auto& object : entry.objects) {
        text += (text.empty() ? "" : " ") + std::to_string(entry.code) + ":" + object->ObjectID();
      }
    }
    text += " |";
  }
  std::string Take() { return std::exchange(text, {}); }
  std::string text;
};

// The source: the same project as the target but with other bodies, and FC7 that the target
// lacks; its blocks travel through bytes, as from another application.
std::string SourceXml() {
  std::string xml = ProjectXml();
  const auto replace = [&](const std::string& from, const std::string& to) {
    xml.replace(xml.find(from), from.size(), to);
  };
  replace("body=\"star-delta\"", "body=\"soft start\"");
  replace("<block type=\"FC\" number=\"1\" body=\"scale\"/>",
          "<block type=\"FC\" number=\"1\" body=\"scale\"/>"
          "<block type=\"FC\" number=\"7\" header=\"Pump\" language=\"SCL\" body=\"pump\"/>");
  return xml;
}

class CreateFromDataTest : public ::testing::Test, public mztest::HostProject {
 protected:
  CreateFromDataTest() : HostProject(ProjectXml(), "") {
    service = platform::CreateObjectAs<mzblprsx::IRgServiceFactory>(clsid::kServiceFactory)
                  ->GetService(std::string(clsid::kBlockService), program, nullptr, "Offline")
                  .Cast<mzblprsx::IRgBlockService>();
    const auto source = host::ProjectFile::ParseProject(SourceXml(), "source.prj.xml");
    const auto sent = platform::MakeObject<host::DataObject>();
    for (const char* id : {"FB10", "DB10", "FC7"}) {
      sent->AddObject(source->Program()->FindBlockById(id));
    }
    sent->AddObject(source->Program()->FindCategoryById("2"));
    sent->AddReference(std::string(clsid::kBlockOffline), "FB11", "Belt");
    received->LoadBytes(sent->SaveBytes());
    subscription = project->Notifications().Subscribe(sink);
  }
  ~CreateFromDataTest() override { project->Notifications().Unsubscribe(subscription); }

  Ref<mzblprsx::IRgDataObjectItem> Entry(const char* id) {
    const auto block = received->ItemByKey(std::string(clsid::kBlockOffline), id);
    return block ? block : received->ItemByKey(std::string(clsid::kCategory), id);
  }
  Ref<host::Block> Block(const char* id) const { return BlockNamed(id); }

  Ref<mzblprsx::IRgBlockService> service;
  Ref<host::DataObject> received = platform::MakeObject<host::DataObject>();
  Ref<BlockSink> sink = platform::MakeObject<BlockSink>();
  host::NotificationHub::SubscriptionId subscription = 0;
};

TEST_F(CreateFromDataTest, InsertsANewBlockAsItsContentSaysOrUnderAnotherNumber) {
  const auto created = service->CreateFromData(Entry("FC7"), false, BlockInfo::kFc, 7);
  ASSERT_TRUE(SameObject(created, Block("FC7"))) << "the result is the program's new block";
  EXPECT_EQ(Block("FC7")->Header(), "Pump");
  EXPECT_EQ(Block("FC7")->LanguageText(), "SCL");
  EXPECT_EQ(Block("FC7")->Body(), "pump");
  EXPECT_FALSE(Block("FC7")->OwnerCategory()) << "a created block is listed by no category yet";
  EXPECT_EQ(sink->Take(), "1:FC7 |") << "one creation, as the program's tree expects";
  EXPECT_TRUE(project->IsModified());

  service->CreateFromData(Entry("FB10"), false, BlockInfo::kFb, 12);
  service->CreateFromData(Entry("DB10"), false, BlockInfo::kDb, 12);
  EXPECT_EQ(Block("FB12")->Body(), "soft start");
  EXPECT_EQ(Block("FB12")->Extras().attributes.size(), 1u) << "unknown attributes come along";
  EXPECT_EQ(Block("FB10")->Body(), "star-delta") << "the block of the entry's own name stays";
  ASSERT_TRUE(Block("DB12")->InstanceOf());
  EXPECT_EQ(
      BlockInfo::MakeName(Block("DB12")->InstanceOf()->type, Block("DB12")->InstanceOf()->number),
      "FB10")
      << "a renamed instance block still belongs to its function block";
  EXPECT_EQ(project->Symbols()->NameOf("FB12"), "") << "symbols are the caller's to give";
  EXPECT_EQ(sink->Take(), "1:FB12 | 1:DB12 |");
}

TEST_F(CreateFromDataTest, ReplacesAsADeleteAndACreateInOneDelivery) {
  const auto old = Block("FB10");
  const auto created = service->CreateFromData(Entry("FB10"), true, BlockInfo::kFb, 10);
  EXPECT_TRUE(SameObject(created, Block("FB10")));
  EXPECT_FALSE(SameObject(created, old)) << "the replacement is a new object";
  EXPECT_FALSE(old->OwnerProgram()) << "the replaced block has left the program";
  EXPECT_EQ(Block("FB10")->Body(), "soft start");
  EXPECT_EQ(sink->Take(), "2:FB10 1:FB10 |")
      << "the tree removes the old item and adds the new one in one go";
  EXPECT_EQ(Members(*CategoryNamed("2")), "FB10 DB10 FB11")
      << "the replacement keeps the old one's place";
  EXPECT_EQ(project->Symbols()->NameOf("FB10"), "Motor") << "the address keeps its symbol";

  service->CreateFromData(Entry("FB10"), true, BlockInfo::kFc, 1);
  EXPECT_EQ(Block("FC1")->Body(), "soft start") << "replace under another name";
  EXPECT_EQ(Block("FC1")->OwnerCategory(), nullptr) << "FC1 was listed by none and stays so";
  EXPECT_EQ(sink->Take(), "2:FC1 1:FC1 |");
  EXPECT_EQ(service->CreateFromData(Entry("FC7"), true, 0, 0)->ObjectID(), "FC7")
      << "replace with nothing to replace simply creates";
}

TEST_F(CreateFromDataTest, RefusalsChangeNothing) {
  namespace errc = platform::errc;
  const int32_t kFormat = host::ProjectFile::kFormatError;
  const auto content = [this](const char* xml) {
    const auto data = platform::MakeObject<host::DataObject>();
    data->LoadBytes(Encode({{1, std::string(clsid::kBlockOffline), "FB50", "", "", "", xml}}));
    return data->Item(1);
  };
  const struct {
    const char* why;
    Ref<mzblprsx::IRgDataObjectItem> entry;
    bool replace;
    int32_t type;
    int32_t number;
    int32_t error;
    const char* says;
  } refusals[] = {
      {"taken", Entry("FB10"), false, BlockInfo::kFb, 11, errc::kDuplicateKey,
       "already holds FB11"},
      {"no entry", nullptr, false, 0, 0, errc::kObjectNotSet, ""},
      {"a reference", Entry("FB11"), false, 0, 0, errc::kInvalidCall, "only a reference"},
      {"a category", Entry("2"), false, 0, 0, errc::kInvalidCall, "a <category>"},
      {"damaged content", content("<block type=\"FB\" number=\"50\""), false, 0, 0, kFormat,
       "transfer entry 'FB50'"},
      {"content with an unknown type", content("<block type=\"XB\" number=\"5\"/>"), false, 0, 0,
       kFormat, "unknown block type"},
      {"an OB above 255", Entry("FC7"), false, BlockInfo::kOb, 256, errc::kInvalidCall,
       "out of range 1..255"},
      {"an unknown type", Entry("FC7"), false, 99, 1, errc::kInvalidCall, "unknown type 99"},
      {"instance data as a function", Entry("DB10"), true, BlockInfo::kFc, 1, errc::kInvalidCall,
       "DB10 cannot become FC1"},
  };
  const std::string saved = host::ProjectFile::SerializeProject(*project);
  for (const auto& refusal : refusals) {
    std::string description;
    const auto create = [&] {
      service->CreateFromData(refusal.entry, refusal.replace, refusal.type, refusal.number);
    };
    EXPECT_EQ(ErrorOf(create, &description), refusal.error) << refusal.why;
    EXPECT_NE(description.find(refusal.says), std::string::npos)
        << refusal.why << ": " << description;
    EXPECT_EQ(host::ProjectFile::SerializeProject(*project), saved) << refusal.why;
    EXPECT_EQ(sink->Take(), "") << refusal.why;
  }
}

}  // namespace
}  // namespace hosttransfer
