// What a project file said about an element that this host does not understand: attributes it
// does not know and child nodes (elements, text) it does not know. The reader collects them, the
// writer puts them back, so that a file written by a newer tool survives a load and save here.
//
// Trap: unknown child nodes are written back after the known children of their element; their
// order among themselves is kept, their position relative to known children is not.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace host {

struct XmlExtras {
  /// Unknown attributes, name and value, in file order.
  std::vector<std::pair<std::string, std::string>> attributes;
  /// Unknown child nodes, each serialised as raw XML, in file order.
  std::vector<std::string> nodes;

  bool Empty() const { return attributes.empty() && nodes.empty(); }
  bool operator==(const XmlExtras&) const = default;
};

}  // namespace host
