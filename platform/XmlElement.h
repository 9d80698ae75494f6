// An XML element passed around as an object (the configuration node of a snap-in, a command
// definition). Holds its document alive; the node is pugixml's.
#pragma once

#include <pugixml.hpp>

#include <memory>
#include <string>
#include <string_view>

#include "platform/Ref.h"

namespace platform {

class XmlElement : public Object {
 public:
  XmlElement(std::shared_ptr<pugi::xml_document> document, pugi::xml_node node)
      : document_(std::move(document)), node_(node) {}

  std::string_view TypeName() const override { return "IXMLDOMElement"; }

  /// Parses a text and returns its root element; nothing when the text is not well-formed XML.
  static Ref<XmlElement> Parse(std::string_view xml);

  pugi::xml_node Node() const { return node_; }
  /// The first child element selected by the path, or nothing.
  Ref<XmlElement> SelectSingleNode(const char* path) const;
  /// The element and its children serialised, without an XML declaration.
  std::string Xml() const;

 private:
  std::shared_ptr<pugi::xml_document> document_;
  pugi::xml_node node_;
};

/// Serialises a node without declaration, unindented.
std::string XmlText(const pugi::xml_node& node);

}  // namespace platform
