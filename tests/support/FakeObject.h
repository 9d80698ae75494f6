// A framework object for tests, and the few ways to read a model built from such objects.
// `props` is what its handler writes into the item data (at Initialize and Refresh, in this
// order), `children` what the fake factory builds below its item, and `handlerClass` the class
// of the handler the factory attaches (none when empty).
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/model/ProjectItem.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemList.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "support/ErrorOf.h"

namespace mztest {

using platform::Ref;
using platform::Variant;
using platformtest::ErrorOf;
using Item = Ref<mzblprsx::RgProjectItem>;
using Model = Ref<mzblprsx::RgProjectModel>;
using Props = std::vector<std::pair<std::string, Variant>>;

class FakeObject final : public mzblprsx::IRgObject {
 public:
  FakeObject(std::string name, std::string handlerClass)
      : name(std::move(name)), handlerClass(std::move(handlerClass)) {}
  std::string_view TypeName() const override { return "FakeObject"; }
  std::string ClassID() override { return "{FAKE}"; }
  std::string ObjectID() override { return name; }
  std::string DisplayName() override { return name; }
  void Delete() override {}

  /// Stores a value in place, or appends it.
  void Set(const std::string& key, Variant value) {
    for (auto& [k, v] : props) {
      if (k == key) return void(v = std::move(value));
    }
    props.emplace_back(key, std::move(value));
  }
  void Erase(const std::string& key) {
    std::erase_if(props, [&](const auto& entry) { return entry.first == key; });
  }

  const std::string name;
  const std::string handlerClass;
  Props props;
  std::vector<Ref<FakeObject>> children;
  /// Whatever the object keeps alive (an owner holding its model, as the snap-in does).
  Ref<platform::Object> held;
};

/// An object without values whose handler is of that class.
inline Ref<FakeObject> Node(const std::string& name, std::vector<Ref<FakeObject>> children = {},
                            const std::string& handlerClass = "RgPrjHandlerFolder") {
  auto node = platform::MakeObject<FakeObject>(name, handlerClass);
  node->children = std::move(children);
  return node;
}
/// A block without values, handled by "RgPrjHandlerBlock".
inline Ref<FakeObject> Block(const std::string& name) {
  return Node(name, {}, "RgPrjHandlerBlock");
}

/// An object whose handler ("RgPrjHandler" + type) writes "TYPE" and "NAME", then `extra`.
inline Ref<FakeObject> Obj(const std::string& name, const std::string& type,
                           std::vector<Ref<FakeObject>> children = {}, const Props& extra = {}) {
  auto object = Node(name, std::move(children),
                     type == "RgFilesOnMMC" ? "RgPrjHandlerFilesOnMMC" : "RgPrjHandler" + type);
  object->props = {{"TYPE", Variant(type)}, {"NAME", Variant(name)}};
  for (const auto& [key, value] : extra) object->Set(key, value);
  return object;
}
/// An offline block of a type code (8 OB, 9 DB, 10 FB, 12 UDT, 13 SFC, 14 FC), named "FB10".
inline Ref<FakeObject> Block(int32_t type, int32_t number, const Props& extra = {}) {
  static const std::map<int32_t, const char*> kTexts{{8, "OB"},   {9, "DB"},   {10, "FB"},
                                                     {12, "UDT"}, {13, "SFC"}, {14, "FC"}};
  const char* text = kTexts.at(type);
  auto block =
      Obj(text + std::to_string(number), std::string("RgBlockOffline.") + text, {},
          {{"BLOCKTYPE", Variant(type)}, {"BLOCKNUMBER", Variant(number)}, {"SYSTEM", false}});
  for (const auto& [key, value] : extra) block->Set(key, value);
  return block;
}
inline Ref<FakeObject> Fb(int32_t number, const Props& extra = {}) {
  return Block(10, number, extra);
}
inline Ref<FakeObject> SystemBlock(int32_t number) {
  return Block(13, number, {{"SYSTEM", Variant(true)}});
}

/// Builds the object's children (and theirs) below its item, each as one change of the model.
inline void AddChildren(const Item& item, const Ref<FakeObject>& object) {
  for (const auto& c : object->children) AddChildren(item->Items()->AddNew(c, nullptr, nullptr), c);
}
/// The object of that name in the tree of `root` (depth first), or nothing.
inline Ref<FakeObject> FindObject(const Ref<FakeObject>& root, const std::string& name) {
  if (!root || root->name == name) return root;
  for (const auto& child : root->children) {
    if (auto found = FindObject(child, name)) return found;
  }
  return {};
}
/// The first item in the model made for that object, or nothing.
inline Item ItemOf(const Model& model, const Ref<platform::Object>& object) {
  const auto list = model->ItemList();
  return object && list->Find(4, Variant(object)) ? list->FoundItem() : Item();
}

/// The name of the framework object an item was made for ("?" for none).
inline std::string NameOf(const Item& item) {
  const auto* node = dynamic_cast<const host::ProjectItem*>(item.Get());
  const auto object = node ? node->FrameworkObject().As<FakeObject>() : Ref<FakeObject>();
  return object ? object->name : "?";
}
inline std::string Names(const std::vector<Item>& items) {
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : " ") + NameOf(item);
  return out;
}
/// Names of an item's children (of the model's roots for nothing), "A B C".
inline std::string ChildNames(const Model& model, const Item& parent) {
  const auto items = parent ? parent->Items() : model->Items();
  std::string names;
  for (int32_t i = 1; i <= items->Count(); ++i)
    names += (i > 1 ? " " : "") + NameOf(items->Item(i));
  return names;
}
inline void PreOrder(const Ref<mzblprsx::RgProjectItems>& items, std::vector<Item>& out) {
  for (int32_t i = 1; i <= items->Count(); ++i) {
    out.push_back(items->Item(i));
    PreOrder(out.back()->Items(), out);
  }
}
inline std::vector<Item> PreOrder(const Model& model) {
  std::vector<Item> out;
  PreOrder(model->Items(), out);
  return out;
}

}  // namespace mztest
