#include "host/model/ItemProperty.h"

#include <utility>

namespace host {

ItemProperty::ItemProperty(std::string key, platform::Variant value, int32_t flags, int32_t type)
    : key_(std::move(key)), value_(std::move(value)), flags_(flags), type_(type) {}

}  // namespace host
