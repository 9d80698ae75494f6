#include "mzblprsx/streaming/RgObjectStreamService.h"

#include <pugixml.hpp>

#include "mzblprsx/core/RgProjectSnapin.h"
#include "mzblprsx/interfaces/IRgDocument.h"
#include "mzblprsx/interfaces/IRgObjectArray.h"
#include "mzblprsx/streaming/IRgObjectStreamHandler.h"
#include "platform/SafeArray.h"
#include "platform/XmlElement.h"

namespace mzblprsx {

Ref<RgProjectSnapin> RgObjectStreamService::ProjectSnapIn() {
  return snapIn_;
}
void RgObjectStreamService::SetProjectSnapIn(Ref<RgProjectSnapin> snapIn) {
  snapIn_ = std::move(snapIn);
}
Ref<IRgObjectStreamHandler> RgObjectStreamService::StreamHandler() {
  return handler_;
}
void RgObjectStreamService::SetStreamHandler(Ref<IRgObjectStreamHandler> handler) {
  handler_ = std::move(handler);
}

std::string RgObjectStreamService::GetRgObjectsXML(const Ref<IRgObjectArray>& objects) {
  std::string result;
  Guard(*this, "GetRgObjectsXML", [&] {
    const int32_t count = objects->Count();
    // An empty source cannot be dimensioned: the array would have no column.
    if (count < 1) throw platform::Error(platform::errc::kSubscript);
    auto data = platform::SafeArray::Create(platform::VarType::Empty, {{1, 3}, {1, count}});
    for (int32_t i = 1; i <= count; ++i) {
      const Ref<IRgObject> object = objects->Item(i);
      data->Set({1, i}, Variant(object->ClassID()));
      data->Set({2, i}, Variant(object->ObjectID()));
      if (const auto document = object.As<IRgDocument>())
        data->Set({3, i}, Variant(document->IsOpen()));
    }
    result = GetRgObjectDataXML(Variant(data));
  });
  return result;
}

std::string RgObjectStreamService::GetRgObjectDataXML(const Variant& objectData) {
  std::string result;
  Guard(*this, "GetRgObjectDataXML", [&] {
    if (!objectData.IsArray()) return;
    const auto& data = objectData.ToArray();
    if (data->Dimensions() != 2 || data->LBound(1) != 1 || data->UBound(1) != 3) return;
    pugi::xml_document document;
    pugi::xml_node root = document.append_child("ROOT");
    for (int32_t i = data->LBound(2); i <= data->UBound(2); ++i) {
      pugi::xml_node element = root.append_child("RGOBJECT");
      element.append_attribute("CLSID") = data->Get({1, i}).ToString().c_str();
      element.append_attribute("OBJID") = data->Get({2, i}).ToString().c_str();
      const int16_t open = Variant(data->Get({3, i}).ToBool()).ToInt16();
      element.append_attribute("ISOPEN") = std::to_string(open).c_str();
    }
    result = platform::XmlText(document);
  });
  return result;
}

}  // namespace mzblprsx
