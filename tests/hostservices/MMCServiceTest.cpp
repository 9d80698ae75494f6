// The memory card service: the card as the file-list node's object, which renames it refuses and
// why, deletions all or none with one notification; and the load service that has the card
// report its files when a load state names it.
#include <gtest/gtest.h>

#include "RecordingSink.h"
#include "host/framework/ObjectArray.h"
#include "host/services/LoadService.h"
#include "host/services/MMCService.h"
#include "support/HostTestSupport.h"

namespace hostsvc {
namespace {

namespace clsid = mzblprsx::clsid;
using mztest::ErrorOf;

const std::string kPlc = mztest::PlcText(
    R"(<memory-card name="Card 1" size="512" modified="2026-11-02 08:20:00">
  <file name="a.bin" type="1" size="10"/><file name="b.csv" type="2" size="20"/></memory-card>
)");

std::string CardList(const std::string& id = "MMC") {
  return "<ROOT><RGOBJECT CLSID=\"" + std::string(clsid::kMemoryCard) + "\" OBJID=\"" + id +
         "\" ISOPEN=\"0\"/></ROOT>";
}

class MMCServiceTest : public ::testing::Test, public mztest::HostProject {
 protected:
  MMCServiceTest() : HostProject(mztest::ProjectXml(), kPlc) {
    plc->Notifications().Subscribe(sink);
  }
  host::MMCService& Cards() { return env.MemoryCards(); }
  Ref<host::MMCFile> File(const char* name) { return plc->MemoryCard()->FindFile(name); }
  std::string Names() {
    std::string names;
    for (const auto& file : plc->MemoryCard()->Files())
      names += (names.empty() ? "" : " ") + file->Name();
    return names;
  }
  Ref<host::ObjectArray> Array(std::initializer_list<Ref<mzblprsx::IRgObject>> objects) {
    auto array = platform::MakeObject<host::ObjectArray>();
    for (const auto& object : objects) array->Add(object);
    return array;
  }
  Ref<RecordingSink> sink = platform::MakeObject<RecordingSink>();
};

TEST_F(MMCServiceTest, StandsForTheConnectedCardAndForNothingWithoutOne) {
  EXPECT_EQ(Cards().ClassID(), clsid::kMemoryCard);
  EXPECT_EQ(Cards().ObjectID(), plc->MemoryCard()->ObjectID()) << "the load service finds it";
  EXPECT_EQ(Cards().DisplayName(), "Card 1");
  EXPECT_EQ(Cards().LastModifiedText(), "2026-11-02 08:20:00");
  EXPECT_EQ(Cards().Size(), 512);
  const auto a = File("a.bin");
  env.DisconnectPlc();
  EXPECT_EQ(Cards().DisplayName(), "");
  EXPECT_EQ(Cards().LastModifiedText(), "1900-01-01 00:00:00");
  EXPECT_EQ(Cards().Size(), 0);
  std::string why;
  EXPECT_EQ(ErrorOf([&] { Cards().RenameFile(a, "c.bin"); }, &why), platform::errc::kInvalidCall);
  EXPECT_NE(why.find("no PLC with a memory card"), std::string::npos) << why;
}

TEST_F(MMCServiceTest, RenameRefusesNamesThatAreInvalidOrTaken) {
  const struct Row {
    std::string name;
    const char* refusal;  // part of the reason; nullptr: renamed
  } rows[] = {
      {"", "needs a name"},
      {".", "names no file"},
      {"..", "names no file"},
      {"dir/a.bin", "path separator"},
      {"dir\\a.bin", "path separator"},
      {"tab\there", "control character"},
      {"del\x7f", "control character"},
      {std::string(65, 'x'), "longer than 64"},
      {" a.bin", "blank"},
      {"a.bin ", "blank"},
      {"B.CSV", "already holds a file 'b.csv'"},
      {"A.BIN", nullptr},  // its own name in another case
      {"new name.bin", nullptr},
      {std::string(64, 'x'), nullptr},
      {"\xc3\xa4" + std::string(63, 'x'), nullptr},  // 64 characters, 65 bytes
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto file = plc->MemoryCard()->Files().front();
    const std::string before = file->Name();
    std::string why;
    const int32_t error = ErrorOf([&] { EXPECT_TRUE(Cards().RenameFile(file, row.name)); }, &why);
    if (row.refusal == nullptr) {
      EXPECT_EQ(error, 0) << why;
      EXPECT_EQ(file->Name(), row.name);
      EXPECT_EQ(sink->Take(), "batch file 4:" + row.name);
    } else {
      EXPECT_EQ(error, platform::errc::kInvalidCall);
      EXPECT_NE(why.find(row.refusal), std::string::npos) << why;
      EXPECT_EQ(file->Name(), before);
      EXPECT_EQ(sink->Take(), "");
    }
  }
  std::string why;
  const auto stranger = platform::MakeObject<host::MMCFile>("loose.bin");
  EXPECT_EQ(ErrorOf([&] { Cards().RenameFile(stranger, "x.bin"); }, &why),
            platform::errc::kInvalidCall);
  EXPECT_NE(why.find("is no file of the card 'Card 1'"), std::string::npos) << why;
}

TEST_F(MMCServiceTest, DeleteRemovesAllListedFilesInOneNotificationOrNone) {
  const auto stranger = platform::MakeObject<host::MMCFile>("loose.bin");
  EXPECT_EQ(ErrorOf([&] {
              Cards().DeleteFiles(Array({File("a.bin"), stranger}));
            }),
            platform::errc::kInvalidCall);
  EXPECT_EQ(Names(), "a.bin b.csv") << "nothing is deleted when one entry is no file of the card";
  EXPECT_EQ(ErrorOf([&] { Cards().DeleteFiles(Array({plc->MemoryCard()})); }),
            platform::errc::kInvalidCall);
  EXPECT_EQ(sink->Take(), "");
  const auto a = File("a.bin");
  Cards().DeleteFiles(Array({a, File("b.csv"), a}));
  EXPECT_EQ(Names(), "");
  EXPECT_EQ(sink->Take(), "batch file 2:a.bin,b.csv");
}

TEST_F(MMCServiceTest, ANotifyingLoadStateThatNamesTheCardHasItReportItsFiles) {
  const struct Row {
    std::string list;
    int32_t flags;
    const char* heard;
  } rows[] = {
      {CardList(), host::LoadService::kNotifyFlag, "batch file 1:a.bin,b.csv"},
      {CardList(), 0, ""},
      {CardList("OTHER"), host::LoadService::kNotifyFlag, ""},
      {"<ROOT/>", host::LoadService::kNotifyFlag, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.list + " " + std::to_string(row.flags));
    const int32_t state = env.Load().LoadState(row.list, row.flags);
    EXPECT_EQ(state, row.list.find("OTHER") == std::string::npos ? 0 : 1) << "answers as ever";
    EXPECT_EQ(sink->Take(), row.heard);
  }
  plc->MemoryCard()->RemoveFile(*File("a.bin"));
  plc->MemoryCard()->RemoveFile(*File("b.csv"));
  sink->Take();
  env.Load().LoadState(CardList(), host::LoadService::kNotifyFlag);
  EXPECT_EQ(sink->Take(), "") << "an empty card reports nothing";
}

}  // namespace
}  // namespace hostsvc
