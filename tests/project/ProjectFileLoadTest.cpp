// Loading the sample project and PLC (embedded and from disk): every kind of object arrives with
// its data, in the order the library relies on.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/HostTestSupport.h"

namespace host {
namespace {

namespace clsid = mzblprsx::clsid;
using platform::Ref;

std::vector<std::string> Names(const std::vector<Ref<Block>>& blocks) {
  std::vector<std::string> names;
  for (const auto& block : blocks) names.push_back(block->Name());
  return names;
}

TEST(SampleProjectTest, EveryObjectArrivesWithItsDataInTheOrderTheLibraryReliesOn) {
  const auto project =
      ProjectFile::ParseProject(EmbeddedProjectXml(), std::string(kEmbeddedProjectFileName));
  const auto program = project->Program();
  ASSERT_TRUE(program);

  EXPECT_EQ(project->DisplayName(), "Conveyor");
  EXPECT_EQ(project->ClassID(), clsid::kProjectOffline);
  EXPECT_EQ(project->Identifier(), "{3F2A9C41-7B5E-4D10-9A3C-5E8D21C4B7F0}");
  EXPECT_EQ(project->ObjectID(), project->Identifier()) << "the GUID identifies the project";
  const std::string_view expected[] = {clsid::kHwConfigOffline, clsid::kSymbolTable,
                                       clsid::kVarTables,       clsid::kReferences,
                                       clsid::kDocumentation,   clsid::kProgramOffline};
  ASSERT_EQ(project->Objects()->Count(), 6);
  for (int32_t i = 1; i <= 6; ++i)
    EXPECT_EQ(project->Objects()->Item(i)->ClassID(), expected[i - 1]);
  EXPECT_FALSE(project->IsModified()) << "a freshly loaded project has no unsaved changes";
  EXPECT_EQ(project->FileObject()->FileName(), "conveyor.prj.xml");

  auto hardware = project->Hardware();
  EXPECT_EQ(hardware->DisplayName(), "Station");
  EXPECT_EQ(hardware->ModifiedText(), "2026-11-02 08:15:00");
  EXPECT_EQ(hardware->Size(), 2048);
  EXPECT_EQ(hardware->ObjectID(), "HW");
  EXPECT_EQ(project->VarTables()->DisplayName(), "Variable tables");
  EXPECT_EQ(project->References()->DisplayName(), "Cross references");
  EXPECT_EQ(project->Documentation()->DisplayName(), "Documentation");

  auto symbols = project->Symbols();
  EXPECT_EQ(symbols->NameOf("FB10"), "Motor");
  EXPECT_EQ(symbols->AddressOf("motor"), "FB10") << "names compare without regard to case";
  EXPECT_EQ(symbols->NameOf("I 0.0"), "EmergencyStop");
  EXPECT_EQ(symbols->NameOf("FC2"), "") << "FC2 has no symbol";
  EXPECT_EQ(symbols->Symbols().front().extras.attributes.size(), 1u)
      << "the comment attribute is not understood, so it is kept";

  EXPECT_EQ(program->BlockCount(), 16u);
  EXPECT_EQ(
      Names(program->Blocks()),
      (std::vector<std::string>{"OB1", "OB35", "OB82", "OB100", "FB10", "FB11", "FB20", "FC1",
                                "FC2", "FC5", "DB10", "DB11", "DB20", "DB100", "UDT1", "SFC46"}));

  auto fb10 = program->FindBlockById("FB10");
  ASSERT_TRUE(fb10);
  EXPECT_EQ(fb10->ClassID(), clsid::kBlockOffline);
  EXPECT_EQ(fb10->ObjectID(), "FB10");
  EXPECT_EQ(fb10->Header(), "Motor control");
  EXPECT_EQ(fb10->Author(), "Line team");
  EXPECT_EQ(fb10->LanguageText(), "LAD");
  EXPECT_EQ(fb10->Size(), 412);
  EXPECT_EQ(fb10->LastModified().ToString(), "2026-11-02 08:15:00");
  EXPECT_FALSE(fb10->Protected());
  EXPECT_FALSE(fb10->System());

  auto sfc46 = program->FindBlock(BlockInfo::kSfc, 46);
  ASSERT_TRUE(sfc46);
  EXPECT_TRUE(sfc46->System());
  EXPECT_TRUE(sfc46->Protected());

  auto db10 = program->FindBlock(BlockInfo::kDb, 10);
  ASSERT_TRUE(db10->InstanceOf().has_value());
  EXPECT_EQ(db10->InstanceOf()->type, BlockInfo::kFb);
  EXPECT_EQ(db10->InstanceOf()->number, 10);
  EXPECT_FALSE(program->FindBlock(BlockInfo::kDb, 100)->InstanceOf().has_value());

  ASSERT_EQ(program->Categories().size(), 4u);
  EXPECT_EQ(program->DefaultCategoryId(), 1);
  EXPECT_EQ(program->CategoryOrder(), (std::vector<std::string>{"2", "1", "3"}))
      << "the stored order leaves category 4 out, on purpose";
  auto motors = program->FindCategoryById("2");
  ASSERT_TRUE(motors);
  EXPECT_EQ(motors->DisplayName(), "Motors");
  EXPECT_EQ(motors->ClassID(), clsid::kCategory);
  EXPECT_EQ(Names(motors->Members()), (std::vector<std::string>{"FB10", "DB10", "FB11", "DB11"}));
  EXPECT_TRUE(SameObject(program->FindBlockById("DB10")->OwnerCategory(), motors));

  std::vector<std::string> uncategorised;
  for (const auto& block : program->Blocks()) {
    if (!block->OwnerCategory()) uncategorised.push_back(block->Name());
  }
  EXPECT_EQ(uncategorised, (std::vector<std::string>{"FC1", "DB100", "UDT1", "SFC46"}));
}

TEST(SamplePlcTest, PlcHasHardwareMemoryCardAndProgramAndTheFilesOnDiskMatchTheEmbeddedTexts) {
  auto plc = ProjectFile::ParsePlc(EmbeddedPlcXml(), std::string(kEmbeddedPlcFileName));
  EXPECT_EQ(plc->ClassID(), clsid::kProjectOnline);
  auto objects = plc->Objects();
  ASSERT_EQ(objects->Count(), 3);
  EXPECT_EQ(objects->Item(1)->ClassID(), clsid::kHwConfigOnline);
  EXPECT_EQ(objects->Item(2)->ClassID(), clsid::kMemoryCard);
  EXPECT_EQ(objects->Item(3)->ClassID(), clsid::kProgramOnline);

  auto card = plc->MemoryCard();
  ASSERT_EQ(card->Files().size(), 3u);
  auto file = card->FindFile("recipes.CSV");
  ASSERT_TRUE(file) << "file names compare without regard to case";
  EXPECT_EQ(file->ClassID(), clsid::kMMCFile);
  EXPECT_EQ(file->ObjectID(), "Recipes.csv");
  EXPECT_EQ(file->FileType(), 2);
  EXPECT_EQ(file->TypeText(), "Data");
  EXPECT_EQ(file->Size(), 2310);
  EXPECT_EQ(file->ModifiedText(), "2026-10-20 13:15:00");

  auto program = plc->Program();
  EXPECT_TRUE(program->Online());
  EXPECT_TRUE(program->Categories().empty());
  EXPECT_EQ(program->FindBlockById("FB10")->ClassID(), clsid::kBlockOnline);

  const std::filesystem::path dir(MZ_SAMPLES_DIR);
  auto fromDisk = ProjectFile::LoadProject(dir / "conveyor.prj.xml");
  auto embedded = ProjectFile::ParseProject(EmbeddedProjectXml(), "conveyor.prj.xml");
  EXPECT_EQ(ProjectFile::SerializeProject(*fromDisk), ProjectFile::SerializeProject(*embedded))
      << "the build embeds the current sample";
  EXPECT_EQ(fromDisk->FileObject()->Path(), dir / "conveyor.prj.xml");
  auto plcFromDisk = ProjectFile::LoadPlc(dir / "conveyor.plc.xml");
  EXPECT_EQ(ProjectFile::SerializePlc(*plcFromDisk),
            ProjectFile::SerializePlc(*ProjectFile::ParsePlc(EmbeddedPlcXml(), "x")));
}

}  // namespace
}  // namespace host
