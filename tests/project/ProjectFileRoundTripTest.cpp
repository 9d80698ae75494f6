// Saving and loading again gives the same data; what the host does not understand survives;
// saving is atomic; the largest program loads and saves.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/CommaLocale.h"
#include "support/HostTestSupport.h"

namespace host {
namespace {

namespace fs = std::filesystem;
using mztest::ErrorOf;
using mztest::ProjectText;
using platform::MakeObject;
using platform::Ref;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ScratchDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("mz-project-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  size_t FileCount() const {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }
  fs::path dir_;
};

TEST(ProjectRoundTripTest, SamplesSurviveSaveAndLoadUnchanged) {
  auto project = ProjectFile::ParseProject(EmbeddedProjectXml(), "a");
  const std::string first = ProjectFile::SerializeProject(*project);
  auto again = ProjectFile::ParseProject(first, "b");
  EXPECT_EQ(ProjectFile::SerializeProject(*again), first);

  // The text being equal could hide a writer that drops data symmetrically; check the data.
  auto blocks = project->Program()->Blocks();
  auto reloaded = again->Program()->Blocks();
  ASSERT_EQ(blocks.size(), reloaded.size());
  for (size_t i = 0; i < blocks.size(); ++i) {
    SCOPED_TRACE(blocks[i]->Name());
    EXPECT_EQ(reloaded[i]->Name(), blocks[i]->Name());
    EXPECT_EQ(reloaded[i]->Header(), blocks[i]->Header());
    EXPECT_EQ(reloaded[i]->Author(), blocks[i]->Author());
    EXPECT_EQ(reloaded[i]->Language(), blocks[i]->Language());
    EXPECT_EQ(reloaded[i]->Size(), blocks[i]->Size());
    EXPECT_EQ(reloaded[i]->LastModified(), blocks[i]->LastModified());
    EXPECT_EQ(reloaded[i]->Protected(), blocks[i]->Protected());
    EXPECT_EQ(reloaded[i]->System(), blocks[i]->System());
    EXPECT_EQ(reloaded[i]->Body(), blocks[i]->Body());
    EXPECT_EQ(reloaded[i]->InstanceOf().has_value(), blocks[i]->InstanceOf().has_value());
  }
  EXPECT_EQ(again->Program()->CategoryOrder(), project->Program()->CategoryOrder());
  EXPECT_EQ(again->Program()->DefaultCategoryId(), 1);
  EXPECT_EQ(again->Symbols()->Symbols(), project->Symbols()->Symbols());

  auto plc = ProjectFile::ParsePlc(EmbeddedPlcXml(), "p");
  const std::string plcText = ProjectFile::SerializePlc(*plc);
  EXPECT_EQ(ProjectFile::SerializePlc(*ProjectFile::ParsePlc(plcText, "q")), plcText);

  const mztest::CommaLocale locale;  // sizes such as 2048 must not be grouped, nor dates localised
  if (!locale.Active()) GTEST_SKIP() << locale.SkipReason();
  EXPECT_EQ(ProjectFile::SerializeProject(*ProjectFile::ParseProject(first, "c")), first);
  EXPECT_EQ(ProjectFile::SerializePlc(*ProjectFile::ParsePlc(plcText, "r")), plcText);
}

TEST(ProjectRoundTripTest, EscapedValuesAndChangesMadeThroughTheObjectsComeBackExactly) {
  auto project = MakeObject<OfflineProject>(std::string(mztest::kGuid), "A <&> \"B\"");
  auto program = MakeObject<Program>(false, "Program\ttab");
  project->AddObject(program);
  auto block = MakeObject<Block>(false, BlockInfo::kFc, 7);
  const std::string body = "line 1\nline 2\r\n\tindented 'quoted' \"double\" <tag> & ü €";
  block->SetBody(body);
  block->SetHeader("  leading and trailing blanks  ");
  program->AddBlock(block);
  auto category = MakeObject<Category>(3, "Ä category");
  program->AddCategory(category);
  category->InsertMember(block);

  auto reloaded = ProjectFile::ParseProject(ProjectFile::SerializeProject(*project), "t");
  EXPECT_EQ(reloaded->Name(), "A <&> \"B\"");
  EXPECT_EQ(reloaded->Program()->Name(), "Program\ttab")
      << "tabs in attribute values must be escaped, or the reader turns them into blanks";
  auto back = reloaded->Program()->FindBlock(BlockInfo::kFc, 7);
  EXPECT_EQ(back->Body(), body) << "line breaks survive";
  EXPECT_EQ(back->Header(), "  leading and trailing blanks  ");
  EXPECT_EQ(back->OwnerCategory()->Name(), "Ä category");

  auto sample = ProjectFile::ParseProject(EmbeddedProjectXml(), "a");
  auto sampleProgram = sample->Program();
  sampleProgram->RenumberBlock(*sampleProgram->FindBlockById("FC2"), 3);
  sampleProgram->SetCategoryOrder({"4", "3", "2", "1"});
  sampleProgram->FindCategory(2)->InsertMember(sampleProgram->FindBlockById("FC1"), 0);
  sampleProgram->FindBlockById("FB20")->Delete();
  sample->Symbols()->SetSymbol("FC3", "Interlock");

  auto saved = ProjectFile::ParseProject(ProjectFile::SerializeProject(*sample), "b");
  auto again = saved->Program();
  EXPECT_FALSE(again->FindBlockById("FC2"));
  EXPECT_TRUE(again->FindBlockById("FC3"));
  EXPECT_FALSE(again->FindBlockById("FB20"));
  EXPECT_EQ(again->CategoryOrder(), (std::vector<std::string>{"4", "3", "2", "1"}));
  EXPECT_EQ(again->FindCategory(2)->Members().front()->Name(), "FC1");
  EXPECT_EQ(again->FindCategory(3)->Members().front()->Name(), "DB20")
      << "a deleted block leaves its category's list";
  EXPECT_EQ(saved->Symbols()->NameOf("FC3"), "Interlock");
}

// What this host does not understand, wherever it stands, is saved as it came, and stays so.
TEST(ProjectRoundTripTest, UnknownAttributesElementsAndTextAreKeptEverywhere) {
  const std::string project = ProjectText(
      "<hardware name=\"H\" rack=\"0\"><slot n=\"2\"/></hardware>\n"
      "<symbols name=\"S\" x=\"1\"><symbol address=\"FB1\" name=\"M\" comment=\"c\"><k/></symbol>"
      "<table-note>t</table-note></symbols>\n"
      "<vartables name=\"V\" y=\"2\"/><references name=\"R\"><r/></references>"
      "<documentation name=\"D\">free text</documentation>\n<program name=\"P\" z=\"3\">\n"
      "<category id=\"1\" name=\"C\" colour=\"red\"><member block=\"FB1\" pinned=\"true\"/>"
      "<note/></category>\n"
      "<block type=\"FB\" number=\"1\" checksum=\"ab12\"><![CDATA[raw <data>]]><network id=\"1\"/>"
      "</block>\n<folder name=\"old\"/>\n</program>\n<extension kind=\"future\"/>\n");
  const struct {
    bool plc;
    std::string text;
    std::vector<const char*> kept;
  } rows[] = {
      {false,
       "<project name=\"T\" guid=\"" + std::string(mztest::kGuid) + "\" version=\"9\"" +
           project.substr(project.find('>')),
       {"version=\"9\"", "rack=\"0\"", "<slot n=\"2\"", "x=\"1\"", "comment=\"c\"", "<k",
        "<table-note>t</table-note>", "y=\"2\"", "<r", "free text", "z=\"3\"", "colour=\"red\"",
        "pinned=\"true\"", "<note", "checksum=\"ab12\"", "<![CDATA[raw <data>]]>",
        "<network id=\"1\"", "<folder name=\"old\"", "<extension kind=\"future\""}},
      {true,
       mztest::PlcText("<memory-card name=\"M\" slot=\"1\"><file name=\"a\" crc=\"9\"/><bad/>"
                       "</memory-card>\n<diagnostics/>\n"),
       {"slot=\"1\"", "crc=\"9\"", "<bad", "<diagnostics"}},
  };
  for (const auto& row : rows) {
    const auto roundTrip = [&](const std::string& text) {
      return row.plc ? ProjectFile::SerializePlc(*ProjectFile::ParsePlc(text, "t"))
                     : ProjectFile::SerializeProject(*ProjectFile::ParseProject(text, "t"));
    };
    const std::string saved = roundTrip(row.text);
    for (const char* kept : row.kept) {
      EXPECT_NE(saved.find(kept), std::string::npos) << kept << " was lost:\n" << saved;
    }
    EXPECT_EQ(roundTrip(saved), saved) << "kept content is stable over further round trips";
  }
}

TEST_F(ScratchDirTest, SavesAreAtomicAndAFailedSaveRaisesAccessErrorAndCleansUp) {
  auto project = ProjectFile::ParseProject(EmbeddedProjectXml(), "a");
  // A non-empty directory where the file should go: the final rename fails.
  const fs::path target = dir_ / "taken";
  fs::create_directories(target / "inside");
  std::string why;
  EXPECT_EQ(ErrorOf([&] { ProjectFile::SaveProject(*project, target); }, &why),
            ProjectFile::kFileAccessError);
  EXPECT_EQ(why.rfind(target.string() + ": cannot be written", 0), 0u) << why;
  EXPECT_EQ(FileCount(), 1u) << "the temporary file is removed after the failure";
  EXPECT_EQ(
      ErrorOf([&] { ProjectFile::SaveProject(*project, dir_ / "no" / "such" / "dir.prj.xml"); }),
      ProjectFile::kFileAccessError);

  const fs::path file = dir_ / "conveyor.prj.xml";
  { std::ofstream(file) << "old content"; }
  ProjectFile::SaveProject(*project, file);
  EXPECT_EQ(ReadFile(file), ProjectFile::SerializeProject(*project));
  EXPECT_EQ(FileCount(), 2u) << "beside the directory, only the file: the temporary was renamed";

  auto plc = ProjectFile::ParsePlc(EmbeddedPlcXml(), "p");
  ProjectFile::SavePlc(*plc, dir_ / "conveyor.plc.xml");
  EXPECT_EQ(ProjectFile::SerializePlc(*ProjectFile::LoadPlc(dir_ / "conveyor.plc.xml")),
            ProjectFile::SerializePlc(*plc));
}

TEST_F(ScratchDirTest, FileObjectSavesToItsPathOrInMemoryAndNotAfterItsProjectIsGone) {
  const fs::path file = dir_ / "p.prj.xml";
  { std::ofstream(file) << EmbeddedProjectXml(); }
  auto project = ProjectFile::LoadProject(file);
  auto fileObject = project->FileObject();
  EXPECT_EQ(fileObject->FileName(), file.string());
  EXPECT_FALSE(fileObject->IsModified());
  project->Hardware()->SetSize(4096);
  EXPECT_TRUE(fileObject->IsModified()) << "a change of any child marks the project";
  fileObject->Save(0);
  EXPECT_FALSE(fileObject->IsModified());
  EXPECT_EQ(fileObject->SaveCount(), 1);
  const std::string saved = ReadFile(file);
  EXPECT_EQ(ProjectFile::LoadProject(file)->Hardware()->Size(), 4096);

  fileObject->SetSaveToDisk(false);
  project->Hardware()->SetSize(1);
  fileObject->Save(0);
  EXPECT_EQ(ReadFile(file), saved) << "a showing command must not write files";
  EXPECT_EQ(fileObject->SavedText(), ProjectFile::SerializeProject(*project));
  EXPECT_FALSE(project->IsModified());

  auto parsed = ProjectFile::ParseProject(EmbeddedProjectXml(), "embedded.prj.xml");
  parsed->Program()->SetDefaultCategoryId(2);
  parsed->FileObject()->Save(0);
  EXPECT_FALSE(fs::exists("embedded.prj.xml")) << "a project from text has no file to write";
  EXPECT_NE(parsed->FileObject()->SavedText().find("default-category=\"2\""), std::string::npos);

  Ref<ProjectFileObject> orphan;
  {
    auto gone = ProjectFile::ParseProject(EmbeddedProjectXml(), "gone.prj.xml");
    orphan = gone->FileObject();
  }
  EXPECT_FALSE(orphan->IsModified());
  EXPECT_EQ(ErrorOf([&] { orphan->Save(0); }), platform::errc::kObjectNotSet);
}

// 65,535 blocks, all listed by one category: the largest program loads and saves whole.
TEST(ProjectFileScaleTest, MaximalProgramLoadsAndSaves) {
  std::string body =
      "<program name=\"P\" default-category=\"1\" category-order=\"1\">\n"
      "<category id=\"1\" name=\"All\">\n";
  for (int n = 65535; n >= 1; --n) body += "<member block=\"FB" + std::to_string(n) + "\"/>\n";
  body += "</category>\n";
  for (int n = 1; n <= 65535; ++n) {
    body += "<block type=\"FB\" number=\"" + std::to_string(n) +
            "\" header=\"h\" size=\"10\" modified=\"2026-01-01 00:00:00\" body=\"b\"/>\n";
  }
  body += "</program>\n";
  const std::string text = ProjectText(body);

  auto project = ProjectFile::ParseProject(text, "big.prj.xml");
  const std::string saved = ProjectFile::SerializeProject(*project);

  EXPECT_EQ(project->Program()->BlockCount(), 65535u);
  EXPECT_EQ(project->Program()->FindCategory(1)->Members().front()->Name(), "FB65535");
  const auto again = ProjectFile::ParseProject(saved, "big.prj.xml");
  EXPECT_EQ(again->Program()->BlockCount(), 65535u) << "the saved text loads again whole";
}

}  // namespace
}  // namespace host
