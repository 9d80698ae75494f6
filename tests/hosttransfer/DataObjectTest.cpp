// The transfer object through the interfaces the library uses: what each kind of project object
// carries, how entries are keyed, and that everything survives the trip through bytes.
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
  struct Kind {
    const char* what;
    std::function<Ref<IRgObject>()> object;
    const std::string* file;  // the file text the content comes from
    const char* path;         // where in it; nullptr: the whole text
    const char* name;
    const char* secondName;
  };
  const auto& program = *project->Program();
  const std::vector<Kind> kinds = {
      {"block with symbol", [&] { return program.FindBlockById("FB10"); }, &projectText,
       "/project/program/block[@type='FB' and @number='10']", "Motor", "FB10"},
      {"block without symbol", [&] { return program.FindBlockById("FC1"); }, &projectText,
       "/project/program/block[@type='FC']", "", "FC1"},
      {"instance data block", [&] { return program.FindBlockById("DB10"); }, &projectText,
       "/project/program/block[@type='DB']", "", "DB10"},
      {"category", [&] { return program.FindCategoryById("2"); }, &projectText,
       "/project/program/category[@id='2']", "Motors", ""},
      {"symbol table", [&] { return project->Symbols(); }, &projectText, "/project/symbols",
       "Symbols", ""},
      {"variable tables", [&] { return project->VarTables(); }, &projectText, "/project/vartables",
       "Variable tables", ""},
      {"references", [&] { return project->References(); }, &projectText, "/project/references",
       "Cross references", ""},
      {"documentation", [&] { return project->Documentation(); }, &projectText,
       "/project/documentation", "Documentation", ""},
      {"hardware", [&] { return project->Hardware(); }, &projectText, "/project/hardware",
       "Station", ""},
      {"program", [&] { return project->Program(); }, &projectText, "/project/program", "Program",
       ""},
      {"project", [&] { return project; }, &projectText, nullptr, "T", ""},
      {"PLC block (no symbols online)", [&] { return plc->Program()->FindBlockById("FB10"); },
       &plcText, "/plc/program/block", "", "FB10"},
      {"PLC hardware", [&] { return plc->Hardware(); }, &plcText, "/plc/hardware", "Station", ""},
      {"PLC program", [&] { return plc->Program(); }, &plcText, "/plc/program", "Program", ""},
      {"memory card", [&] { return plc->MemoryCard(); }, &plcText, "/plc/memory-card", "MMC", ""},
      {"file on the card", [&] { return plc->MemoryCard()->FindFile("a.bin"); }, &plcText,
       "/plc/memory-card/file", "a.bin", ""},
      {"PLC", [&] { return plc; }, &plcText, nullptr, "CPU", ""},
  };
  for (const Kind& kind : kinds) {
    const Ref<IRgObject> object = kind.object();
    const auto item = data->AddObject(object);
    EXPECT_EQ(item->ClassID(), object->ClassID()) << kind.what;
    EXPECT_EQ(item->ObjectID().ToString(), object->ObjectID()) << kind.what;
    EXPECT_EQ(item->Name(), kind.name) << kind.what;
    EXPECT_EQ(item->SecondName(), kind.secondName) << kind.what;
    EXPECT_TRUE(item->HasData()) << kind.what;
    EXPECT_EQ(item->Data(), kind.path ? ElementAt(*kind.file, kind.path) : *kind.file)
        << kind.what << ": the content is the framework's own form of the object";
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

TEST_F(DataObjectTest, WhatCannotTravelIsRefusedClearly) {
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
}

TEST_F(DataObjectTest, KeysCompareWithoutCaseAndIdentifiersAsText) {
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
  EXPECT_EQ(data->ItemCount(), 1);
}

TEST_F(DataObjectTest, RemoveItemTakesOneEntryAndKeepsTheOrderOfTheRest) {
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

TEST_F(DataObjectTest, TheLibraryCreatesItByIdentifierAndItsFormatIsShared) {
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
}

}  // namespace
}  // namespace hosttransfer
