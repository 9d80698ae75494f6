#include "platform/XmlElement.h"

#include <sstream>

namespace platform {

Ref<XmlElement> XmlElement::Parse(std::string_view xml) {
  auto doc = std::make_shared<pugi::xml_document>();
  const pugi::xml_parse_result result = doc->load_buffer(xml.data(), xml.size());
  if (!result) return {};
  const pugi::xml_node root = doc->document_element();
  if (!root) return {};
  return MakeObject<XmlElement>(doc, root);
}

Ref<XmlElement> XmlElement::SelectSingleNode(const char* path) const {
  try {
    const pugi::xpath_node found = node_.select_node(path);
    if (!found.node() || found.node().type() != pugi::node_element) return {};
    return MakeObject<XmlElement>(document_, found.node());
  } catch (const pugi::xpath_exception& e) {
    throw Error(errc::kInvalidCall, e.what());
  }
}

std::string XmlElement::Xml() const {
  return XmlText(node_);
}

std::string XmlText(const pugi::xml_node& node) {
  std::ostringstream out;
  node.print(out, "", pugi::format_raw | pugi::format_no_declaration);
  return out.str();
}

}  // namespace platform
