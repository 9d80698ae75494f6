#include "host/framework/LanguageAccess.h"

namespace host {

std::string LanguageAccess::GetText(int32_t number) {
  const auto found = table_->find(number);
  return found == table_->end() ? std::string() : std::string(found->second);
}

}  // namespace host
