#include "platform/ui/MessageBox.h"

namespace platform::ui {
namespace {

std::vector<std::string>& Log() {
  thread_local std::vector<std::string> shown;
  return shown;
}

}  // namespace

int32_t MessageBox::Show(const std::string& text, int32_t /*buttons*/) {
  Log().push_back(text);
  return kAnswerOk;
}

const std::vector<std::string>& MessageBox::Shown() {
  return Log();
}

void MessageBox::ClearShown() {
  Log().clear();
}

}  // namespace platform::ui
