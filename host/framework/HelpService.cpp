#include "host/framework/HelpService.h"

namespace host {

void HelpService::ShowHelpTopic(const std::string& book, int32_t window, const std::string& topic) {
  shown_.push_back({book, window, topic});
}

}  // namespace host
