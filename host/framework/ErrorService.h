// The application's error service: the end of the library's error path, its message boxes and
// the brackets around user commands.
//
//   host::ErrorService& errors = env.Errors();
//   errors.SetPolicy(host::ErrorPolicy::Fail);   // every reported error travels on
//   errors.PushAnswer(7);                         // the next message box answers No
//   ... run the library ...
//   for (const auto& r : errors.Reports()) std::cout << r.source << ": " << r.description;
//
// Every report is recorded, whatever the policy. Message boxes are headless: each is formatted
// from the host's message module, recorded, and answered from the scripted queue, else by the
// answerer callback, else with the default button of its style.
//
// Trap: with ErrorPolicy::Fail a report throws out of the reporting procedure, so the library
// procedure returns nothing of its own; use Absorb to observe results after an error.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "mzblprsx/interfaces/IRgErrorService.h"

namespace host {

/// What the error service does with a reported error.
enum class ErrorPolicy {
  Absorb,  ///< record it and return: the failing procedure returns its default result
  Fail,    ///< record it and throw it back: the error travels on to the caller
};

/// One ReportErrorToService call: the five values of the error as they arrived.
struct ErrorReport {
  int32_t number = 0;
  std::string description;
  std::string source;
  std::string helpFile;
  int32_t helpContext = 0;
};

/// One ShowMessage call and how it was answered.
struct MessageRecord {
  int64_t ownerWindow = 0;
  std::string module;
  int32_t number = 0;
  std::vector<std::string> arguments;
  std::string text;  ///< the message with its inserts filled
  int32_t style = 0;
  int32_t answer = 0;
};

class ErrorService : public mzblprsx::IRgErrorService {
 public:
  /// Decides the answer of a message when no scripted answer is queued.
  using Answerer = std::function<int32_t(const MessageRecord&)>;

  std::string_view TypeName() const override { return "ErrorService"; }

  void SetPolicy(ErrorPolicy policy) { policy_ = policy; }
  ErrorPolicy Policy() const { return policy_; }

  /// Records the error; under Fail throws a platform::Error carrying the same five values.
  void ReportErrorToService(int32_t number, const std::string& description,
                            const std::string& source, const std::string& helpFile,
                            int32_t helpContext) override;
  const std::vector<ErrorReport>& Reports() const { return reports_; }
  void ClearReports() { reports_.clear(); }

  /// Formats, records and answers message `number` of `module`. An unknown module or number, or
  /// a style whose button set is unknown (style & 0xF above 6), is an error.
  int32_t ShowMessage(int64_t ownerWindow, const std::string& module, int32_t number,
                      int32_t reserved, const std::vector<std::string>& arguments,
                      int32_t buttonStyle) override;
  const std::vector<MessageRecord>& Messages() const { return messages_; }
  void ClearMessages() { messages_.clear(); }
  /// Queues the answer of the next message box (1 OK, 2 Cancel, 6 Yes, 7 No, ...); answers are
  /// used first in, first out and are not checked against the box's buttons.
  void PushAnswer(int32_t answer) { answers_.push_back(answer); }
  size_t PendingAnswers() const { return answers_.size(); }
  /// Answers messages once the queue is empty; an empty function restores the default button.
  void SetAnswerer(Answerer answerer) { answerer_ = std::move(answerer); }
  /// The button a message box of that style answers when nobody presses another: the first
  /// button of the style's set (1 for OK and OK/Cancel, 6 for Yes/No and Yes/No/Cancel), or the
  /// second or third when the style selects it (0x100, 0x200). Error for an unknown button set.
  static int32_t DefaultAnswer(int32_t buttonStyle);

  void BeginCommandContext(const std::string& title) override;
  /// Ends the innermost command context; an error when none is open.
  void EndCommandContext() override;
  /// The titles of the open command contexts, outermost first.
  const std::vector<std::string>& CommandContexts() const { return contexts_; }
  /// Every bracket in order: "Begin <title>" and "End <title>".
  const std::vector<std::string>& CommandLog() const { return commandLog_; }

 private:
  ErrorPolicy policy_ = ErrorPolicy::Absorb;
  std::vector<ErrorReport> reports_;
  std::vector<MessageRecord> messages_;
  std::deque<int32_t> answers_;
  Answerer answerer_;
  std::vector<std::string> contexts_;
  std::vector<std::string> commandLog_;
};

}  // namespace host
