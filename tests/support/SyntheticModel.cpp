#include "support/SyntheticModel.h"

#include <string>
#include <utility>

#include "mzblprsx/interfaces/ClassIds.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/IRgProjectItemHandler.h"
#include "mzblprsx/interfaces/IRgProjectModelFactory.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/ClassRegistry.h"
#include "platform/DateTime.h"

namespace mzbench {
namespace {

using mzblprsx::RgProjectItem;
using mzblprsx::RgProjectModel;
using platform::Ref;
using platform::Variant;
using Item = Ref<RgProjectItem>;

/// A framework object that carries what its handler writes.
class SyntheticObject final : public mzblprsx::IRgObject {
 public:
  SyntheticObject(std::string name, std::string type) : name_(std::move(name)) {
    props.emplace_back("TYPE", Variant(std::move(type)));
    props.emplace_back("NAME", Variant(name_));
  }
  std::string_view TypeName() const override { return "SyntheticObject"; }
  std::string ClassID() override { return "{SYNTHETIC}"; }
  std::string ObjectID() override { return name_; }
  std::string DisplayName() override { return name_; }
  void Delete() override {}

  std::vector<std::pair<std::string, Variant>> props;
  std::vector<Ref<SyntheticObject>> children;

 private:
  std::string name_;
};

class SyntheticHandler final : public mzblprsx::IRgProjectItemHandler {
 public:
  std::string_view TypeName() const override { return "SyntheticHandler"; }
  bool IsDirty() override { return false; }
  bool IsOpen() override { return false; }
  Ref<mzblprsx::IRgObject> Object() override { return object_; }
  void SetObject(Ref<platform::Object> object) override {
    object_ = object.Cast<mzblprsx::IRgObject>();
  }
  Item ProjectItem() override { return item_; }
  void SetProjectItem(Item item) override { item_ = std::move(item); }
  void Delete() override {}
  void Initialize() override { Fill(); }
  void Refresh() override {
    Fill();
    item_->Update();
  }
  void Save() override {}
  void Terminate() override {
    item_.Reset();
    object_.Reset();
  }

 private:
  void Fill() {
    const auto object = object_.As<SyntheticObject>();
    const auto data = item_->Data();
    data->Clear();
    for (const auto& [key, value] : object->props) data->SetValue(key, value, 1);
  }
  Ref<mzblprsx::IRgObject> object_;
  Item item_;
};

class SyntheticFactory final : public mzblprsx::IRgProjectModelFactory {
 public:
  std::string_view TypeName() const override { return "SyntheticFactory"; }
  Item AddProject(Ref<RgProjectModel> model, Ref<platform::Object> project) override {
    const Item root = model->Items()->AddNew(project, nullptr, nullptr);
    Fill(root, project.Cast<SyntheticObject>());
    return root;
  }
  void InitializeItem(Item item, Ref<platform::Object> object) override {
    auto handler = platform::MakeObject<SyntheticHandler>();
    item->SetHandler(handler);
    handler->SetObject(object);
    handler->SetProjectItem(item);
  }
  void RefreshProject(Ref<RgProjectModel> model, Ref<platform::Object> project) override {
    RemoveProject(model, project);
    AddProject(model, project);
  }
  void RemoveProject(Ref<RgProjectModel> model, Ref<platform::Object> project) override {
    const auto list = model->ItemList();
    if (list->Find(4, Variant(project))) model->Items()->Remove(list->FoundItem());
  }
  void TerminateItem(Item item) override {
    if (const auto handler = item->Handler()) handler->Terminate();
    item->SetHandler(nullptr);
  }

 private:
  static void Fill(const Item& item, const Ref<SyntheticObject>& object) {
    const auto items = item->Items();
    for (const auto& child : object->children) Fill(items->AddNew(child, nullptr, nullptr), child);
  }
};

Ref<SyntheticObject> Node(const std::string& name, const std::string& type) {
  return platform::MakeObject<SyntheticObject>(name, type);
}

}  // namespace

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
  auto block = Node(kind.text + std::to_string(number), std::string("RgBlockOffline.") + kind.text);
  block->props.emplace_back("BLOCKTYPE", Variant(kind.code));
  block->props.emplace_back("BLOCKNUMBER", Variant(number));
  block->props.emplace_back("SYSTEM", Variant(kind.system && index % 10 == 0));
  block->props.emplace_back("SYMBOL", Variant("Symbol" + std::to_string(index % 97)));
  block->props.emplace_back("HEADERNAME", Variant("Header " + std::to_string(index % 13)));
  block->props.emplace_back("AUTHOR", Variant(kAuthors[index % 8]));
  block->props.emplace_back("PROGLANGUAGE", Variant(kLanguages[(index / 3) % 4]));
  block->props.emplace_back("SIZE", Variant(static_cast<int32_t>((index * 37) % 5000)));
  block->props.emplace_back("LASTMODIFIED",
                            Variant(platform::DateTime::FromSerial(46023.0 + index % 365)));
  return block;
}

SyntheticModel::SyntheticModel(int blocks, int categories, int files) {
  auto project = Node("Synthetic", "RgProjectOffline");
  project->children.push_back(Node("Station", "RgHwConfigOffline"));
  auto program = Node("Program", "RgProgramOffline");
  for (int c = 0; c < categories; ++c) {
    program->children.push_back(Node("Category " + std::to_string(c + 1), "RgCategory"));
  }
  program->children.push_back(Node("Blocks", "RgCategoryDefault"));
  for (int i = 0; i < blocks; ++i) {
    const size_t category = static_cast<size_t>(i) % program->children.size();
    program->children[category]->children.push_back(NewBlock(i).Cast<SyntheticObject>());
  }
  project->children.push_back(program);
  auto card = Node("Memory card", "RgFilesOnMMC");
  for (int f = 0; f < files; ++f) {
    card->children.push_back(Node("file" + std::to_string(f) + ".dat", "RgMMCFile"));
  }
  project->children.push_back(card);
  project->children.push_back(Node("Symbols", "RgSymbolTable"));

  factory_ = platform::MakeObject<SyntheticFactory>();
  model_ = platform::CreateObjectAs<RgProjectModel>(mzblprsx::clsid::kProjectModel);
  model_->Initialize();
  model_->SetFactory(factory_.Cast<mzblprsx::IRgProjectModelFactory>());
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
