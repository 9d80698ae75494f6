// The load service's download and upload between the open project and the connected PLC, refused
// loads that change nothing on either side, and the project and PLC files saved together.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "host/services/LoadService.h"
#include "support/HostTestSupport.h"

namespace mztest {
namespace {

namespace clsid = mzblprsx::clsid;
using Listed = std::pair<std::string_view, std::string>;

std::string List(const std::vector<Listed>& objects) {
  std::string xml = "<ROOT>";
  for (const auto& [classId, id] : objects) {
    xml += "<RGOBJECT CLSID=\"" + std::string(classId) + "\" OBJID=\"" + id + "\" ISOPEN=\"0\"/>";
  }
  return xml + "</ROOT>";
}

class LoadServiceTest : public ::testing::Test {
 protected:
  using Call = void (host::LoadService::*)(const std::string&, int32_t, int32_t&);
  static constexpr Call kDownload = &host::LoadService::Download;
  static constexpr Call kUpload = &host::LoadService::Upload;

  explicit LoadServiceTest(const std::string& plcXml = PlcXml()) : host(ProjectXml(), plcXml) {}

  int32_t Run(Call load, const std::vector<Listed>& objects) {
    int32_t result = -1;
    (host.env.Load().*load)(List(objects), 0, result);
    return result;
  }
  /// The error number of a load that must change nothing (and answer -1); its text to `why`.
  int32_t Refused(Call load, const std::string& xml, std::string* why = nullptr) {
    const auto sides = [&] {
      return host::ProjectFile::SerializeProject(*host.project) +
             host::ProjectFile::SerializePlc(*host.plc);
    };
    const std::string before = sides();
    int32_t result = 0;
    const int32_t number = ErrorOf([&] { (host.env.Load().*load)(xml, 0, result); }, why);
    EXPECT_EQ(sides(), before) << "a refused load changes nothing";
    EXPECT_EQ(result, -1);
    return number;
  }

  HostProject host;
};

TEST_F(LoadServiceTest, DownloadCopiesWhatIsListedSoThatItComparesEqualOrNothing) {
  std::vector<std::pair<int32_t, int32_t>> progress;
  platform::ScopedConnection c = host.env.Load().Progress().Connect(
      [&](int32_t done, int32_t total) { progress.emplace_back(done, total); });
  EXPECT_EQ(Run(kDownload, {{clsid::kBlockOffline, "FB10"},
                            {clsid::kBlockOffline, "FC1"},
                            {clsid::kHwConfigOffline, "HW"},
                            {clsid::kBlockOffline, "FB10"}}),
            3)
      << "each object once";
  EXPECT_EQ(progress, (std::vector<std::pair<int32_t, int32_t>>{{1, 3}, {2, 3}, {3, 3}}));
  for (const char* name : {"FB10", "FC1"}) {
    ASSERT_TRUE(host.plc->Program()->FindBlockById(name)) << name;
    EXPECT_EQ(host.BlockNamed(name)->CompareState(), host::Block::kEqual) << name;
  }
  EXPECT_TRUE(host.project->Hardware()->ComparesEqual(*host.plc->Hardware()));

  // A program stands for all its blocks, a category for its members.
  EXPECT_EQ(Run(kDownload, {{clsid::kProgramOffline, host.program->ObjectID()}}), 5);
  EXPECT_EQ(host.plc->Program()->BlockCount(), 5u);
  EXPECT_EQ(Run(kDownload, {{clsid::kCategory, "2"}}), 3);

  const std::pair<std::string, const char*> cases[] = {
      {"<ROOT><RGOBJECT", "not XML"},
      {"<ROOT/>", "no object"},
      {List({{clsid::kSymbolTable, "Symbols"}}), "a class that is not loaded"},
      {List({{clsid::kBlockOffline, "FC1"}, {clsid::kBlockOffline, "FB99"}}), "no such block"},
      {List({{clsid::kBlockOnline, "FB10"}}), "a block of the wrong side"},
      {List({{clsid::kProjectOffline, "{00000000-0000-0000-0000-000000000000}"}}), "another"},
  };
  for (const auto& [xml, why] : cases) {
    EXPECT_EQ(Refused(kDownload, xml), platform::errc::kInvalidCall) << why;
  }
}

TEST_F(LoadServiceTest, UploadReplacesBlocksInPlaceAppendsNewOnesButNoProtectedOne) {
  host.plc->Program()->AddBlock(platform::MakeObject<host::Block>(true, host::BlockInfo::kFc, 5));
  const auto ob1 = host.BlockNamed("OB1");
  EXPECT_EQ(Run(kUpload, {{clsid::kBlockOnline, "OB1"}, {clsid::kBlockOnline, "FC5"}}), 2);
  EXPECT_EQ(host.BlockNamed("OB1").Get(), ob1.Get()) << "the same object took the PLC's data";
  EXPECT_EQ(ob1->Body(), "");
  EXPECT_EQ(ob1->OwnerCategory()->ObjectID(), "1") << "and kept its category";
  ASSERT_TRUE(host.BlockNamed("FC5"));
  EXPECT_FALSE(host.BlockNamed("FC5")->Online());
  EXPECT_EQ(Run(kUpload, {{clsid::kProjectOnline, host.plc->Guid()}}), 4) << "station, blocks";

  host.plc->Program()->FindBlockById("OB1")->SetProtected(true);
  std::string why;
  EXPECT_EQ(
      Refused(kUpload, List({{clsid::kBlockOnline, "FB10"}, {clsid::kBlockOnline, "OB1"}}), &why),
      platform::errc::kInvalidCall);
  EXPECT_NE(why.find("OB1"), std::string::npos) << why;
  EXPECT_EQ(Refused(kUpload, List({{clsid::kProgramOnline, host.plc->Program()->ObjectID()}})),
            platform::errc::kInvalidCall)
      << "the program holds it";
}

class LoadMemoryTest : public LoadServiceTest {
 protected:
  // The PLC's FB10 takes no load memory, its FC1 100 bytes; the project's FB10 412 bytes.
  LoadMemoryTest()
      : LoadServiceTest(R"(<plc name="CPU" guid="{9D41E7B2-0C3A-4F58-B6E1-72A4C0D9E315}"
          load-memory="500"><program name="Program"><block type="FB" number="10"/>
          <block type="FC" number="1" size="100"/></program></plc>)") {}
};

TEST_F(LoadMemoryTest, ADownloadThatDoesNotFitChangesNothing) {
  std::string why;
  host.BlockNamed("OB1")->SetSize(88);
  EXPECT_EQ(Refused(kDownload,
                    List({{clsid::kBlockOffline, "FB10"}, {clsid::kBlockOffline, "OB1"}}), &why),
            platform::errc::kInvalidCall)
      << "412 + 88 + the PLC's FC1 of 100 bytes";
  EXPECT_NE(why.find("load memory"), std::string::npos) << why;
  // FC1 loaded again counts at its new size (0), which makes room: exactly 500 bytes.
  EXPECT_EQ(Run(kDownload, {{clsid::kBlockOffline, "FB10"},
                            {clsid::kBlockOffline, "OB1"},
                            {clsid::kBlockOffline, "FC1"}}),
            3);
  EXPECT_NE(host::ProjectFile::SerializePlc(*host.plc).find("load-memory=\"500\""),
            std::string::npos)
      << "the limit is written back";
}

TEST_F(LoadServiceTest, SaveTogetherWritesBothFilesOrNeither) {
  const auto folder =
      std::filesystem::temp_directory_path() / ("mz-load-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const auto projectFile = folder / "t.prj.xml";
  const auto plcFile = folder / "t.plc.xml";
  const auto read = [](const std::filesystem::path& file) {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  };
  host::ProjectFile::SaveTogether(*host.project, projectFile, *host.plc, plcFile);
  EXPECT_EQ(read(projectFile), host::ProjectFile::SerializeProject(*host.project));
  EXPECT_EQ(read(plcFile), host::ProjectFile::SerializePlc(*host.plc));

  host.BlockNamed("FC1")->SetBody("changed");
  const std::string before = read(projectFile);
  EXPECT_EQ(ErrorOf([&] {
              host::ProjectFile::SaveTogether(*host.project, projectFile, *host.plc,
                                              folder / "missing" / "t.plc.xml");
            }),
            host::ProjectFile::kFileAccessError);
  EXPECT_EQ(read(projectFile), before) << "the PLC could not be written: neither is";
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++files;
  EXPECT_EQ(files, 2u) << "no temporary file is left behind";
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace mztest
