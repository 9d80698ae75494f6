// The transfer object through the interfaces the library uses: what each kind of project object
// carries, how entries are keyed, and the trip through bytes.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <sstream>

#include "ByteForm.h"
#include "host/framework/ClipboardFormats.h"
#include "host/framework/DataObject.h"
#include "host/project/ProjectFileReader.h"
#include "host/project/ProjectFileWriter.h"
#include "mzblprsx/interfaces/IRgDataObject.h"
#include "mzblprsx/interfaces/IRgDataObjectItem.h"
#include "mzblprsx/interfaces/IRgObject.h"

namespace hosttransfer {
namespace {

namespace clsid = mzblprsx::clsid;
using mzblprsx::IRgDataObject;
using mzblprsx::IRgDataObjectItem;
using mzblprsx::IRgObject;
using platform::Ref;

// A framework object that belongs to no project of this host.
class ForeignObject : public virtual IRgObject {
 public:
  std::string_view TypeName() const override { return "ForeignObject"; }
  std::string ClassID() override { return std::string(clsid::kGhostOffline); }
  std::string ObjectID() override { return "FB99"; }
  std::string DisplayName() override { return "ghost"; }
  void Delete() override {}
};

std::string ElementAt(const std::string& fileText, const char* path) {
  pugi::xml_document document;
  EXPECT_TRUE(document.load_string(fileText.c_str()));
  const auto node = document.select_node(path).node();
  EXPECT_TRUE(node) << path;
  std::ostringstream out;
  node.print(out, "", pugi::format_raw);
  return out.str();
}

std::string Describe(IRgDataObjectItem& item) {
  return item.ClassID() + "|" + item.ObjectID().ToString() + "|" + item.Name() + "|" +
         item.SecondName() + "|" + (item.HasData() ? "data" : "ref") + "|" + item.MarkerText() +
         "|" + item.Data();
}

std::vector<std::string> DescribeAll(IRgDataObject& data) {
  std::vector<std::string> all;
  for (int32_t i = 1; i <= data.ItemCount(); ++i) all.push_back(Describe(*data.Item(i)));
  return all;
}

class DataObjectTest : public ::testing::Test {
 protected:
  Ref<host::OfflineProject> project = host::ProjectFile::ParseProject(ProjectXml(), "t.prj.xml");
  Ref<host::PlcProject> plc = host::ProjectFile::ParsePlc(PlcXml(), "t.plc.xml");
  Ref<host::DataObject> data = platform::MakeObject<host::DataObject>();
};

TEST_F(DataObjectTest, EveryKindCarriesTheElementItsFileHolds) {
  const std::string projectText = host::ProjectFile::SerializeProject(*project);
  const std::string plcText = host::ProjectFile::SerializePlc(*plc);
  const auto& program = *project->Program();
  const struct {
    Ref<IRgObject> object;
    const char* path;  // of its element in its file; a root's is the whole file text
    const char* name;
    const char* secondName;
  } kinds[] = {
      {program.FindBlockById("FB10"), "/project/program/block[@type='FB' and @number='10']",
       "Motor", "FB10"},
      {program.FindBlockById("FC1"), "/project/program/block[@type='FC']", "", "FC1"},
      {program.FindBlockById("DB10"), "/project/program/block[@type='DB']", "", "DB10"},
      {program.FindCategoryById("2"), "/project/program/category[@id='2']", "Motors", ""},
      {project->Symbols(), "/project/symbols", "Symbols", ""},
      {project->VarTables(), "/project/vartables", "Variable tables", ""},
      {project->References(), "/project/references", "Cross references", ""},
      {project->Documentation(), "/project/documentation", "Documentation", ""},
      {project->Hardware(), "/project/hardware", "Station", ""},
      {project->Program(), "/project/program", "Program", ""},
      {project, "/project", "T", ""},
      {plc->Program()->FindBlockById("FB10"), "/plc/program/block", "", "FB10"},  // no symbols
      {plc->Hardware(), "/plc/hardware", "Station", ""},
      {plc->Program(), "/plc/program", "Program", ""},
      {plc->MemoryCard(), "/plc/memory-card", "MMC", ""},
      {plc->MemoryCard()->FindFile("a.bin"), "/plc/memory-card/file", "a.bin", ""},
      {plc, "/plc", "CPU", ""},
  };
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.path);
    const std::string_view path(kind.path);
    const std::string& file = path.starts_with("/plc") ? plcText : projectText;
    const auto item = data->AddObject(kind.object);
    EXPECT_EQ(item->ClassID(), kind.object->ClassID());
    EXPECT_EQ(item->ObjectID().ToString(), kind.object->ObjectID());
    EXPECT_EQ(item->Name(), kind.name);
    EXPECT_EQ(item->SecondName(), kind.secondName);
    EXPECT_TRUE(item->HasData());
    EXPECT_EQ(item->Data(), path.find('/', 1) == path.npos ? file : ElementAt(file, kind.path))
        << "the content is the framework's own form of the object";
  }
  EXPECT_NE(data->ItemByKey(std::string(clsid::kBlockOffline), "FB10")->Data().find("colour"),
            std::string::npos)
      << "attributes this host does not know travel too";

  // Through bytes into a fresh object, as into another application.
  const auto copy = platform::MakeObject<host::DataObject>();
  copy->LoadBytes(data->SaveBytes());
  EXPECT_EQ(DescribeAll(*copy), DescribeAll(*data)) << "every entry, field and order survives";
  EXPECT_EQ(copy->SaveBytes(), data->SaveBytes()) << "saving is deterministic";
}

TEST_F(DataObjectTest, BlockContentReadsBackAsTheSameBlock) {
  for (const auto& block : project->Program()->Blocks()) {
    const auto item = data->AddObject(block);
    const auto read = host::ProjectFileReader::ReadBlock(item->Data(), false, "entry");
    EXPECT_EQ(host::ProjectFileWriter::ElementText(*read), item->Data()) << block->Name();
    EXPECT_FALSE(read->OwnerProgram()) << "a block read from an entry is in no program";
  }
  std::string why;
  EXPECT_EQ(
      ErrorOf([&] { host::ProjectFileReader::ReadBlock("<category id='1'/>", false, "e"); }, &why),
      host::ProjectFile::kFormatError);
  EXPECT_NE(why.find("expected <block>"), std::string::npos) << why;
  EXPECT_EQ(ErrorOf([&] {
              host::ProjectFileReader::ReadBlock("<block type='FB' number='0'/>", false, "e");
            }),
            host::ProjectFile::kFormatError)
      << "the file's checks apply to a single block too";
}

TEST_F(DataObjectTest, WhatCannotTravelIsRefusedAndKeysCompareWithoutCaseIdentifiersAsText) {
  std::string why;
  EXPECT_EQ(ErrorOf([&] { data->AddObject(platform::MakeObject<ForeignObject>()); }, &why),
            platform::errc::kInvalidCall);
  EXPECT_NE(why.find("ForeignObject"), std::string::npos) << why;
  EXPECT_EQ(ErrorOf([&] { data->AddObject(nullptr); }), platform::errc::kObjectNotSet);

  data->AddObject(project->Program()->FindBlockById("FB10"));
  EXPECT_EQ(ErrorOf([&] { data->AddObject(project->Program()->FindBlockById("FB10")); }),
            platform::errc::kDuplicateKey);
  EXPECT_EQ(ErrorOf([&] { data->AddReference(std::string(clsid::kBlockOffline), "FB10", "x"); }),
            platform::errc::kDuplicateKey)
      << "a reference and a carried object share the key space";
  EXPECT_EQ(data->ItemCount(), 1) << "refused additions add nothing";

  const std::string block(clsid::kBlockOffline);
  const auto reference = data->AddReference(block, platform::Variant(int32_t{17}), "Pump");
  EXPECT_EQ(reference->ObjectID(), platform::Variant("17")) << "identifiers are kept as text";
  EXPECT_EQ(reference->SecondName(), "17");
  EXPECT_FALSE(reference->HasData());
  EXPECT_EQ(reference->Data(), "");

  EXPECT_TRUE(SameObject(data->ItemByKey(block, "17"), reference));
  EXPECT_TRUE(SameObject(data->ItemByKey(block, platform::Variant(int16_t{17})), reference));
  std::string lower = block;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_TRUE(SameObject(data->ItemByKey(lower, "17"), reference))
      << "keys compare without regard to case, as the stream items' do";
  EXPECT_FALSE(data->ItemByKey(block, " 17")) << "identifiers compare as text";
  EXPECT_FALSE(data->ItemByKey(block, platform::Variant(platform::NullValue{})));
  EXPECT_EQ(ErrorOf([&] { data->AddReference(lower, "17", "again"); }),
            platform::errc::kDuplicateKey);

  EXPECT_EQ(ErrorOf([&] { data->AddReference("", "1", "x"); }), platform::errc::kInvalidCall);
  EXPECT_EQ(
      ErrorOf([&] { data->AddReference(block, platform::Variant(platform::NullValue{}), ""); }),
      platform::errc::kInvalidNull);
  EXPECT_EQ(ErrorOf([&] { data->AddReference(block, platform::Variant(project), ""); }),
            platform::errc::kTypeMismatch);
  EXPECT_EQ(data->ItemCount(), 2);
}

TEST_F(DataObjectTest, TheLibraryCreatesItEmptyAndRemoveItemKeepsTheOrderOfTheRest) {
  host::Environment::RegisterClasses();
  const auto created = platform::CreateObjectAs<IRgDataObject>(clsid::kDataObject);
  EXPECT_EQ(created->ItemCount(), 0);
  const int16_t format = created->DataFormat();
  EXPECT_GE(static_cast<uint16_t>(format), host::ClipboardFormats::kFirstFormat);
  EXPECT_EQ(format, host::ClipboardFormats::Register("RGCFDATAOBJECT"))
      << "the format is the registry's number of its name";
  EXPECT_EQ(platform::MakeObject<host::DataObject>()->DataFormat(), format) << "one per process";

  const auto empty = platform::MakeObject<host::DataObject>();
  empty->LoadBytes(created->SaveBytes());
  EXPECT_EQ(empty->ItemCount(), 0) << "an empty transfer is valid bytes too";

  const std::string block(clsid::kBlockOffline);
  for (const char* id : {"FB1", "FB2", "FB3", "FB4"}) data->AddReference(block, id, id);
  data->Item(3)->SetMarkerText("Missing");
  data->RemoveItem(block, "FB2");
  data->RemoveItem(block, "FB9");                          // not there: nothing happens
  data->RemoveItem(std::string(clsid::kCategory), "FB3");  // other class: nothing happens
  std::string ids;
  for (int32_t i = 1; i <= data->ItemCount(); ++i)
    ids += data->Item(i)->ObjectID().ToString() + " ";
  EXPECT_EQ(ids, "FB1 FB3 FB4 ");
  EXPECT_FALSE(data->ItemByKey(block, "FB2"));
  EXPECT_EQ(data->ItemByKey(block, "FB3")->MarkerText(), "Missing") << "the right entry went";
  EXPECT_EQ(ErrorOf([&] { data->Item(0); }), platform::errc::kSubscript);
  EXPECT_EQ(ErrorOf([&] { data->Item(4); }), platform::errc::kSubscript);

  const auto copy = platform::MakeObject<host::DataObject>();
  copy->LoadBytes(data->SaveBytes());
  EXPECT_EQ(DescribeAll(*copy), DescribeAll(*data)) << "a removed entry is no longer carried";
  data->AddReference(block, "FB2", "back");
  EXPECT_EQ(data->Item(4)->Name(), "back") << "a removed key is free again, appended at the end";
}

}  // namespace
}  // namespace hosttransfer
