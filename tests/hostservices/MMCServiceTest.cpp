// The memory card service: which renames it refuses and why, deletions all or none with one
// notification; and the card reporting its files when a notifying load state names it.
#include <gtest/gtest.h>

#include "OpenProjectTest.h"
#include "host/framework/ObjectArray.h"
#include "host/services/LoadService.h"
#include "host/services/MMCService.h"

namespace hostsvc {
namespace {

class MMCServiceTest : public OpenProjectTest {
 protected:
  MMCServiceTest()
      : OpenProjectTest(mztest::PlcText(R"(<memory-card name="Card 1">
  <file name="a.bin"/><file name="b.csv"/></memory-card>)")) {}
  Ref<host::MMCFile> File(const char* name) { return plc->MemoryCard()->FindFile(name); }
};

TEST_F(MMCServiceTest, RenameRefusesNamesThatAreInvalidOrTaken) {
  const struct Row {
    std::string name;
    const char* refusal;  // part of the reason; nullptr: renamed
  } rows[] = {
      {"", "needs a name"},
      {"dir\\a.bin", "path separator"},
      {"tab\there", "control character"},
      {std::string(65, 'x'), "longer than 64"},
      {"a.bin ", "blank"},
      {"B.CSV", "already holds a file 'b.csv'"},
      {"A.BIN", nullptr},                            // its own name in another case
      {"\xc3\xa4" + std::string(63, 'x'), nullptr},  // 64 characters, 65 bytes
  };
  const auto file = File("a.bin");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string before = file->Name();
    std::string why;
    const int32_t error = ErrorOf([&] { env.MemoryCards().RenameFile(file, row.name); }, &why);
    EXPECT_EQ(error, row.refusal ? platform::errc::kInvalidCall : 0) << why;
    EXPECT_NE(why.find(row.refusal ? row.refusal : ""), std::string::npos) << why;
    EXPECT_EQ(file->Name(), row.refusal ? before : row.name);
    EXPECT_EQ(sink->Take(), row.refusal ? "" : "batch file 4:" + row.name);
  }
}

TEST_F(MMCServiceTest, ANotifyingLoadStateHasTheCardReportItsFilesAndDeleteTakesAllOrNone) {
  const std::string card = "<ROOT><RGOBJECT CLSID=\"" + std::string(mzblprsx::clsid::kMemoryCard) +
                           "\" OBJID=\"" + env.MemoryCards().ObjectID() + "\"/></ROOT>";
  EXPECT_EQ(env.Load().LoadState(card, 0), 0);
  EXPECT_EQ(sink->Take(), "") << "without the notify flag";
  EXPECT_EQ(env.Load().LoadState(card, 16), 0);
  EXPECT_EQ(sink->Take(), "batch file 1:a.bin,b.csv");

  const auto files = platform::MakeObject<host::ObjectArray>();
  files->Add(File("a.bin"));
  files->Add(platform::MakeObject<host::MMCFile>("loose.bin"));
  EXPECT_EQ(ErrorOf([&] { env.MemoryCards().DeleteFiles(files); }), platform::errc::kInvalidCall);
  EXPECT_EQ(plc->MemoryCard()->Files().size(), 2u) << "one entry no file of the card: none go";
  files->Remove(2);
  files->Add(File("b.csv"));
  files->Add(File("a.bin"));
  env.MemoryCards().DeleteFiles(files);
  EXPECT_EQ(plc->MemoryCard()->Files().size(), 0u);
  EXPECT_EQ(sink->Take(), "batch file 2:a.bin,b.csv");
}

}  // namespace
}  // namespace hostsvc
