// One entry of the framework's transfer object: an object carried with its content, or only a
// reference to it (an object whose content could not or need not travel).
//
// The key of an entry is its class identifier and object identifier; the receiving side reads the
// content back through the services that create objects from it (the block service's
// CreateFromData), never by parsing it itself.
#pragma once

#include <string>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IRgDataObjectItem : public virtual platform::Object {
 public:
  /// The framework class identifier of the carried object (a braced upper-case GUID text).
  virtual std::string ClassID() = 0;
  /// The object identifier (for a block its name such as "FB10").
  virtual Variant ObjectID() = 0;
  /// The object's name (for a block its symbol, for a category its name).
  virtual std::string Name() = 0;
  /// The object's second designation (for a block its absolute name such as "FB10").
  virtual std::string SecondName() = 0;
  /// True when the content travels; false for a reference.
  virtual bool HasData() = 0;
  /// The framework's content of the object; empty for a reference.
  virtual std::string Data() = 0;
  /// A free text the sender marks an entry with ("Missing", "RgBlockOffline::Flush", a category's
  /// block list); travels with the entry.
  virtual std::string MarkerText() = 0;
  virtual void SetMarkerText(const std::string& text) = 0;
};

}  // namespace mzblprsx
