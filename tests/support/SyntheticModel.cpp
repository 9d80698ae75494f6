#include "support/SyntheticModel.h"

#include <string>

#include "mzblprsx/interfaces/ClassIds.h"
#include "platform/ClassRegistry.h"
#include "platform/DateTime.h"
#include "support/FakeFactory.h"

namespace mzbench {

using mzblprsx::RgProjectItem;
using mzblprsx::RgProjectModel;
using mztest::Obj;
using platform::Ref;
using platform::Variant;

Ref<platform::Object> SyntheticModel::NewBlock(int index) {
  struct Kind {
    int32_t code;
    const char* text;
    bool system;
  };
  static const Kind kKinds[] = {{8, "OB", false},  {10, "FB", false},  {14, "FC", false},
                                {9, "DB", false},  {12, "UDT", false}, {11, "SFB", true},
                                {13, "SFC", true}, {15, "SDB", true}};
  static const char* const kAuthors[] = {"Ann", "bob", "Cy", "dora", "Eve", "fritz", "Gus", "hal"};
  static const char* const kLanguages[] = {"LAD", "FBD", "STL", "SCL"};
  const Kind& kind = kKinds[index % 8];
  const int32_t number = 1 + index / 8;
  return Obj(kind.text + std::to_string(number), std::string("RgBlockOffline.") + kind.text, {},
             {{"BLOCKTYPE", Variant(kind.code)},
              {"BLOCKNUMBER", Variant(number)},
              {"SYSTEM", Variant(kind.system && index % 10 == 0)},
              {"SYMBOL", Variant("Symbol" + std::to_string(index % 97))},
              {"HEADERNAME", Variant("Header " + std::to_string(index % 13))},
              {"AUTHOR", Variant(kAuthors[index % 8])},
              {"PROGLANGUAGE", Variant(kLanguages[(index / 3) % 4])},
              {"SIZE", Variant(static_cast<int32_t>((index * 37) % 5000))},
              {"LASTMODIFIED", Variant(platform::DateTime::FromSerial(46023.0 + index % 365))}});
}

SyntheticModel::SyntheticModel(int blocks, int categories, int files) {
  auto project = Obj("Synthetic", "RgProjectOffline", {Obj("Station", "RgHwConfigOffline")});
  auto program = Obj("Program", "RgProgramOffline");
  for (int c = 0; c < categories; ++c) {
    program->children.push_back(Obj("Category " + std::to_string(c + 1), "RgCategory"));
  }
  program->children.push_back(Obj("Blocks", "RgCategoryDefault"));
  for (int i = 0; i < blocks; ++i) {
    const size_t category = static_cast<size_t>(i) % program->children.size();
    program->children[category]->children.push_back(NewBlock(i).Cast<mztest::FakeObject>());
  }
  project->children.push_back(program);
  auto card = Obj("Memory card", "RgFilesOnMMC");
  for (int f = 0; f < files; ++f) {
    card->children.push_back(Obj("file" + std::to_string(f) + ".dat", "RgMMCFile"));
  }
  project->children.push_back(card);
  project->children.push_back(Obj("Symbols", "RgSymbolTable"));

  auto factory = platform::MakeObject<mztest::FakeFactory>(false);
  factory->loadingFilesHandler = false;
  factory_ = factory;
  model_ = platform::CreateObjectAs<RgProjectModel>(mzblprsx::clsid::kProjectModel);
  model_->Initialize();
  model_->SetFactory(factory);
  project_ = project;
  model_->SetAutoRefresh(false);
  model_->AddProject(project_);
  model_->SetAutoRefresh(true);
}

SyntheticModel::~SyntheticModel() {
  model_->Terminate();
}

Ref<RgProjectItem> SyntheticModel::ProgramItem() const {
  return model_->Items()->Item(1)->Items()->Item(2);
}

Ref<RgProjectItem> SyntheticModel::CategoryItem(int index) const {
  return ProgramItem()->Items()->Item(index + 1);
}

}  // namespace mzbench
