// The documents open in the host application.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "mzblprsx/interfaces/IRgAppDocument.h"
#include "mzblprsx/interfaces/Types.h"
#include "platform/Error.h"

namespace mzblprsx {

class IRgAppDocuments : public virtual platform::Object {
 public:
  virtual int32_t Count() = 0;
  virtual Ref<IRgAppDocument> Item(int32_t index) = 0;
  /// The document of a framework object; fails when none shows it.
  virtual Ref<IRgAppDocument> ItemByObject(Ref<Object> object) = 0;
  /// The document of a framework object, or nothing when none shows it. Title updates ask this
  /// for every changed item, and most items have no document, so a host should answer it
  /// without raising an error; this default asks ItemByObject and takes its failure as "none".
  virtual Ref<IRgAppDocument> FindByObject(Ref<Object> object) {
    try {
      return ItemByObject(std::move(object));
    } catch (const platform::Error&) {
      return {};
    }
  }
};

}  // namespace mzblprsx
