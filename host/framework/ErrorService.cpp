#include "host/framework/ErrorService.h"

#include <array>

#include "host/framework/HostTexts.h"
#include "platform/Error.h"

namespace host {

namespace {

// The buttons of each message box type (style & 0xF) in their order on the box.
constexpr int32_t kTypeMask = 0xF;
constexpr int32_t kDefaultButtonMask = 0xF00;
const std::array<std::vector<int32_t>, 7>& ButtonSets() {
  static const std::array<std::vector<int32_t>, 7> sets = {{
      {1},          // OK
      {1, 2},       // OK, Cancel
      {3, 4, 5},    // Abort, Retry, Ignore
      {6, 7, 2},    // Yes, No, Cancel
      {6, 7},       // Yes, No
      {4, 2},       // Retry, Cancel
      {2, 10, 11},  // Cancel, Try Again, Continue
  }};
  return sets;
}

}  // namespace

void ErrorService::ReportErrorToService(int32_t number, const std::string& description,
                                        const std::string& source, const std::string& helpFile,
                                        int32_t helpContext) {
  reports_.push_back(ErrorReport{number, description, source, helpFile, helpContext});
  if (policy_ == ErrorPolicy::Absorb) return;
  platform::Error error(number, description, source, helpFile, helpContext);
  // The constructor puts the standard text in place of an empty description; the error must
  // travel on exactly as it was reported.
  error.SetDescription(description);
  throw error;
}

int32_t ErrorService::DefaultAnswer(int32_t buttonStyle) {
  const int32_t type = buttonStyle & kTypeMask;
  if (type >= static_cast<int32_t>(ButtonSets().size())) {
    throw platform::Error(
        platform::errc::kInvalidArg,
        "Message box style " + std::to_string(buttonStyle) + " selects no known set of buttons");
  }
  const std::vector<int32_t>& buttons = ButtonSets()[static_cast<size_t>(type)];
  const size_t defaultIndex = static_cast<size_t>((buttonStyle & kDefaultButtonMask) >> 8);
  return defaultIndex < buttons.size() ? buttons[defaultIndex] : buttons.front();
}

int32_t ErrorService::ShowMessage(int64_t ownerWindow, const std::string& module, int32_t number,
                                  int32_t /*reserved*/, const std::vector<std::string>& arguments,
                                  int32_t buttonStyle) {
  const TextTable* table = texts::MessageModule(module);
  if (table == nullptr) {
    throw platform::Error(platform::errc::kInvalidArg,
                          "Message module '" + module + "' is not known to this host");
  }
  const auto found = table->find(number);
  if (found == table->end()) {
    throw platform::Error(
        platform::errc::kInvalidArg,
        "Message module '" + module + "' has no message " + std::to_string(number));
  }
  MessageRecord record{
      ownerWindow, module, number, arguments, texts::FormatMessage(found->second, arguments),
      buttonStyle, 0};
  const int32_t fallback = DefaultAnswer(buttonStyle);  // also rejects an unknown style
  if (!answers_.empty()) {
    record.answer = answers_.front();
    answers_.pop_front();
  } else if (answerer_) {
    record.answer = answerer_(record);
  } else {
    record.answer = fallback;
  }
  messages_.push_back(record);
  return record.answer;
}

void ErrorService::BeginCommandContext(const std::string& title) {
  contexts_.push_back(title);
  commandLog_.push_back("Begin " + title);
}

void ErrorService::EndCommandContext() {
  if (contexts_.empty()) {
    throw platform::Error(platform::errc::kFail,
                          "EndCommandContext was called with no command context open");
  }
  commandLog_.push_back("End " + contexts_.back());
  contexts_.pop_back();
}

}  // namespace host
