#include "ProgramTree.h"

#include <utility>
#include <vector>

#include "Refused.h"
#include "mzblprsx/handlers/IRgBlockHandlerOffline.h"
#include "mzblprsx/handlers/IRgCategoryHandler.h"
#include "mzblprsx/handlers/IRgProgramHandlerOffline.h"
#include "mzblprsx/interfaces/RgProjectItem.h"
#include "mzblprsx/interfaces/RgProjectItemData.h"
#include "mzblprsx/interfaces/RgProjectItems.h"
#include "mzblprsx/interfaces/RgProjectModel.h"
#include "platform/Text.h"

namespace prjsnap {
namespace {

using ItemRef = platform::Ref<mzblprsx::RgProjectItem>;

std::string Quoted(const std::string& text) {
  return "'" + text + "'";
}

bool IsBlock(const ItemRef& item) {
  return static_cast<bool>(item->HandlerObject().As<mzblprsx::IRgBlockHandlerOffline>());
}

bool IsCategory(const ItemRef& item) {
  return static_cast<bool>(item->HandlerObject().As<mzblprsx::IRgCategoryHandler>());
}

const char* KindName(int want) {
  switch (want) {
    case ProgramTree::kBlock:
      return "block";
    case ProgramTree::kCategory:
      return "category";
    case ProgramTree::kProgram:
      return "program";
    case ProgramTree::kProject:
      return "project";
    default:
      return "block or category";
  }
}

}  // namespace

std::string ItemNames(const platform::Ref<mzblprsx::RgProjectItems>& items) {
  std::string names;
  for (int32_t i = 1; items && i <= items->Count(); ++i) {
    names += (names.empty() ? "" : ", ") + ItemText(items->Item(i), "NAME");
  }
  return names;
}

std::string Plural(int32_t count, const char* what) {
  return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

std::string ItemText(const ItemRef& item, const char* key) {
  const platform::Variant value = item->Data()->Value(key);
  return value.IsEmpty() ? std::string() : value.ToString();
}

ProgramTree::ProgramTree(const platform::Ref<mzblprsx::RgProjectModel>& model) {
  project_ = model ? model->Items()->First() : ItemRef();
  if (!project_) throw Refused("the project has no tree");
  const auto children = project_->Items();
  for (int32_t i = 1; i <= children->Count() && !handler_; ++i) {
    item_ = children->Item(i);
    handler_ = item_->HandlerObject().As<mzblprsx::IRgProgramHandlerOffline>();
  }
  if (!handler_) throw Refused("the project has no program");
}

const ProgramTree::Index& ProgramTree::P_Index() {
  if (index_) return *index_;
  // One walk for every look-up of a command: naming thousands of blocks must not walk the
  // program once per name.
  Index index;
  const auto add = [](NameIndex& names, const ItemRef& item, const char* key) {
    const std::string value = ItemText(item, key);
    if (!value.empty()) names[platform::text::FoldCase(value)].push_back(item);
  };
  const auto children = item_->Items();
  for (int32_t i = 1; i <= children->Count(); ++i) {
    const ItemRef category = children->Item(i);
    if (!IsCategory(category)) continue;
    add(index.categories, category, "NAME");
    const auto blocks = category->Items();
    for (int32_t j = 1; j <= blocks->Count(); ++j) {
      const ItemRef block = blocks->Item(j);
      if (!IsBlock(block)) continue;
      add(index.blockNames, block, "NAME");
      add(index.blockSymbols, block, "SYMBOL");
    }
  }
  index_ = std::move(index);
  return *index_;
}

std::string ProgramTree::Name() {
  return ItemText(item_, "NAME");
}

ItemRef ProgramTree::Find(const std::string& text, int want) {
  std::string wanted = text;
  static constexpr std::pair<const char*, Want> kPrefixes[] = {
      {"block:", kBlock}, {"category:", kCategory}, {"program:", kProgram}, {"project:", kProject}};
  for (const auto& [prefix, kind] : kPrefixes) {
    const std::string_view p(prefix);
    if (wanted.size() > p.size() && platform::text::EqualsNoCase(wanted.substr(0, p.size()), p)) {
      wanted.erase(0, p.size());
      if ((want & kind) == 0) {
        throw Refused(Quoted(text) + " names a " + KindName(kind) + "; a " + KindName(want) +
                      " is needed here");
      }
      want = kind;
      break;
    }
  }
  const auto matches = [&](const ItemRef& item, const char* key) {
    const std::string value = ItemText(item, key);
    return !value.empty() && platform::text::EqualsNoCase(value, wanted);
  };

  // The project and the program are named by their names only; blocks and categories may not
  // take those names silently, so a clash is reported like any other ambiguity.
  std::vector<ItemRef> found;
  if ((want & kProject) != 0 && matches(project_, "NAME")) found.push_back(project_);
  if ((want & kProgram) != 0 && matches(item_, "NAME")) found.push_back(item_);

  static const std::vector<ItemRef> kNone;
  const auto named = [&](const NameIndex& index) -> const std::vector<ItemRef>& {
    const auto it = index.find(platform::text::FoldCase(wanted));
    return it == index.end() ? kNone : it->second;
  };
  const Index& index = P_Index();
  const std::vector<ItemRef>& categories =
      (want & kCategory) != 0 ? named(index.categories) : kNone;
  const std::vector<ItemRef>& byName = (want & kBlock) != 0 ? named(index.blockNames) : kNone;
  const std::vector<ItemRef>& bySymbol = (want & kBlock) != 0 ? named(index.blockSymbols) : kNone;
  const std::vector<ItemRef>& blocks = byName.empty() ? bySymbol : byName;
  if (blocks.size() > 1) {
    std::string names;
    for (const ItemRef& block : blocks)
      names += (names.empty() ? "" : ", ") + ItemText(block, "NAME");
    throw Refused(Quoted(wanted) + " is the symbol of several blocks (" + names +
                  "); name the block instead");
  }
  if (!blocks.empty()) found.push_back(blocks.front());
  if (!categories.empty()) found.push_back(categories.front());

  if (found.empty()) {
    const std::string where = want == kProject   ? "the project"
                              : want == kProgram ? "the project"
                                                 : "program " + Quoted(Name());
    throw Refused(where + " has no " + KindName(want) + " " + Quoted(wanted));
  }
  if (found.size() > 1) {
    std::string choices;
    for (size_t i = 0; i < found.size(); ++i) {
      const ItemRef& item = found[i];
      const char* kind = platform::SameObject(item, project_) ? "project"
                         : platform::SameObject(item, item_)  ? "program"
                         : IsBlock(item)                      ? "block"
                                                              : "category";
      if (i > 0) choices += i + 1 == found.size() ? " or " : ", ";
      choices += std::string(kind) + ":" + wanted;
    }
    throw Refused(Quoted(wanted) + " names several items; write " + choices);
  }
  return found.front();
}

}  // namespace prjsnap
