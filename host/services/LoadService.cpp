#include "host/services/LoadService.h"

#include <pugixml.hpp>

#include <utility>

#include "host/project/Block.h"
#include "host/project/Program.h"
#include "host/services/OnlineService.h"
#include "mzblprsx/interfaces/IRgObject.h"
#include "mzblprsx/interfaces/IRgProjectContainer.h"
#include "platform/Error.h"

namespace host {

namespace {

struct ListedObject {
  std::string classId;
  std::string objectId;
};

[[noreturn]] void BadList(const std::string& why) {
  throw platform::Error(platform::errc::kInvalidCall, "The update list is not valid: " + why);
}

std::vector<ListedObject> ParseUpdateList(const std::string& xml) {
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(xml.data(), xml.size());
  if (!parsed) {
    BadList(std::string(parsed.description()) + " at offset " + std::to_string(parsed.offset));
  }
  const pugi::xml_node root = document.document_element();
  if (std::string_view(root.name()) != "ROOT") {
    BadList("its root element is '" + std::string(root.name()) + "', not 'ROOT'");
  }
  std::vector<ListedObject> objects;
  for (const pugi::xml_node element : root.children("RGOBJECT")) {
    const pugi::xml_attribute classId = element.attribute("CLSID");
    const pugi::xml_attribute objectId = element.attribute("OBJID");
    if (!classId || !objectId) {
      BadList("RGOBJECT element " + std::to_string(objects.size() + 1) +
              " lacks its CLSID or OBJID attribute");
    }
    objects.push_back(ListedObject{classId.value(), objectId.value()});
  }
  return objects;
}

bool Is(const platform::Ref<mzblprsx::IRgObject>& object, const ListedObject& listed) {
  return object && object->ClassID() == listed.classId && object->ObjectID() == listed.objectId;
}

bool ExistsInPlc(const platform::Ref<platform::Object>& plc, const ListedObject& listed) {
  if (Is(plc.As<mzblprsx::IRgObject>(), listed)) return true;
  const auto container = plc.As<mzblprsx::IRgProjectContainer>();
  if (!container) return false;
  const auto children = container->Objects();
  for (int32_t i = 1; i <= children->Count(); ++i) {
    const platform::Ref<mzblprsx::IRgObject> child = children->Item(i);
    if (Is(child, listed)) return true;
    if (const auto program = child.As<Program>()) {
      if (Is(program->FindBlockById(listed.objectId), listed)) return true;
    }
  }
  return false;
}

}  // namespace

LoadService::LoadService(platform::Ref<OnlineService> online) : online_(std::move(online)) {}

LoadService::~LoadService() = default;

int32_t LoadService::LoadState(const std::string& updateList, int32_t flags) {
  calls_.push_back(LoadStateCall{updateList, flags, std::nullopt});
  const std::vector<ListedObject> objects = ParseUpdateList(updateList);
  const platform::Ref<platform::Object> plc = online_->GetContainer("");
  int32_t state = kNotConnected;
  if (plc) {
    state = kUpToDate;
    for (const ListedObject& listed : objects) {
      if (!ExistsInPlc(plc, listed)) {
        state = kObjectsMissing;
        break;
      }
    }
  }
  calls_.back().state = state;
  if ((flags & kNotifyFlag) != 0) loadStateChanged_.Emit(state);
  return state;
}

}  // namespace host
