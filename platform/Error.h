// The runtime's error object: the five fields that travel with every failure.
//
// Every failure inside the library and the host is a platform::Error. Standard library exceptions
// are converted on the way in (FromCurrentException), so a procedure's error path only ever sees
// this one type. Numbers are the automation runtime's (91 "object variable not set", 13 "type
// mismatch", ...) or HRESULTs of component calls.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace platform {

/// Well-known error numbers of the automation runtime and of component calls.
namespace errc {
inline constexpr int32_t kInvalidCall = 5;     // invalid procedure call or argument
inline constexpr int32_t kOverflow = 6;        // overflow
inline constexpr int32_t kOutOfMemory = 7;     // out of memory
inline constexpr int32_t kSubscript = 9;       // subscript out of range
inline constexpr int32_t kTypeMismatch = 13;   // type mismatch
inline constexpr int32_t kObjectNotSet = 91;   // object variable not set
inline constexpr int32_t kInvalidNull = 94;    // invalid use of Null
inline constexpr int32_t kCannotCreate = 429;  // component cannot create object
inline constexpr int32_t kNoSuchMember = 438;  // object does not support this operation
inline constexpr int32_t kDuplicateKey = 457;  // key already associated with an element
inline constexpr int32_t kAbort = static_cast<int32_t>(0x80004004);  // operation cancelled
inline constexpr int32_t kFail = static_cast<int32_t>(0x80004005);   // unspecified failure
inline constexpr int32_t kNoInterface = static_cast<int32_t>(0x80004002);
inline constexpr int32_t kInvalidArg = static_cast<int32_t>(0x80070057);
}  // namespace errc

/// The standard text of a runtime error number; empty for numbers without one.
std::string DefaultErrorText(int32_t number);

class Error : public std::exception {
 public:
  /// An error with the standard text of its number when no description is given.
  explicit Error(int32_t number, std::string description = {}, std::string source = {},
                 std::string helpFile = {}, int32_t helpContext = 0);

  const char* what() const noexcept override { return description_.c_str(); }

  int32_t Number() const { return number_; }
  const std::string& Source() const { return source_; }
  const std::string& Description() const { return description_; }
  const std::string& HelpFile() const { return helpFile_; }
  int32_t HelpContext() const { return helpContext_; }

  void SetNumber(int32_t number) { number_ = number; }
  void SetSource(std::string source) { source_ = std::move(source); }
  void SetDescription(std::string text) { description_ = std::move(text); }
  void SetHelpFile(std::string file) { helpFile_ = std::move(file); }
  void SetHelpContext(int32_t context) { helpContext_ = context; }

  /// Converts the exception being handled (call only inside a catch block) to an Error:
  /// an Error stays itself, std::bad_alloc becomes 7, any other exception 0x80004005 with
  /// its what() text.
  static Error FromCurrentException();

 private:
  int32_t number_;
  std::string source_;
  std::string description_;
  std::string helpFile_;
  int32_t helpContext_;
};

/// Throws the runtime error of that number with its standard text.
[[noreturn]] void Raise(int32_t number, std::string description = {});

}  // namespace platform
